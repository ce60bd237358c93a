#include "user_function_store.h"

#include <unordered_map>
#include <utility>
#include <vector>

#include "ascii_text.h"
#include "atomic_file_writer.h"
#include "file_reader.h"
#include "ini_file.h"

namespace zc {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A 32-bit integer as the file stores it; nothing when unreadable.
std::optional<std::int32_t> ParseInt32(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  // Decimal values must fit the signed range; hexadecimal ones may use all
  // 32 bits, so $FFFFFFFF is -1.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t magnitude = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0 || digit >= base) return std::nullopt;
    magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (magnitude > limit) return std::nullopt;
  }
  const std::uint32_t bits = static_cast<std::uint32_t>(negative ? (~magnitude + 1) : magnitude);
  return static_cast<std::int32_t>(bits);
}

// A line break inside a name or value would split its line in the file and
// turn the rest into a key or a section of its own on the next load.
std::string SingleLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

}  // namespace

std::uint16_t ParseRunType(std::string_view text) {
  const std::optional<std::int32_t> value = ParseInt32(text);
  if (!value) return 0;
  const auto runType = static_cast<std::uint16_t>(static_cast<std::uint32_t>(*value) & 0xFFFFu);
  return runType > 1 ? 0 : runType;
}

void AppendUserFunctions(UserFunctionList& list, std::string_view text) {
  const IniFile ini = IniFile::Parse(text);
  // A repeated section name reads the values of the first section of that name.
  std::unordered_map<std::string, const IniFile::Section*> firstOfName;
  for (const IniFile::Section& section : ini.Sections()) {
    firstOfName.try_emplace(ToLowerAscii(section.name), &section);
  }
  for (const IniFile::Section& section : ini.Sections()) {
    const IniFile::Section& source = *firstOfName.at(ToLowerAscii(section.name));
    const auto value = [&](std::string_view key) {
      return IniFile::Value(source, key).value_or(std::string());
    };
    auto record = std::make_unique<TUserFunction>();
    record->aName = section.name;
    record->aExplain = value("Explain");
    record->aRunType = ParseRunType(value("RunType"));
    record->aParams = value("Params");
    record->aSentence = value("Sentence");
    record->aDLLPath = value("DLLPath");
    record->aDLLProc = value("DLLProc");
    list.push_back(std::move(record));
  }
}

bool LoadUserFunctions(UserFunctionList& list, const std::string& fileName, bool replace,
                       TextEncoding* encoding) {
  const std::optional<DecodedText> decoded = ReadTextFile(fileName);
  if (encoding != nullptr) *encoding = decoded ? decoded->encoding : TextEncoding::Utf8;
  if (replace) list.clear();
  if (decoded) AppendUserFunctions(list, decoded->utf8);
  return true;
}

std::string FormatUserFunctions(const UserFunctionList& list) {
  // Section name and the record whose values it holds, in first-seen order.
  std::vector<std::pair<std::string, const TUserFunction*>> sections;
  std::unordered_map<std::string, std::size_t> sectionOfName;
  for (const auto& record : list) {
    const auto [found, added] = sectionOfName.try_emplace(ToLowerAscii(record->aName), sections.size());
    if (added) {
      sections.emplace_back(record->aName, record.get());
    } else {
      sections[found->second].second = record.get();
    }
  }

  std::string text;
  for (const auto& [name, record] : sections) {
    text += "[" + SingleLine(name) + "]\r\n";
    text += "Explain=" + SingleLine(record->aExplain) + "\r\n";
    text += "RunType=" + std::to_string(record->aRunType) + "\r\n";
    text += "Params=" + SingleLine(record->aParams) + "\r\n";
    text += "Sentence=" + SingleLine(record->aSentence) + "\r\n";
    text += "DLLPath=" + SingleLine(record->aDLLPath) + "\r\n";
    text += "DLLProc=" + SingleLine(record->aDLLProc) + "\r\n";
    text += "\r\n";
  }
  return text;
}

bool SaveUserFunctions(const UserFunctionList& list, const std::string& fileName) {
  // The existing file is read only to learn its encoding. One that exists
  // but cannot be read loaded as an empty list; it must not be replaced by
  // that list, so the read failure stops the save.
  const std::optional<DecodedText> existing = ReadTextFileIfExists(fileName);
  const TextEncoding encoding = existing ? existing->encoding : TextEncoding::Utf8;
  return SaveUserFunctions(list, fileName, encoding);
}

bool SaveUserFunctions(const UserFunctionList& list, const std::string& fileName,
                       TextEncoding encoding) {
  // An empty list writes an empty file, without a byte-order mark.
  const std::string text = FormatUserFunctions(list);
  WriteFileAtomically(fileName, text.empty() ? std::string() : EncodeText(text, encoding));
  return true;
}

}  // namespace zc
