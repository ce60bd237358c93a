// What a program knows about its installation: its version, and the folders
// it finds from its own.
//
// In the build tree and in a portable copy the data files and the plugin host
// sit beside the programs. Installed, the programs are in <prefix>/bin, the
// data files in <prefix>/share/zeltacalc and the plugin host in
// <prefix>/libexec/zeltacalc. Both are found relative to the program, so an
// installation unpacked somewhere else works as well.
#pragma once

#include <string>
#include <string_view>

namespace zc {

// "<program> <version>" and a line break: what --version prints.
std::string ProgramVersionLine(std::string_view program);

// The installation's data folder for a program in `programFolder`, with a
// trailing '/'. It need not exist.
std::string InstalledDataFolder(const std::string& programFolder);

// The installation's folder of helper programs (the plugin host), with a
// trailing '/'. It need not exist.
std::string InstalledHelperFolder(const std::string& programFolder);

// True when `folder` holds at least one of the data files ZeltaCalc ships.
bool HoldsShippedDataFiles(const std::string& folder);

// Where a program in `programFolder` reads the shipped data files from, with
// a trailing '/': its own folder when they are there, else the installation's
// data folder when they are there, else its own folder (whose missing files
// are then reported by whoever reads them).
std::string ShippedDataFolder(const std::string& programFolder);

// The per-user data folder an installed window keeps its files in, with a
// trailing '/': `xdgDataHome`/zeltacalc when that is an absolute path, else
// `home`/.local/share/zeltacalc (the root folder standing in for an unknown
// home). It need not exist.
std::string UserDataFolder(const char* xdgDataHome, const char* home);

// UserDataFolder for this process's XDG_DATA_HOME and HOME.
std::string UserDataFolderOfThisUser();

// Where the command-line programs read constants.txt and Functions.inf, with
// a trailing '/'. Beside their data (a build tree, a portable copy) that
// folder. Installed, the user's data folder once the window has filled it,
// so that the user's own functions and constants work in a terminal too;
// else the installation's data folder.
std::string DataFolderForReading(const std::string& programFolder, const std::string& userDataFolder);

}  // namespace zc
