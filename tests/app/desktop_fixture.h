// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program on a recording shell with a small base loaded from a file.
#include <string_view>

#include "app/program.h"
#include "fake_shell.h"
#include "temp_folder.h"
#include "text/cp1251.h"

namespace vm::test {

struct DesktopFixture {
  static constexpr std::u16string_view kBase =
      u"кот учёный\r\nбелый пароход\r\nзимний вечер\r\nмокрый кот\r\nрыжий крот\r\n"
      u"старый год\r\nтихий сад\r\nдобрый брат";

  DesktopFixture() {
    folder.Write("base.txt", EncodeCp1251(kBase));
    program.SetBaseName(u"base.txt");
    program.SkipAboutOnFirstLoad();
    program.LoadBase();
    program.ReadOptions();
    program.Random().Seed(1);
    shell.shownHistory.clear();
  }
  std::size_t Shown() const { return shell.shownHistory.size(); }

  FakeShell shell;
  TempFolder folder;
  Program program{shell, folder.path()};
};

}  // namespace vm::test
