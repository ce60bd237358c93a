#include "constants_file.h"

#include "atomic_file_writer.h"
#include "file_reader.h"
#include "text_lines.h"

namespace zc {

ConstantsFile LoadConstants(const std::string& path) {
  std::optional<DecodedText> decoded = ReadTextFileIfExists(path);
  if (!decoded) throw FileError("ファイル " + path + " を開けません。");
  ConstantsFile file;
  file.lines = SplitLines(decoded->utf8);
  file.encoding = decoded->encoding;
  return file;
}

std::string EncodeConstants(const NameValueList& lines, TextEncoding encoding) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return EncodeText(text, encoding);
}

void SaveConstants(const std::string& path, const NameValueList& lines, TextEncoding encoding) {
  WriteFileAtomically(path, EncodeConstants(lines, encoding));
}

}  // namespace zc
