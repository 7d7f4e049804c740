#include "shell/cls_t.h"

#include <QSystemTrayIcon>
#include <utility>

namespace vm::shell {

ClsT::ClsT(QIcon icon, QObject* parent) : QObject(parent), image_(std::move(icon)) {}

ClsT::~ClsT() = default;

int ClsT::Add(const QString& tip) {
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

void ClsT::Reload() {
  if (!added_) return;
  added_ = false;
  if (icon_) icon_->hide();
  Add(tip_);
}

int ClsT::Remove() {
  if (!added_) return 0;
  if (icon_) icon_->hide();
  added_ = false;
  userId_ = 0;
  tip_.clear();
  return 1;
}

}  // namespace vm::shell
