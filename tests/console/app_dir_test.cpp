// Where the application keeps its data: beside the program, or in the user's
// data folder when the program is installed.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "app_dir.h"

namespace zc::test {

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class AppDirTest : public QObject {
  Q_OBJECT

 private slots:
  void portableFolderWithDataIsAppDir() {
    QTemporaryDir root;
    AppDirChoice choice{root.filePath("bin"), root.filePath("user/zeltacalc"), {root.filePath("share/zeltacalc"), root.filePath("bin")}};
    WriteFile(root.filePath("bin/constants.txt"), "pi=3\r\n");
    QCOMPARE(ResolveAppDir(choice), root.filePath("bin") + "/");
    QVERIFY(!QFileInfo::exists(choice.userDataDir));
  }

  void installedProgramUsesASeededUserFolder() {
    QTemporaryDir root;
    AppDirChoice choice{root.filePath("usr/bin"), root.filePath("home/.local/share/zeltacalc"),
                        {root.filePath("usr/share/zeltacalc"), root.filePath("usr/bin")}};
    QDir().mkpath(choice.executableDir);
    WriteFile(root.filePath("usr/share/zeltacalc/constants.txt"), "pi=3\r\n");
    WriteFile(root.filePath("usr/share/zeltacalc/presets.txt"), "[1stF]\r\n");
    QFile::setPermissions(root.filePath("usr/share/zeltacalc/presets.txt"), QFileDevice::ReadOwner);
    // The user's own constants are never replaced by the installed ones.
    WriteFile(choice.userDataDir + "/constants.txt", "mine=1\r\n");

    QVERIFY(IsInstalledLayout(choice));
    QCOMPARE(ResolveAppDir(choice), choice.userDataDir + "/");
    QCOMPARE(ReadFile(choice.userDataDir + "/constants.txt"), QByteArray("mine=1\r\n"));
    QCOMPARE(ReadFile(choice.userDataDir + "/presets.txt"), QByteArray("[1stF]\r\n"));
    QVERIFY(QFileInfo(choice.userDataDir + "/presets.txt").permissions() & QFileDevice::WriteOwner);
    QVERIFY(!QFileInfo::exists(choice.userDataDir + "/errors.txt"));
  }

  void missingProgramFolderFallsBackToTheUserFolder() {
    QTemporaryDir root;
    AppDirChoice choice{root.filePath("gone"), root.filePath("data/zeltacalc"), {}};
    QVERIFY(!IsWritableDir(choice.executableDir));
    QCOMPARE(ResolveAppDir(choice), choice.userDataDir + "/");
    QVERIFY(QFileInfo(choice.userDataDir).isDir());
  }
};

}  // namespace zc::test

QTEST_GUILESS_MAIN(zc::test::AppDirTest)
#include "app_dir_test.moc"
