// Walking the input history with Up and Down, shared by the input line and
// the ten-key pad's ▲ and ▼.
//
// The history is newest first. Up recalls the newest entry, then older ones;
// Down goes back towards the newest and past it to the line that was being
// typed, which is kept while older entries are shown. After the history
// changes (every Enter) the walk starts again from the newest entry.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zc {

class HistoryWalk {
 public:
  enum class Direction { Older, Newer };

  // The text the line should show after one step from `currentText`, or
  // nothing when the walk is at its end in that direction. A line that no
  // longer holds what the walk put there was edited: it becomes the kept
  // line and the walk starts again from it.
  std::optional<QString> Step(Direction direction, const QStringList& history, const QString& currentText);

  // Back to the line being typed, as after Enter.
  void Restart();

  // -1 while the typed line is shown, else the history index shown.
  int Position() const { return position_; }

 private:
  int position_ = -1;
  QString draft_;
  QString shown_;
};

}  // namespace zc
