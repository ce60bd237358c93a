#include "name_value_rows.h"

#include <string>

#include "ascii_text.h"

namespace zc {

NameValueParts SplitNameValue(std::string_view line) {
  NameValueParts parts;
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) {
    parts.name = std::string(line);
    return parts;
  }
  parts.name = std::string(line.substr(0, equals));
  parts.value = std::string(line.substr(equals + 1));
  parts.hasEquals = true;
  return parts;
}

std::string JoinNameValue(std::string_view name, std::string_view value, bool hadEquals) {
  std::string line(name);
  if (hadEquals || !value.empty()) {
    line += '=';
    line += value;
  }
  return line;
}

int AddNewRow(NameValueList& lines) {
  for (int n = 1;; ++n) {
    const std::string candidate = "NEW" + std::to_string(n);
    bool taken = false;
    for (const auto& line : lines) {
      const auto equals = line.find('=');
      // A line without '=' has no name, so it cannot take "NEW<n>".
      if (equals != std::string::npos &&
          EqualsIgnoreAsciiCase(std::string_view(line).substr(0, equals), candidate)) {
        taken = true;
        break;
      }
    }
    if (!taken) {
      lines.push_back("New" + std::to_string(n) + "=0");
      return static_cast<int>(lines.size()) - 1;
    }
  }
}

int DeleteRow(NameValueList& lines, int row) {
  if (lines.size() <= 1) {
    // The grid always keeps one row; deleting the last one empties it.
    lines.assign(1, "=");
    return 0;
  }
  if (row < 0 || row >= static_cast<int>(lines.size())) return -1;
  lines.erase(lines.begin() + row);
  return row < static_cast<int>(lines.size()) ? row : static_cast<int>(lines.size()) - 1;
}

bool IsConstantValueChar(char32_t character) {
  if (character < 26) return true;
  return (character >= U'0' && character <= U'9') || character == U'-' || character == U'.' ||
         character == U'E';
}

}  // namespace zc
