#include "user_function_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "file_reader.h"
#include "temp_dir.h"

namespace zc {
namespace {

using test::TempDir;

const std::string kSection =
    "[NewFunca]\r\nExplain=\r\nRunType=0\r\nParams=x\r\nSentence=x*2\r\nDLLPath=\r\nDLLProc=\r\n\r\n";

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadRaw(const std::string& path) { return ReadFileBytesIfExists(path).value_or("<missing>"); }

std::unique_ptr<TUserFunction> Function(std::string name, std::string sentence,
                                        std::string params = "x") {
  auto f = std::make_unique<TUserFunction>();
  f->aName = std::move(name);
  f->aParams = std::move(params);
  f->aSentence = std::move(sentence);
  return f;
}

UserFunctionList LoadText(const std::string& text) {
  TempDir dir;
  WriteRaw(dir.File("f.inf"), text);
  UserFunctionList list;
  EXPECT_TRUE(LoadUserFunctions(list, dir.File("f.inf"), true));
  return list;
}

TEST(ParseRunType, ReadsTheStoredForms) {
  const struct {
    std::string text;
    std::uint16_t runType;
  } cases[] = {
      {"0", 0},       {"1", 1},        {"2", 0},          {"-1", 0},         {"abc", 0},
      {"", 0},        {"0x1", 1},      {"0X1", 1},        {"$1", 1},         {"$01", 1},
      {"0x", 0},      {"$", 0},        {"+1", 1},         {"1.0", 0},        {"1 ", 0},
      {"65537", 1},   {"$10001", 1},   {"2147483647", 0}, {"2147483648", 0}, {"-2147483648", 0},
      {"$FFFFFFFF", 0}, {"$100000001", 0}, {"0x1g", 0},   {"99999999999999999999", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRunType(c.text), c.runType) << c.text;
}

TEST(LoadUserFunctions, ReadsEachSectionIntoARecord) {
  const UserFunctionList list = LoadText(
      "; my functions\r\n"
      "[f]\r\nExplain=double\r\nRunType=0\r\nParams=x\r\nSentence=x*2\r\nDLLPath=\r\nDLLProc=\r\n\r\n"
      "[g]\r\nRunType=1\r\nDLLPath=libplugin.so\r\nDLLProc=twice\r\n");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0]->aName, "f");
  EXPECT_EQ(list[0]->aExplain, "double");
  EXPECT_EQ(list[0]->aRunType, 0);
  EXPECT_EQ(list[0]->aParams, "x");
  EXPECT_EQ(list[0]->aSentence, "x*2");
  EXPECT_EQ(list[1]->aName, "g");
  EXPECT_EQ(list[1]->aRunType, 1);
  EXPECT_EQ(list[1]->aExplain, "");
  EXPECT_EQ(list[1]->aParams, "");
  EXPECT_EQ(list[1]->aDLLPath, "libplugin.so");
  EXPECT_EQ(list[1]->aDLLProc, "twice");
  EXPECT_EQ(list[1]->aDLLParamType, 0);
}

TEST(LoadUserFunctions, AppendsOrReplaces) {
  TempDir dir;
  WriteRaw(dir.File("f.inf"), "[f]\nSentence=1\n[g]\nSentence=2\n");
  UserFunctionList list;
  LoadUserFunctions(list, dir.File("f.inf"), false);
  LoadUserFunctions(list, dir.File("f.inf"), false);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[2]->aName, "f");
  LoadUserFunctions(list, dir.File("f.inf"), true);
  EXPECT_EQ(list.size(), 2u);
  // A missing file and an empty file read as empty.
  LoadUserFunctions(list, dir.File("absent.inf"), false);
  EXPECT_EQ(list.size(), 2u);
  WriteRaw(dir.File("empty.inf"), "");
  LoadUserFunctions(list, dir.File("empty.inf"), true);
  EXPECT_TRUE(list.empty());
}

TEST(LoadUserFunctions, RepeatedSectionsReadTheFirstOnesValues) {
  const UserFunctionList list = LoadText("[f]\nSentence=x*2\n[g]\nSentence=0\n[F]\nSentence=x*3\nExplain=2nd\n");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[2]->aName, "F");
  EXPECT_EQ(list[2]->aSentence, "x*2");
  EXPECT_EQ(list[2]->aExplain, "");
}

