// A string list of name=value lines: the variables grid, ConstantList, a
// graph tool's private x list, a user function's parameter bindings.
//
// It reads and writes like a vector of lines. Beside the lines it keeps an
// index of their names, so that the engine finds a name as fast among
// 100,000 lines as among ten. The engine's own writes keep the index up to
// date; any other write through the vector interface marks it stale, and
// the next lookup builds it again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zc {

// The name of a line (before its first '='), or empty without an '='.
std::string_view LineName(std::string_view line);
// The value text of a line (after its first '='), or empty without an '='.
std::string_view LineValue(std::string_view line);

class NameValueList {
 public:
  using value_type = std::string;
  using size_type = std::size_t;
  using difference_type = std::ptrdiff_t;
  using reference = std::string&;
  using const_reference = const std::string&;
  using iterator = std::vector<std::string>::iterator;
  using const_iterator = std::vector<std::string>::const_iterator;

  NameValueList() = default;
  NameValueList(std::initializer_list<std::string> lines) : lines_(lines) {}
  // Converts without a cast: a list is its lines.
  NameValueList(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  // Copies and moves take the lines; the index is built again when needed.
  NameValueList(const NameValueList& other) : lines_(other.lines_) {}
  NameValueList(NameValueList&& other) noexcept : lines_(std::move(other.lines_)) { other.Forget(); }
  NameValueList& operator=(const NameValueList& other);
  NameValueList& operator=(NameValueList&& other) noexcept;
  ~NameValueList() = default;

  // ---- reading ----
  size_type size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  const_reference operator[](size_type index) const { return lines_[index]; }
  const_reference at(size_type index) const { return lines_.at(index); }
  const_reference front() const { return lines_.front(); }
  const_reference back() const { return lines_.back(); }
  const_iterator begin() const { return lines_.begin(); }
  const_iterator end() const { return lines_.end(); }
  const_iterator cbegin() const { return lines_.cbegin(); }
  const_iterator cend() const { return lines_.cend(); }
  const std::vector<std::string>& Lines() const { return lines_; }

  friend bool operator==(const NameValueList& a, const NameValueList& b) { return a.lines_ == b.lines_; }

  // ---- writing through the vector interface; the index goes stale ----
  reference operator[](size_type index) { return Touched()[index]; }
  reference at(size_type index) { return Touched().at(index); }
  reference front() { return Touched().front(); }
  reference back() { return Touched().back(); }
  iterator begin() { return Touched().begin(); }
  iterator end() { return Touched().end(); }
  void push_back(std::string line) { Touched().push_back(std::move(line)); }
  template <typename... Arguments>
  reference emplace_back(Arguments&&... arguments) {
    return Touched().emplace_back(std::forward<Arguments>(arguments)...);
  }
  iterator insert(const_iterator position, std::string line) {
    return Touched().insert(position, std::move(line));
  }
  template <typename InputIterator>
  iterator insert(const_iterator position, InputIterator first, InputIterator last) {
    return Touched().insert(position, first, last);
  }
  iterator erase(const_iterator position) { return Touched().erase(position); }
  iterator erase(const_iterator first, const_iterator last) { return Touched().erase(first, last); }
  void assign(size_type count, const std::string& line) { Touched().assign(count, line); }
  void clear() { Touched().clear(); }
  void resize(size_type count) { Touched().resize(count); }
  void reserve(size_type count) { lines_.reserve(count); }

  // ---- the engine's lookups and writes ----

  // The first line whose name equals `name`, ignoring ASCII case (lines
  // without '=' have the empty name); -1 if none.
  int FindName(std::string_view name) const;

  // The line whose non-empty name is the longest one that `text` begins
  // with, ignoring ASCII case; the first on equal length; -1 if none.
  // `length` receives the name's length.
  int MatchLongestName(std::string_view text, std::size_t& length) const;

  // Line `index` becomes name=text; `name` must equal its present name,
  // ignoring ASCII case. The line's buffer is reused.
  void Rewrite(size_type index, std::string_view name, std::string_view text);
  // Appends name=text.
  void Append(std::string_view name, std::string_view text);
  // Deletes line `index`.
  void Remove(size_type index);
  // Deletes every line that is the empty string.
  void RemoveEmptyLines();

 private:
  // Below this many lines a plain walk through the lines is the fastest
  // lookup, and no index is kept.
  static constexpr size_type kIndexedFrom = 32;

  struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
  };
  struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };

  std::vector<std::string>& Touched() {
    stale_ = true;
    return lines_;
  }
  void Forget() noexcept;  // no lines, no index
  bool Indexed() const;  // builds the index when the list is long enough
  void BuildIndex() const;
  void IndexLine(size_type index) const;

  std::vector<std::string> lines_;

  // Each name's first line, by name ignoring ASCII case; the number of
  // distinct non-empty names of each length, longest first; the number of
  // empty lines. Valid while !stale_.
  mutable std::unordered_map<std::string, size_type, FoldedHash, FoldedEqual> firstLine_;
  mutable std::map<size_type, size_type, std::greater<>> namesOfLength_;
  mutable size_type emptyLines_ = 0;
  mutable bool stale_ = true;
};

}  // namespace zc
