// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include "app/aux_timer.h"
#include "app/form_layout.h"
#include "app/gen_keys.h"
#include "app/program.h"
#include "app/tray_menu.h"
#include "shell/key_repeat.h"
#include "shell/life_picture.h"
#include "shell/output_box.h"
#include "shell/qt_text.h"
#include "shell/tray_icon.h"

// Resources of a static library are registered explicitly.
static void InitResources() {
  Q_INIT_RESOURCE(verbalomatic);
}

namespace vm::shell {
namespace {

constexpr const char* kIndex = "index";
// How long a release waits for a repeat press with its timestamp when the
// X server sends repeats as release/press pairs (they come within a few ms).
constexpr int kRepeatGraceMs = 50;

QRect Place(const Twips& t) {
  return {Px(t.left), Px(t.top), Px(t.width), Px(t.height)};
}

template <typename W>
W* Make(QWidget* parent, const ControlSpec& spec) {
  auto* w = new W(parent);
  w->setObjectName(QString::fromLatin1(spec.name.data(), static_cast<qsizetype>(spec.name.size())));
  if (spec.index >= 0) w->setProperty(kIndex, spec.index);
  w->setGeometry(Place(spec.place));
  if (!spec.tooltip.empty()) w->setToolTip(ToQ(spec.tooltip));
  return w;
}

QAction* Entry(QMenu* menu, const char* name, std::u16string_view caption, int index = -1) {
  QAction* action = caption == u"-" ? menu->addSeparator() : menu->addAction(ToQ(caption));
  action->setObjectName(QString::fromLatin1(name));
  if (index >= 0) action->setProperty(kIndex, index);
  return action;
}

int ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int ShiftState(Qt::KeyboardModifiers modifiers) {
  int shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= kShiftMask;
  if (modifiers & Qt::ControlModifier) shift |= kCtrlMask;
  if (modifiers & Qt::AltModifier) shift |= kAltMask;
  return shift;
}

bool OnX11() {
  static const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
  return x11;
}

int ReleasedDigit(const QKeyEvent* event) {
  return DigitKeyCode(event->key(), (event->modifiers() & Qt::KeypadModifier) != 0,
                      OnX11() ? static_cast<int>(event->nativeScanCode()) : 0);
}

bool IsEnter(const QKeyEvent* event) {
  return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// The keys whose release the window acts on.
bool ActsOnRelease(const QKeyEvent* event) {
  return ReleasedDigit(event) != 0 || IsEnter(event);
}

// A key's identity from press to release: the hardware code where there is
// one, which stays the same when a modifier changes in between.
int KeyIdentity(const QKeyEvent* event) {
  return event->nativeScanCode() != 0 ? static_cast<int>(event->nativeScanCode()) : event->key();
}

std::uint32_t KeyTime(const QKeyEvent* event) {
  return static_cast<std::uint32_t>(event->timestamp());
}

}  // namespace

QFont FormFont() {
  static const QString family = [] {
    const QString tahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
    if (QFile::exists(tahoma)) {
      const int id = QFontDatabase::addApplicationFont(tahoma);
      const QStringList families = QFontDatabase::applicationFontFamilies(id);
      if (id >= 0 && !families.isEmpty()) return families.first();
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  }();
  QFont font(family);
  font.setPointSizeF(9.75);
  return font;
}

QIcon ProgramIcon() {
  InitResources();
  return QIcon(QStringLiteral(":/verbalomatic/verbalomatic.png"));
}

FrmMain::FrmMain(QWidget* parent) : QWidget(parent), clsT_(std::make_unique<clsT>(ProgramIcon())) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(ToQ(kWindowTitle));
  setWindowIcon(ProgramIcon());
  setFont(FormFont());
  setFixedSize(Px(kClientArea.width), Px(kClientArea.height));
  CreateControls();
  CreateMainMenu();
  CreateTrayMenu();
  tmrAux_ = new QTimer(this);
  tmrAux_->setObjectName(QStringLiteral("TmrAUX"));
  tmrAux_->setInterval(AuxTimer::kIntervalMs);
  // On X11 a release is acted on when the next input shows it was no
  // repeat, or after kRepeatGraceMs without input. A server that repeats
  // with presses alone sends no such pairs: the next pass of the loop will do.
  keySettle_ = new QTimer(this);
  keySettle_->setSingleShot(true);
  keySettle_->setInterval(UseDetectableAutoRepeat() ? 0 : kRepeatGraceMs);
  connect(keySettle_, &QTimer::timeout, this, &FrmMain::SettleKey);
}

FrmMain::~FrmMain() = default;

void FrmMain::CreateControls() {
  for (const ControlSpec& spec : Controls()) {
    const std::string_view name = spec.name;
    if (name == "lblBack") {
      auto* label = Make<QLabel>(this, spec);
      label->setAutoFillBackground(true);
      label->setBackgroundRole(QPalette::Window);
    } else if (name == "txtMain") {
      txtMain_ = Make<OutputBox>(this, spec);
    } else if (name == "cmdS") {
      auto* button = Make<QPushButton>(this, spec);
      button->setText(ToQ(spec.caption));
      cmdS_[static_cast<std::size_t>(ToQ(spec.caption).toInt() - 1)] = button;
    } else if (name == "txtCmd") {
      txtCmd_ = Make<QLineEdit>(this, spec);
    } else if (name == "cmdC") {
      auto* button = Make<QPushButton>(this, spec);
      button->setText(ToQ(spec.caption));
      button->setEnabled(false);
      cmdC_[static_cast<std::size_t>(spec.index)] = button;
    } else if (name == "txtInLine") {
      txtInLine_ = Make<QLineEdit>(this, spec);
    } else if (name == "txtOutLine") {
      txtOutLine_ = Make<QLineEdit>(this, spec);
    } else if (name == "imgRandom") {
      imgRandom_ = new LifePicture(LifeGrid::kColumns, LifeGrid::kRows, this);
      imgRandom_->setObjectName(QStringLiteral("imgRandom"));
      imgRandom_->setGeometry(Place(spec.place));
    }
  }
  const OptionBoxes initial = DesignOptionBoxes();
  for (const OptionSpec& spec : Options()) {
    auto* box = new QCheckBox(ToQ(spec.caption), this);
    box->setObjectName(QStringLiteral("opt"));
    box->setProperty(kIndex, spec.index);
    box->setGeometry(Place(spec.place));
    if (!spec.tooltip.empty()) box->setToolTip(ToQ(spec.tooltip));
    box->setCheckState(initial[static_cast<std::size_t>(spec.index)] == 1 ? Qt::Checked
                                                                          : Qt::Unchecked);
    opt_[static_cast<std::size_t>(spec.index)] = box;
  }
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) Watch(child);
}

void FrmMain::Watch(QWidget* control) {
  control->installEventFilter(this);
}

void FrmMain::CreateMainMenu() {
  mnuMain_ = new QMenu(QStringLiteral(".."), this);
  mnuMain_->setObjectName(QStringLiteral("mnuMain"));
  mnuOpen_ = Entry(mnuMain_, "mnuOpen", u"Открыть ");
  mnuReload_ = Entry(mnuMain_, "mnuReload", u"Перезагрузить");
  mnuClean_ = Entry(mnuMain_, "mnuClean", u"Форматировать файл");
  Entry(mnuMain_, "mnuDiv0", u"-");
  QMenu* bases = mnuMain_->addMenu(ToQ(u"Сменить базу"));
  bases->setObjectName(QStringLiteral("mnuChangeSource"));
  bases->menuAction()->setObjectName(QStringLiteral("mnuChangeSource"));
  mnuFileEn_[0] = Entry(bases, "mnuFileEn", kBuiltinStandardName, 1);
  mnuFileEn_[1] = Entry(bases, "mnuFileEn", kBuiltinTrashName, 2);
  mnuFileEn_[2] = Entry(bases, "mnuFileEn", u"-", 3);
  for (int i = 1; i <= kMenuFileEntries; ++i) {
    QAction* file = Entry(bases, "mnuFile", u"", i);
    file->setVisible(i == 1);
    mnuFile_[static_cast<std::size_t>(i - 1)] = file;
  }
  for (QAction* builtin : {mnuFileEn_[0], mnuFileEn_[1]}) builtin->setCheckable(true);
  for (QAction* file : mnuFile_) file->setCheckable(true);
  QAction* import = Entry(mnuMain_, "mnuImport", u"Создать базу");
  Entry(mnuMain_, "mnuDiv2", u"-");
  QAction* save = Entry(mnuMain_, "mnuSave", u"Сохранить в \"+out.txt\"");
  QAction* out = Entry(mnuMain_, "mnuOut", u"Открыть \"+out.txt\"");
  Entry(mnuMain_, "mnuDiv3", u"-");
  QAction* about = Entry(mnuMain_, "mnuAbout", u"О программе");

  const auto on = [this](QAction* action, auto command) {
    connect(action, &QAction::triggered, this, [this, command] {
      if (program_ != nullptr) command(*program_);
    });
  };
  on(mnuOpen_, [](Program& p) { p.OpenCurrentBase(); });
  on(mnuReload_, [](Program& p) { p.Reload(); });
  on(mnuClean_, [](Program& p) { p.FormatBase(); });
  for (int i = 1; i <= 2; ++i) {
    on(mnuFileEn_[static_cast<std::size_t>(i - 1)], [i](Program& p) { p.ChooseBuiltin(i); });
  }
  for (int i = 1; i <= kMenuFileEntries; ++i) {
    on(mnuFile_[static_cast<std::size_t>(i - 1)], [i](Program& p) { p.ChooseCatalogueEntry(i); });
  }
  on(import, [](Program& p) { p.ShowImportHint(); });
  on(save, [](Program& p) { p.SaveToJournal(); });
  on(out, [](Program& p) { p.OpenJournal(); });
  on(about, [](Program& p) { p.ShowAbout(); });
}

void FrmMain::CreateTrayMenu() {
  mnuTray_ = new QMenu(QStringLiteral(">"), this);
  mnuTray_->setObjectName(QStringLiteral("mnuTray"));
  QAction* show = Entry(mnuTray_, "mnuTrayShow", u"Развернуть");
  mnuTray_->setDefaultAction(show);
  Entry(mnuTray_, "mnuTrayDiv00", u"-");
  mnuTrayGenA_ = Entry(mnuTray_, "mnuTrayGenA", u"[ Авто ]");
  mnuTrayGen_ = mnuTray_->addMenu(ToQ(u"Сгенерировать"));
  mnuTrayGen_->setObjectName(QStringLiteral("mnuTrayGen"));
  mnuTrayGen_->menuAction()->setObjectName(QStringLiteral("mnuTrayGen"));
  for (int k = 0; k < 9; ++k) {
    QAction* gen = Entry(mnuTrayGen_, "mnuTrayGenT", u"", k);
    connect(gen, &QAction::triggered, this, [this, gen] {
      const int count = TrayTagCount(FromQ(gen->data().toString()));
      if (program_ != nullptr) program_->PressGenButton(count, 1);
    });
    mnuTrayGenT_[static_cast<std::size_t>(k)] = gen;
  }
  Entry(mnuTray_, "mnuTrayDiv01", u"-");
  QAction* exit = Entry(mnuTray_, "mnuTrayExit", u"Выход");
  Entry(mnuTray_, "mnuTrayNothing", u"Ничего...");

  connect(show, &QAction::triggered, this, &FrmMain::RestoreFromTray);
  connect(exit, &QAction::triggered, this, &FrmMain::close);
  connect(clsT_.get(), &clsT::restoreRequested, this, &FrmMain::RestoreFromTray);
  connect(clsT_.get(), &clsT::menuRequested, this, &FrmMain::ShowTrayMenu);
}

void FrmMain::Bind(Program& program) {
  program_ = &program;
  aux_ = std::make_unique<AuxTimer>(program);
  connect(tmrAux_, &QTimer::timeout, this, [this] {
    aux_->TmrAUX_Timer();
    LookAtTray();
  });

  for (QCheckBox* box : opt_) {
    connect(box, &QCheckBox::stateChanged, this, [this] { program_->ReadOptions(); });
  }
  connect(txtMain_, &OutputBox::copyRequested, this,
          [this](const std::u16string& selection) { program_->CopyToClipboard(selection); });
  connect(
      txtMain_, &OutputBox::filesDropped, this,
      [this](const std::vector<std::filesystem::path>& files) { program_->ImportFiles(files); });
  connect(txtCmd_, &QLineEdit::textChanged, this, &FrmMain::RefreshConsoleButtons);
  for (int i = 0; i < 3; ++i) {
    connect(cmdC_[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] {
      console_.cmdC_Click(*program_, i, FromQ(txtCmd_->text()));
      for (int k = 0; k < 3; ++k) cmdC_[static_cast<std::size_t>(k)]->setDefault(k == i);
      txtCmd_->setProperty("tag", ToQ(console_.Tag()));
    });
  }
  connect(imgRandom_, &LifePicture::doubleClicked, this, &FrmMain::imgRandom_DblClick);
  connect(imgRandom_, &LifePicture::rightReleased, this, [this] { imgRandom_MouseUp(2); });
}

QPushButton* FrmMain::cmdS(int count) const {
  for (QPushButton* button : cmdS_) {
    if (button->property(kIndex).toInt() == count) return button;
  }
  return nullptr;
}

int FrmMain::OptionValue(int index) const {
  switch (opt(index)->checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    case Qt::Unchecked:
      break;
  }
  return 0;
}

OptionBoxes FrmMain::OptionValues() const {
  OptionBoxes boxes{};
  for (int i = 0; i < kOptionCount; ++i) boxes[static_cast<std::size_t>(i)] = OptionValue(i);
  return boxes;
}

void FrmMain::SetOptionCaption(int index, const std::u16string& caption) {
  opt(index)->setText(ToQ(caption));
}

void FrmMain::MarkGenButton(int count, bool marked) {
  QPushButton* button = cmdS(count);
  if (button == nullptr) return;
  QFont font = button->font();
  font.setBold(marked);
  font.setItalic(marked);
  button->setFont(font);
}

void FrmMain::SetOptionValue(int index, int value) {
  opt(index)->setCheckState(value == 1 ? Qt::Checked
                                       : (value == 2 ? Qt::PartiallyChecked : Qt::Unchecked));
}

void FrmMain::SendToTray() {
  imgRandom_DblClick();
}

void FrmMain::SetLineTexts(const std::u16string& prologue, const std::u16string& epilogue,
                           const std::u16string& console) {
  txtInLine_->setText(ToQ(prologue));
  txtOutLine_->setText(ToQ(epilogue));
  txtCmd_->setText(ToQ(console));
  RefreshConsoleButtons();
}

void FrmMain::cmdS_MouseUp(int index, int button, int x, int y) {
  const QPushButton* control = cmdS(index);
  if (control == nullptr || !ReleaseOverButton(x, y, control->width(), control->height())) return;
  program_->PressGenButton(index, button);
}

void FrmMain::imgRandom_DblClick() {
  const int autoGen = program_ != nullptr ? program_->AutoGen() : 0;
  if (clsT_->Add(ToQ(TrayTooltip(autoGen))) != 0) hide();
}

void FrmMain::imgRandom_MouseUp(int button) {
  if (button == 2 && program_ != nullptr && !program_->Busy()) ShowMainMenu();
}

void FrmMain::ShowMainMenu() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const MainMenuState state = program_->PrepareMainMenu(FromQ(mnuOpen_->text()));
  QApplication::restoreOverrideCursor();
  mnuFileEn_[0]->setChecked(state.builtinChecked[0]);
  mnuFileEn_[1]->setChecked(state.builtinChecked[1]);
  for (std::size_t i = 0; i < mnuFile_.size(); ++i) {
    const MainMenuState::Entry& entry = state.files[i];
    mnuFile_[i]->setText(MenuText(entry.caption));
    mnuFile_[i]->setVisible(entry.visible);
    mnuFile_[i]->setEnabled(entry.enabled);
    mnuFile_[i]->setChecked(entry.checked);
  }
  mnuOpen_->setText(MenuText(state.openCaption));
  for (QAction* action : {mnuOpen_, mnuClean_, mnuReload_})
    action->setEnabled(state.fileCommandsEnabled);
  mnuMain_->popup(QCursor::pos());
}

