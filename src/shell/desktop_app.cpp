// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop_app.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>
#include <utility>

#include "app/aux_timer.h"
#include "app/program.h"
#include "app/settings_apply.h"
#include "app/settings_record.h"
#include "shell/frm_main.h"
#include "shell/qt_shell.h"
#include "shell/qt_text.h"
#include "shell/tray_icon.h"
#include "text/strings.h"

namespace vm::shell {

DesktopApp::DesktopApp(ProgramFolders folders)
    : folders_(std::move(folders)),
      form_(std::make_unique<FrmMain>()),
      shell_(std::make_unique<QtShell>(*form_)),
      program_(std::make_unique<vm::Program>(*shell_, folders_.data)) {
  form_->Bind(*program_);
  connect(form_.get(), &FrmMain::unloadRequested, this, &DesktopApp::Form_Unload);
}

DesktopApp::DesktopApp(const std::filesystem::path& programFolder)
    : DesktopApp(ProgramFolders{programFolder, programFolder, false}) {}

DesktopApp::~DesktopApp() = default;

std::filesystem::path DesktopApp::SettingsPath() const {
  return folders_.settings / kSettingsFileName;
}

std::string_view DesktopApp::Answer(const InstanceRequest& request) {
  if (request.kind == InstanceRequest::Kind::kShow) {
    form_->RestoreFromTray();
    return kAnswerDone;
  }
  return program_->GenerateToClipboard(request.count) ? kAnswerDone : kAnswerRefused;
}

void DesktopApp::Form_Initialize(bool intoTray) {
  form_->TmrAUX()->start();
  program_->Random().SeedFromClock();
  SettingsRecord settings = program_->Settings();
  if (ReadSettingsFile(SettingsPath(), settings)) {
    program_->SetSettings(settings);
    ApplySettings(settings, *form_);
  }
  if (intoTray && !form_->TrayIcon().Added()) form_->SendToTray();
  program_->ReadOptions();
  form_->Aux().TmrAUX_Timer();
  // Without a tray host the window cannot hide in the tray, so it shows.
  if (!form_->TrayIcon().Added() && !form_->isVisible()) {
    form_->show();
    QCoreApplication::processEvents();
  }
  form_->SetOptionCaption(kOptSpeechDefects, u"IQ" + Decimal(RandomUpTo(program_->Random(), 3)));
  program_->LoadBase();
}

void DesktopApp::FillSettings() {
  SettingsRecord settings = program_->Settings();
  StoreSettings(settings, form_->OptionValues(), form_->isVisible(),
                FromQ(form_->txtInLine()->text()), FromQ(form_->txtOutLine()->text()),
                FromQ(form_->txtCmd()->text()));
  program_->SetSettings(std::move(settings));
}

bool DesktopApp::SaveSettings() {
  FillSettings();
  return WriteSettingsFile(SettingsPath(), program_->Settings());
}

void DesktopApp::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  form_->TmrAUX()->stop();
  if (form_->TrayIcon().UserID() != 0) form_->TrayIcon().Remove();
  FillSettings();
  form_->hide();
  WriteSettingsFile(SettingsPath(), program_->Settings());
  emit unloaded();
}

}  // namespace vm::shell
