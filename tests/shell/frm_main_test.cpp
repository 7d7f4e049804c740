// SPDX-License-Identifier: GPL-3.0-or-later
// frmMain on the offscreen platform: controls, keys, focus, mouse and menus.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>

#include "app/aux_timer.h"
#include "desktop_fixture.h"
#include "shell/life_picture.h"
#include "shell/output_box.h"
#include "shell/qt_text.h"
#include "shell/tray_icon.h"

namespace vm::shell {
namespace {

QAction* FindAction(QMenu* menu, const QString& name, int index = -1) {
  for (QAction* action : menu->findChildren<QAction*>(name)) {
    if (index < 0 || action->property("index").toInt() == index) return action;
  }
  return nullptr;
}

// Presses and releases a key with the given modifiers as the window system
// would; the window acts on the release.
void PressAndRelease(QWidget* widget, Qt::Key key,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, key, modifiers);
    QApplication::sendEvent(widget, &event);
  }
}

}  // namespace

class FrmMainTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { d = std::make_unique<test::Desktop>(); }
  void cleanup() { d.reset(); }

  void everyControlHasItsNamePlaceAndCaption() {
    FrmMain& form = d->Form();
    QCOMPARE(form.objectName(), QStringLiteral("frmMain"));
    QCOMPARE(form.size(), QSize(592, 335));
    auto* txtMain = form.findChild<QWidget*>(QStringLiteral("txtMain"));
    QVERIFY(txtMain);
    QCOMPARE(txtMain->geometry(), QRect(2, 2, 521, 231));

    const auto buttons = form.findChildren<QPushButton*>(QStringLiteral("cmdS"));
    QCOMPARE(buttons.size(), 9);
    const int counts[] = {1, 5, 10, 15, 20, 28, 44, 60, 124};
    for (int k = 0; k < 9; ++k) {
      QPushButton* button = form.cmdS(counts[k]);
      QVERIFY(button);
      QCOMPARE(button->text(), QString::number(k + 1));
      QCOMPARE(button->geometry(), QRect(2 + 58 * k, 236, 57, 25));
    }
    QCOMPARE(form.findChildren<QPushButton*>(QStringLiteral("cmdC")).size(), 3);
    QCOMPARE(form.cmdC(1)->toolTip(), QStringLiteral("Получить рифмующиеся строки"));
    QCOMPARE(form.txtInLine()->toolTip(), QStringLiteral("Пролог,  \\n = новая строка"));
    QCOMPARE(form.txtCmd()->toolTip(), QStringLiteral("Типа консолька, можно даже пердолиться."));
    QCOMPARE(form.findChildren<QLabel*>(QStringLiteral("lblBack")).size(), 2);
    QCOMPARE(form.findChild<QWidget*>(QStringLiteral("imgRandom"))->geometry(),
             QRect(526, 96, 67, 243));

    const auto boxes = form.findChildren<QCheckBox*>(QStringLiteral("opt"));
    QCOMPARE(boxes.size(), 18);
    QCOMPARE(form.opt(1)->text(), QStringLiteral("UTF-8"));
    QCOMPARE(form.opt(7)->text(), QStringLiteral("а < a"));
    QCOMPARE(form.opt(12)->toolTip(), QStringLiteral("Загрузка..."));
    QCOMPARE(form.opt(16)->toolTip(), QStringLiteral("Не деай этого, ссука"));
    QCOMPARE(form.opt(17)->text(), QString());
    QCOMPARE(form.opt(16)->geometry(), QRect(210, 290, 79, 19));
    QCOMPARE(form.opt(4)->geometry(), QRect(528, 48, 69, 23));
    for (int i = 0; i < 18; ++i) {
      QCOMPARE(form.opt(i)->property("index").toInt(), i);
      QCOMPARE(form.opt(i)->isChecked(), i <= 4 || i == 6);
    }
    QVERIFY(form.font().pointSizeF() > 9.7 && form.font().pointSizeF() < 9.8);
  }

  void aDigitReleasedOnACheckBoxGenerates() {
    FrmMain& form = d->Form();
    form.opt(5)->setFocus();
    d->Shell().ShowText(u"", Alignment::kCentre);
    PressAndRelease(form.opt(5), Qt::Key_5, Qt::ShiftModifier);
    QVERIFY(!form.txtMain()->Text().empty());
    QCOMPARE(form.txtMain()->CurrentAlignment(), Alignment::kLeft);
    QCOMPARE(QApplication::focusWidget(), form.cmdS(20));
    QCOMPARE(d->Program().AutoGen(), 0);  // a modifier there is still a plain press
  }

  void aDigitInTheConsoleLineOnlyTypes() {
    FrmMain& form = d->Form();
    form.txtCmd()->setFocus();
    d->Shell().ShowText(u"было", Alignment::kLeft);
    QTest::keyClick(form.txtCmd(), Qt::Key_5);
    QCOMPARE(form.txtCmd()->text(), QStringLiteral("5"));
    QCOMPARE(form.txtMain()->Text(), u"было");
  }

  void aKeypadDigitIsNoGenerateKey() {
    FrmMain& form = d->Form();
    form.opt(0)->setFocus();
    d->Shell().ShowText(u"было", Alignment::kLeft);
    PressAndRelease(form.opt(0), Qt::Key_5, Qt::KeypadModifier);
    QCOMPARE(form.txtMain()->Text(), u"было");
  }

  void aModifiedDigitOnAFocusedButtonGeneratesThenSwitchesAutoModeOn() {
    FrmMain& form = d->Form();
    form.cmdS(44)->setFocus();
    d->Shell().ShowText(u"", Alignment::kLeft);
    PressAndRelease(form.cmdS(44), Qt::Key_7, Qt::ShiftModifier);
    QVERIFY(!form.txtMain()->Text().empty());
    QCOMPARE(d->Program().AutoGen(), 44);
    QVERIFY(form.cmdS(44)->font().bold() && form.cmdS(44)->font().italic());
  }

  void typingIntoTheOutputBoxChangesNothing() {
    FrmMain& form = d->Form();
    d->Shell().ShowText(u"ТЕКСТ\r\nВТОРОЙ", Alignment::kLeft);
    form.txtMain()->setFocus();
    QTest::keyClicks(form.txtMain(), QStringLiteral("abc"));
    QTest::keyClick(form.txtMain(), Qt::Key_Backspace);
    QTest::keyClick(form.txtMain(), Qt::Key_Delete);
    QTest::keyClick(form.txtMain(), Qt::Key_Return);
    QTest::keyClick(form.txtMain(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(form.txtMain(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(form.txtMain()->Text(), u"ТЕКСТ\r\nВТОРОЙ");
    QCOMPARE(form.txtMain()->toPlainText(), QStringLiteral("ТЕКСТ\nВТОРОЙ"));
  }

  void thePrologueLineWidensAndHidesRowOneWhileEdited() {
    FrmMain& form = d->Form();
    form.opt(8)->setChecked(true);
    form.txtInLine()->setFocus();
    QCOMPARE(form.txtInLine()->width(), form.txtMain()->width());
    for (int i : {2, 8, 6, 10, 5, 14, 16})
      QVERIFY2(!form.opt(i)->isVisible(), qPrintable(QString::number(i)));
    QVERIFY(form.opt(3)->isVisible());
    form.opt(0)->setFocus();
    QCOMPARE(form.txtInLine()->width(), 43);
    for (int i : {2, 8, 6, 10, 5, 14, 16}) QVERIFY(form.opt(i)->isVisible());
    QVERIFY(form.opt(8)->isChecked());

    form.txtOutLine()->setFocus();
    for (int i : {3, 9, 11, 13, 12, 15, 17}) QVERIFY(!form.opt(i)->isVisible());
    QVERIFY(form.opt(2)->isVisible());
  }

  void aRightReleaseOverAButtonMarksItBoldItalic() {
    FrmMain& form = d->Form();
    QPushButton* button = form.cmdS(60);
    QTest::mouseRelease(button, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(d->Program().AutoGen(), 60);
    QVERIFY(button->font().bold());
    QVERIFY(button->font().italic());
    // A left release on another button moves the marker without generating.
    d->Shell().ShowText(u"было", Alignment::kLeft);
    QTest::mouseRelease(form.cmdS(5), Qt::LeftButton, Qt::NoModifier, QPoint(0, 0));
    QCOMPARE(d->Program().AutoGen(), 5);
    QVERIFY(!button->font().bold());
    QVERIFY(form.cmdS(5)->font().italic());
    QCOMPARE(form.txtMain()->Text(), u"было");
  }

  void releasesOutsideTheButtonOrWithTheMiddleButtonDoNothing() {
    FrmMain& form = d->Form();
    QPushButton* button = form.cmdS(10);
    d->Shell().ShowText(u"было", Alignment::kLeft);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(button->width() + 1, 3));
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(3, -1));
    QTest::mouseRelease(button, Qt::MiddleButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(form.txtMain()->Text(), u"было");
    QCOMPARE(d->Program().AutoGen(), 0);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier,
                        QPoint(button->width(), button->height()));
    QVERIFY(form.txtMain()->Text() != u"было");
  }

  void theConsoleButtonsNeedTextAndEnterRepeatsTheLastCommandOnce() {
    FrmMain& form = d->Form();
    for (int i = 0; i < 3; ++i) QVERIFY(!form.cmdC(i)->isEnabled());
    form.txtCmd()->setFocus();
    QTest::keyClicks(form.txtCmd(), QStringLiteral("seed"));
    for (int i = 0; i < 3; ++i) QVERIFY(form.cmdC(i)->isEnabled());

    QSignalSpy shown(form.txtMain(), &QTextEdit::textChanged);
    QTest::mouseClick(form.cmdC(2), Qt::LeftButton);
    const int perCommand = static_cast<int>(shown.count());
    QVERIFY(perCommand > 0);
    QVERIFY(form.cmdC(2)->isDefault());
    QCOMPARE(form.txtCmd()->property("tag").toString(), QStringLiteral("2"));
    const std::u16string seeded = form.txtMain()->Text();

    d->Shell().ShowText(u"", Alignment::kLeft);
    shown.clear();
    form.txtCmd()->setFocus();
    QTest::keyClick(form.txtCmd(), Qt::Key_Return);
    QCOMPARE(static_cast<int>(shown.count()), perCommand);
    QCOMPARE(form.txtMain()->Text(), seeded);

    form.txtCmd()->clear();
    for (int i = 0; i < 3; ++i) QVERIFY(!form.cmdC(i)->isEnabled());
  }

  void ctrlCWithoutASelectionCopiesNothing() {
    FrmMain& form = d->Form();
    QApplication::clipboard()->setText(QStringLiteral("прежнее"));
    d->Shell().ShowText(u"ТЕКСТ", Alignment::kLeft);
    form.txtMain()->setFocus();
    QTest::keyClick(form.txtMain(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("прежнее"));
  }

  void ctrlAThenCtrlCCopiesTheWholeTextInEitherEncoding() {
    FrmMain& form = d->Form();
    form.opt(0)->setChecked(false);  // greys out box 1; its value still counts
    form.opt(1)->setChecked(false);
    d->Shell().ShowText(u"Ёж ☺\r\n€", Alignment::kLeft);
    form.txtMain()->setFocus();
    QTest::keyClick(form.txtMain(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form.txtMain(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), QStringLiteral("Ёж ?\r\n€"));
    QCOMPARE(data->data(QStringLiteral("text/plain;charset=windows-1251")),
             QByteArray("\xA8\xE6 ?\r\n\x88"));

    form.opt(1)->setChecked(true);
    QTest::keyClick(form.txtMain(), Qt::Key_C, Qt::ControlModifier);
    data = QApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), QStringLiteral("Ёж ☺\r\n€"));
    QVERIFY(!data->hasFormat(QStringLiteral("text/plain;charset=windows-1251")));
  }

  void theMainMenuOpensOnARightReleaseOverThePicture() {
    d->folder.Write("Source_Poems.TXT", "a");
    d->folder.Write("poems.txt", "a");
    FrmMain& form = d->Form();
    QTest::mouseRelease(form.imgRandom(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QMenu* menu = form.mnuMain();
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->objectName(), QStringLiteral("mnuMain"));
    QStringList captions;
    for (QAction* action : menu->actions())
      captions << (action->isSeparator() ? "-" : action->text());
    QCOMPARE(captions,
             QStringList({"Открыть \"base.txt\"", "Перезагрузить", "Форматировать файл", "-",
                          "Сменить базу", "Создать базу", "-", "Сохранить в \"+out.txt\"",
                          "Открыть \"+out.txt\"", "-", "О программе"}));
    QVERIFY(FindAction(menu, "mnuClean")->isEnabled());
    QAction* first = FindAction(menu, "mnuFile", 1);
    QCOMPARE(first->text(), QStringLiteral("source_poems.txt"));
    QVERIFY(first->isVisible() && first->isEnabled() && !first->isChecked());
    QVERIFY(!FindAction(menu, "mnuFile", 2)->isVisible());
    QCOMPARE(FindAction(menu, "mnuFileEn", 2)->text(), QStringLiteral("[VM: треш]"));
    QVERIFY(!FindAction(menu, "mnuFileEn", 2)->isChecked());
    menu->close();

    // Choosing an entry loads that base.
    first->trigger();
    QCOMPARE(d->Program().BaseName(), u"source_poems.txt");
  }

  void theAboutEntryShowsTheAboutText() {
    FrmMain& form = d->Form();
    FindAction(form.mnuMain(), "mnuAbout")->trigger();
    QCOMPARE(form.txtMain()->CurrentAlignment(), Alignment::kCentre);
    QVERIFY(form.txtMain()->Text().rfind(u"v1.0.72", 0) == 0);
  }

  void messagesAreCentredAndTextsLeftAligned() {
    OutputBox* box = d->Form().txtMain();
    d->Shell().ShowText(u"АБВ", Alignment::kCentre);
    QVERIFY(box->cursorRect(QTextCursor(box->document())).x() > box->width() / 3);
    d->Shell().ShowText(u"АБВ", Alignment::kLeft);
    QVERIFY(box->cursorRect(QTextCursor(box->document())).x() < 10);
  }

  void theTrayMenuFollowsAutoMode() {
    FrmMain& form = d->Form();
    QMenu* tray = form.mnuTray();
    QCOMPARE(tray->title(), QStringLiteral(">"));
    form.ShowTrayMenu();
    QTRY_VERIFY(tray->isVisible());
    QVERIFY(FindAction(tray, "mnuTrayGen")->isVisible());
    QVERIFY(!FindAction(tray, "mnuTrayGenA")->isVisible());
    QCOMPARE(tray->defaultAction()->text(), QStringLiteral("Развернуть"));
    QMenu* gen = tray->findChild<QMenu*>(QStringLiteral("mnuTrayGen"));
    QStringList captions;
    QStringList tags;
    for (QAction* action : gen->actions())
      captions << action->text(), tags << action->data().toString();
    QCOMPARE(captions, QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    QCOMPARE(tags, QStringList({"1", "5", "10", "15", "20", "28", "44", "60", "124"}));
    tray->close();

    d->Shell().ShowText(u"", Alignment::kLeft);
    FindAction(gen, "mnuTrayGenT", 8)->trigger();
    QVERIFY(!form.txtMain()->Text().empty());

    d->Program().PressGenButton(15, 2);
    form.ShowTrayMenu();
    QTRY_VERIFY(tray->isVisible());
    QVERIFY(!FindAction(tray, "mnuTrayGen")->isVisible());
    QVERIFY(FindAction(tray, "mnuTrayGenA")->isVisible());
    QCOMPARE(FindAction(tray, "mnuTrayExit")->text(), QStringLiteral("Выход"));
    QCOMPARE(FindAction(tray, "mnuTrayNothing")->text(), QStringLiteral("Ничего..."));
    tray->close();
  }

  void aDoubleClickWithoutATrayHostLeavesTheWindowShown() {
    FrmMain& form = d->Form();
    QTest::mouseDClick(form.imgRandom(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(form.isVisible());
    QVERIFY(!form.TrayIcon().Added());
    QCOMPARE(form.TrayIcon().UserID(), 1);
  }

  void theTimerDrawsTheLifeGridOnThePicture() {
    FrmMain& form = d->Form();
    for (int i = 0; i < 5; ++i) form.Aux().TmrAUX_Timer();
    const int alive = form.Aux().Life().LifeCount();
    QVERIFY(alive > 0);
    int shown = 0;
    for (int y = 0; y < LifeGrid::kRows; ++y)
      for (int x = 0; x < LifeGrid::kColumns; ++x) shown += form.imgRandom()->CellShown(x, y);
    QCOMPARE(shown, alive);
  }

  void theTimerGreysOutOptionsOnABeat() {
    FrmMain& form = d->Form();
    form.opt(11)->setChecked(true);
    form.Aux().TmrAUX_Timer();  // the first tick is a beat
    QVERIFY(!form.opt(2)->isEnabled());
    QVERIFY(form.opt(11)->isEnabled());
    QVERIFY(!form.opt(9)->isEnabled());
  }

 private:
  std::unique_ptr<test::Desktop> d;
};

}  // namespace vm::shell

QTEST_MAIN(vm::shell::FrmMainTest)
#include "frm_main_test.moc"
