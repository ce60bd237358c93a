// A main window over a throw-away data folder, with the error boxes and
// questions answered by the test instead of shown.
#pragma once

#include <QFile>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <memory>

#include "console_log.h"
#include "input_line.h"
#include "main_window.h"
#include "recording_prompts.h"

namespace zc::test {

inline const char* kTestConstants = "pi=3.14159265358979\r\ne=2.71828182845905\r\n";

inline const char* kTestPresets =
    "[1stF]\r\nsin=sin\r\ncos=cos\r\nsqr=sqr\r\n"
    "[Many]\r\n1=a\r\n2=b\r\n3=c\r\n4=d\r\n5=e\r\n6=f\r\n7=g\r\n8=h\r\n9=i\r\n10=j\r\n11=k\r\n12=l\r\n13=m\r\n";

inline const char* kTestErrors =
    "[12 : 認識できない文字や名前=12]\r\n読めない名前があります。\r\n例 : qqq+1\r\n"
    "[14 : ゼロで割った=14]\r\n0 で割り算をしました。\r\n例 : 1/0\r\n";

class WindowFixture {
 public:
  explicit WindowFixture(bool withConstants = true, const char* presets = kTestPresets) {
    if (withConstants) Write("constants.txt", kTestConstants);
    if (presets != nullptr) Write("presets.txt", presets);
  }

  void Write(const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromUtf8(name)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QString AppDir() const { return dir.path() + QLatin1Char('/'); }

  TForm1& Open() {
    form = std::make_unique<TForm1>(AppDir(), prompts);
    return *form;
  }

  QLineEdit* Edit() const { return form->InputLine()->lineEdit(); }

  void Type(const QString& text) { QTest::keyClicks(Edit(), text); }
  void Enter(Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Edit(), Qt::Key_Return, modifiers);
  }

  // The log's lines; the last one is the echo of the input line.
  QStringList LogLines() const {
    return form->Log()->document()->toPlainText().split(QLatin1Char('\n'));
  }
  QString LastLogLine() const { return LogLines().constLast(); }
  // Everything printed after the banner and its empty line.
  QStringList LinesAfterBanner() const { return LogLines().mid(4); }

  QTemporaryDir dir;
  RecordingPrompts prompts;  // declared before the window, which uses it to the end
  QStringList& errors = prompts.errors;
  QStringList& closeQuestions = prompts.questions;
  bool& closeAnswer = prompts.answer;
  std::unique_ptr<TForm1> form;
};

}  // namespace zc::test
