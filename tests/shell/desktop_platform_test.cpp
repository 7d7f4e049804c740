// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's Linux ways on the offscreen platform: Russian message boxes
// and Qt texts, Russian system errors, Tahoma through fontconfig, and the
// local socket between a later start and the running instance.
#include <locale.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <future>

#include "app/program.h"
#include "fake_shell.h"
#include "shell/desktop_platform.h"
#include "shell/frm_main.h"
#include "shell/instance_link.h"
#include "shell/qt_shell.h"
#include "shell/qt_text.h"
#include "temp_folder.h"

namespace vm::shell {
namespace {

// Runs show() and reads the buttons of the message box it opens, which the
// press of the button labelled answer closes.
QStringList ButtonsOf(const std::function<void()>& show, const QString& answer) {
  QStringList texts;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    for (QAbstractButton* button : box->buttons()) texts << button->text();
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == answer) button->click();
    }
  });
  show();
  texts.sort();
  return texts;
}

// A socket file that nobody listens at, as a killed instance leaves it.
void LeaveStaleSocket(const QString& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.toLocal8Bit().constData(), sizeof address.sun_path - 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
}

}  // namespace

class DesktopPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  // Before Qt's translations are installed: the program's own button texts.
  void messageBoxesAnswerInRussian() {
    FrmMain form;
    QtShell shell(form);
    bool yes = true;
    QCOMPARE(
        ButtonsOf([&] { yes = shell.AskYesNo(u"Перезаписать b.txt?", MessageIcon::kInformation); },
                  ToQ(u"Нет")),
        QStringList({ToQ(u"Да"), ToQ(u"Нет")}));
    QVERIFY(!yes);
    QCOMPARE(ButtonsOf([&] { shell.Inform(u"Перетащите файл."); }, ToQ(u"ОК")),
             QStringList({ToQ(u"ОК")}));
  }

  void qtOwnTextsAreRussian() {
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
    QCOMPARE(QString::fromStdString(std::strerror(ENOENT)), QString::fromStdString(catalogue));
    vm::test::FakeShell fake;
    vm::test::TempFolder folder;
    Program program(fake, folder / "gone");
    program.SaveToJournal();
    QCOMPARE(ToQ(fake.shown), ToQ(u"Ошибка сохранения: \r\nНет такого файла или каталога"));
  }

  // The test's XDG_DATA_HOME holds a Tahoma in its fonts folder.
  void tahomaComesFromFontconfigFirst() {
    if (qEnvironmentVariableIsEmpty("VM_TEST_FONTCONFIG_TAHOMA"))
      QSKIP("no Tahoma to give fontconfig (fonts-wine)");
    QCOMPARE(FormFontFamily(QStringLiteral("/nonexistent/tahoma.ttf")), QStringLiteral("Tahoma"));
    QCOMPARE(FormFont().family(), QStringLiteral("Tahoma"));
  }

  void requestsGoOverTheSocketAndComeBackAnswered() {
    vm::test::TempFolder folder;
    const QString path = QString::fromStdString((folder / "vm.sock").string());
    const auto send = [&](std::string bytes) {
      return std::async(std::launch::async, [=] { return SendToInstance(path, bytes, 2000); });
    };
    QVERIFY(!send(EncodeRequest({})).get());  // nobody listens
    LeaveStaleSocket(path);
    QVERIFY(!send(EncodeRequest({})).get());

    std::vector<InstanceRequest> seen;
    InstanceServer server([&](const InstanceRequest& request) {
      seen.push_back(request);
      return request.kind == InstanceRequest::Kind::kShow ? kAnswerDone : kAnswerRefused;
    });
    QVERIFY(server.Listen(path));
    const struct {
      std::string bytes;
      std::string_view answer;
    } cases[] = {{EncodeRequest({}), kAnswerDone},
                 {EncodeRequest({InstanceRequest::Kind::kGenerate, 28}), kAnswerRefused},
                 {"verbalomatic 1 generate 2\n", kAnswerRefused},
                 {std::string(100, 'x'), kAnswerRefused}};
    for (const auto& c : cases) {
      auto answer = send(c.bytes);
      QTRY_VERIFY(answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
      QCOMPARE(answer.get(), std::optional<std::string>(c.answer));
    }
    QCOMPARE(seen.size(), 2U);
    QCOMPARE(seen[1].count, 28);
  }
};

}  // namespace vm::shell

QTEST_MAIN(vm::shell::DesktopPlatformTest)
#include "desktop_platform_test.moc"
