#include "history_walk.h"

namespace zc {

std::optional<QString> HistoryWalk::Step(Direction direction, const QStringList& history,
                                         const QString& currentText) {
  if (position_ >= 0 && (position_ >= history.size() || currentText != shown_)) position_ = -1;
  const int next = position_ + (direction == Direction::Older ? 1 : -1);
  if (next < -1 || next >= history.size()) return std::nullopt;
  if (position_ == -1) draft_ = currentText;
  position_ = next;
  shown_ = next == -1 ? draft_ : history[next];
  return shown_;
}

void HistoryWalk::Restart() { position_ = -1; }

}  // namespace zc
