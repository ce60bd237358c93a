// The one INI reader of the product: Functions.inf, presets.txt and
// errors.txt all follow the same reading rules.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zc {

class IniFile {
 public:
  struct Entry {
    std::string key;
    std::string value;  // empty for a line without '='
    bool hasEquals = true;  // false for a line without '=' (a key alone)
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;  // in file order, duplicates kept
  };

  // Reads decoded text: lines are trimmed; empty lines and lines starting
  // with ';' are skipped; "[name]" opens a section (repeats open another one
  // of the same name); other lines split at their first '=' into a trimmed
  // key and value; lines before the first section are dropped.
  static IniFile Parse(std::string_view text);

  // Every section in file order, repeated names included.
  const std::vector<Section>& Sections() const { return sections_; }

  // The first section of that name, ignoring letter case; null when absent.
  const Section* FindSection(std::string_view name) const;

  // The value of the first key of that name (ignoring case) in the first
  // section of that name; nothing when the section or key is absent.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  static std::optional<std::string> Value(const Section& section, std::string_view key);

 private:
  std::vector<Section> sections_;
};

}  // namespace zc