void FrmMain::ShowTrayMenu() {
  const TrayMenuState state = BuildTrayMenuState(program_ != nullptr ? program_->AutoGen() : 0);
  mnuTrayGen_->menuAction()->setVisible(state.genVisible);
  mnuTrayGenA_->setVisible(state.autoVisible);
  if (state.genVisible) {
    for (std::size_t k = 0; k < mnuTrayGenT_.size(); ++k) {
      mnuTrayGenT_[k]->setText(ToQ(state.gen[k].caption));
      mnuTrayGenT_[k]->setData(ToQ(state.gen[k].tag));
    }
  }
  mnuTray_->popup(QCursor::pos());
}

void FrmMain::RestoreFromTray() {
  clsT_->Remove();
  show();
  raise();
  activateWindow();
}

void FrmMain::RefreshConsoleButtons() {
  const bool enabled = ConsoleLine::ButtonsEnabled(FromQ(txtCmd_->text()));
  for (QPushButton* button : cmdC_) button->setEnabled(enabled);
}

void FrmMain::FocusGenButton(int count) {
  if (QPushButton* button = cmdS(count)) button->setFocus(Qt::OtherFocusReason);
}

void FrmMain::KeyPressed(QKeyEvent* event) {
  if (!ActsOnRelease(event)) {
    SettleKey();
    return;
  }
  EndStroke(keys_.Press(KeyIdentity(event), KeyTime(event)));
}

