// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance lock.
#include <QCoreApplication>
#include <QSysInfo>
#include <QTest>
#include <chrono>
#include <memory>

#include "shell/single_instance.h"
#include "temp_folder.h"

namespace vm::shell {

using vm::test::TempFolder;

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void aSecondInstanceFindsTheFolderLocked() {
    TempFolder folder;
    auto first = std::make_unique<SingleInstance>(folder.path());
    QVERIFY(first->Acquired());
    QVERIFY(!SingleInstance(folder.path()).Acquired());
    first.reset();
    QVERIFY(SingleInstance(folder.path()).Acquired());
  }

  void aLockLeftByADeadProcessDoesNotBlock() {
    TempFolder folder;
    // What a killed instance leaves: its pid, name and host, however old.
    folder.Write("verbalomatic.lock",
                 "2147483646\nverbalomatic\n" + QSysInfo::machineHostName().toStdString() + "\n");
    QVERIFY(SingleInstance(folder.path()).Acquired());
  }

  // Only a live holder counts: an empty or garbled lock file blocks nothing,
  // and where no lock can be made the program starts unguarded.
  void oddLockFilesAndNoLockAtAll() {
    TempFolder folder;
    for (const std::string bytes : {"", "not a lock\n\xFF"}) {
      folder.Write("verbalomatic.lock", bytes);
      SingleInstance instance(folder.path());
      QVERIFY(instance.Acquired());
      QVERIFY(instance.Unguarded().empty());
    }
    const SingleInstance nowhere(folder / "no such folder");
    QVERIFY(nowhere.Acquired());
    QVERIFY(!nowhere.Unguarded().empty());
  }

  void aLongRunningInstanceKeepsItsLock() {
    TempFolder folder;
    const auto first = std::make_unique<SingleInstance>(folder.path());
    QVERIFY(first->Acquired());
    const auto lock = folder / "verbalomatic.lock";
    std::filesystem::last_write_time(
        lock, std::filesystem::last_write_time(lock) - std::chrono::hours(24));
    QVERIFY(!SingleInstance(folder.path()).Acquired());
  }
};

}  // namespace vm::shell

QTEST_MAIN(vm::shell::SingleInstanceTest)
#include "single_instance_test.moc"
