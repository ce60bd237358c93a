// What the main window keeps without widgets: the history walk.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "history_walk.h"

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

}  // namespace
}  // namespace zc
