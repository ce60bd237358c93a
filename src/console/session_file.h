// The session file: what the main window brings back at the next start when
// "セッションを保存する(&S)" is on. One UTF-8 INI text read with the product's
// INI reader:
//
//   [ZELTA CALC SYSTEM Session]
//   Format=1
//   Save=1            (0: the user turned sessions off; nothing else follows)
//   AngleMode=DEG     (DEG, RAD or GRAD)
//   Geometry=...      (the window's size and place, base64)
//   Panels=...        (the control panel's dock state, base64)
//   [History]
//   Line="3+3"        (newest first, at most 1,000 lines)
//   [Variables]
//   Line="ANS=6"      (the grid's lines as they stand, ANS included)
//
// Texts are quoted with backslash escapes, so blanks, '=' and '"' at either
// end read back exactly.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>

#include "engine_context.h"

namespace zc {

inline constexpr int kSessionHistoryLimit = 1000;

struct SessionState {
  bool saveSession = true;
  QStringList history;  // newest first
  NameValueList variables;
  AngleMode angleMode = AngleMode::Deg;
  QByteArray geometry;
  QByteArray panels;

  bool operator==(const SessionState&) const = default;
};

// The file text. Only the newest kSessionHistoryLimit history lines are
// kept; a session that is not to be saved keeps nothing but that choice.
std::string FormatSession(const SessionState& session);

// Nothing when the text is not a session file of this format or any part of
// it cannot be read: a damaged file is ignored as a whole.
std::optional<SessionState> ParseSession(std::string_view text);

// The quoted form of a line and back; nothing for a malformed quote.
std::string QuoteSessionText(std::string_view text);
std::optional<std::string> UnquoteSessionText(std::string_view quoted);

}  // namespace zc
