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

DesktopApp::DesktopApp(std::filesystem::path programFolder)
    : folder_(std::move(programFolder)),
      form_(std::make_unique<FrmMain>()),
      shell_(std::make_unique<QtShell>(*form_)),
      program_(std::make_unique<vm::Program>(*shell_, folder_)) {
  form_->Bind(*program_);
  connect(form_.get(), &FrmMain::unloadRequested, this, &DesktopApp::Form_Unload);
}

DesktopApp::~DesktopApp() = default;

std::filesystem::path DesktopApp::SettingsPath() const {
  return folder_ / kSettingsFileName;
}

void DesktopApp::Form_Initialize() {
  form_->TmrAUX()->start();
  program_->Random().SeedFromClock();
  SettingsRecord settings = program_->Settings();
  if (ReadSettingsFile(SettingsPath(), settings)) {
    program_->SetSettings(settings);
    ApplySettings(settings, *form_);
  }
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