void FrmMain::KeyReleased(QWidget* receiver, QKeyEvent* event) {
  if (program_ == nullptr || event->isAutoRepeat() || !ActsOnRelease(event)) return;
  SettleKey();
  if (!keys_.Release(KeyIdentity(event), KeyTime(event))) return;
  heldRelease_ = {receiver, ReleasedDigit(event), ShiftState(event->modifiers())};
  if (OnX11())
    keySettle_->start();
  else
    SettleKey();
}

void FrmMain::SettleKey() {
  EndStroke(keys_.Settle());
}

void FrmMain::EndStroke(std::optional<int> key) {
  keySettle_->stop();
  if (key && program_ != nullptr) KeyStroke(heldRelease_);
}

void FrmMain::KeyStroke(const HeldRelease& release) {
  QWidget* receiver = release.receiver;
  if (release.digit != 0) {
    const bool onGenButton = receiver != nullptr && receiver->objectName() == QLatin1String("cmdS");
    const std::u16string name = receiver != nullptr ? FromQ(receiver->objectName()) : u"";
    // A click since the release may have moved the focus on; it stays there.
    const bool focusStayed = focusWidget() == receiver;
    const auto focus = [&](int count) {
      if (count != 0 && focusStayed) FocusGenButton(count);
    };
    focus(Form_KeyUp(*program_, name, release.digit));
    // The focused generate button's own handler runs after the window's.
    if (onGenButton) focus(cmdS_KeyUp(*program_, release.digit, release.shift));
    return;
  }
  // One Enter press runs the last console command once: from the console
  // line itself, or elsewhere through the default button.
  if (receiver == txtCmd_) {
    console_.EnterPressed(*program_, FromQ(txtCmd_->text()));
    txtCmd_->setProperty("tag", ToQ(console_.Tag()));
  } else if (console_.DefaultButton() >= 0 && qobject_cast<QPushButton*>(receiver) == nullptr) {
    QPushButton* button = cmdC(console_.DefaultButton());
    if (button->isEnabled()) button->click();
  }
}

