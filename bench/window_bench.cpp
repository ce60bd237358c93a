// The console's response time: Enter to result on a long log, and creating
// the main window with the windows made at start. Runs on the offscreen
// platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "console_log.h"
#include "input_line.h"
#include "main_window.h"
#include "startup_windows.h"

#include "offscreen_benchmark_main.h"
#include "quiet_prompts.h"

namespace {

// A data folder like an installation's.
class DataFolder {
 public:
  DataFolder() {
    Write("constants.txt", "pi=3.14159265358979\r\ne=2.71828182845905\r\n");
    Write("presets.txt", "[1stF]\r\nsin=sin\r\ncos=cos\r\ntan=tan\r\n");
  }
  QString Path() const { return dir_.path() + QLatin1Char('/'); }

 private:
  void Write(const char* name, const char* text) {
    QFile file(dir_.filePath(QString::fromLatin1(name)));
    if (file.open(QIODevice::WriteOnly)) file.write(text);
  }
  QTemporaryDir dir_;
};

// Enter on "1+2" with `state.range(0)` lines already in the log: evaluation,
// printing, history and clearing the line.
void BM_EnterToResult(benchmark::State& state) {
  DataFolder data;
  zc::QuietPrompts quiet;
  zc::TForm1 form(data.Path(), quiet);
  form.show();
  QApplication::processEvents();
  // DIGIT prints one line and moves the echo below it, as every output does.
  for (int64_t i = 0; i < state.range(0); ++i) form.PrintLastValueToggled();
  QApplication::processEvents();

  for (auto _ : state) {
    form.InputLine()->SetTextSilently(QStringLiteral("1+2"), 3);
    form.Echo();
    form.PressEnter(false);
    QApplication::processEvents();  // the repaint belongs to the response
  }
  state.counters["lines"] = form.Log()->blockCount();
}
BENCHMARK(BM_EnterToResult)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

// Typing one character: the echo rewrites only the last line.
void BM_EchoOneCharacter(benchmark::State& state) {
  DataFolder data;
  zc::QuietPrompts quiet;
  zc::TForm1 form(data.Path(), quiet);
  form.show();
  for (int i = 0; i < 10000; ++i) form.PrintLastValueToggled();
  QApplication::processEvents();
  QString text;
  for (auto _ : state) {
    text += QLatin1Char('1');
    if (text.size() > 40) text.clear();
    form.InputLine()->SetTextSilently(text, static_cast<int>(text.size()));
    form.Echo();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_EchoOneCharacter)->Unit(benchmark::kMicrosecond);

// From nothing to a shown, painted main window with the dialogs made at start.
void BM_StartUpToUsableWindow(benchmark::State& state) {
  DataFolder data;
  zc::QuietPrompts quiet;
  for (auto _ : state) {
    zc::TForm1 form(data.Path(), quiet);
    zc::CreateStartupWindows(form);
    form.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.isVisible());
  }
}
BENCHMARK(BM_StartUpToUsableWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return zc::RunOffscreenBenchmarks<QApplication>(argc, argv); }
