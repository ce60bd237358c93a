// Where the calculator keeps its data files (AppDir).
//
// Next to the executable, for a portable copy and for the build tree. When
// that folder cannot be written, as after an installation under /usr/local,
// a per-user folder takes its place, so that the user's functions survive
// from one run to the next.
#pragma once

#include <QString>
#include <QStringList>

namespace zc {

// The data files an installation ships and a new per-user folder receives.
QStringList InstalledDataFiles();

struct AppDirChoice {
  QString executableDir;  // folder of the running program
  QString userDataDir;    // $XDG_DATA_HOME/zeltacalc, or ~/.local/share/zeltacalc
  QStringList seedDirs;   // where installed data files may be found, in order
};

// The folders that apply to this run: the program's own folder and the
// per-user one derived from the environment.
AppDirChoice DefaultAppDirChoice();

// True when the program runs from an installation: its data files are not
// beside it but in a share folder (even root, who may write to bin/, keeps
// the user's files out of it).
bool IsInstalledLayout(const AppDirChoice& choice);

// Resolves AppDir, with a trailing '/'. The executable's folder when it can be
// written and is not an installation; otherwise the per-user folder, created if needed and given every
// installed data file it does not have yet (files the user already has are
// never overwritten).
QString ResolveAppDir(const AppDirChoice& choice);

// True when a file can be created in `dir`.
bool IsWritableDir(const QString& dir);

// Where the main window keeps its session: "Session.ini" in AppDir, or in
// the per-user folder (created when needed) when AppDir cannot be written.
QString SessionFilePath(const QString& appDir, const QString& userDataDir);

}  // namespace zc
