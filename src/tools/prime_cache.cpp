#include "prime_cache.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "number_text.h"

namespace zc {
namespace {

// The number a text stands for when it is written the way the cache writes
// numbers: digits only, no leading zero, at most 19 digits.
std::optional<std::uint64_t> PlainNumber(std::string_view text) {
  if (text.empty() || text.size() > 19 || (text.size() > 1 && text.front() == '0')) return std::nullopt;
  const NumberRead<std::uint64_t> number = ReadInteger<std::uint64_t>(text, {.sign = false});
  if (!number) return std::nullopt;
  return number.value;
}

int DigitCount(std::uint64_t value) {
  int digits = 1;
  while (value >= 10) value /= 10, ++digits;
  return digits;
}

}  // namespace

void PrimeCache::Add(std::string_view entry) {
  if (const auto number = PlainNumber(entry)) {
    const auto at = std::lower_bound(numbers_.begin(), numbers_.end(), *number);
    if (at == numbers_.end() || *at != *number) numbers_.insert(at, *number);
  } else {
    others_.emplace(entry);
  }
}

void PrimeCache::AddAscending(const std::vector<std::uint64_t>& numbers) {
  if (numbers.empty()) return;
  if (numbers_.empty() || numbers.front() > numbers_.back()) {
    numbers_.insert(numbers_.end(), numbers.begin(), numbers.end());
  } else {
    std::vector<std::uint64_t> merged;
    merged.reserve(numbers_.size() + numbers.size());
    std::set_union(numbers_.begin(), numbers_.end(), numbers.begin(), numbers.end(),
                   std::back_inserter(merged));
    numbers_.swap(merged);
  }
  numbers_.erase(std::unique(numbers_.begin(), numbers_.end()), numbers_.end());
}

bool PrimeCache::Contains(std::string_view entry) const {
  if (const auto number = PlainNumber(entry)) return Contains(*number);
  return others_.find(entry) != others_.end();
}

bool PrimeCache::Contains(std::uint64_t number) const {
  return std::binary_search(numbers_.begin(), numbers_.end(), number);
}

std::vector<std::string> PrimeCache::Entries() const {
  // Text order of plain numbers: compare the digits left-aligned, and a
  // number that is a prefix of another comes first. Scaling every number to
  // 19 digits gives that order as a numeric key.
  struct Key {
    std::uint64_t scaled;
    int digits;
    std::uint64_t value;
  };
  static constexpr std::uint64_t kPowers[] = {1ull,
                                              10ull,
                                              100ull,
                                              1000ull,
                                              10000ull,
                                              100000ull,
                                              1000000ull,
                                              10000000ull,
                                              100000000ull,
                                              1000000000ull,
                                              10000000000ull,
                                              100000000000ull,
                                              1000000000000ull,
                                              10000000000000ull,
                                              100000000000000ull,
                                              1000000000000000ull,
                                              10000000000000000ull,
                                              100000000000000000ull,
                                              1000000000000000000ull};
  std::vector<Key> keys;
  keys.reserve(numbers_.size());
  for (std::uint64_t value : numbers_) {
    const int digits = DigitCount(value);
    keys.push_back({value * kPowers[19 - digits], digits, value});
  }
  std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    return a.scaled != b.scaled ? a.scaled < b.scaled : a.digits < b.digits;
  });
  std::vector<std::string> numbers;
  numbers.reserve(keys.size());
  for (const Key& key : keys) numbers.push_back(IntegerText(key.value));
  std::vector<std::string> entries;
  entries.reserve(numbers.size() + others_.size());
  std::merge(std::make_move_iterator(numbers.begin()), std::make_move_iterator(numbers.end()),
             others_.begin(), others_.end(), std::back_inserter(entries));
  return entries;
}

void PrimeCache::Clear() {
  numbers_.clear();
  others_.clear();
}

std::string PrimeCache::PlainText() const {
  std::string text;
  for (const auto& entry : Entries()) {
    text += entry;
    text += "\r\n";
  }
  return text;
}

void PrimeCache::AddPlainText(std::string_view text) {
  std::vector<std::uint64_t> numbers;
  auto addLine = [&](std::string_view line) {
    if (const auto number = PlainNumber(line)) {
      numbers.push_back(*number);
    } else {
      others_.emplace(line);
    }
  };
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      addLine(text.substr(start));
      break;
    }
    addLine(text.substr(start, end - start));
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  std::sort(numbers.begin(), numbers.end());
  AddAscending(numbers);
}

void ScrambleCacheText(std::string& bytes) {
  const std::size_t size = bytes.size();
  for (std::size_t offset = 0, word = 0; offset < size; offset += 4, ++word) {
    const std::uint32_t mask = 0x5E5E5E5Eu ^ static_cast<std::uint32_t>(word);
    for (std::size_t byte = 0; byte < 4 && offset + byte < size; ++byte) {
      bytes[offset + byte] =
          static_cast<char>(static_cast<unsigned char>(bytes[offset + byte]) ^
                            ((mask >> (8 * byte)) & 0xFFu));
    }
  }
}

}  // namespace zc
