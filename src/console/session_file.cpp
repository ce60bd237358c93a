#include "session_file.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "ascii_text.h"
#include "ini_file.h"

namespace zc {

namespace {

constexpr std::string_view kHeader = "ZELTA CALC SYSTEM Session";
constexpr std::string_view kFormat = "1";
constexpr std::array<std::string_view, 3> kAngleNames = {"DEG", "RAD", "GRAD"};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Base64(const QByteArray& bytes) { return bytes.toBase64().toStdString(); }

std::optional<QByteArray> FromBase64(const std::string& text) {
  const auto decoded = QByteArray::fromBase64Encoding(QByteArray::fromStdString(text),
                                                      QByteArray::AbortOnBase64DecodingErrors);
  if (!decoded) return std::nullopt;
  return *decoded;
}

// The quoted texts of every Line= entry of `section`; nothing when one of
// them is malformed or the section holds anything else.
std::optional<std::vector<std::string>> QuotedLines(const IniFile& ini, std::string_view section) {
  std::vector<std::string> lines;
  const IniFile::Section* found = ini.FindSection(section);
  if (found == nullptr) return lines;
  for (const IniFile::Entry& entry : found->entries) {
    if (!entry.hasEquals || !EqualsIgnoreAsciiCase(entry.key, "Line")) return std::nullopt;
    auto line = UnquoteSessionText(entry.value);
    if (!line) return std::nullopt;
    lines.push_back(std::move(*line));
  }
  return lines;
}

}  // namespace

std::string QuoteSessionText(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  quoted += '"';
  return quoted;
}

std::optional<std::string> UnquoteSessionText(std::string_view quoted) {
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return std::nullopt;
  const std::string_view body = quoted.substr(1, quoted.size() - 2);
  std::string text;
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (c == '"') return std::nullopt;  // a quote must be escaped
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++i >= body.size()) return std::nullopt;
    const char escaped = body[i];
    if (escaped == '"' || escaped == '\\') {
      text += escaped;
    } else if (escaped == 't') {
      text += '\t';
    } else if (escaped == 'x' && i + 2 < body.size()) {
      const int high = HexDigit(body[i + 1]);
      const int low = HexDigit(body[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      text += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return text;
}

std::string FormatSession(const SessionState& session) {
  std::string text = "; ZELTA CALC SYSTEM のセッション (入力履歴、変数、角度、ウィンドウ)\r\n";
  text += "[" + std::string(kHeader) + "]\r\n";
  text += "Format=" + std::string(kFormat) + "\r\n";
  text += session.saveSession ? "Save=1\r\n" : "Save=0\r\n";
  if (!session.saveSession) return text;
  text += "AngleMode=" + std::string(kAngleNames[static_cast<std::size_t>(session.angleMode)]) + "\r\n";
  text += "Geometry=" + Base64(session.geometry) + "\r\n";
  text += "Panels=" + Base64(session.panels) + "\r\n";
  text += "[History]\r\n";
  const qsizetype kept = std::min<qsizetype>(session.history.size(), kSessionHistoryLimit);
  for (qsizetype i = 0; i < kept; ++i) {
    text += "Line=" + QuoteSessionText(session.history[i].toStdString()) + "\r\n";
  }
  text += "[Variables]\r\n";
  for (const std::string& line : session.variables) text += "Line=" + QuoteSessionText(line) + "\r\n";
  return text;
}

std::optional<SessionState> ParseSession(std::string_view text) {
  const IniFile ini = IniFile::Parse(text);
  if (ini.Sections().empty() || ini.Sections().front().name != kHeader) return std::nullopt;
  if (ini.Value(kHeader, "Format") != std::string(kFormat)) return std::nullopt;

  SessionState session;
  const auto save = ini.Value(kHeader, "Save");
  if (save == "0") {
    session.saveSession = false;
    return session;
  }
  if (save != "1") return std::nullopt;

  const auto angle = ini.Value(kHeader, "AngleMode");
  if (!angle) return std::nullopt;
  bool angleKnown = false;
  for (std::size_t i = 0; i < kAngleNames.size(); ++i) {
    if (EqualsIgnoreAsciiCase(*angle, kAngleNames[i])) {
      session.angleMode = static_cast<AngleMode>(i);
      angleKnown = true;
    }
  }
  if (!angleKnown) return std::nullopt;

  const auto geometry = FromBase64(ini.Value(kHeader, "Geometry").value_or(std::string()));
  const auto panels = FromBase64(ini.Value(kHeader, "Panels").value_or(std::string()));
  if (!geometry || !panels) return std::nullopt;
  session.geometry = *geometry;
  session.panels = *panels;

  const auto history = QuotedLines(ini, "History");
  const auto variables = QuotedLines(ini, "Variables");
  if (!history || !variables) return std::nullopt;
  for (const std::string& line : *history) {
    if (session.history.size() == kSessionHistoryLimit) break;
    session.history << QString::fromStdString(line);
  }
  session.variables = *variables;
  return session;
}

}  // namespace zc
