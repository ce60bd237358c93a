// Any bytes as a Functions.inf, presets.txt or errors.txt: decoding, the INI
// reader and the user function store must neither crash nor lose their
// footing, and a store written from what was read must read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ini_file.h"
#include "text_encoding.h"
#include "user_function_store.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const zc::DecodedText decoded = zc::DecodeText(bytes);
  Check(zc::DetectEncoding(bytes) == decoded.encoding);
  // Whatever came in, the decoded text is clean UTF-8.
  Check(zc::DecodeText(decoded.utf8).encoding == zc::TextEncoding::Utf8 ||
        decoded.utf8.starts_with("\xEF\xBB\xBF"));

  // Unicode encodings hold every decoded text exactly.
  if (decoded.encoding != zc::TextEncoding::ShiftJis) {
    const std::string encoded = zc::EncodeText(decoded.utf8, decoded.encoding);
    const zc::DecodedText again = zc::DecodeText(encoded);
    Check(again.utf8 == decoded.utf8);
  }

  // Lookups on what the reader found.
  const zc::IniFile ini = zc::IniFile::Parse(decoded.utf8);
  for (const zc::IniFile::Section& section : ini.Sections()) {
    Check(ini.FindSection(section.name) != nullptr);
    for (const zc::IniFile::Entry& entry : section.entries) {
      Check(zc::IniFile::Value(section, entry.key).has_value());
    }
  }

  // Read as a store, write, read again: one round settles the text.
  zc::UserFunctionList list;
  zc::AppendUserFunctions(list, decoded.utf8);
  Check(list.size() == ini.Sections().size());
  for (const auto& record : list) Check(record->aRunType <= 1);
  const std::string written = zc::FormatUserFunctions(list);
  zc::UserFunctionList reread;
  zc::AppendUserFunctions(reread, written);
  Check(zc::FormatUserFunctions(reread) == written);
  for (zc::TextEncoding encoding : {zc::TextEncoding::Utf8Bom, zc::TextEncoding::Utf16LE,
                                    zc::TextEncoding::Utf16BE}) {
    Check(zc::DecodeText(zc::EncodeText(written, encoding)).utf8 == written);
  }
  return 0;
}
