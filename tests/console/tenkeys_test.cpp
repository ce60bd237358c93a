#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "dialog_test_suites.h"
#include "tenkeys.h"

namespace zc {

namespace {

// The parts of the main window the pad talks to: the input line with its
// history, the echo into the log, InsertPos and Enter.
struct ConsoleDouble {
  QComboBox input;
  QString echoLine;
  int insertPos = 0;
  QStringList evaluated;
  HistoryWalk walk;
  QPointer<TTenkeys> pad;

  ConsoleDouble() {
    input.setEditable(true);
    input.setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(input.lineEdit(), &QLineEdit::textEdited, [this] { Echo(); });
  }

  void Echo() {
    echoLine = input.currentText();
    insertPos = input.lineEdit()->cursorPosition();
    if (pad) pad->SetText(input.currentText(), insertPos);
  }

  void Enter() {
    evaluated << input.currentText();
    input.insertItem(0, input.currentText());
    input.lineEdit()->clear();
    walk.Restart();
    if (pad) pad->SetText(QString(), 0);
  }

  void StepHistory(HistoryWalk::Direction direction) {
    QStringList history;
    for (int i = 0; i < input.count(); ++i) history << input.itemText(i);
    if (const auto recalled = walk.Step(direction, history, input.currentText())) {
      input.lineEdit()->setText(*recalled);
      Echo();
    }
  }

  TTenkeys* OpenPad() {
    pad = new TTenkeys(&input, {[this] { return insertPos; }, [this] { Echo(); }, [this] { Enter(); },
                                [this](HistoryWalk::Direction direction) { StepHistory(direction); }});
    pad->show();
    return pad;
  }

  ~ConsoleDouble() { delete pad; }
};

void Press(TTenkeys* pad, const QString& keys) {
  for (const QChar key : keys) QTest::mouseClick(pad->Key(QString(key)), Qt::LeftButton);
}

}  // namespace

class TenkeysTest : public QObject {
  Q_OBJECT

 private slots:
  void keysShowInThePadTheInputLineAndTheEcho() {
    ConsoleDouble console;
    TTenkeys* pad = console.OpenPad();
    Press(pad, "1+2");
    QCOMPARE(pad->Edit()->text(), QStringLiteral("1+2"));
    QCOMPARE(console.input.currentText(), QStringLiteral("1+2"));
    QCOMPARE(console.echoLine, QStringLiteral("1+2"));
    QCOMPARE(console.insertPos, 3);
    QCOMPARE(console.input.lineEdit()->cursorPosition(), 3);

    QTest::mouseClick(pad->Key(QStringLiteral("Enter")), Qt::LeftButton);
    QCOMPARE(console.evaluated, QStringList{QStringLiteral("1+2")});
    QCOMPARE(pad->Edit()->text(), QString());
    QCOMPARE(console.input.currentText(), QString());
    QCOMPARE(pad->PadPos(), 0);
  }

  void typingInTheInputLineShowsInThePad() {
    ConsoleDouble console;
    TTenkeys* pad = console.OpenPad();
    console.input.lineEdit()->setFocus();
    QTest::keyClicks(console.input.lineEdit(), "12");
    QCOMPARE(pad->Edit()->text(), QStringLiteral("12"));
    QCOMPARE(pad->PadPos(), 2);
    QCOMPARE(pad->Edit()->cursorPosition(), 2);
    Press(pad, "3");
    QCOMPARE(pad->Edit()->text(), QStringLiteral("123"));
    QCOMPARE(console.input.currentText(), QStringLiteral("123"));
  }

  void editingKeysWorkAtThePadsInsertionPoint() {
    struct Case {
      QString start;
      int position;
      QStringList keys;
      QString text;
      int padPos;
    };
    const QString left = QStringLiteral("◀"), right = QStringLiteral("▶");
    const Case cases[] = {
        {"123", 3, {left, left, "0"}, "1023", 2},
        {"123", 3, {"BS"}, "12", 2},
        {"123", 1, {"BS"}, "23", 0},
        {"123", 0, {"BS"}, "123", 0},        // nothing before the caret
        {"123", 0, {left, "5"}, "5123", 1},  // ◀ stops at the start
        {"123", 3, {right, "5"}, "1235", 4}, // ▶ stops at the end
        {"", 0, {"(", "2", ")", "^", "2"}, "(2)^2", 5},
    };
    for (const auto& c : cases) {
      ConsoleDouble console;
      console.input.setEditText(c.start);
      console.insertPos = c.position;
      TTenkeys* pad = console.OpenPad();
      QCOMPARE(pad->PadPos(), c.position);
      for (const auto& key : c.keys) QTest::mouseClick(pad->Key(key), Qt::LeftButton);
      QCOMPARE(pad->Edit()->text(), c.text);
      QCOMPARE(console.input.currentText(), c.text);
      QCOMPARE(pad->PadPos(), c.padPos);
      QCOMPARE(pad->Edit()->cursorPosition(), c.padPos);
    }
  }

