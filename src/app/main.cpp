// zeltacalc: the calculator application.
#include <QApplication>
#include <QIcon>

#include <cstdio>

#include "app_dir.h"
#include "app_options.h"
#include "application_setup.h"
#include "dialog_prompts.h"
#include "installation.h"
#include "main_window.h"
#include "plugin_host.h"
#include "quit_on_signal.h"
#include "standard_output.h"
#include "startup_windows.h"

int main(int argc, char* argv[]) {
  // Answered before QApplication exists: they need no display.
  switch (zc::ParseAppCommand(argc, argv)) {
    case zc::AppCommand::ShowHelp:
      std::fputs(zc::AppUsage().c_str(), stdout);
      return zc::FinishStandardOutput("zeltacalc", 0);
    case zc::AppCommand::ShowVersion:
      std::fputs(zc::ProgramVersionLine("zeltacalc").c_str(), stdout);
      return zc::FinishStandardOutput("zeltacalc", 0);
    case zc::AppCommand::Run:
      break;
  }
  QApplication app(argc, argv);
  zc::SetUpApplication(app);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/zeltacalc.svg")));

  zc::DialogPrompts prompts;
  const zc::AppDirChoice choice = zc::DefaultAppDirChoice();
  const QString appDir = zc::ResolveAppDir(choice);
  zc::TForm1 form(appDir, prompts);
  // Library functions run in the helper program that sits beside this one
  // or in the installation's helper folder.
  form.Engine().pluginHost.SetProgram(
      zc::PluginHostProgramFor(QCoreApplication::applicationDirPath().toStdString()));
  form.StartSession(zc::SessionFilePath(appDir, choice.userDataDir));
  zc::CreateStartupWindows(form);
  QObject::connect(&form, &zc::TForm1::Closed, &app, &QApplication::quit);
  // Leaving the event loop destroys the window, which writes Functions.inf
  // and the session.
  zc::QuitOnTerminationSignals(&app, [] { QApplication::quit(); });
  form.show();
  return QApplication::exec();
}
