#include "str_tok.h"

#include <cstddef>

namespace zc {

std::string_view StrTokFirst(std::string_view text, const TDelimiterSet& delimiters,
                             TStrTokRec& rec) {
  rec.Str = text;
  rec.Pos = 1;
  return StrTokNext(delimiters, rec);
}

std::string_view StrTokNext(const TDelimiterSet& delimiters, TStrTokRec& rec) {
  const std::size_t length = rec.Str.size();
  if (rec.Pos < 1 || static_cast<std::size_t>(rec.Pos) > length) return {};
  std::size_t i = static_cast<std::size_t>(rec.Pos) - 1;
  while (i < length && delimiters.Contains(rec.Str[i])) ++i;
  const std::size_t start = i;
  while (i < length && !delimiters.Contains(rec.Str[i])) ++i;
  const std::size_t end = i;
  while (i < length && delimiters.Contains(rec.Str[i])) ++i;
  rec.Pos = static_cast<std::int32_t>(i + 1);
  return rec.Str.substr(start, end - start);
}

}  // namespace zc
