// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, shutdown, message boxes and dropped files on the offscreen platform.
#include <QAction>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include "desktop_fixture.h"
#include "shell/output_box.h"
#include "shell/qt_text.h"
#include "shell/tray_icon.h"

namespace vm::shell {
namespace {

using vm::test::TempFolder;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

std::string Text(std::u16string_view text) {
  const std::string bytes = EncodeCp1251(text);
  return Bytes({static_cast<int>(bytes.size()), 0}) + bytes;
}

// Drags the files over the output box and drops them there.
bool Drop(OutputBox* box, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  QWidget* target = box->viewport();
  const QPoint at(10, 10);
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

QAction* MenuEntry(QMenu* menu, const char* name) {
  return menu->findChild<QAction*>(QString::fromLatin1(name));
}

}  // namespace

class DesktopAppTest : public QObject {
  Q_OBJECT

 private slots:
  void aFirstRunShowsTheInitialStatesAndSavesThemOnExit() {
    TempFolder folder;
    DesktopApp app(folder.path());
    app.Form_Initialize();
    FrmMain& form = app.Form();
    QVERIFY(form.isVisible());
    QVERIFY(form.TmrAUX()->isActive());
    QVERIFY(QRegularExpression(QStringLiteral("^IQ[0-3]$")).match(form.opt(13)->text()).hasMatch());
    QCOMPARE(app.Program().BaseName(), u"[VM: треш]");
    QVERIFY(!form.txtMain()->Text().empty());

    QSignalSpy unloaded(&app, &DesktopApp::unloaded);
    app.Form_Unload();
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!form.isVisible());
    QVERIFY(!form.TmrAUX()->isActive());
    QCOMPARE(TempFolder::Read(folder / "verbalomatic.cfg"),
             Bytes({0x5F, 0, 0, 0, 0, 0, 0, 0}) + Text(u"[VM: треш]") + Bytes({0, 0}));
  }

  void theSettingsFileIsAppliedAndWrittenBackWithItsReservedBits() {
    TempFolder folder;
    folder.Write("verbalomatic.cfg", Bytes({0x01, 0x82, 0xFE, 0x33}) + Text(u"Начало\\n") +
                                         Text(u"Конец") + Text(u"[VM: треш]") + Text(u"кот"));
    DesktopApp app(folder.path());
    app.Form_Initialize();
    FrmMain& form = app.Form();
    for (int i = 0; i < 17; ++i) {
      QCOMPARE(form.opt(i)->isChecked(), i == 0 || i == 9 || i == 16);
    }
    QCOMPARE(form.txtInLine()->text(), QStringLiteral("Начало\\n"));
    QCOMPARE(form.txtOutLine()->text(), QStringLiteral("Конец"));
    QCOMPARE(form.txtCmd()->text(), QStringLiteral("кот"));
    QVERIFY(form.cmdC(0)->isEnabled());
    QVERIFY(app.Program().Flags().ClassicTags);
    QVERIFY(!app.Program().Flags().CopyUnicode);
    // No tray host here: the window that was in the tray shows instead.
    QVERIFY(form.isVisible());
    QVERIFY(!form.TrayIcon().Added());

    form.opt(16)->setChecked(false);
    form.opt(17)->setChecked(true);
    form.txtCmd()->setText(QStringLiteral("пёс"));
    form.close();
    QCOMPARE(TempFolder::Read(folder / "verbalomatic.cfg"),
             Bytes({0x01, 0x02, 0xFC, 0x33}) + Text(u"Начало\\n") + Text(u"Конец") +
                 Text(u"[VM: треш]") + Text(u"пёс"));
  }

  void shutdownRunsOnceWhicheverWayItComes() {
    TempFolder folder;
    DesktopApp app(folder.path());
    app.Form_Initialize();
    QSignalSpy unloaded(&app, &DesktopApp::unloaded);
    MenuEntry(app.Form().mnuTray(), "mnuTrayExit")->trigger();
    QCOMPARE(unloaded.count(), 1);
    std::filesystem::remove(folder / "verbalomatic.cfg");
    app.Form_Unload();
    app.Form().close();
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!std::filesystem::exists(folder / "verbalomatic.cfg"));
  }

  void theImportHintIsAnsweredThroughTheHook() {
    test::Desktop d;
    d.Shell().SetNextAnswer(true);
    MenuEntry(d.Form().mnuMain(), "mnuImport")->trigger();
    QCOMPARE(d.Shell().LastMessage(),
             QStringLiteral("Перетащите текстовый файл с проводника в окно программы."));
  }

  void droppedFilesBecomeBasesAfterTheQuestion() {
    test::Desktop d;
    TempFolder sources;
    const auto book = sources.Write("Book.TXT", EncodeCp1251(u"раз два три\r\nчетыре пять"));
    const auto notes = sources.Write("notes.doc", "x");
    // A name in Windows-1251 bytes, as old archives keep them ("КНИГА").
    sources.Write("\xCA\xCD\xC8\xC3\xC0.txt", "x y z");
    const QUrl cp1251 = QUrl::fromEncoded(
        "file://" + QUrl::toPercentEncoding(QString::fromStdString(sources.path().string()), "/") +
        "/%CA%CD%C8%C3%C0.txt");
    d.Shell().SetNextAnswer(true);
    QVERIFY(Drop(d.Form().txtMain(),
                 {QUrl::fromLocalFile(QString::fromStdString(book.string())),
                  QUrl::fromLocalFile(QString::fromStdString(notes.string())), cp1251}));
    QCOMPARE(d.Shell().LastMessage(), QStringLiteral("Импортировать полученные файлы? (3)"));
    QVERIFY(std::filesystem::exists(d.folder / "source_book.txt"));
    QVERIFY(std::filesystem::exists(d.folder / "source_notes.doc.txt"));
    QVERIFY(std::filesystem::exists(d.folder / "source_книга.txt"));
    QCOMPARE(d.Form().txtMain()->Text(), u"Импорт файлов завершен");
    QVERIFY(!d.Program().Busy());
  }

  void declinedOrTextDropsWriteNothing() {
    test::Desktop d;
    TempFolder sources;
    const auto book = sources.Write("book.txt", "a b c");
    d.Shell().SetNextAnswer(false);
    QVERIFY(Drop(d.Form().txtMain(), {QUrl::fromLocalFile(QString::fromStdString(book.string()))}));
    QVERIFY(!std::filesystem::exists(d.folder / "source_book.txt"));
    QVERIFY(!d.Program().Busy());
    QVERIFY(!Drop(d.Form().txtMain(), {QUrl(QStringLiteral("https://example.org/book.txt"))}));
  }

 private:
};

}  // namespace vm::shell

QTEST_MAIN(vm::shell::DesktopAppTest)
#include "desktop_app_test.moc"
