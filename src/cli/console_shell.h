// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Shell of the command-line front end: no window, no clipboard; what the
// program shows is kept for the front end to print.
#include <ostream>

#include "app/shell.h"
#include "generation/options.h"

namespace vm {

class ConsoleShell : public Shell {
 public:
  ConsoleShell();

  void ShowText(std::u16string_view text, Alignment alignment) override;
  std::u16string ShownText() const override { return shown_; }
  void CopyToClipboard(std::u16string_view, bool) override {}
  void SetCaption(std::u16string_view caption) override { caption_ = std::u16string(caption); }
  std::u16string Caption() const override { return caption_; }
  bool AskYesNo(std::u16string_view, MessageIcon) override { return answerYes_; }
  void Inform(std::u16string_view) override {}
  void ProcessEvents() override {}
  bool IsWindowVisible() const override { return true; }
  std::u16string PrologueText() const override { return {}; }
  std::u16string EpilogueText() const override { return {}; }
  int OptionValue(int index) const override { return boxes_[static_cast<std::size_t>(index)]; }
  void MarkGenButton(int, bool) override {}
  bool KeepInTrash(const std::filesystem::path& path, std::u16string& error) override;
  void OpenWithAssociatedProgram(const std::filesystem::path&) override {}
  std::int32_t TickCount() const override;
  void SetOptionEnabled(int, bool) override {}
  void SetChaosTooltip(std::u16string_view) override {}
  bool ControlKeyHeld() const override { return false; }
  void DrawLifeCell(int, int, bool) override {}

  void SetBoxes(const OptionBoxes& boxes) { boxes_ = boxes; }
  void SetAnswer(bool yes) { answerYes_ = yes; }
  // Every shown text is also written here, as it appears.
  void EchoTo(std::ostream* out) { echo_ = out; }

 private:
  std::u16string shown_;
  std::u16string caption_;
  OptionBoxes boxes_{};
  bool answerYes_ = false;
  std::ostream* echo_ = nullptr;
};

// UTF-8 with LF line breaks, as the terminal wants it.
std::string TerminalText(std::u16string_view text);

}  // namespace vm
