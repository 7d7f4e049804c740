// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/run_desktop.h"

#include <QApplication>
#include <QSessionManager>

#include "shell/desktop_app.h"
#include "shell/single_instance.h"
#include "shell/termination_signals.h"

namespace vm::shell {

int RunDesktop(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("verbalomatic"));
  QApplication::setQuitOnLastWindowClosed(false);

  const std::filesystem::path folder = ChooseProgramFolder(QApplication::applicationDirPath());
  const SingleInstance instance(folder);
  if (!instance.Acquired()) return 0;

  DesktopApp desktop(folder);
  TerminationSignals termination;
  QObject::connect(&desktop, &DesktopApp::unloaded, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  QObject::connect(&termination, &TerminationSignals::terminationRequested, &desktop,
                   &DesktopApp::Form_Unload);
  QObject::connect(&app, &QApplication::aboutToQuit, &desktop, &DesktopApp::Form_Unload);
  // Logging out may end the program without another word: save now.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &desktop,
                   [&desktop](QSessionManager&) { desktop.SaveSettings(); });

  desktop.Form_Initialize();
  return QApplication::exec();
}

}  // namespace vm::shell
