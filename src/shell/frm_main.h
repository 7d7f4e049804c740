// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// frmMain: the program's one window with its controls, the two popup menus
// and the tray icon. Its handlers only translate window events into calls
// of the program object and of the desktop logic below it.
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "app/console_line.h"
#include "app/key_strokes.h"
#include "app/settings_apply.h"
#include "app/tray_watch.h"
#include "generation/options.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace vm {
class AuxTimer;
class Program;
}  // namespace vm

namespace vm::shell {

class clsT;
class LifePicture;
class OutputBox;

class FrmMain : public QWidget, public SettingsTarget {
  Q_OBJECT

 public:
  explicit FrmMain(QWidget* parent = nullptr);
  ~FrmMain() override;

  // Connects the window to the program; once, before any event is handled.
  void Bind(Program& program);

  OutputBox* txtMain() const { return txtMain_; }
  QPushButton* cmdS(int count) const;
  QPushButton* cmdC(int index) const { return cmdC_[static_cast<std::size_t>(index)]; }
  QLineEdit* txtCmd() const { return txtCmd_; }
  QLineEdit* txtInLine() const { return txtInLine_; }
  QLineEdit* txtOutLine() const { return txtOutLine_; }
  QCheckBox* opt(int index) const { return opt_[static_cast<std::size_t>(index)]; }
  LifePicture* imgRandom() const { return imgRandom_; }
  QMenu* mnuMain() const { return mnuMain_; }
  QMenu* mnuTray() const { return mnuTray_; }
  QTimer* TmrAUX() const { return tmrAux_; }
  clsT& TrayIcon() const { return *clsT_; }
  AuxTimer& Aux() const { return *aux_; }

  // Check box values: 0 clear, 1 ticked, 2 grey.
  int OptionValue(int index) const;
  OptionBoxes OptionValues() const;
  void SetOptionCaption(int index, const std::u16string& caption);
  // The bold-italic auto marker on the generate button of count.
  void MarkGenButton(int count, bool marked);

  // SettingsTarget.
  void SetOptionValue(int index, int value) override;
  void SendToTray() override;
  void SetLineTexts(const std::u16string& prologue, const std::u16string& epilogue,
                    const std::u16string& console) override;

  // Event handlers.
  void cmdS_MouseUp(int index, int button, int x, int y);
  void imgRandom_DblClick();
  void imgRandom_MouseUp(int button);
  // Refreshes the main menu from the program and opens it at the mouse.
  void ShowMainMenu();
  // Fills the tray menu for the current auto mode and opens it at the mouse.
  void ShowTrayMenu();
  // Left release on the icon and "Развернуть": the icon goes, the window comes.
  void RestoreFromTray();

 signals:
  // The window was closed or "Выход" chosen: time to shut down.
  void unloadRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreateMainMenu();
  void CreateTrayMenu();
  void Watch(QWidget* control);
  // A key release the window acts on, kept until it is known to end a stroke.
  struct HeldRelease {
    QPointer<QWidget> receiver;
    int digit = 0;  // key code 49..57, or 0 for Enter
    int shift = 0;
  };
  void KeyPressed(QKeyEvent* event);
  void KeyReleased(QWidget* receiver, QKeyEvent* event);
  void SettleKey();
  void EndStroke(std::optional<int> key);
  void KeyStroke(const HeldRelease& release);
  void LookAtTray();
  void FocusGenButton(int count);
  void LineFocusChanged(QLineEdit* line, bool gotFocus);
  void RefreshConsoleButtons();

  Program* program_ = nullptr;
  std::unique_ptr<AuxTimer> aux_;
  std::unique_ptr<clsT> clsT_;
  ConsoleLine console_;
  KeyStrokes keys_;
  HeldRelease heldRelease_;
  QTimer* keySettle_ = nullptr;
  TrayWatch trayWatch_;

  OutputBox* txtMain_ = nullptr;
  std::array<QPushButton*, 9> cmdS_{};
  std::array<QPushButton*, 3> cmdC_{};
  QLineEdit* txtCmd_ = nullptr;
  QLineEdit* txtInLine_ = nullptr;
  QLineEdit* txtOutLine_ = nullptr;
  std::array<QCheckBox*, kOptionCount> opt_{};
  LifePicture* imgRandom_ = nullptr;
  QTimer* tmrAux_ = nullptr;

  QMenu* mnuMain_ = nullptr;
  QAction* mnuOpen_ = nullptr;
  QAction* mnuReload_ = nullptr;
  QAction* mnuClean_ = nullptr;
  std::array<QAction*, 3> mnuFileEn_{};
  std::array<QAction*, 20> mnuFile_{};
  QMenu* mnuTray_ = nullptr;
  QAction* mnuTrayGenA_ = nullptr;
  QMenu* mnuTrayGen_ = nullptr;
  std::array<QAction*, 9> mnuTrayGenT_{};
};

// The form's font: Tahoma 9.75 pt when its file is there, else the system font.
QFont FormFont();
// The program icon from the resources.
QIcon ProgramIcon();

}  // namespace vm::shell
