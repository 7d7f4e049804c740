// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console line txtCmd with its buttons cmdC W, L and S: the buttons are
// available only with text, a click runs a command and becomes the last
// command, and Enter runs the last command once.
#include <string>
#include <string_view>

namespace vm {

class Program;

inline constexpr int kCmdWords = 0;
inline constexpr int kCmdLines = 1;
inline constexpr int kCmdSeed = 2;

class ConsoleLine {
 public:
  // txtCmd_Change: the cmdC buttons are enabled exactly when there is text.
  static bool ButtonsEnabled(std::u16string_view text) { return !text.empty(); }

  // cmdC_Click: runs command index (others run nothing), then remembers it
  // as the last command and the default button.
  void cmdC_Click(Program& program, int index, std::u16string_view text);
  // One Enter press in the console line: the last command (W before any click).
  void EnterPressed(Program& program, std::u16string_view text);

  // txtCmd's tag: the last command in decimal, empty before the first click.
  std::u16string Tag() const;
  // The default cmdC button, -1 while there is none.
  int DefaultButton() const { return last_; }

 private:
  int last_ = -1;
};

}  // namespace vm
