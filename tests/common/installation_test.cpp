// Finding the data files and the helper program from the program's folder:
// beside it in the build tree, in <prefix>/share and <prefix>/libexec once
// installed, wherever the installation was unpacked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "installation.h"
#include "temp_dir.h"

namespace zc {
namespace {

using test::TempDir;

void Touch(const std::string& path) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path) << "x";
}

TEST(Installation, FoldersAreFoundRelativeToTheProgram) {
  const struct {
    std::string programFolder;
    std::string data;
    std::string helpers;
  } cases[] = {
      {"/usr/bin", "/usr/share/zeltacalc/", "/usr/libexec/zeltacalc/"},
      {"/usr/bin/", "/usr/share/zeltacalc/", "/usr/libexec/zeltacalc/"},
      {"/opt/unpacked/usr/bin", "/opt/unpacked/usr/share/zeltacalc/", "/opt/unpacked/usr/libexec/zeltacalc/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InstalledDataFolder(c.programFolder), c.data) << c.programFolder;
    EXPECT_EQ(InstalledHelperFolder(c.programFolder), c.helpers) << c.programFolder;
  }
}

TEST(Installation, ShippedDataFilesAreReadBesideTheProgramFirst) {
  const struct {
    const char* label;
    const char* besideFile;     // nullptr: nothing beside the program
    const char* installedFile;  // nullptr: nothing in share/zeltacalc
    bool expectInstalled;
  } cases[] = {
      {"build tree", "constants.txt", nullptr, false},
      {"build tree next to an installation", "errors.txt", "constants.txt", false},
      {"installed", nullptr, "constants.txt", true},
      {"installed, any shipped file counts", nullptr, "presets.txt", true},
      {"a stray file of another name is no data", "Session.ini", "errors.txt", true},
      {"nothing anywhere: the program's folder, whose files are reported missing", nullptr, nullptr, false},
  };
  for (const auto& c : cases) {
    TempDir root;
    const std::string bin = root.File("usr/bin");
    std::filesystem::create_directories(bin);
    if (c.besideFile) Touch(bin + "/" + c.besideFile);
    if (c.installedFile) Touch(root.File("usr/share/zeltacalc/") + c.installedFile);
    const std::string expected = c.expectInstalled ? root.File("usr/share/zeltacalc/") : bin + "/";
    EXPECT_EQ(ShippedDataFolder(bin), expected) << c.label;
  }
}

TEST(Installation, TheUsersDataFolderFollowsXdgDataHome) {
  const struct {
    const char* xdgDataHome;
    const char* home;
    const char* folder;
  } cases[] = {
      {"/data/me", "/home/me", "/data/me/zeltacalc/"},
      {"/data/me/", "/home/me", "/data/me/zeltacalc/"},
      {"relative/data", "/home/me", "/home/me/.local/share/zeltacalc/"},
      {"", "/home/me", "/home/me/.local/share/zeltacalc/"},
      {nullptr, "/home/me/", "/home/me/.local/share/zeltacalc/"},
      {nullptr, nullptr, "/.local/share/zeltacalc/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UserDataFolder(c.xdgDataHome, c.home), c.folder)
        << (c.xdgDataHome ? c.xdgDataHome : "unset") << ", " << (c.home ? c.home : "unset");
  }
}

// The command-line programs read the files the user works with in the
// window: an installed window keeps them in the user's data folder.
TEST(Installation, InstalledProgramsReadTheUsersDataOnceTheWindowMadeIt) {
  const struct {
    const char* label;
    bool beside;             // data files beside the program
    const char* userFile;    // nullptr: the user's folder is empty
    const char* expected;    // "bin", "share" or "user"
  } cases[] = {
      {"build tree", true, "Functions.inf", "bin"},
      {"installed, the window has run", false, "constants.txt", "user"},
      {"installed, functions but no copies of the shipped files", false, "Functions.inf", "share"},
      {"installed, the window never ran", false, nullptr, "share"},
      {"installed, a stray file is no data", false, "Session.old", "share"},
  };
  for (const auto& c : cases) {
    TempDir root;
    const std::string bin = root.File("usr/bin");
    std::filesystem::create_directories(bin);
    Touch(root.File("usr/share/zeltacalc/constants.txt"));
    if (c.beside) Touch(bin + "/constants.txt");
    const std::string user = root.File("home/.local/share/zeltacalc/");
    std::filesystem::create_directories(user);
    if (c.userFile) Touch(user + c.userFile);
    const std::string expected = std::string(c.expected) == "bin"     ? bin + "/"
                                 : std::string(c.expected) == "share" ? root.File("usr/share/zeltacalc/")
                                                                      : user;
    EXPECT_EQ(DataFolderForReading(bin, user), expected) << c.label;
  }
}

}  // namespace
}  // namespace zc
