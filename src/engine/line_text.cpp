#include "line_text.h"

#include <cstddef>

namespace zc {

int SplitTopLevelCommas(std::string_view text, std::vector<std::string_view>& pieces) {
  pieces.clear();
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    } else if (c == ',' && depth == 0) {
      pieces.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  if (start < text.size()) pieces.push_back(text.substr(start));
  return static_cast<int>(pieces.size());
}

bool IsParenthesized(std::string_view text) {
  return !text.empty() && text.front() == '(' && text.back() == ')';
}

std::string_view StripParentheses(std::string_view text) {
  return text.size() < 2 ? std::string_view{} : text.substr(1, text.size() - 2);
}

bool IsQuoted(std::string_view text) {
  return !text.empty() && text.front() == '"' && text.back() == '"';
}

std::string_view Unquote(std::string_view text) {
  return text.size() < 2 ? std::string_view{} : text.substr(1, text.size() - 2);
}

int MatchLongestEntry(std::string_view text, std::span<const std::string_view> table) {
  int best = -1;
  std::size_t length = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::string_view entry = table[i];
    if (!entry.empty() && entry.size() > length && StartsWithIgnoreAsciiCase(text, entry)) {
      best = static_cast<int>(i);
      length = entry.size();
    }
  }
  return best;
}

}  // namespace zc
