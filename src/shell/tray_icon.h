// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// clsT: the program's icon in the notification area. Add fails, and the
// window stays where it is, when no tray host is running; Qt registers the
// icon again by itself when the tray host restarts. A left release on the
// icon asks for the window back, a right release for the tray menu.
#include <QIcon>
#include <QObject>
#include <QString>
#include <memory>

class QSystemTrayIcon;

namespace vm::shell {

class clsT : public QObject {
  Q_OBJECT

 public:
  explicit clsT(QIcon icon, QObject* parent = nullptr);
  ~clsT() override;

  // 1 when the icon was added; 0 when it already was or no tray host runs.
  int Add(const QString& tip);
  // Deletes and adds the icon again when it is added.
  void Reload();
  // 1 when an added icon was removed, else 0.
  int Remove();
  // 1 after any Add that filled the record, 0 before and after Remove.
  int UserID() const { return userId_; }
  bool Added() const { return added_; }

 signals:
  void restoreRequested();
  void menuRequested();

 private:
  QIcon image_;
  std::unique_ptr<QSystemTrayIcon> icon_;
  QString tip_;
  int userId_ = 0;
  bool added_ = false;
};

}  // namespace vm::shell
