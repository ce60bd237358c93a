// What the main window keeps without widgets: the history walk, the
// session file and the names completion offers.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "engine_context.h"
#include "history_walk.h"
#include "name_completion.h"
#include "session_file.h"

namespace zc {
namespace {

using Direction = HistoryWalk::Direction;

// ---- History walk ------------------------------------------------------------

struct WalkStep {
  Direction direction;
  const char* typedBefore;  // what the line holds before the key; null: what the walk left there
  const char* expected;     // null: the walk stays where it is
};

TEST(HistoryWalk, UpGoesFromNewestToOldestAndDownBackToTheTypedLine) {
  const QStringList history{"3+3", "2+2", "1+1", "f(1)"};  // newest first
  const WalkStep steps[] = {
      {Direction::Older, "draft", "3+3"},   {Direction::Older, nullptr, "2+2"},
      {Direction::Older, nullptr, "1+1"},   {Direction::Older, nullptr, "f(1)"},
      {Direction::Older, nullptr, nullptr},  // the oldest entry is the end
      {Direction::Newer, nullptr, "1+1"},   {Direction::Newer, nullptr, "2+2"},
      {Direction::Newer, nullptr, "3+3"},   {Direction::Newer, nullptr, "draft"},
      {Direction::Newer, nullptr, nullptr},  // past the typed line there is nothing
  };
  HistoryWalk walk;
  QString line;
  for (const WalkStep& step : steps) {
    if (step.typedBefore != nullptr) line = QString::fromUtf8(step.typedBefore);
    const auto shown = walk.Step(step.direction, history, line);
    if (step.expected == nullptr) {
      EXPECT_FALSE(shown) << line.toStdString();
    } else {
      ASSERT_TRUE(shown) << step.expected;
      EXPECT_EQ(*shown, QString::fromUtf8(step.expected));
      line = *shown;
    }
  }
}

TEST(HistoryWalk, RestartBeginsAgainAtTheNewestEntry) {
  HistoryWalk walk;
  QStringList history{"b", "a"};
  EXPECT_EQ(walk.Step(Direction::Older, history, ""), QString("b"));
  EXPECT_EQ(walk.Step(Direction::Older, history, "b"), QString("a"));
  history.prepend("c");  // Enter put a new line on top
  walk.Restart();
  EXPECT_EQ(walk.Step(Direction::Older, history, ""), QString("c"));
}

TEST(HistoryWalk, AnEditedRecallBecomesTheKeptLine) {
  HistoryWalk walk;
  const QStringList history{"b", "a"};
  EXPECT_EQ(walk.Step(Direction::Older, history, ""), QString("b"));
  // The user changed the recalled line: the walk starts again from it.
  EXPECT_EQ(walk.Step(Direction::Older, history, "b*2"), QString("b"));
  EXPECT_EQ(walk.Step(Direction::Newer, history, "b"), QString("b*2"));
}

TEST(HistoryWalk, EmptyHistoryHasNothingToRecall) {
  HistoryWalk walk;
  EXPECT_FALSE(walk.Step(Direction::Older, {}, "x"));
  EXPECT_FALSE(walk.Step(Direction::Newer, {}, "x"));
}

// ---- Session file ------------------------------------------------------------

TEST(SessionFile, EveryPartReadsBackIdentically) {
  SessionState session;
  session.history = {"  padded  ", "say \"hi\"\\", "tab\there", "x=1", "[section]", "; comment", "", "π*2"};
  session.variables = {"x=5", "ANS=0.333333333333333", "", "=", "name with = sign=2"};
  session.angleMode = AngleMode::Grad;
  session.geometry = QByteArray("\x01\x02\x00\xff geometry", 14);
  session.panels = QByteArray("dock state");
  const auto read = ParseSession(FormatSession(session));
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, session);
}

TEST(SessionFile, KeepsTheNewestThousandHistoryLines) {
  SessionState session;
  for (int i = 1200; i > 0; --i) session.history << QString::number(i);  // newest (1200) first
  const auto read = ParseSession(FormatSession(session));
  ASSERT_TRUE(read);
  ASSERT_EQ(read->history.size(), kSessionHistoryLimit);
  EXPECT_EQ(read->history.front(), QString("1200"));
  EXPECT_EQ(read->history.back(), QString("201"));
}

TEST(SessionFile, TurnedOffKeepsNothingButTheChoice) {
  SessionState session;
  session.saveSession = false;
  session.history = {"secret"};
  const std::string text = FormatSession(session);
  EXPECT_EQ(text.find("secret"), std::string::npos);
  const auto read = ParseSession(text);
  ASSERT_TRUE(read);
  EXPECT_FALSE(read->saveSession);
  EXPECT_TRUE(read->history.isEmpty());
}

TEST(SessionFile, DamagedOrForeignTextIsRejectedAsAWhole) {
  const std::string good = FormatSession(SessionState{});
  const auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  };
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"binary", std::string("\x89PNG\r\n\x1a\n\0\0", 10)},
      {"another INI file", "[1stF]\r\nsin=sin\r\n"},
      {"newer format", replaced("Format=1", "Format=2")},
      {"unknown angle", replaced("AngleMode=DEG", "AngleMode=TURN")},
      {"switch neither on nor off", replaced("Save=1", "Save=yes")},
      {"geometry not base64", replaced("Geometry=", "Geometry=*&^")},
      {"unquoted line", replaced("[History]\r\n", "[History]\r\nLine=1+1\r\n")},
      {"bad escape", replaced("[History]\r\n", "[History]\r\nLine=\"a\\qb\"\r\n")},
      {"stray quote", replaced("[Variables]\r\n", "[Variables]\r\nLine=\"a\"b\"\r\n")},
      {"foreign key in a list", replaced("[History]\r\n", "[History]\r\nEntry=\"1\"\r\n")},
      {"truncated hex escape", replaced("[History]\r\n", "[History]\r\nLine=\"\\x4\"\r\n")},
  };
  for (const auto& [name, text] : cases) EXPECT_FALSE(ParseSession(text)) << name;
}

