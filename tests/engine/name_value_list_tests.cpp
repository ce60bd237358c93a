// The name index beside a name=value list: lookups agree with a walk
// through the lines whatever wrote to the list last.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ascii_text.h"
#include "named_values.h"

namespace zc {
namespace {

// `lines` followed by `padding` lines zz0=0, zz1=0, ...: long lists are
// looked up through the index, short ones line by line.
NameValueList Padded(NameValueList lines, int padding) {
  for (int i = 0; i < padding; ++i) lines.push_back("zz" + std::to_string(i) + "=0");
  return lines;
}

// What a lookup must answer, found the slow way.
int FirstNamed(const NameValueList& list, std::string_view name) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (EqualsIgnoreAsciiCase(LineName(list[i]), name)) return static_cast<int>(i);
  }
  return -1;
}

struct LookupCase {
  const char* text;
  int longest;          // MatchLongestName
  std::size_t length;   // its length
  int named;            // FindName of the whole text
};

TEST(NameValueList, LookupsAgreeOnBothSidesOfTheIndex) {
  const std::vector<LookupCase> cases = {
      {"abz", 1, 2, -1}, {"a", 0, 1, 0},     {"ABC", 1, 2, -1}, {"ab", 1, 2, 1},
      {"x y", 5, 3, 5},  {"x", -1, 0, -1},   {"", -1, 0, 3},    {"=", -1, 0, -1},
      {"q*2", 7, 1, -1}, {"Q", 7, 1, 7},     {"abc", 1, 2, -1}, {"é", 9, 2, 9},
  };
  for (const int padding : {0, 200}) {
    const NameValueList list =
        Padded({"a=1", "AB=2", "ab=3", "=4", "abc", "x y=5", "", "Q=1", "q=2", "é=3"}, padding);
    for (const LookupCase& c : cases) {
      std::size_t length = 99;
      EXPECT_EQ(list.MatchLongestName(c.text, length), c.longest) << c.text << " " << padding;
      if (c.longest >= 0) {
        EXPECT_EQ(length, c.length) << c.text << " " << padding;
      }
      EXPECT_EQ(list.FindName(c.text), c.named) << c.text << " " << padding;
    }
  }
}

TEST(NameValueList, WritesThroughTheVectorInterfaceAreSeenByTheNextLookup) {
  NameValueList list = Padded({}, 100);
  ASSERT_EQ(list.FindName("zz5"), 5);
  list[5] = "renamed=1";
  EXPECT_EQ(list.FindName("zz5"), -1);
  EXPECT_EQ(list.FindName("RENAMED"), 5);
  list.erase(list.begin());
  EXPECT_EQ(list.FindName("renamed"), 4);
  list.insert(list.begin(), "first=1");
  EXPECT_EQ(list.FindName("first"), 0);
  EXPECT_EQ(list.FindName("renamed"), 5);
  for (std::string& line : list) {
    if (line == "first=1") line = "second=2";
  }
  std::size_t length = 0;
  EXPECT_EQ(list.MatchLongestName("seconds", length), 0);
  EXPECT_EQ(length, 6u);
  list.back() = "zz1=7";  // a second zz1: the first one still wins
  EXPECT_EQ(list.FindName("zz99"), -1);
  EXPECT_EQ(list.FindName("zz1"), 1);
  list.push_back("late=1");
  EXPECT_EQ(list.FindName("late"), static_cast<int>(list.size()) - 1);
  list.assign(40, "=");
  EXPECT_EQ(list.FindName("zz1"), -1);
  EXPECT_EQ(list.FindName(""), 0);
  list.clear();
  EXPECT_EQ(list.FindName(""), -1);
}

TEST(NameValueList, EngineWritesKeepTheIndexInStep) {
  NameValueList list = Padded({}, 100);
  ASSERT_EQ(list.FindName("zz0"), 0);
  SetVariable("new", "1", list);
  EXPECT_EQ(list.FindName("NEW"), 100);
  SetVariable("ZZ3", "9", list);
  EXPECT_EQ(list[3], "ZZ3=9");
  EXPECT_EQ(list.FindName("zz3"), 3);
  SetVariable("zz3", "", list);
  EXPECT_EQ(list.FindName("zz3"), -1);
  EXPECT_EQ(list.FindName("zz4"), 3);
  EXPECT_EQ(list.FindName("new"), 99);
  list.push_back("");
  list.insert(list.begin() + 7, "");
  SetVariable("other", "2", list);
  EXPECT_EQ(FirstNamed(list, ""), -1);  // the empty lines are gone
  EXPECT_EQ(list.FindName("other"), static_cast<int>(list.size()) - 1);
  EXPECT_EQ(list.FindName("zz9"), 8);
}

TEST(NameValueList, CopiesAndMovesFindTheirOwnLines) {
  NameValueList original = Padded({}, 100);
  ASSERT_EQ(original.FindName("zz1"), 1);
  NameValueList copy = original;
  copy[1] = "other=1";
  EXPECT_EQ(original.FindName("zz1"), 1);
  EXPECT_EQ(copy.FindName("zz1"), -1);
  EXPECT_EQ(copy.FindName("other"), 1);
  NameValueList moved = std::move(copy);
  EXPECT_EQ(moved.FindName("other"), 1);
  copy = Padded({"again=1"}, 50);  // a moved-from list is usable again
  EXPECT_EQ(copy.FindName("again"), 0);
  EXPECT_EQ(copy.FindName("other"), -1);
  SetVariable("added", "1", copy);
  EXPECT_EQ(copy.FindName("added"), 51);
  original = copy;
  EXPECT_EQ(original.FindName("added"), 51);
}

// Engine writes and outside writes in a long mixed sequence; after every
// step a few names are looked up and compared with a walk through the lines.
TEST(NameValueList, LongMixedSequencesAgreeWithAWalkThroughTheLines) {
  NameValueList list;
  std::uint32_t state = 12345;
  const auto next = [&state](std::uint32_t range) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % range;
  };
  const auto name = [&next] {
    std::string text = next(2) == 0 ? "v" : "V";
    return text + std::to_string(next(300));
  };
  for (int step = 0; step < 4000; ++step) {
    switch (next(8)) {
      case 0: case 1: case 2: SetVariable(name(), std::to_string(step), list); break;
      case 3: SetVariable(name(), "", list); break;
      case 4: list.push_back(next(4) == 0 ? "" : name() + "=x"); break;
      case 5: if (!list.empty()) list[next(static_cast<std::uint32_t>(list.size()))] = name() + "=y"; break;
      case 6: if (!list.empty()) list.erase(list.begin() + next(static_cast<std::uint32_t>(list.size()))); break;
      case 7: RemoveEmptyLines(list); break;
    }
    for (int probe = 0; probe < 3; ++probe) {
      const std::string wanted = name();
      ASSERT_EQ(list.FindName(wanted), FirstNamed(list, wanted)) << "step " << step;
      std::size_t length = 0;
      const int matched = list.MatchLongestName(wanted + "9", length);
      if (matched >= 0) {
        ASSERT_EQ(FirstNamed(list, std::string_view(wanted + "9").substr(0, length)), matched)
            << "step " << step;
      } else {
        ASSERT_EQ(FirstNamed(list, wanted), -1) << "step " << step;
      }
    }
  }
  EXPECT_GT(list.size(), 32u);  // the index took part
}

}  // namespace
}  // namespace zc
