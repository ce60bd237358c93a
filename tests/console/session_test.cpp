// Sessions: what the main window brings back at the next start while
// "セッションを保存する(&S)" is on, and where and when it is written.
#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QTimer>

#include "app_dir.h"
#include "control_panel.h"
#include "file_reader.h"
#include "main_window_test_support.h"
#include "session_file.h"
#include "session_keeper.h"

namespace zc::test {

class SessionTest : public QObject {
  Q_OBJECT

  static QString SessionPath(const WindowFixture& f) { return f.dir.filePath(QStringLiteral("Session.ini")); }

  static TForm1& OpenWithSession(WindowFixture& f) {
    TForm1& form = f.Open();
    form.StartSession(SessionPath(f));
    return form;
  }

  static void EnterLines(WindowFixture& f, const QStringList& lines) {
    for (const QString& line : lines) {
      f.Type(line);
      f.Enter();
    }
  }

  static std::optional<SessionState> SavedSession(const WindowFixture& f) {
    const auto text = ReadTextFileIfExists(QFile::encodeName(SessionPath(f)).toStdString());
    return text ? ParseSession(text->utf8) : std::nullopt;
  }

  // What the timer does after 30 s.
  static void Tick(QTimer* timer) { QVERIFY(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection)); }

  static QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private slots:
  void aClosedWindowComesBackAsItWasLeft() {
    WindowFixture f;
    {
      TForm1& form = OpenWithSession(f);
      QVERIFY(form.MainMenu().saveSession->isChecked());
      EnterLines(f, {"x=5", "  2+2 ", "x*ANS"});
      form.ControlPanel()->SelectAngleMode(AngleMode::Rad);
      form.addDockWidget(Qt::LeftDockWidgetArea, form.ControlPanelDock());
      form.resize(820, 610);
      form.show();
      QVERIFY(form.close());
    }
    f.form.reset();

    TForm1& again = OpenWithSession(f);
    QCOMPARE(again.InputLine()->History(), (QStringList{"x*ANS", "  2+2 ", "x=5"}));
    QCOMPARE(again.Variables(), (NameValueList{"x=5", "ANS=20"}));
    QCOMPARE(again.Engine().angleMode, AngleMode::Rad);
    QCOMPARE(again.ControlPanel()->SelectedAngleMode(), AngleMode::Rad);
    QCOMPARE(again.size(), QSize(820, 610));
    QCOMPARE(again.dockWidgetArea(again.ControlPanelDock()), Qt::LeftDockWidgetArea);
    QVERIFY(again.MainMenu().saveSession->isChecked());
    QCOMPARE(again.Note(), QString());
    // The restored values are live: the engine reads them.
    EnterLines(f, {"x+ANS"});
    QCOMPARE(again.LastValue(), 25.0L);
  }

  void aLongRestoredLineLeavesTheWindowItsWidth() {
    WindowFixture plain;
    plain.Open().show();
    WindowFixture restored;
    TForm1& form = restored.Open();
    form.InputLine()->SetHistory({QString(400, u'9'), QStringLiteral("1")});
    form.show();
    QCOMPARE(form.minimumSizeHint(), plain.form->minimumSizeHint());
  }

  void aDamagedFileIsIgnoredWithANote_data() {
    QTest::addColumn<QByteArray>("bytes");
    static const char garbage[] = "\x00\x01\x02 not a session \xff";
    QTest::newRow("garbage") << QByteArray(garbage, sizeof garbage - 1);
    QTest::newRow("another program's INI file") << QByteArray("[Window]\r\nWidth=10\r\n");
    QTest::newRow("cut off in a line") << QByteArray(
        "[ZELTA CALC SYSTEM Session]\r\nFormat=1\r\nSave=1\r\nAngleMode=RAD\r\nGeometry=\r\nPanels=\r\n"
        "[History]\r\nLine=\"1+");
  }
  void aDamagedFileIsIgnoredWithANote() {
    QFETCH(QByteArray, bytes);
    WindowFixture f;
    f.Write("Session.ini", bytes);
    TForm1& form = OpenWithSession(f);
    QVERIFY(form.Note().contains(QStringLiteral("Session.ini")));
    QVERIFY(form.InputLine()->History().isEmpty());
    QCOMPARE(form.Engine().angleMode, AngleMode::Deg);
    QVERIFY(form.MainMenu().saveSession->isChecked());
    EnterLines(f, {"3"});
    QVERIFY(form.close());
    // The next session replaces the damaged one.
    const auto saved = SavedSession(f);
    QVERIFY(saved.has_value());
    QCOMPARE(saved->history, QStringList{"3"});
  }

