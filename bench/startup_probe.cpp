// Start-up probe: starts the calculator as its main routine does (Qt's
// translation and the session included), and reports
// how long it took from the start of the process until the main window was
// shown and painted, then quits. Offscreen unless QT_QPA_PLATFORM says
// otherwise. Prints milliseconds; exits 1 when over the budget given as the
// first argument (default 500).
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "app_dir.h"
#include "application_setup.h"
#include "main_window.h"
#include "startup_windows.h"

namespace {

// Milliseconds since the kernel started this process, so that loading the
// libraries counts too.
double MillisecondsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // Field 22 (starttime, in clock ticks since boot) follows the command
  // name in parentheses, which may itself hold blanks.
  std::istringstream fields(content.substr(content.rfind(')') + 2));
  std::string field;
  for (int i = 3; i < 22 && fields >> field; ++i) {
  }
  unsigned long long startTicks = 0;
  fields >> startTicks;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double nowMs = static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
  return nowMs - static_cast<double>(startTicks) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Start-up failures go to the error output: a box would wait for a person.
class PrintedPrompts : public zc::UserPrompts {
 public:
  void ShowError(QWidget*, const QString& message) override { Print(message); }
  void ShowMessage(QWidget*, const QString& message) override { Print(message); }
  bool Ask(QWidget*, const zc::Question& question) override {
    Print(question.text);
    return question.yesIsDefault;
  }
  zc::ChosenFile ChooseFile(QWidget*, const zc::FileRequest&) override { return {}; }

 private:
  static void Print(const QString& text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }
};

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const double budget = argc > 1 ? std::atof(argv[1]) : 500.0;
  QElapsedTimer inMain;
  inMain.start();

  QApplication app(argc, argv);
  zc::SetUpApplication(app);
  PrintedPrompts prompts;
  const zc::AppDirChoice choice = zc::DefaultAppDirChoice();
  const QString appDir = zc::ResolveAppDir(choice);
  zc::TForm1 form(appDir, prompts);
  form.StartSession(zc::SessionFilePath(appDir, choice.userDataDir));
  zc::CreateStartupWindows(form);
  form.show();
  double total = 0;
  QTimer::singleShot(0, &app, [&] {
    // The first turn of the event loop: the window is up and takes input.
    total = MillisecondsSinceProcessStart();
    std::printf("usable window after %.1f ms (%.1f ms of it in main)\n", total,
                static_cast<double>(inMain.nsecsElapsed()) / 1e6);
    app.quit();
  });
  QApplication::exec();
  return total <= budget ? 0 : 1;
}