  void insertionFromTheMainWindowMovesThePadsInsertionPoint() {
    ConsoleDouble console;
    TTenkeys* pad = console.OpenPad();
    Press(pad, "2");
    // A function inserted by a menu: the main window sets the text and caret
    // and runs its echo.
    console.input.setEditText(QStringLiteral("sin(2"));
    console.input.lineEdit()->setCursorPosition(4);
    console.Echo();
    QCOMPARE(pad->Edit()->text(), QStringLiteral("sin(2"));
    QCOMPARE(pad->PadPos(), 4);
    Press(pad, "3");
    QCOMPARE(console.input.currentText(), QStringLiteral("sin(32"));
  }

  void upAndDownStepThroughTheHistory() {
    ConsoleDouble console;
    console.input.addItem(QStringLiteral("3*3"));  // newest first
    console.input.addItem(QStringLiteral("1+1"));
    console.input.setEditText(QString());
    TTenkeys* pad = console.OpenPad();
    Press(pad, "7");
    const QString up = QStringLiteral("▲"), down = QStringLiteral("▼");
    struct Step {
      QString key;
      QString text;
    };
    const Step steps[] = {{up, "3*3"}, {up, "1+1"}, {up, "1+1"}, {down, "3*3"}, {down, "7"}, {down, "7"}};
    for (const auto& step : steps) {
      QTest::mouseClick(pad->Key(step.key), Qt::LeftButton);
      QCOMPARE(pad->Edit()->text(), step.text);
      QCOMPARE(console.input.currentText(), step.text);
      QCOMPARE(pad->PadPos(), int(step.text.size()));
      QCOMPARE(pad->Edit()->cursorPosition(), int(step.text.size()));
    }
    // A recalled line can be edited and run.
    QTest::mouseClick(pad->Key(up), Qt::LeftButton);
    Press(pad, "1");
    QCOMPARE(console.input.currentText(), QStringLiteral("3*31"));
    QTest::mouseClick(pad->Key(QStringLiteral("Enter")), Qt::LeftButton);
    QCOMPARE(console.evaluated, QStringList{QStringLiteral("3*31")});
  }

  void typingInThePadEditLineReachesTheInputLine() {
    ConsoleDouble console;
    TTenkeys* pad = console.OpenPad();
    pad->Edit()->setFocus();
    QTest::keyClicks(pad->Edit(), "4*5");
    QCOMPARE(console.input.currentText(), QStringLiteral("4*5"));
    QCOMPARE(console.echoLine, QStringLiteral("4*5"));
    QTest::keyClick(pad->Edit(), Qt::Key_Return);
    QCOMPARE(console.evaluated, QStringList{QStringLiteral("4*5")});
    QCOMPARE(pad->Edit()->text(), QString());
  }

  void sliderDrivesTheOpacity() {
    ConsoleDouble console;
    TTenkeys* pad = console.OpenPad();
    QSlider* slider = pad->TransparencySlider();
    QCOMPARE(slider->minimum(), 50);
    QCOMPARE(slider->maximum(), 256);
    QCOMPARE(slider->value(), 256);
    QCOMPARE(pad->windowOpacity(), 1.0);
    slider->setValue(50);
    QVERIFY(qAbs(pad->windowOpacity() - 50 / 255.0) < 0.01);
    slider->setValue(256);
    QCOMPARE(pad->windowOpacity(), 1.0);
  }

  void padIsAnOnTopToolWindowThatGoesAwayWhenClosed() {
    ConsoleDouble console;
    TTenkeys* pad = console.OpenPad();
    QVERIFY(pad->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(pad->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    for (const char* caption : {"▲", "◀", "▶", "▼"}) QVERIFY(pad->Key(QString::fromUtf8(caption)));
    pad->close();
    QTRY_VERIFY(console.pad.isNull());
  }
};

int dialog_tests::RunTenkeysTests(int argc, char** argv) {
  TenkeysTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace zc

#include "tenkeys_test.moc"
