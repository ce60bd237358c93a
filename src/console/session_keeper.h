// Keeps the main window's session in its file while "セッションを保存する(&S)"
// is on: read once at start, written atomically at exit and every 30 s when
// something changed. Two running windows never leave a mixed file; the last
// one to write wins.
//
// While saving is off nothing is read or written, apart from the file
// recording that choice once, when the user makes it, so that it holds at
// the next start too.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "session_file.h"

class QTimer;

namespace zc {

class SessionKeeper : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSaveIntervalMs = 30'000;

  // `capture` returns the session as it stands.
  SessionKeeper(const QString& path, std::function<SessionState()> capture, QObject* parent = nullptr);

  // Reads the file. Nothing when there is none yet, or when it is damaged
  // or foreign (then Noted explains, and the file is replaced at the next
  // save). A session whose saving was turned off comes back with
  // saveSession false and nothing else, and turns this keeper off.
  std::optional<SessionState> Load();

  bool Enabled() const { return enabled_; }
  // Turning saving off records the choice at once and stops the saving.
  void SetEnabled(bool enabled);

  // Writes the session when it differs from what was last written.
  void SaveIfChanged();
  // Writes the session whatever was written before: at exit, so that of two
  // running windows the last to close wins.
  void Save();

  QString Path() const { return path_; }
  QTimer* Timer() const { return timer_; }

 signals:
  // Something the user should know about the session file.
  void Noted(const QString& message);

 private:
  std::string CapturedText();
  void Write(const std::string& text);

  QString path_;
  std::function<SessionState()> capture_;
  QTimer* timer_;
  bool enabled_ = true;
  std::string written_;
};

}  // namespace zc
