// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Shell that records what the program does and answers questions from a
// queue set in advance.
#include <array>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/shell.h"
#include "generation/options.h"

namespace vm::test {

class FakeShell : public Shell {
 public:
  FakeShell() : options(DesignOptionBoxes()) {}

  void ShowText(std::u16string_view text, Alignment alignment) override {
    shown = std::u16string(text);
    lastAlignment = alignment;
    shownHistory.push_back(shown);
  }
  std::u16string ShownText() const override { return shown; }
  void CopyToClipboard(std::u16string_view text, bool unicode) override {
    clipboard = std::u16string(text);
    clipboardUnicode = unicode;
    ++copies;
  }
  void SetCaption(std::u16string_view text) override { caption = std::u16string(text); }
  std::u16string Caption() const override { return caption; }
  bool AskYesNo(std::u16string_view question, MessageIcon icon) override {
    questions.emplace_back(question);
    lastIcon = icon;
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Inform(std::u16string_view text) override { informed.emplace_back(text); }
  void ProcessEvents() override { ++eventsProcessed; }
  bool IsWindowVisible() const override { return visible; }
  std::u16string PrologueText() const override { return prologue; }
  std::u16string EpilogueText() const override { return epilogue; }
  int OptionValue(int index) const override { return options[static_cast<std::size_t>(index)]; }
  void MarkGenButton(int count, bool marked) override { marks.emplace_back(count, marked); }
  bool KeepInTrash(const std::filesystem::path& path, std::u16string& error) override {
    trashed.push_back(path);
    if (onTrash) onTrash(path);
    if (!trashSucceeds) error = u"trash refused";
    return trashSucceeds;
  }
  void OpenWithAssociatedProgram(const std::filesystem::path& path) override {
    opened.push_back(path);
  }
  std::int32_t TickCount() const override { return tick; }
  void SetOptionEnabled(int index, bool enabled) override {
    enabledStates[static_cast<std::size_t>(index)] = enabled;
  }
  void SetChaosTooltip(std::u16string_view tooltip) override {
    chaosTooltip = std::u16string(tooltip);
  }
  bool ControlKeyHeld() const override { return controlHeld; }
  void DrawLifeCell(int x, int y, bool alive) override { ++cellsDrawn, lastCell = {x, y, alive}; }

  // What the program did.
  std::u16string shown;
  Alignment lastAlignment = Alignment::kLeft;
  std::vector<std::u16string> shownHistory;
  std::u16string clipboard;
  bool clipboardUnicode = false;
  int copies = 0;
  std::u16string caption;
  std::vector<std::u16string> questions;
  MessageIcon lastIcon = MessageIcon::kInformation;
  std::vector<std::u16string> informed;
  int eventsProcessed = 0;
  std::vector<std::pair<int, bool>> marks;
  std::vector<std::filesystem::path> trashed;
  std::vector<std::filesystem::path> opened;
  std::array<bool, kOptionCount> enabledStates{};
  std::u16string chaosTooltip;
  int cellsDrawn = 0;
  struct Cell {
    int x = 0, y = 0;
    bool alive = false;
  } lastCell;

  // What the program sees.
  std::deque<bool> answers;
  bool visible = true;
  std::u16string prologue;
  std::u16string epilogue;
  OptionBoxes options;
  bool trashSucceeds = true;
  std::function<void(const std::filesystem::path&)> onTrash;
  std::int32_t tick = 0;
  bool controlHeld = false;
};

}  // namespace vm::test
