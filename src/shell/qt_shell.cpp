// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_shell.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>
#include <chrono>
#include <utility>

#include "app/beat_clock.h"
#include "app/tray_menu.h"
#include "shell/clipboard.h"
#include "shell/frm_main.h"
#include "shell/life_picture.h"
#include "shell/output_box.h"
#include "shell/qt_text.h"
#include "text/cp1251.h"
#include "tools/trash.h"

namespace vm::shell {
namespace {

QString LocalPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// Message boxes answer in Russian, with Qt's translations or without them.
int RunRussian(QMessageBox& box) {
  constexpr std::pair<QMessageBox::StandardButton, std::u16string_view> kTexts[] = {
      {QMessageBox::Yes, u"Да"}, {QMessageBox::No, u"Нет"}, {QMessageBox::Ok, u"ОК"}};
  for (const auto& [which, text] : kTexts) {
    if (QAbstractButton* button = box.button(which)) button->setText(ToQ(text));
  }
  return box.exec();
}

}  // namespace

QtShell::QtShell(FrmMain& form) : form_(form) {}

void QtShell::ShowText(std::u16string_view text, Alignment alignment) {
  form_.txtMain()->ShowText(text, alignment);
}

std::u16string QtShell::ShownText() const {
  return form_.txtMain()->Text();
}

void QtShell::CopyToClipboard(std::u16string_view text, bool unicode) {
  PutOnClipboard(text, unicode);
}

void QtShell::SetCaption(std::u16string_view caption) {
  form_.setWindowTitle(ToQ(caption));
}

std::u16string QtShell::Caption() const {
  return FromQ(form_.windowTitle());
}

bool QtShell::AskYesNo(std::u16string_view question, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::kWarning ? QMessageBox::Warning : QMessageBox::Information,
                  ToQ(kApplicationTitle), ToQ(question), QMessageBox::Yes | QMessageBox::No,
                  form_.isVisible() ? &form_ : nullptr);
  return RunRussian(box) == QMessageBox::Yes;
}

void QtShell::Inform(std::u16string_view text) {
  QMessageBox box(QMessageBox::Information, ToQ(kApplicationTitle), ToQ(text), QMessageBox::Ok,
                  form_.isVisible() ? &form_ : nullptr);
  RunRussian(box);
}

void QtShell::ProcessEvents() {
  QCoreApplication::processEvents();
}

bool QtShell::IsWindowVisible() const {
  return form_.isVisible();
}

std::u16string QtShell::PrologueText() const {
  return FromQ(form_.txtInLine()->text());
}

std::u16string QtShell::EpilogueText() const {
  return FromQ(form_.txtOutLine()->text());
}

int QtShell::OptionValue(int index) const {
  return form_.OptionValue(index);
}

void QtShell::MarkGenButton(int count, bool marked) {
  form_.MarkGenButton(count, marked);
}

bool QtShell::KeepInTrash(const std::filesystem::path& path, std::u16string& error) {
  std::string reason;
  if (LinkIntoTrash(path, HomeTrashFolder(), reason)) return true;
  error = DecodeTextFile(reason);
  return false;
}

void QtShell::OpenWithAssociatedProgram(const std::filesystem::path& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(LocalPath(path)));
}

std::int32_t QtShell::TickCount() const {
  return SteadyTickCount();
}

void QtShell::SetOptionEnabled(int index, bool enabled) {
  form_.opt(index)->setEnabled(enabled);
}

void QtShell::SetChaosTooltip(std::u16string_view tooltip) {
  form_.opt(kOptChaos)->setToolTip(ToQ(tooltip));
}

bool QtShell::ControlKeyHeld() const {
  return (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier) != 0;
}

void QtShell::DrawLifeCell(int x, int y, bool alive) {
  form_.imgRandom()->DrawCell(x, y, alive);
}

}  // namespace vm::shell
