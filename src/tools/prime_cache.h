// The prime cache: every prime the prime tool has met while testing
// divisors, kept as decimal texts. It lives while the prime tool's window
// exists and persists between runs in Primenumbers.log.
//
// Entries are texts, in text order ("11" precedes "2"), without duplicates.
// Plain decimal texts - all the tool itself ever adds - are held as numbers
// in ascending order, which keeps hundreds of thousands of them small and
// quick to merge and to look up; any other text a file brings along is kept
// as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zc {

class PrimeCache {
 public:
  // Adds one entry; an entry already present is not added twice.
  void Add(std::string_view entry);
  // Adds numbers given in ascending order, all at once.
  void AddAscending(const std::vector<std::uint64_t>& numbers);
  bool Contains(std::string_view entry) const;
  bool Contains(std::uint64_t number) const;
  std::size_t Count() const { return numbers_.size() + others_.size(); }
  // The entries in text order, character by character.
  std::vector<std::string> Entries() const;
  void Clear();

  // The cache as stored: each entry in text order followed by CR LF.
  std::string PlainText() const;
  // Adds every line of a stored plain text (CR LF, LF or CR separated).
  void AddPlainText(std::string_view text);

 private:
  std::vector<std::uint64_t> numbers_;  // ascending
  std::set<std::string, std::less<>> others_;
};

// Scrambles or unscrambles (the same operation) a stored plain text in
// place: 32-bit little-endian word i is XORed with 0x5E5E5E5E ^ i; the bytes
// of a final partial word with the low-order bytes of its mask.
void ScrambleCacheText(std::string& bytes);

}  // namespace zc