TEST(LoadUserFunctions, TrimsAndSkipsLikeEveryIniFile) {
  const UserFunctionList list = LoadText("Sentence=orphan\n[ f ]\n  Sentence = x*2  \n;Params=y\nParams\n");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]->aName, "f");
  EXPECT_EQ(list[0]->aSentence, "x*2");
  EXPECT_EQ(list[0]->aParams, "");
}

TEST(FormatUserFunctions, WritesSixKeysInOrderWithCrLf) {
  UserFunctionList list;
  list.push_back(Function("NewFunca", "x*2"));
  EXPECT_EQ(FormatUserFunctions(list), kSection);
  EXPECT_EQ(FormatUserFunctions({}), "");
}

TEST(FormatUserFunctions, MergesNamesEqualIgnoringCaseKeepingTheFirstSpelling) {
  UserFunctionList list;
  list.push_back(Function("Foo", "1"));
  list.push_back(Function("bar", "2"));
  list.push_back(Function("foo", "3"));
  const UserFunctionList reloaded = LoadText(FormatUserFunctions(list));
  ASSERT_EQ(reloaded.size(), 2u);
  EXPECT_EQ(reloaded[0]->aName, "Foo");
  EXPECT_EQ(reloaded[0]->aSentence, "3");
  EXPECT_EQ(reloaded[1]->aName, "bar");
}

TEST(FormatUserFunctions, LineBreaksCannotInjectKeysOrSections) {
  UserFunctionList list;
  list.push_back(Function("f", "x*2"));
  list[0]->aExplain = "first\r\n[evil]\nSentence=0";
  const UserFunctionList reloaded = LoadText(FormatUserFunctions(list));
  ASSERT_EQ(reloaded.size(), 1u);
  EXPECT_EQ(reloaded[0]->aSentence, "x*2");
  EXPECT_EQ(reloaded[0]->aExplain, "first  [evil] Sentence=0");
}

TEST(SaveUserFunctions, RoundTripsInEachEncoding) {
  const std::string japanese = "\xE4\xBA\x8C\xE5\x80\x8D";  // 二倍
  const TextEncoding encodings[] = {TextEncoding::Utf8, TextEncoding::Utf8Bom, TextEncoding::Utf16LE,
                                    TextEncoding::Utf16BE, TextEncoding::ShiftJis};
  for (TextEncoding encoding : encodings) {
    TempDir dir;
    const std::string path = dir.File("Functions.inf");
    UserFunctionList list;
    list.push_back(Function("twice", "x*2"));
    list[0]->aExplain = japanese;
    list.push_back(Function("plug", ""));
    list[1]->aRunType = 1;
    list[1]->aDLLPath = "/opt/lib" + japanese + ".so";
    list[1]->aDLLProc = "proc";
    SaveUserFunctions(list, path, encoding);

    UserFunctionList loaded;
    UserFunctionFileState found;
    LoadUserFunctions(loaded, path, true, &found);
    EXPECT_EQ(found.encoding, encoding) << static_cast<int>(encoding);
    EXPECT_FALSE(found.loadedWithLosses);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0]->aExplain, japanese);
    EXPECT_EQ(loaded[1]->aRunType, 1);
    EXPECT_EQ(loaded[1]->aDLLPath, list[1]->aDLLPath);

    // Saving again without naming an encoding keeps the file's own.
    SaveUserFunctions(loaded, path);
    EXPECT_EQ(DetectEncoding(ReadRaw(path)), encoding) << static_cast<int>(encoding);
    EXPECT_EQ(DecodeText(ReadRaw(path)).utf8, FormatUserFunctions(list));
  }
}

TEST(SaveUserFunctions, ShiftJisFileFromWindowsLoadsAndStaysShiftJis) {
  TempDir dir;
  const std::string path = dir.File("Functions.inf");
  // "[テスト]" with a Sentence, as a Windows installation writes it.
  WriteRaw(path, "[\x83\x65\x83\x58\x83\x67]\r\nSentence=x+1\r\n\r\n");
  UserFunctionList list;
  LoadUserFunctions(list, path, true);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]->aName, "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88");
  SaveUserFunctions(list, path);
  const std::string bytes = ReadRaw(path);
  EXPECT_EQ(bytes.substr(0, 8), "[\x83\x65\x83\x58\x83\x67]");
}

