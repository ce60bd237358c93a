// The windows made at start and their menu items, as the application wires
// them.
#include <QAction>
#include <QDialog>

#include "application_setup.h"
#include "main_window_test_support.h"
#include "quit_on_signal.h"
#include "startup_windows.h"

#include <csignal>

namespace zc::test {

class StartupWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyToolItemIsEnabledOnceTheToolsExist() {
    WindowFixture f;
    TForm1& form = f.Open();
    CreateStartupWindows(form);
    const TMainMenu& menu = form.MainMenu();
    for (QAction* item : {menu.constants, menu.userFunctionManager, menu.graphTool, menu.primeTool,
                          menu.fractionTool, menu.quadraticTool, menu.calculusTool, menu.tenkeys,
                          menu.errorHelp, menu.about}) {
      QVERIFY2(item->isEnabled(), qPrintable(item->text()));
    }
    QVERIFY(menu.quadraticTool->isVisible());
    QVERIFY(form.ConstantsDialog() != nullptr);
    QVERIFY(form.ErrorDialog() != nullptr);
  }

  void toggledToolsOpenAndCloseAndAreFreedWithTheWindow() {
    WindowFixture f;
    TForm1& form = f.Open();
    CreateStartupWindows(form);
    form.show();
    const auto windowCount = [&form] {
      int visible = 0;
      for (QWidget* child : form.findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) visible += child->isVisible();
      return visible;
    };
    form.MainMenu().primeTool->trigger();
    form.MainMenu().fractionTool->trigger();
    QCOMPARE(windowCount(), 2);
    form.MainMenu().fractionTool->trigger();
    QCOMPARE(windowCount(), 1);
    form.MainMenu().fractionTool->trigger();
    QCOMPARE(windowCount(), 2);
    // Destroying the main window takes every tool with it; Functions.inf is
    // written and the prime tool's cache goes into the data folder.
    f.form.reset();
    QVERIFY(QFileInfo::exists(f.dir.filePath(QStringLiteral("Functions.inf"))));
  }

  void qtsOwnTextsAreJapanese() {
    QVERIFY(InstallQtJapanese(*qApp, QString()));
    const std::pair<const char*, const char*> texts[] = {
        {"QPlatformTheme", "Cancel"}, {"QPlatformTheme", "&Yes"}, {"QFileDialog", "Look in:"},
        {"QFileDialog", "File &name:"}, {"QFileDialog", "%1 already exists.\nDo you want to replace it?"},
    };
    for (const auto& [context, english] : texts) {
      const QString shown = QCoreApplication::translate(context, english);
      QVERIFY2(shown != QString::fromLatin1(english) && !shown.isEmpty(), english);
    }
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
  }

  void withoutTheTranslationQtKeepsItsOwnTexts() {
    QTemporaryDir empty;
    QVERIFY(!InstallQtJapanese(*qApp, empty.path()));
  }

  void windowTitlesAreTheirCaptionsAlone() {
    // A display name would be appended to every window's title.
    SetUpApplication(*qApp);
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
  }

  void terminationSignalQuitsThroughTheEventLoop() {
    static int quits = 0;
    QObject context;
    QVERIFY(QuitOnTerminationSignals(&context, [] { ++quits; }));
    std::raise(SIGTERM);  // would end the test run if the handler were missing
    QTRY_COMPARE(quits, 1);
    std::raise(SIGHUP);
    QTRY_COMPARE(quits, 2);
  }
};

}  // namespace zc::test

QTEST_MAIN(zc::test::StartupWindowsTest)
#include "startup_windows_test.moc"