void FrmMain::LookAtTray() {
  const bool inTray = clsT_->Added() && !isVisible();
  const bool available = inTray && QSystemTrayIcon::isSystemTrayAvailable();
  if (trayWatch_.Look(program_->GetShell().TickCount(), inTray, available)) RestoreFromTray();
}

void FrmMain::LineFocusChanged(QLineEdit* line, bool gotFocus) {
  const auto& covered = line == txtInLine_ ? kRow1Options : kRow2Options;
  QRect place = line->geometry();
  place.setWidth(gotFocus ? txtMain_->width() : Px(kLineNarrowWidth));
  line->setGeometry(place);
  line->raise();
  for (int index : covered) opt(index)->setVisible(!gotFocus);
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
  auto* control = qobject_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::KeyPress:
      KeyPressed(static_cast<QKeyEvent*>(event));
      break;
    case QEvent::KeyRelease:
      KeyReleased(control, static_cast<QKeyEvent*>(event));
      break;
    case QEvent::MouseButtonPress:
      SettleKey();
      break;
    case QEvent::MouseButtonRelease:
      if (program_ != nullptr && control != nullptr &&
          control->objectName() == QLatin1String("cmdS")) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        cmdS_MouseUp(control->property(kIndex).toInt(), ButtonCode(mouse->button()), at.x(),
                     at.y());
      }
      break;
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
      // Switching to another window or opening a menu is no focus change
      // for the lines, but keys held down then come up over there.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      const bool gotFocus = event->type() == QEvent::FocusIn;
      const bool keyboardLeft =
          !gotFocus && (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason);
      if (keyboardLeft) keys_.Forget();
      if ((watched == txtInLine_ || watched == txtOutLine_) && !keyboardLeft)
        LineFocusChanged(static_cast<QLineEdit*>(control), gotFocus);
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void FrmMain::keyPressEvent(QKeyEvent* event) {
  if (QApplication::focusWidget() == nullptr) KeyPressed(event);
  QWidget::keyPressEvent(event);
}

void FrmMain::keyReleaseEvent(QKeyEvent* event) {
  // Releases the controls did not take arrive here too; only a window
  // without a focused control handles them itself.
  if (QApplication::focusWidget() == nullptr) KeyReleased(nullptr, event);
  QWidget::keyReleaseEvent(event);
}

void FrmMain::closeEvent(QCloseEvent* event) {
  event->accept();
  emit unloadRequested();
}

}  // namespace vm::shell
