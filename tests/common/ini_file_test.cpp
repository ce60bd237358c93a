#include "ini_file.h"

#include <gtest/gtest.h>

namespace zc {
namespace {

// One reading rule per row: the file text and the value expected for
// [s] key, or nothing when the key must not be found.
struct ReadingRule {
  const char* rule;
  std::string text;
  std::string section;
  std::string key;
  std::optional<std::string> value;
};

TEST(IniFile, TellsAKeyAloneFromAnEmptyValue) {
  const IniFile ini = IniFile::Parse("[s]\nalone\nempty=\n");
  const auto& entries = ini.Sections().front().entries;
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_FALSE(entries[0].hasEquals);
  EXPECT_TRUE(entries[1].hasEquals);
}

TEST(IniFile, FollowsEveryReadingRule) {
  const ReadingRule rules[] = {
      {"plain key", "[s]\nkey=v", "s", "key", "v"},
      {"blanks around key and value are trimmed", "[s]\n  key  =  x*2  \n", "s", "key", "x*2"},
      {"tabs and control characters are trimmed", "\t[s]\x01\r\n\tkey=v\t\r\n", "s", "key", "v"},
      {"first '=' splits", "[s]\nkey=a=b", "s", "key", "a=b"},
      {"empty value", "[s]\nkey=", "s", "key", ""},
      {"line without '=' is a key without value", "[s]\nkey", "s", "key", ""},
      {"key lookup ignores case", "[s]\nKEY=v", "s", "key", "v"},
      {"section lookup ignores case", "[Sec]\nk=v", "SEC", "k", "v"},
      {"section name is trimmed", "[  s  ]\nk=v", "s", "k", "v"},
      {"first of duplicate keys wins", "[s]\nk=1\nk=2", "s", "k", "1"},
      {"first of duplicate sections wins", "[s]\nk=1\n[S]\nk=2", "s", "k", "1"},
      {"key only in a repeated section is not found", "[s]\na=1\n[s]\nk=2", "s", "k", std::nullopt},
      {"comment line", "[s]\n;k=1\nk=2", "s", "k", "2"},
      {"indented comment line", "[s]\n   ;k=1\nk=2", "s", "k", "2"},
      {"';' inside a value is text", "[s]\nk=a;b", "s", "k", "a;b"},
      {"line before the first section is dropped", "k=0\n[s]\nj=1", "s", "k", std::nullopt},
      {"CR line ends", "[s]\rk=v\r", "s", "k", "v"},
      {"blank lines are skipped", "\n\n[s]\n\n\nk=v\n\n", "s", "k", "v"},
      {"'[' without ']' is a key", "[s]\n[k=v", "s", "[k", "v"},
      {"missing section", "[s]\nk=v", "t", "k", std::nullopt},
      {"missing key", "[s]\nk=v", "s", "j", std::nullopt},
      {"empty key name", "[s]\n=v", "s", "", "v"},
      {"empty section name", "[]\nk=v", "", "k", "v"},
      {"brackets inside a section name", "[a]b]\nk=v", "a]b", "k", "v"},
      {"non-ASCII names", "[\xE9\x96\xA2\xE6\x95\xB0]\n\xE5\x90\x8D=v", "\xE9\x96\xA2\xE6\x95\xB0",
       "\xE5\x90\x8D", "v"},
  };
  for (const ReadingRule& r : rules) {
    EXPECT_EQ(IniFile::Parse(r.text).Value(r.section, r.key), r.value) << r.rule;
  }
}

TEST(IniFile, KeepsEverySectionAndEntryInFileOrder) {
  const IniFile ini = IniFile::Parse("[f]\nb=2\na=1\n[g]\n[F]\nc=3\n");
  ASSERT_EQ(ini.Sections().size(), 3u);
  EXPECT_EQ(ini.Sections()[0].name, "f");
  EXPECT_EQ(ini.Sections()[1].name, "g");
  EXPECT_EQ(ini.Sections()[2].name, "F");
  ASSERT_EQ(ini.Sections()[0].entries.size(), 2u);
  EXPECT_EQ(ini.Sections()[0].entries[0].key, "b");
  EXPECT_EQ(ini.Sections()[0].entries[1].key, "a");
  EXPECT_TRUE(ini.Sections()[1].entries.empty());
  EXPECT_EQ(IniFile::Value(ini.Sections()[2], "C"), "3");
  EXPECT_EQ(ini.FindSection("F"), &ini.Sections()[0]);
}

TEST(IniFile, EmptyTextHasNoSections) {
  EXPECT_TRUE(IniFile::Parse("").Sections().empty());
  EXPECT_TRUE(IniFile::Parse("; only a comment\r\nk=v\r\n").Sections().empty());
  EXPECT_EQ(IniFile::Parse("").FindSection(""), nullptr);
}

}  // namespace
}  // namespace zc
