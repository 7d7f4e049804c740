// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Shell that keeps the text shown and the files trashed, and answers
// questions from a queue set in advance; the rest it ignores.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/shell.h"
#include "generation/options.h"

namespace vm::test {

class FakeShell : public Shell {
 public:
  void ShowText(std::u16string_view text, Alignment) override { shown = text; }
  std::u16string ShownText() const override { return shown; }
  void CopyToClipboard(std::u16string_view, bool) override {}
  void SetCaption(std::u16string_view text) override { caption = text; }
  std::u16string Caption() const override { return caption; }
  bool AskYesNo(std::u16string_view, MessageIcon) override {
    const bool answer = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  void Inform(std::u16string_view) override {}
  void ProcessEvents() override {}
  bool IsWindowVisible() const override { return true; }
  std::u16string PrologueText() const override { return {}; }
  std::u16string EpilogueText() const override { return {}; }
  int OptionValue(int index) const override { return options[static_cast<std::size_t>(index)]; }
  void MarkGenButton(int, bool) override {}
  bool KeepInTrash(const std::filesystem::path& path, std::u16string&) override {
    trashed.push_back(path);
    if (onTrash) onTrash(path);
    return true;
  }
  void OpenWithAssociatedProgram(const std::filesystem::path&) override {}
  std::int32_t TickCount() const override { return 0; }
  void SetOptionEnabled(int, bool) override {}
  void SetChaosTooltip(std::u16string_view) override {}
  bool ControlKeyHeld() const override { return false; }
  void DrawLifeCell(int, int, bool) override {}

  std::u16string shown, caption;
  std::vector<std::filesystem::path> trashed;
  std::deque<bool> answers;
  OptionBoxes options = DesignOptionBoxes();
  std::function<void(const std::filesystem::path&)> onTrash;
};

}  // namespace vm::test
