// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A desktop program in a fresh program folder with a small base file
// loaded, its window shown and active.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string_view>

#include "app/program.h"
#include "shell/desktop_app.h"
#include "shell/frm_main.h"
#include "shell/qt_shell.h"
#include "temp_folder.h"
#include "text/cp1251.h"

namespace vm::shell::test {

inline constexpr std::u16string_view kTestBase =
    u"кот учёный\r\nбелый пароход\r\nзимний вечер\r\nмокрый кот\r\nрыжий крот\r\n"
    u"старый год\r\nтихий сад\r\nдобрый брат";

struct Desktop {
  Desktop() : app(std::make_unique<DesktopApp>(folder.path())) {
    folder.Write("base.txt", EncodeCp1251(kTestBase));
    Program().SetBaseName(u"base.txt");
    Program().SkipAboutOnFirstLoad();
    Program().LoadBase();
    Program().ReadOptions();
    Form().show();
    QApplication::setActiveWindow(&Form());
    if (!QTest::qWaitForWindowActive(&Form())) qWarning("window not active");
  }

  vm::Program& Program() { return app->Program(); }
  FrmMain& Form() { return app->Form(); }
  QtShell& Shell() { return app->Shell(); }

  vm::test::TempFolder folder;
  std::unique_ptr<DesktopApp> app;
};

}  // namespace vm::shell::test
