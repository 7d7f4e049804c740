// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Win32 frmMain: one MainWindow per window, attached to its HWND at
// WM_NCCREATE. It implements the Shell and the settings target; all
// behaviour stays in the program object and the app layer.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/console_line.h"
#include "app/settings_apply.h"
#include "app/shell.h"
#include "generation/options.h"

namespace vm {
class AuxTimer;
class Program;
}  // namespace vm

namespace vm::win32 {

inline constexpr const wchar_t* kWindowClass = L"VerbalomaticWin32";
// Posted by a later start: bring the window to the front.
inline constexpr UINT kShowMessage = WM_APP + 1;
// The tray icon's callback message.
inline constexpr UINT kTrayMessage = WM_APP + 2;

class MainWindow final : public Shell, public SettingsTarget {
 public:
  explicit MainWindow(std::filesystem::path folder);
  ~MainWindow() override;

  static bool Register(HINSTANCE instance);
  // Creates the window (hidden) and the program object.
  bool Create(HINSTANCE instance);
  // Form_Initialize: settings, options, one timer tick, show, load the base.
  void Initialize(int showCommand);
  // Keys and clicks the window acts on before the controls see them.
  bool PreTranslate(MSG& msg);
  HWND Handle() const { return hwnd_; }

  // Shell
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

  // SettingsTarget
  void SetOptionValue(int index, int value) override;
  void SendToTray() override;
  void SetLineTexts(const std::u16string& prologue, const std::u16string& epilogue,
                    const std::u16string& console) override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void OnCreate();
  void OnCommand(int id, int code);
  void OnTimer();
  void OnPaint();
  void OnClose();
  void OnDropFiles(HDROP drop);
  void OnShowRequest();
  void OnKeyUp(HWND target, int key);
  void OnTray(UINT event);
  // The prologue or epilogue line widens over its row of check boxes while
  // it has the focus.
  void LineFocusChanged(HWND line, bool gotFocus);
  // Puts the icon in the tray; false when no tray takes it.
  bool AddTrayIcon();
  void RemoveTrayIcon();
  void RestoreFromTray();
  void ShowTrayMenu();
  // The main menu, on a right click of the picture.
  void ShowMainMenu();
  HWND AddControl(const wchar_t* cls, std::u16string_view text, DWORD style, int id,
                  const struct RectPx& place);
  int Scale(int twips) const;
  void AddTooltip(HWND control, std::u16string_view text);
  RECT PictureRect() const;
  void FillSettings();
  std::u16string FocusName() const;

  std::filesystem::path folder_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HFONT markFont_ = nullptr;
  int dpi_ = 96;
  HWND tooltips_ = nullptr;
  HWND txtMain_ = nullptr, txtCmd_ = nullptr, txtInLine_ = nullptr, txtOutLine_ = nullptr;
  std::array<HWND, 9> cmdS_{};
  std::array<HWND, 3> cmdC_{};
  std::array<HWND, kOptionCount> opt_{};
  OptionBoxes values_{};
  std::vector<bool> cells_;
  std::vector<WPARAM> keysDown_;
  std::unique_ptr<Program> program_;
  std::unique_ptr<AuxTimer> aux_;
  ConsoleLine console_;
  bool unloaded_ = false;
  bool inTray_ = false;
  UINT taskbarCreated_ = 0;
  std::u16string openCaption_ = u"Открыть ";
};

}  // namespace vm::win32
