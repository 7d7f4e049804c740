// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder choice and the single-instance lock.
#include <QCoreApplication>
#include <QStandardPaths>
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
  void aWritableExecutableFolderIsTheProgramFolder() {
    TempFolder folder;
    QCOMPARE(ChooseProgramFolder(QString::fromStdString(folder.path().string())), folder.path());
  }

  void otherwiseThePerUserDataFolderIs() {
    const auto chosen = ChooseProgramFolder(QStringLiteral("/nonexistent/verbalomatic/bin"));
    QCOMPARE(QString::fromStdString(chosen.string()),
             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QVERIFY(std::filesystem::is_directory(chosen));
  }

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
