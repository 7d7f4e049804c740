// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the program object needs from its front end. The Qt window, the
// console front end and the tests' recording fake implement it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vm {

enum class Alignment : int { kLeft = 0, kRight = 1, kCentre = 2 };
enum class MessageIcon : int { kInformation, kWarning };

class Shell {
 public:
  Shell() = default;
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;
  virtual ~Shell() = default;

  // Sets the output box's alignment, then replaces its text.
  virtual void ShowText(std::u16string_view text, Alignment alignment) = 0;
  // The output box's current text.
  virtual std::u16string ShownText() const = 0;
  // Puts text on the clipboard as Unicode, or as 8-bit Windows-1251 text.
  virtual void CopyToClipboard(std::u16string_view text, bool unicode) = 0;
  virtual void SetCaption(std::u16string_view caption) = 0;
  virtual std::u16string Caption() const = 0;
  // A Yes/No question titled "Verbalomatic"; true for Yes.
  virtual bool AskYesNo(std::u16string_view question, MessageIcon icon) = 0;
  // An information box titled "Verbalomatic".
  virtual void Inform(std::u16string_view text) = 0;
  // Lets the event loop run once.
  virtual void ProcessEvents() = 0;
  // False while the window sits in the tray (or there is no window at all).
  virtual bool IsWindowVisible() const = 0;
  virtual std::u16string PrologueText() const = 0;
  virtual std::u16string EpilogueText() const = 0;
  // Value of option check box index: 0 clear, 1 ticked, 2 grey.
  virtual int OptionValue(int index) const = 0;
  // Shows or clears the bold-italic auto marker on the generate button of count.
  virtual void MarkGenButton(int count, bool marked) = 0;
  // Puts a file into the desktop's trash, recorded under its own name and
  // place. The file may stay where it is (the trash took a second link) or be
  // gone (the trash took the file itself, as the Recycle Bin does); either
  // way the caller puts the new content at path next. False with a
  // description when no trash takes it: the file is then still at path.
  virtual bool KeepInTrash(const std::filesystem::path& path, std::u16string& error) = 0;
  // Opens a file with the program the desktop associates with it.
  virtual void OpenWithAssociatedProgram(const std::filesystem::path& path) = 0;
  // Monotonic milliseconds, wrapping as a signed 32-bit value.
  virtual std::int32_t TickCount() const = 0;
  // Greys an option check box out (false) or in; its value stays.
  virtual void SetOptionEnabled(int index, bool enabled) = 0;
  // Replaces the tooltip of the chaos check box.
  virtual void SetChaosTooltip(std::u16string_view tooltip) = 0;
  // True while a Ctrl key is held down.
  virtual bool ControlKeyHeld() const = 0;
  // Plots one life-grid cell on the picture box.
  virtual void DrawLifeCell(int x, int y, bool alive) = 0;
};

}  // namespace vm
