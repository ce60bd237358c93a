#include "user_function_store.h"

#include <unordered_map>
#include <utility>
#include <vector>

#include "ascii_text.h"
#include "atomic_file_writer.h"
#include "file_reader.h"
#include "ini_file.h"
#include "number_text.h"

namespace zc {

namespace {

// RunType as the file stores it: a 32-bit integer, decimal or hexadecimal
// after "0x" or "$".
constexpr IntegerSyntax kRunTypeSyntax{.hexPrefix = true};

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
  const NumberRead<std::int32_t> value = ReadInteger<std::int32_t>(text, kRunTypeSyntax);
  if (!value) return 0;
  const auto runType = static_cast<std::uint16_t>(static_cast<std::uint32_t>(value.value) & 0xFFFFu);
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
                       UserFunctionFileState* state) {
  const std::optional<DecodedText> decoded = ReadTextFileIfExists(fileName);
  UserFunctionList loaded;
  if (decoded) AppendUserFunctions(loaded, decoded->utf8);
  if (state != nullptr) {
    state->encoding = decoded ? decoded->encoding : TextEncoding::Utf8;
    state->loadedWithLosses =
        decoded && (decoded->lossy || (loaded.empty() && !TrimBlanks(decoded->utf8).empty()));
  }
  if (replace) list.clear();
  for (auto& record : loaded) list.push_back(std::move(record));
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
    text += "RunType=" + IntegerText(record->aRunType) + "\r\n";
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
