// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running desktop program: frmMain, its Shell and the program object,
// with the start-up (Form_Initialize) and shutdown (Form_Unload) sequences.
#include <QObject>
#include <filesystem>
#include <memory>
#include <string_view>

#include "app/desktop_start.h"
#include "app/program_folders.h"

namespace vm {
class Program;
}

namespace vm::shell {

class FrmMain;
class QtShell;

class DesktopApp : public QObject {
  Q_OBJECT

 public:
  // The settings file lives in folders.settings; the bases and the journal
  // in folders.data.
  explicit DesktopApp(ProgramFolders folders);
  // One folder for everything: the program's files beside its executable.
  explicit DesktopApp(const std::filesystem::path& programFolder);
  ~DesktopApp() override;

  // Seeds the random source, reads and applies the settings, reads the
  // options, runs one timer tick, shows the window unless it went into the
  // tray, captions box 13 and loads the base. intoTray: the window goes to
  // the tray whatever the settings say (a start to generate from outside).
  void Form_Initialize(bool intoTray = false);
  // Removes the tray icon, fills the settings record from the window, hides
  // the window and writes the settings file. Runs once; later calls do nothing.
  void Form_Unload();
  // Writes the settings as they stand, without shutting down (session save).
  bool SaveSettings();

  vm::Program& Program() { return *program_; }
  std::filesystem::path SettingsPath() const;

  // Runs what a later start asks: the window to the front (also out of the
  // tray), or a text on the clipboard. Returns the answer line.
  std::string_view Answer(const InstanceRequest& request);

 signals:
  // Form_Unload has run; the event loop may end.
  void unloaded();

 private:
  // The option bits, the tray bit and the three texts from the window.
  void FillSettings();

  ProgramFolders folders_;
  std::unique_ptr<FrmMain> form_;
  std::unique_ptr<QtShell> shell_;
  std::unique_ptr<vm::Program> program_;
  bool unloaded_ = false;
};

}  // namespace vm::shell
