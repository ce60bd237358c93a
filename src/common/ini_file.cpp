#include "ini_file.h"

#include "ascii_text.h"
#include "text_lines.h"

namespace zc {

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  Section* current = nullptr;
  for (const std::string& raw : SplitLines(text)) {
    const std::string_view line = TrimBlanks(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      ini.sections_.push_back(Section{std::string(TrimBlanks(line.substr(1, line.size() - 2))), {}});
      current = &ini.sections_.back();
      continue;
    }
    if (current == nullptr) continue;  // lines before the first section belong nowhere
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      current->entries.push_back(Entry{std::string(line), {}, false});
    } else {
      current->entries.push_back(Entry{std::string(TrimBlanks(line.substr(0, equals))),
                                       std::string(TrimBlanks(line.substr(equals + 1))), true});
    }
  }
  return ini;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const Section& section : sections_) {
    if (EqualsIgnoreAsciiCase(section.name, name)) return &section;
  }
  return nullptr;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  return Value(*found, key);
}

std::optional<std::string> IniFile::Value(const Section& section, std::string_view key) {
  for (const Entry& entry : section.entries) {
    if (EqualsIgnoreAsciiCase(entry.key, key)) return entry.value;
  }
  return std::nullopt;
}

}  // namespace zc
