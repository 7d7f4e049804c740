// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/tray_icon.h"

#include <QSystemTrayIcon>
#include <utility>

namespace vm::shell {

clsT::clsT(QIcon icon, QObject* parent) : QObject(parent), image_(std::move(icon)) {}

clsT::~clsT() = default;

int clsT::Add(const QString& tip) {
  if (added_) return 0;
  tip_ = tip;
  userId_ = 1;
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return 0;
  if (!icon_) {
    icon_ = std::make_unique<QSystemTrayIcon>(image_);
    connect(icon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
              if (!added_) return;
              if (reason == QSystemTrayIcon::Trigger)
                emit restoreRequested();
              else if (reason == QSystemTrayIcon::Context)
                emit menuRequested();
            });
  }
  icon_->setToolTip(tip_);
  icon_->show();
  added_ = true;
  return 1;
}

void clsT::Reload() {
  if (!added_) return;
  added_ = false;
  if (icon_) icon_->hide();
  Add(tip_);
}

int clsT::Remove() {
  if (!added_) return 0;
  if (icon_) icon_->hide();
  added_ = false;
  userId_ = 0;
  tip_.clear();
  return 1;
}

}  // namespace vm::shell
