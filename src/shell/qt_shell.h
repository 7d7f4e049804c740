// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Shell of the desktop: the program object's view of frmMain, the
// clipboard, message boxes and the other desktop services.
#include <QString>

#include "app/shell.h"

namespace vm::shell {

class FrmMain;

class QtShell : public Shell {
 public:
  explicit QtShell(FrmMain& form);

  void ShowText(std::u16string_view text, Alignment alignment) override;
  std::u16string ShownText() const override;
  void CopyToClipboard(std::u16string_view text, bool unicode) override;
  void SetCaption(std::u16string_view caption) override;
  std::u16string Caption() const override;
  bool AskYesNo(std::u16string_view question, MessageIcon icon) override;
  void Inform(std::u16string_view text) override;
  void ProcessEvents() override;
  bool IsWindowVisible() const override;
  std::u16string PrologueText() const override;
  std::u16string EpilogueText() const override;
  int OptionValue(int index) const override;
  void MarkGenButton(int count, bool marked) override;
  bool KeepInTrash(const std::filesystem::path& path, std::u16string& error) override;
  void OpenWithAssociatedProgram(const std::filesystem::path& path) override;
  std::int32_t TickCount() const override;
  void SetOptionEnabled(int index, bool enabled) override;
  void SetChaosTooltip(std::u16string_view tooltip) override;
  bool ControlKeyHeld() const override;
  void DrawLifeCell(int x, int y, bool alive) override;

 private:
  FrmMain& form_;
};

}  // namespace vm::shell
