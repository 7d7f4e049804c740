// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt side of the window on the offscreen platform, what neither the app
// layer's tests (a fake shell) nor the real-window scripts pin: layout, Qt
// events reaching the program, the output box, the clipboard, drops,
// shutdown, the Russian platform texts, the instance socket and the lock.
#include <locale.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <future>

#include "app/aux_timer.h"
#include "app/program.h"
#include "shell/desktop_app.h"
#include "shell/desktop_platform.h"
#include "shell/frm_main.h"
#include "shell/instance_link.h"
#include "shell/life_picture.h"
#include "shell/output_box.h"
#include "shell/qt_shell.h"
#include "shell/qt_text.h"
#include "shell/single_instance.h"
#include "shell/tray_icon.h"
#include "temp_folder.h"
#include "text/cp1251.h"

namespace vm::shell {
namespace {

using vm::test::TempFolder;

// The window of the one desktop program alive.
FrmMain& TheForm() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* form = dynamic_cast<FrmMain*>(widget)) return *form;
  qFatal("no window");
}

// A desktop program in a fresh folder with a small base loaded, its window shown and active.
struct Desktop {
  Desktop() : app(std::make_unique<DesktopApp>(folder.path())) {
    folder.Write("base.txt", EncodeCp1251(u"кот учёный\r\nбелый пароход\r\nзимний вечер\r\n"
                                          u"мокрый кот\r\nрыжий крот\r\nстарый год"));
    program().SetBaseName(u"base.txt");
    program().SkipAboutOnFirstLoad();
    program().LoadBase();
    program().ReadOptions();
    form().show();
    QApplication::setActiveWindow(&form());
    if (!QTest::qWaitForWindowActive(&form())) qWarning("window not active");
  }
  vm::Program& program() { return app->Program(); }
  FrmMain& form() { return TheForm(); }
  vm::Shell& shell() { return program().GetShell(); }
  std::u16string text() { return form().txtMain()->Text(); }

  TempFolder folder;
  std::unique_ptr<DesktopApp> app;
};

QAction* FindAction(QMenu* menu, const char* name, int index = -1) {
  for (QAction* action : menu->findChildren<QAction*>(QString::fromLatin1(name))) {
    if (index < 0 || action->property("index").toInt() == index) return action;
  }
  return nullptr;
}

// A key pressed and released as the window system sends it; the window acts on the release.
void Press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, key, modifiers);
    QApplication::sendEvent(widget, &event);
  }
}

// Drags the files over the output box and drops them there.
bool Drop(OutputBox* box, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box->viewport(), &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box->viewport(), &drop);
  return drop.isAccepted();
}

QUrl FileUrl(const std::filesystem::path& path) {
  return QUrl::fromLocalFile(QString::fromStdString(path.string()));
}

// Runs show() and reads the message box it opens, text and buttons; the
// button labelled answer closes it.
struct Box {
  QString text;
  QStringList buttons;
};
Box Answer(const std::function<void()>& show, const QString& answer) {
  Box seen;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen.text = box->text();
    for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == answer) button->click();
    }
  });
  show();
  seen.buttons.sort();
  return seen;
}

}  // namespace

class ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void theControlsStandWhereTheLayoutPutsThem() {
    Desktop d;
    FrmMain& form = d.form();
    QCOMPARE(form.size(), QSize(592, 335));
    QCOMPARE(form.txtMain()->geometry(), QRect(2, 2, 521, 231));
    QCOMPARE(form.imgRandom()->geometry(), QRect(526, 96, 67, 243));
    QCOMPARE(form.opt(16)->geometry(), QRect(210, 290, 79, 19));
    QCOMPARE(form.opt(4)->geometry(), QRect(528, 48, 69, 23));
    const int counts[] = {1, 5, 10, 15, 20, 28, 44, 60, 124};
    for (int k = 0; k < 9; ++k) {
      QCOMPARE(form.cmdS(counts[k])->text(), QString::number(k + 1));
      QCOMPARE(form.cmdS(counts[k])->geometry(), QRect(2 + 58 * k, 236, 57, 25));
    }
    QCOMPARE(form.findChildren<QCheckBox*>(QStringLiteral("opt")).size(), 18);
    for (int i = 0; i < 18; ++i) QCOMPARE(form.opt(i)->isChecked(), i <= 4 || i == 6);
    QVERIFY(form.font().pointSizeF() > 9.7 && form.font().pointSizeF() < 9.8);
  }

  void aReleasedDigitGeneratesUnlessTheFocusIsInATextLine() {
    Desktop d;
    FrmMain& form = d.form();
    const struct {
      QWidget* focus;
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      bool generates;
      QWidget* focusAfter;
    } cases[] = {
        {form.opt(5), Qt::Key_5, Qt::ShiftModifier, true, form.cmdS(20)},  // still a plain press
        {form.txtMain(), Qt::Key_3, Qt::NoModifier, true, form.cmdS(10)},
        {form.opt(0), Qt::Key_5, Qt::KeypadModifier, false, form.opt(0)},
        {form.txtCmd(), Qt::Key_5, Qt::NoModifier, false, form.txtCmd()},
        {form.txtInLine(), Qt::Key_5, Qt::NoModifier, false, form.txtInLine()},
    };
    for (const auto& c : cases) {
      d.shell().ShowText(u"было", Alignment::kLeft);
      c.focus->setFocus();
      Press(c.focus, c.key, c.modifiers);
      QVERIFY2((d.text() != u"было") == c.generates, qPrintable(c.focus->objectName()));
      QCOMPARE(QApplication::focusWidget(), c.focusAfter);
    }
    QCOMPARE(d.program().AutoGen(), 0);
    // Only a focused generate button turns a modifier into the auto toggle.
    form.cmdS(44)->setFocus();
    Press(form.cmdS(44), Qt::Key_7, Qt::ShiftModifier);
    QCOMPARE(d.program().AutoGen(), 44);
    QVERIFY(form.cmdS(44)->font().bold() && form.cmdS(44)->font().italic());
  }

  // Return pressed in the console line, then a menu takes the keyboard: the
  // release comes up elsewhere and runs nothing.
  void keysDownWhenAMenuTakesTheKeyboardComeUpElsewhere() {
    Desktop d;
    d.form().txtCmd()->setText(QStringLiteral("кот"));
    d.shell().ShowText(u"было", Alignment::kLeft);
    d.form().txtCmd()->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    for (QEvent* event : std::initializer_list<QEvent*>{&press, &out, &release})
      QApplication::sendEvent(d.form().txtCmd(), event);
    QCOMPARE(d.text(), u"было");
    Press(d.form().txtCmd(), Qt::Key_Return);
    QVERIFY(d.text() != u"было");
  }

  void theOutputBoxOnlySelectsAndCopiesInTheChosenEncoding() {
    Desktop d;
    FrmMain& form = d.form();
    OutputBox* box = form.txtMain();
    QApplication::clipboard()->setText(QStringLiteral("прежнее"));
    form.opt(0)->setChecked(false);  // greys out box 1; its value still counts
    form.opt(1)->setChecked(false);
    d.shell().ShowText(u"Ёж ☺\r\n€", Alignment::kLeft);
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("abc"));
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return})
      QTest::keyClick(box, key);
    for (Qt::Key key : {Qt::Key_V, Qt::Key_X, Qt::Key_C})
      QTest::keyClick(box, key, Qt::ControlModifier);
    QCOMPARE(d.text(), u"Ёж ☺\r\n€");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("прежнее"));  // no selection

    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), QStringLiteral("Ёж ?\r\n€"));
    QCOMPARE(data->data(QStringLiteral("text/plain;charset=windows-1251")),
             QByteArray("\xA8\xE6 ?\r\n\x88"));
    form.opt(1)->setChecked(true);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    data = QApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), QStringLiteral("Ёж ☺\r\n€"));
    QVERIFY(!data->hasFormat(QStringLiteral("text/plain;charset=windows-1251")));

    d.shell().ShowText(u"АБВ", Alignment::kCentre);  // messages centred, texts left
    QVERIFY(box->cursorRect(QTextCursor(box->document())).x() > box->width() / 3);
    d.shell().ShowText(u"АБВ", Alignment::kLeft);
    QVERIFY(box->cursorRect(QTextCursor(box->document())).x() < 10);
  }

  void thePrologueAndEpilogueLinesWidenOverTheirRowWhileEdited() {
    Desktop d;
    FrmMain& form = d.form();
    form.opt(8)->setChecked(true);
    const struct {
      QLineEdit* line;
      std::vector<int> covered;
      int other;
    } rows[] = {{form.txtInLine(), {2, 8, 6, 10, 5, 14, 16}, 3},
                {form.txtOutLine(), {3, 9, 11, 13, 12, 15, 17}, 2}};
    for (const auto& row : rows) {
      row.line->setFocus();
      QCOMPARE(row.line->width(), form.txtMain()->width());
      for (int i : row.covered) QVERIFY2(!form.opt(i)->isVisible(), qPrintable(QString::number(i)));
      QVERIFY(form.opt(row.other)->isVisible());
      form.opt(0)->setFocus();
      QCOMPARE(row.line->width(), 43);
      for (int i : row.covered) QVERIFY(form.opt(i)->isVisible());
    }
    QVERIFY(form.opt(8)->isChecked());
  }

  void mouseReleasesOnTheGenerateButtons() {
    Desktop d;
    FrmMain& form = d.form();
    QPushButton* ten = form.cmdS(10);
    d.shell().ShowText(u"было", Alignment::kLeft);
    QTest::mouseRelease(ten, Qt::LeftButton, Qt::NoModifier, QPoint(ten->width() + 1, 3));
    QTest::mouseRelease(ten, Qt::LeftButton, Qt::NoModifier, QPoint(3, -1));
    QTest::mouseRelease(ten, Qt::MiddleButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(d.text(), u"было");
    QTest::mouseRelease(ten, Qt::LeftButton, Qt::NoModifier, QPoint(ten->width(), ten->height()));
    QVERIFY(d.text() != u"было");  // the edge still counts
  }

  void theMainMenuOpensOnARightReleaseOverThePicture() {
    Desktop d;
    d.folder.Write("Source_Poems.TXT", "a");
    d.folder.Write("poems.txt", "a");
    FrmMain& form = d.form();
    QMenu* menu = form.mnuMain();
    QTest::mouseRelease(form.imgRandom(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(!menu->isVisible());
    QTest::mouseRelease(form.imgRandom(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QTRY_VERIFY(menu->isVisible());
    QStringList captions;
    for (QAction* action : menu->actions())
      captions << (action->isSeparator() ? "-" : action->text());
    QCOMPARE(captions,
             QStringList({"Открыть \"base.txt\"", "Перезагрузить", "Форматировать файл", "-",
                          "Сменить базу", "Создать базу", "-", "Сохранить в \"+out.txt\"",
                          "Открыть \"+out.txt\"", "-", "О программе"}));
    QAction* first = FindAction(menu, "mnuFile", 1);
    QCOMPARE(first->text(), QStringLiteral("source_poems.txt"));
    QVERIFY(first->isVisible() && first->isEnabled() && !first->isChecked());
    QVERIFY(!FindAction(menu, "mnuFile", 2)->isVisible());
    menu->close();
    first->trigger();
    QCOMPARE(d.program().BaseName(), u"source_poems.txt");

    QCOMPARE(Answer([&] { FindAction(menu, "mnuImport")->trigger(); }, ToQ(u"ОК")).text,
             QStringLiteral("Перетащите текстовый файл с проводника в окно программы."));
  }

  void theTrayMenuFollowsAutoModeAndADoubleClickNeedsATrayHost() {
    Desktop d;
    FrmMain& form = d.form();
    QMenu* tray = form.mnuTray();
    form.ShowTrayMenu();
    QTRY_VERIFY(tray->isVisible());
    QVERIFY(FindAction(tray, "mnuTrayGen")->isVisible() &&
            !FindAction(tray, "mnuTrayGenA")->isVisible());
    QMenu* gen = tray->findChild<QMenu*>(QStringLiteral("mnuTrayGen"));
    tray->close();
    d.shell().ShowText(u"", Alignment::kLeft);
    FindAction(gen, "mnuTrayGenT", 8)->trigger();
    QVERIFY(!d.text().empty());
    d.program().PressGenButton(15, 2);
    form.ShowTrayMenu();
    QTRY_VERIFY(tray->isVisible());
    QVERIFY(!FindAction(tray, "mnuTrayGen")->isVisible() &&
            FindAction(tray, "mnuTrayGenA")->isVisible());
    tray->close();

    QTest::mouseDClick(form.imgRandom(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(form.isVisible() && !form.TrayIcon().Added());
    QCOMPARE(form.TrayIcon().UserID(), 1);
  }

  void theTimerDrawsTheLifeGridAndGreysOutOptionsOnABeat() {
    Desktop d;
    FrmMain& form = d.form();
    form.opt(11)->setChecked(true);
    form.Aux().TmrAUX_Timer();  // the first tick is a beat
    QVERIFY(!form.opt(2)->isEnabled() && !form.opt(9)->isEnabled() && form.opt(11)->isEnabled());
    for (int i = 0; i < 5; ++i) form.Aux().TmrAUX_Timer();
    // The picture at one pixel a cell: the grid's cells, and one drawn by hand.
    LifePicture& picture = *form.imgRandom();
    picture.DrawCell(LifeGrid::kColumns - 1, LifeGrid::kRows - 1, true);
    picture.resize(LifeGrid::kColumns, LifeGrid::kRows);
    const QImage cells = picture.grab().toImage();
    const QRgb live = picture.palette().color(QPalette::Text).rgb();
    int shown = 0;
    for (int y = 0; y < LifeGrid::kRows; ++y)
      for (int x = 0; x < LifeGrid::kColumns; ++x) shown += cells.pixel(x, y) == live ? 1 : 0;
    QVERIFY(shown > 1 && shown < LifeGrid::kColumns * LifeGrid::kRows / 2);
    QCOMPARE(cells.pixel(LifeGrid::kColumns - 1, LifeGrid::kRows - 1), live);
  }

  void aFirstRunStartsAndSavesTheDefaultsOnce() {
    TempFolder folder;
    DesktopApp app(folder.path());
    app.Form_Initialize();
    FrmMain& form = TheForm();
    QVERIFY(form.isVisible() && form.TmrAUX()->isActive());
    QVERIFY(QRegularExpression(QStringLiteral("^IQ[0-3]$")).match(form.opt(13)->text()).hasMatch());
    QCOMPARE(app.Program().BaseName(), u"[VM: треш]");
    QVERIFY(!form.txtMain()->Text().empty());
    QSignalSpy unloaded(&app, &DesktopApp::unloaded);
    FindAction(form.mnuTray(), "mnuTrayExit")->trigger();
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!form.isVisible() && !form.TmrAUX()->isActive());
    QCOMPARE(TempFolder::Read(folder / "verbalomatic.cfg"),
             std::string("\x5F\0\0\0\0\0\0\0\x0A\0", 10) + EncodeCp1251(u"[VM: треш]") +
                 std::string(2, '\0'));
    std::filesystem::remove(folder / "verbalomatic.cfg");
    app.Form_Unload();
    form.close();
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!std::filesystem::exists(folder / "verbalomatic.cfg"));
  }

  void droppedLocalFilesBecomeBasesAfterTheQuestion() {
    Desktop d;
    TempFolder sources;
    const auto book = sources.Write("Book.TXT", EncodeCp1251(u"раз два три\r\nчетыре пять"));
    sources.Write("\xCA\xCD\xC8\xC3\xC0.txt",
                  "x y z");  // "КНИГА" in Windows-1251, as old archives keep it
    const QUrl cp1251 = QUrl::fromEncoded(
        "file://" + QUrl::toPercentEncoding(QString::fromStdString(sources.path().string()), "/") +
        "/%CA%CD%C8%C3%C0.txt");
    bool dropped = false;
    Answer([&] { dropped = Drop(d.form().txtMain(), {FileUrl(book)}); }, ToQ(u"Нет"));
    QVERIFY(dropped);
    QVERIFY(!std::filesystem::exists(d.folder / "source_book.txt"));
    QVERIFY(!Drop(d.form().txtMain(), {QUrl(QStringLiteral("https://example.org/book.txt"))}));
    const QList<QUrl> three = {FileUrl(book), FileUrl(sources.Write("notes.doc", "x")), cp1251};
    QCOMPARE(Answer([&] { dropped = Drop(d.form().txtMain(), three); }, ToQ(u"Да")).text,
             QStringLiteral("Импортировать полученные файлы? (3)"));
    QVERIFY(dropped);
    for (const char* made : {"source_book.txt", "source_notes.doc.txt", "source_книга.txt"})
      QVERIFY2(std::filesystem::exists(d.folder / made), made);
    QCOMPARE(d.text(), u"Импорт файлов завершен");
    QVERIFY(!d.program().Busy());
  }

  // Before Qt's translations are installed: the program's own button texts.
  void messageBoxesAndQtTextsAreRussian() {
    Desktop d;
    bool yes = true;
    QCOMPARE(Answer([&] { yes = d.shell().AskYesNo(u"Перезаписать?", MessageIcon::kInformation); },
                    ToQ(u"Нет"))
                 .buttons,
             QStringList({ToQ(u"Да"), ToQ(u"Нет")}));
    QVERIFY(!yes);
    QCOMPARE(Answer([&] { d.shell().Inform(u"Перетащите файл."); }, ToQ(u"ОК")).buttons,
             QStringList({ToQ(u"ОК")}));
    if (!InstallRussianQtTranslations(*QCoreApplication::instance()))
      QSKIP("Qt's Russian translations are not installed (qt6-translations-l10n)");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), ToQ(u"Отмена"));
  }

  void systemErrorsAreRussianWhereTheCLibraryHasThem() {
    qunsetenv("LANGUAGE");
    // What the C library has, asked without touching the process's locale.
    const locale_t russian = newlocale(LC_ALL_MASK, "ru_RU.UTF-8", nullptr);
    if (russian == nullptr) QSKIP("no Russian locale (locale-gen ru_RU.UTF-8)");
    const std::string catalogue = strerror_l(ENOENT, russian);
    freelocale(russian);
    if (catalogue == std::strerror(ENOENT)) QSKIP("no Russian C library messages (libc-l10n)");
    QVERIFY(UseRussianSystemMessages());
    QCOMPARE(QString::fromUtf8(std::strerror(ENOENT)), ToQ(u"Нет такого файла или каталога"));
  }

  // The test's XDG_DATA_HOME holds a Tahoma in its fonts folder.
  void tahomaComesFromFontconfigFirst() {
    if (qEnvironmentVariableIsEmpty("VM_TEST_FONTCONFIG_TAHOMA"))
      QSKIP("no Tahoma to give fontconfig (fonts-wine)");
    QCOMPARE(FormFontFamily(QStringLiteral("/nonexistent/tahoma.ttf")), QStringLiteral("Tahoma"));
    QCOMPARE(FormFont().family(), QStringLiteral("Tahoma"));
  }

  void requestsGoOverTheSocketAndComeBackAnswered() {
    TempFolder folder;
    const QString path = QString::fromStdString((folder / "vm.sock").string());
    const auto send = [&](std::string bytes) {
      return std::async(std::launch::async, [=] { return SendToInstance(path, bytes, 2000); });
    };
    QVERIFY(!send(EncodeRequest({})).get());  // nobody listens
    std::vector<InstanceRequest> seen;
    InstanceServer server([&](const InstanceRequest& request) {
      seen.push_back(request);
      return request.kind == InstanceRequest::Kind::kShow ? kAnswerDone : kAnswerRefused;
    });
    QVERIFY(server.Listen(path));
    const std::pair<std::string, std::string_view> cases[] = {
        {EncodeRequest({}), kAnswerDone},
        {EncodeRequest({InstanceRequest::Kind::kGenerate, 28}), kAnswerRefused},
        {"verbalomatic 1 generate 2\n", kAnswerRefused},
        {std::string(100, 'x'), kAnswerRefused}};
    for (const auto& [bytes, expected] : cases) {
      auto answer = send(bytes);
      QTRY_VERIFY(answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
      QCOMPARE(answer.get(), std::optional<std::string>(expected));
    }
    QCOMPARE(seen.size(), 2U);
    QCOMPARE(seen[1].count, 28);
  }

  // Only a live holder blocks: not a killed one's lock file, an empty or garbled
  // one, or a day-old one's; where no lock can be made the program runs unguarded.
  void theSingleInstanceLock() {
    TempFolder folder;
    const auto lock = folder / "verbalomatic.lock";
    auto first = std::make_unique<SingleInstance>(folder.path());
    QVERIFY(first->Acquired() && first->Unguarded().empty());
    std::filesystem::last_write_time(
        lock, std::filesystem::last_write_time(lock) - std::chrono::hours(24));
    QVERIFY(!SingleInstance(folder.path()).Acquired());
    first.reset();
    QVERIFY(!std::filesystem::exists(lock));
    const std::string host = QSysInfo::machineHostName().toStdString();
    for (const std::string& bytes :
         {"2147483646\nverbalomatic\n" + host + "\n", std::string(), std::string("x\n\xFF")}) {
      folder.Write("verbalomatic.lock", bytes);
      const SingleInstance instance(folder.path());
      QVERIFY(instance.Acquired() && instance.Unguarded().empty());
    }
    const SingleInstance nowhere(folder / "no such folder");
    QVERIFY(nowhere.Acquired() && !nowhere.Unguarded().empty());
  }
};

}  // namespace vm::shell

QTEST_MAIN(vm::shell::ShellTest)
#include "shell_test.moc"
