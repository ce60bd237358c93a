#include "session_keeper.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include "atomic_file_writer.h"
#include "file_reader.h"

namespace zc {

namespace {

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

SessionKeeper::SessionKeeper(const QString& path, std::function<SessionState()> capture, QObject* parent)
    : QObject(parent), path_(path), capture_(std::move(capture)), timer_(new QTimer(this)) {
  timer_->setInterval(kSaveIntervalMs);
  connect(timer_, &QTimer::timeout, this, &SessionKeeper::SaveIfChanged);
  timer_->start();
}

std::optional<SessionState> SessionKeeper::Load() {
  std::optional<DecodedText> text;
  try {
    text = ReadTextFileIfExists(LocalPath(path_));
  } catch (const FileError& error) {
    emit Noted(QString::fromUtf8(error.what()));
    return std::nullopt;
  }
  if (!text) return std::nullopt;
  std::optional<SessionState> session = ParseSession(text->utf8);
  if (!session) {
    emit Noted(QStringLiteral("セッションファイル %1 は読めない形式のため、使わずに始めました。")
                   .arg(QDir::toNativeSeparators(path_)));
    return std::nullopt;
  }
  if (!session->saveSession) {
    enabled_ = false;
    timer_->stop();
    written_ = text->utf8;
  }
  return session;
}

void SessionKeeper::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_) {
    timer_->start();
    return;
  }
  timer_->stop();
  SessionState off;
  off.saveSession = false;
  Write(FormatSession(off));
}

std::string SessionKeeper::CapturedText() {
  SessionState session = capture_();
  session.saveSession = true;
  return FormatSession(session);
}

void SessionKeeper::SaveIfChanged() {
  if (!enabled_) return;
  const std::string text = CapturedText();
  if (text != written_) Write(text);
}

void SessionKeeper::Save() {
  if (enabled_) Write(CapturedText());
}

void SessionKeeper::Write(const std::string& text) {
  try {
    WriteFileAtomically(LocalPath(path_), text);
    written_ = text;
  } catch (const FileError& error) {
    emit Noted(QString::fromUtf8(error.what()));
  }
}

}  // namespace zc
