// zeltacalc: the calculator application.
#include <QApplication>
#include <QIcon>

#include "app_dir.h"
#include "application_setup.h"
#include "dialog_prompts.h"
#include "main_window.h"
#include "quit_on_signal.h"
#include "startup_windows.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  zc::SetUpApplication(app);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/zeltacalc.svg")));

  zc::DialogPrompts prompts;
  zc::TForm1 form(zc::ResolveAppDir(zc::DefaultAppDirChoice()), prompts);
  zc::CreateStartupWindows(form);
  QObject::connect(&form, &zc::TForm1::Closed, &app, &QApplication::quit);
  // Leaving the event loop destroys the window, which writes Functions.inf.
  zc::QuitOnTerminationSignals(&app, [] { QApplication::quit(); });
  form.show();
  return QApplication::exec();
}
