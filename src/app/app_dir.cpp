#include "app_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "atomic_file_writer.h"
#include "file_reader.h"
#include "installation.h"
#include "installed_data_files.h"

namespace zc {

namespace {

QString WithSlash(QString dir) {
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  return dir;
}

}  // namespace

QStringList InstalledDataFiles() {
  QStringList names;
  for (const char* name : kInstalledDataFileNames) names << QString::fromLatin1(name);
  return names;
}

bool IsWritableDir(const QString& dir) {
  if (!QFileInfo(dir).isDir()) return false;
  // Permission bits do not tell about read-only mounts; trying does.
  QTemporaryFile probe(WithSlash(dir) + QStringLiteral(".zeltacalc-write-test-XXXXXX"));
  return probe.open();
}

AppDirChoice DefaultAppDirChoice() {
  AppDirChoice choice;
  choice.executableDir = QCoreApplication::applicationDirPath();

  choice.userDataDir = QFile::decodeName(UserDataFolderOfThisUser().c_str());
  choice.userDataDir.chop(1);  // the folder, without its trailing '/'

  // An installed program lives in <prefix>/bin, its data in
  // <prefix>/share/zeltacalc.
  const std::string installed = InstalledDataFolder(QFile::encodeName(choice.executableDir).toStdString());
  choice.seedDirs = {QDir::cleanPath(QFile::decodeName(installed.c_str())), choice.executableDir};
  return choice;
}

bool IsInstalledLayout(const AppDirChoice& choice) {
  const auto holdsData = [](const QString& dir) {
    for (const QString& name : InstalledDataFiles()) {
      if (QFileInfo::exists(WithSlash(dir) + name)) return true;
    }
    return false;
  };
  if (holdsData(choice.executableDir)) return false;
  for (const QString& dir : choice.seedDirs) {
    if (dir != choice.executableDir && holdsData(dir)) return true;
  }
  return false;
}

QString ResolveAppDir(const AppDirChoice& choice) {
  if (IsWritableDir(choice.executableDir) && !IsInstalledLayout(choice)) {
    return WithSlash(choice.executableDir);
  }

  QDir().mkpath(choice.userDataDir);
  for (const QString& name : InstalledDataFiles()) {
    const QString target = WithSlash(choice.userDataDir) + name;
    if (QFileInfo::exists(target)) continue;
    for (const QString& dir : choice.seedDirs) {
      const QString source = WithSlash(dir) + name;
      if (!QFileInfo::exists(source)) continue;
      // The user's copy is a new file with the usual permissions, writable
      // although the installed one is not. A seed that cannot be read or
      // copied leaves the file missing, which start-up then reports.
      try {
        if (const auto bytes = ReadFileBytesIfExists(QFile::encodeName(source).toStdString())) {
          WriteFileAtomically(QFile::encodeName(target).toStdString(), *bytes);
        }
      } catch (const FileError&) {
      }
      break;
    }
  }
  return WithSlash(choice.userDataDir);
}

QString SessionFilePath(const QString& appDir, const QString& userDataDir) {
  const QString name = QStringLiteral("Session.ini");
  if (IsWritableDir(appDir)) return WithSlash(appDir) + name;
  QDir().mkpath(userDataDir);
  return WithSlash(userDataDir) + name;
}

}  // namespace zc