TEST(SaveUserFunctions, NewFileIsUtf8WithoutMarkAndEmptyListIsEmptyFile) {
  TempDir dir;
  const std::string path = dir.File("Functions.inf");
  UserFunctionList list;
  list.push_back(Function("NewFunca", "x*2"));
  SaveUserFunctions(list, path);
  EXPECT_EQ(ReadRaw(path), kSection);
  SaveUserFunctions({}, path);
  EXPECT_EQ(ReadRaw(path), "");
}

TEST(SaveUserFunctions, BlanksAroundValuesDoNotSurviveAReload) {
  TempDir dir;
  const std::string path = dir.File("Functions.inf");
  UserFunctionList list;
  list.push_back(Function("  f ", " x*2 ", " a, b "));
  SaveUserFunctions(list, path);
  UserFunctionList loaded;
  LoadUserFunctions(loaded, path, true);
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded[0]->aName, "f");
  EXPECT_EQ(loaded[0]->aSentence, "x*2");
  EXPECT_EQ(loaded[0]->aParams, "a, b");
}

TEST(LoadUserFunctions, UnreadableFileThrowsAndIsNeverSavedOver) {
  TempDir dir;
  const std::string path = dir.File("Functions.inf");
  WriteRaw(path, "[precious]\r\nSentence=1\r\n");
  chmod(path.c_str(), 0);
  chmod(dir.Path().c_str(), 0777);
  // Permissions do not bind root, so the user's side runs as an ordinary user.
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(4);
    UserFunctionList list;
    list.push_back(Function("mine", "1"));
    try {
      LoadUserFunctions(list, path, true);
      _exit(5);
    } catch (const FileError&) {
    }
    if (list.size() != 1) _exit(6);
    try {
      SaveUserFunctions(list, path);
    } catch (const FileError&) {
      _exit(0);
    }
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: saved over, 4: no ordinary user, 5: loaded, 6: list changed";
  chmod(path.c_str(), 0600);
  EXPECT_EQ(ReadRaw(path), "[precious]\r\nSentence=1\r\n");
}

TEST(LoadUserFunctions, ReadsUtf16WithoutAMarkAndKeepsItUtf16) {
  TempDir dir;
  const std::string path = dir.File("Functions.inf");
  WriteRaw(path, EncodeText(kSection, TextEncoding::Utf16LE).substr(2));
  UserFunctionList list;
  LoadUserFunctions(list, path, true);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]->aParams, "x");
  EXPECT_EQ(list[0]->aSentence, "x*2");
  SaveUserFunctions(list, path);
  EXPECT_EQ(ReadRaw(path), EncodeText(kSection, TextEncoding::Utf16LE));
}

TEST(LoadUserFunctions, TellsAFileThatLoadedWithLosses) {
  std::string unrelated;
  for (int i = 0; i < 5000; ++i) unrelated += "line " + std::to_string(i) + " of someone's notes\n";
  const struct {
    const char* label;
    std::string bytes;
    std::size_t functions;
    bool losses;
  } cases[] = {
      {"functions", kSection, 1, false},
      {"empty file", "", 0, false},
      {"blank lines only", "\r\n  \r\n", 0, false},
      {"unrelated text", unrelated, 0, true},
      {"comments only", "; kept by hand\r\n", 0, true},
      {"undecodable bytes", "\xEF\xBB\xBF" + kSection + "Explain=\xFF\r\n", 1, true},
      {"binary data", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), 0, true},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteRaw(dir.File("f.inf"), c.bytes);
    UserFunctionList list;
    UserFunctionFileState state;
    LoadUserFunctions(list, dir.File("f.inf"), true, &state);
    EXPECT_EQ(list.size(), c.functions) << c.label;
    EXPECT_EQ(state.loadedWithLosses, c.losses) << c.label;
  }
}

TEST(SaveUserFunctions, ReadOnlyFileIsNotReplaced) {
  TempDir dir;
  const std::string path = dir.File("Functions.inf");
  WriteRaw(path, kSection);
  chmod(path.c_str(), 0444);
  UserFunctionList list;
  EXPECT_THROW(SaveUserFunctions(list, path), FileError);
  EXPECT_EQ(ReadRaw(path), kSection);
}

TEST(SaveUserFunctions, FailureThrowsAndKeepsTheList) {
  TempDir dir;
  UserFunctionList list;
  list.push_back(Function("f", "x"));
  EXPECT_THROW(SaveUserFunctions(list, dir.File("missing/Functions.inf")), FileError);
  EXPECT_EQ(list.size(), 1u);
}

}  // namespace
}  // namespace zc
