// A small tokenizer: cuts a text at runs of delimiter characters. The
// evaluation uses it to split an assignment target off a line at '='.
#pragma once

#include <bitset>
#include <cstdint>
#include <string_view>

namespace zc {

// A set of 8-bit characters.
class TDelimiterSet {
 public:
  TDelimiterSet() = default;
  TDelimiterSet(std::string_view characters) {  // NOLINT: a set reads naturally from its characters
    for (const char c : characters) bits_.set(static_cast<unsigned char>(c));
  }
  bool Contains(char c) const { return bits_.test(static_cast<unsigned char>(c)); }

 private:
  std::bitset<256> bits_;
};

struct TStrTokRec {
  std::string_view Str;  // the text being cut; the caller keeps it alive
  std::int32_t Pos = 1;  // 1-based index of the next character to examine
};

// Starts cutting `text` and returns its first token.
std::string_view StrTokFirst(std::string_view text, const TDelimiterSet& delimiters,
                             TStrTokRec& rec);

// Skips delimiters, returns the characters up to the next delimiter or the
// end, and leaves Pos after the delimiters that follow the token. Returns an
// empty token once Pos lies past the end.
std::string_view StrTokNext(const TDelimiterSet& delimiters, TStrTokRec& rec);

}  // namespace zc
