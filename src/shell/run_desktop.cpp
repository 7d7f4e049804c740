// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/run_desktop.h"

#include <QApplication>
#include <QSessionManager>
#include <QThread>
#include <cstdio>
#include <string>
#include <vector>

#include "app/desktop_start.h"
#include "app/program.h"
#include "shell/desktop_app.h"
#include "shell/desktop_platform.h"
#include "shell/instance_link.h"
#include "shell/single_instance.h"
#include "shell/termination_signals.h"

namespace vm::shell {
namespace {

// A later start waits this long (in steps of 100 ms) for a starting instance.
constexpr int kStartAttempts = 100;

}  // namespace

int RunDesktop(int argc, char** argv) {
  // Before QApplication: help and version need no display.
  const DesktopArguments arguments =
      ParseDesktopArguments(std::vector<std::string>(argv + 1, argv + argc));
  switch (arguments.action) {
    case DesktopArguments::Action::kHelp:
      std::fputs(DesktopHelp().c_str(), stdout);
      return 0;
    case DesktopArguments::Action::kVersion:
      std::fputs(DesktopVersion(VM_VERSION).c_str(), stdout);
      return 0;
    case DesktopArguments::Action::kUsageError:
      std::fprintf(stderr, "verbalomatic: %s\nTry 'verbalomatic --help'.\n",
                   arguments.error.c_str());
      return 2;
    case DesktopArguments::Action::kRun:
      break;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("verbalomatic"));
  QApplication::setQuitOnLastWindowClosed(false);
  InstallRussianQtTranslations(app);
  UseRussianSystemMessages();

  const ProgramFolders folders = DesktopProgramFolders(QApplication::applicationDirPath());
  std::string error;
  if (!MakeProgramFolders(folders, error)) {
    std::fprintf(stderr, "verbalomatic: cannot create %s, %s: %s\n", folders.settings.c_str(),
                 folders.data.c_str(), error.c_str());
    return 1;
  }
  SingleInstance instance(folders.data);
  const QString socket = InstanceSocketPath(folders.data);
  const StartRole role = SettleStart(
      RequestOf(arguments), kStartAttempts,
      [&](std::string_view request) { return SendToInstance(socket, request); },
      [&] { return instance.TryAgain(); }, [] { QThread::msleep(100); });
  if (!role.first) {
    if (!role.message.empty()) std::fprintf(stderr, "%s\n", role.message.c_str());
    return role.status;
  }
  if (!instance.Unguarded().empty())
    std::fprintf(stderr,
                 "verbalomatic: no lock can be made (%s): nothing keeps a second "
                 "instance from starting\n",
                 instance.Unguarded().c_str());

  DesktopApp desktop(folders);
  TerminationSignals termination;
  QObject::connect(&desktop, &DesktopApp::unloaded, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  QObject::connect(&termination, &TerminationSignals::terminationRequested, &desktop,
                   &DesktopApp::Form_Unload);
  QObject::connect(&app, &QApplication::aboutToQuit, &desktop, &DesktopApp::Form_Unload);
  // Logging out may end the program without another word: save now.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &desktop,
                   [&desktop](QSessionManager&) { desktop.SaveSettings(); });

  desktop.Form_Initialize(arguments.generate.has_value());
  // Later starts are answered once the window stands and its base is loaded.
  InstanceServer server(
      [&desktop](const InstanceRequest& request) { return desktop.Answer(request); });
  if (!server.Listen(socket))
    std::fprintf(stderr,
                 "verbalomatic: later starts will not reach this one: cannot listen at %s\n",
                 qPrintable(socket));
  if (arguments.generate) desktop.Program().GenerateToClipboard(*arguments.generate);
  return QApplication::exec();
}

}  // namespace vm::shell
