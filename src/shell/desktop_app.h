// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running desktop program: frmMain, its Shell and the program object,
// with the start-up (Form_Initialize) and shutdown (Form_Unload) sequences.
#include <QObject>
#include <filesystem>
#include <memory>

namespace vm {
class Program;
}

namespace vm::shell {

class FrmMain;
class QtShell;

class DesktopApp : public QObject {
  Q_OBJECT

 public:
  explicit DesktopApp(std::filesystem::path programFolder);
  ~DesktopApp() override;

  // Seeds the random source, reads and applies the settings, reads the
  // options, runs one timer tick, shows the window unless it went into the
  // tray, captions box 13 and loads the base.
  void Form_Initialize();
  // Removes the tray icon, fills the settings record from the window, hides
  // the window and writes the settings file. Runs once; later calls do nothing.
  void Form_Unload();
  // Writes the settings as they stand, without shutting down (session save).
  bool SaveSettings();

  FrmMain& Form() { return *form_; }
  QtShell& Shell() { return *shell_; }
  vm::Program& Program() { return *program_; }
  std::filesystem::path SettingsPath() const;

 signals:
  // Form_Unload has run; the event loop may end.
  void unloaded();

 private:
  // The option bits, the tray bit and the three texts from the window.
  void FillSettings();

  std::filesystem::path folder_;
  std::unique_ptr<FrmMain> form_;
  std::unique_ptr<QtShell> shell_;
  std::unique_ptr<vm::Program> program_;
  bool unloaded_ = false;
};

}  // namespace vm::shell