TEST(SessionFile, QuotingRoundTripsControlCharacters) {
  const std::string text("a\x01" "b\x7f\"\\\t", 7);
  EXPECT_EQ(QuoteSessionText(text), "\"a\\x01b\\x7F\\\"\\\\\\t\"");
  EXPECT_EQ(UnquoteSessionText(QuoteSessionText(text)), text);
}

// ---- Name completion ---------------------------------------------------------

TEST(NameCompletion, WordBeforeTheCaret) {
  struct Case {
    const char* text;
    int caret;
    int start;
    const char* word;
  };
  const Case cases[] = {
      {"si", 2, 0, "si"},          {"2*si", 4, 2, "si"},         {"sin(x_1", 7, 4, "x_1"},
      {"1+", 2, 2, ""},            {"", 0, 0, ""},               {"abc+def", 3, 0, "abc"},
      {"12ab", 4, 2, "ab"},        {"3.5e", 4, 3, "e"},          {"x", 99, 0, "x"},
  };
  for (const Case& c : cases) {
    const WordBeforeCaret word = FindWordBeforeCaret(QString::fromUtf8(c.text), c.caret);
    EXPECT_EQ(word.start, c.start) << c.text;
    EXPECT_EQ(word.word, QString::fromUtf8(c.word)) << c.text;
  }
}

TEST(NameCompletion, OffersEveryKindOfNameWithItsText) {
  EngineContext context;
  auto function = std::make_unique<TUserFunction>();
  function->aName = "square";
  function->aExplain = "二乗します";
  context.userFunctions.push_back(std::move(function));
  context.constants = {"sol=299792458", "pi=3.14159265358979"};
  const NameValueList variables{"side=4", "ANS=16", "", "="};

  const auto entries = CompletionEntries(context, variables, "S");
  QStringList lines;
  for (const CompletionEntry& entry : entries) lines << entry.name + " | " + entry.description;
  EXPECT_EQ(lines, (QStringList{
                       "sec | xのセカントを求めます",
                       "side | 4",
                       "sign | xの符号を判断します",
                       "sin | xのサインを求めます",
                       "sinh | xのハイパボリック(双曲線)サインを求めます",
                       "sol | 299792458",
                       "sqr | xの平方根(ルート)を計算します",
                       "squ | xの平方(二乗)を計算します",
                       "square | 二乗します",
                       "sum | パラメータの合計を計算します",
                       "sumsqu | パラメータの二乗和を計算します",
                   }))
      << lines.join('\n').toStdString();
}

TEST(NameCompletion, AnEmptyWordOffersEverythingAndAMissingOneNothing) {
  EngineContext context;
  context.constants = {"pi=3.14"};
  EXPECT_EQ(CompletionEntries(context, {"ANS=1"}, "").size(), std::size_t{53 + 2});
  EXPECT_TRUE(CompletionEntries(context, {}, "qqq").empty());
  // Menu hints are found whatever the spelling of the built-in name.
  const auto logn = CompletionEntries(context, {}, "logn");
  ASSERT_EQ(logn.size(), std::size_t{1});
  EXPECT_EQ(logn.front().name, QString("logN"));
  EXPECT_EQ(logn.front().description, QString("bを基数とするxの対数を求めます"));
}

}  // namespace
}  // namespace zc