  void turnedOffNothingIsKeptAndTheChoiceHolds() {
    WindowFixture f;
    {
      TForm1& form = OpenWithSession(f);
      EnterLines(f, {"1"});
      form.Session()->SaveIfChanged();
      QCOMPARE(SavedSession(f)->history, QStringList{"1"});
      form.MainMenu().saveSession->setChecked(false);
      EnterLines(f, {"2"});
      QVERIFY(form.close());
    }
    f.form.reset();
    const QByteArray off = Bytes(SessionPath(f));
    QVERIFY(!off.contains("Line="));
    QVERIFY(off.contains("Save=0"));

    TForm1& again = OpenWithSession(f);
    QVERIFY(!again.MainMenu().saveSession->isChecked());
    QVERIFY(again.InputLine()->History().isEmpty());
    EnterLines(f, {"3"});
    again.Session()->SaveIfChanged();
    QVERIFY(again.close());
    QCOMPARE(Bytes(SessionPath(f)), off);  // nothing written while off

    // Turning it on again keeps this run from then on.
    f.form.reset();
    TForm1& third = OpenWithSession(f);
    third.MainMenu().saveSession->setChecked(true);
    EnterLines(f, {"4"});
    QVERIFY(third.close());
    QCOMPARE(SavedSession(f)->history, QStringList{"4"});
  }

  void aChangedSessionIsWrittenEveryThirtySeconds() {
    WindowFixture f;
    TForm1& form = OpenWithSession(f);
    QTimer* timer = form.Session()->Timer();
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 30'000);
    EnterLines(f, {"5*5"});
    Tick(timer);
    QCOMPARE(SavedSession(f)->history, QStringList{"5*5"});
    // Unchanged: nothing is written.
    QVERIFY(QFile::remove(SessionPath(f)));
    Tick(timer);
    QVERIFY(!QFileInfo::exists(SessionPath(f)));
    EnterLines(f, {"6"});
    Tick(timer);
    QCOMPARE(SavedSession(f)->history, (QStringList{"6", "5*5"}));
  }

  void theLastWindowToCloseWins() {
    WindowFixture f;
    WindowFixture other;  // a second running program with the same data folder
    TForm1& first = OpenWithSession(f);
    TForm1 second(f.AppDir(), other.prompts);
    second.StartSession(SessionPath(f));
    EnterLines(f, {"1"});
    QTest::keyClicks(second.InputLine()->lineEdit(), QStringLiteral("2"));
    QTest::keyClick(second.InputLine()->lineEdit(), Qt::Key_Return);

    Tick(second.Session()->Timer());
    QCOMPARE(SavedSession(f)->history, QStringList{"2"});
    QVERIFY(first.close());
    QCOMPARE(SavedSession(f)->history, QStringList{"1"});
    QVERIFY(second.close());
    QCOMPARE(SavedSession(f)->history, QStringList{"2"});
    // Every write left a whole file and no temporary one beside it.
    QCOMPARE(QDir(f.dir.path()).entryList({QStringLiteral("Session.ini*")}, QDir::Files),
             QStringList{"Session.ini"});
  }

  void aFolderThatCannotBeWrittenLeavesTheSessionToTheUserFolder() {
    QTemporaryDir root;
    const QString unwritable = root.filePath(QStringLiteral("not-a-folder"));
    QFile file(unwritable);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString userFolder = root.filePath(QStringLiteral("user/zeltacalc"));
    QCOMPARE(SessionFilePath(unwritable + QLatin1Char('/'), userFolder), userFolder + "/Session.ini");
    QVERIFY(QFileInfo(userFolder).isDir());
    QCOMPARE(SessionFilePath(root.path() + QLatin1Char('/'), userFolder), root.filePath("Session.ini"));
  }

  void aSessionThatCannotBeWrittenNeverStopsTheProgram() {
    WindowFixture f;
    TForm1& form = f.Open();
    const QString path = f.dir.filePath(QStringLiteral("gone/Session.ini"));
    form.StartSession(path);
    EnterLines(f, {"1"});
    Tick(form.Session()->Timer());
    QVERIFY(form.Note().contains(QStringLiteral("Session.ini")));
    QSignalSpy closed(&form, &TForm1::Closed);
    QVERIFY(form.close());
    QCOMPARE(closed.size(), 1);
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(f.errors.isEmpty());
  }
};

}  // namespace zc::test

QTEST_MAIN(zc::test::SessionTest)
#include "session_test.moc"
