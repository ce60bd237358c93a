#include "name_value_list.h"

#include <algorithm>

#include "ascii_text.h"

namespace zc {
namespace {

constexpr char Folded(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string_view LineName(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view{} : line.substr(0, equals);
}

std::string_view LineValue(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1);
}

// FNV-1a over the folded bytes: names equal but for ASCII case hash alike.
std::size_t NameValueList::FoldedHash::operator()(std::string_view name) const {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(Folded(c));
    hash *= 1099511628211ull;
  }
  return static_cast<std::size_t>(hash);
}

bool NameValueList::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  return EqualsIgnoreAsciiCase(a, b);
}

NameValueList& NameValueList::operator=(const NameValueList& other) {
  if (this != &other) {
    lines_ = other.lines_;
    stale_ = true;
  }
  return *this;
}

NameValueList& NameValueList::operator=(NameValueList&& other) noexcept {
  if (this != &other) {
    lines_ = std::move(other.lines_);
    stale_ = true;
    other.Forget();
  }
  return *this;
}

void NameValueList::Forget() noexcept {
  lines_.clear();
  stale_ = true;
}

bool NameValueList::Indexed() const {
  if (lines_.size() < kIndexedFrom) return false;
  if (stale_) BuildIndex();
  return true;
}

void NameValueList::BuildIndex() const {
  firstLine_.clear();
  namesOfLength_.clear();
  emptyLines_ = 0;
  firstLine_.reserve(lines_.size());
  for (size_type i = 0; i < lines_.size(); ++i) IndexLine(i);
  stale_ = false;
}

void NameValueList::IndexLine(size_type index) const {
  const std::string& line = lines_[index];
  if (line.empty()) ++emptyLines_;
  const std::string_view name = LineName(line);
  // A later line of the same name stays out: lookups find the first.
  if (firstLine_.find(name) != firstLine_.end()) return;
  firstLine_.emplace(std::string(name), index);
  if (!name.empty()) ++namesOfLength_[name.size()];
}

int NameValueList::FindName(std::string_view name) const {
  if (Indexed()) {
    const auto found = firstLine_.find(name);
    return found == firstLine_.end() ? -1 : static_cast<int>(found->second);
  }
  for (size_type i = 0; i < lines_.size(); ++i) {
    if (EqualsIgnoreAsciiCase(LineName(lines_[i]), name)) return static_cast<int>(i);
  }
  return -1;
}

int NameValueList::MatchLongestName(std::string_view text, std::size_t& length) const {
  length = 0;
  if (text.empty()) return -1;
  if (Indexed()) {
    // One lookup per name length present, the longest first.
    for (const auto& [nameLength, count] : namesOfLength_) {
      if (nameLength > text.size()) continue;
      const auto found = firstLine_.find(text.substr(0, nameLength));
      if (found != firstLine_.end()) {
        length = nameLength;
        return static_cast<int>(found->second);
      }
    }
    return -1;
  }
  int best = -1;
  const char first = Folded(text[0]);
  for (size_type index = 0; index < lines_.size(); ++index) {
    const std::string& line = lines_[index];
    // Compare the name character by character; the name ends at the first
    // '=' and a line without one never matches.
    if (line.empty() || line[0] == '=' || Folded(line[0]) != first) continue;
    std::size_t k = 1;
    for (; k < line.size(); ++k) {
      const char c = line[k];
      if (c == '=') break;
      if (k >= text.size() || Folded(c) != Folded(text[k])) break;
    }
    if (k < line.size() && line[k] == '=' && k > length) {
      best = static_cast<int>(index);
      length = k;
    }
  }
  return best;
}

void NameValueList::Rewrite(size_type index, std::string_view name, std::string_view text) {
  std::string& line = lines_[index];
  // The name stays the same but for case, so only an empty line changes
  // what the index knows.
  if (!stale_ && line.empty()) --emptyLines_;
  line.assign(name);
  line += '=';
  line.append(text);
}

void NameValueList::Append(std::string_view name, std::string_view text) {
  std::string line;
  line.reserve(name.size() + 1 + text.size());
  line.append(name);
  line += '=';
  line.append(text);
  lines_.push_back(std::move(line));
  if (!stale_) IndexLine(lines_.size() - 1);
}

void NameValueList::Remove(size_type index) {
  lines_.erase(lines_.begin() + static_cast<difference_type>(index));
  stale_ = true;  // every later line moves up
}

void NameValueList::RemoveEmptyLines() {
  if (Indexed() && emptyLines_ == 0) return;
  const auto removed = std::erase_if(lines_, [](const std::string& line) { return line.empty(); });
  if (removed != 0) stale_ = true;
}

}  // namespace zc
