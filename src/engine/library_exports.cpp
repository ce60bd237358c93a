#include "library_exports.h"

#include <algorithm>
#include <optional>

#include "file_reader.h"

namespace zc {
namespace {

// A view of the file bytes whose every read checks its bounds.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Size() const { return bytes_.size(); }

  bool Has(std::uint64_t offset, std::uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }

  std::optional<std::uint64_t> Unsigned(std::uint64_t offset, int width, bool bigEndian) const {
    if (!Has(offset, static_cast<std::uint64_t>(width))) return std::nullopt;
    std::uint64_t value = 0;
    for (int i = 0; i < width; ++i) {
      const int byteIndex = bigEndian ? i : width - 1 - i;
      value = (value << 8) | bytes_[static_cast<std::size_t>(offset) + static_cast<std::size_t>(byteIndex)];
    }
    return value;
  }

  std::optional<std::uint32_t> U16(std::uint64_t offset) const {
    auto v = Unsigned(offset, 2, false);
    return v ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*v)) : std::nullopt;
  }
  std::optional<std::uint32_t> U32(std::uint64_t offset) const {
    auto v = Unsigned(offset, 4, false);
    return v ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*v)) : std::nullopt;
  }

  bool StartsWithAt(std::uint64_t offset, std::string_view text) const {
    if (!Has(offset, text.size())) return false;
    return std::equal(text.begin(), text.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
  }

  std::uint8_t At(std::uint64_t offset) const { return bytes_[static_cast<std::size_t>(offset)]; }

 private:
  std::span<const std::uint8_t> bytes_;
};

std::uint8_t FoldAscii(std::uint8_t c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<std::uint8_t>(c - 'A' + 'a') : c;
}

// Offset just past "<extension>\0" at or after `from`, compared ignoring
// ASCII case; nothing when it does not occur.
std::optional<std::uint64_t> FindNameEnd(const ByteReader& file, std::uint64_t from,
                                         std::string_view extension) {
  const std::uint64_t needle = extension.size() + 1;
  for (std::uint64_t at = from; file.Has(at, needle); ++at) {
    bool match = true;
    for (std::size_t i = 0; i < extension.size() && match; ++i) {
      match = FoldAscii(file.At(at + i)) == FoldAscii(static_cast<std::uint8_t>(extension[i]));
    }
    if (match && file.At(at + extension.size()) == 0) return at + needle;
  }
  return std::nullopt;
}

constexpr int kMaxSectionHeaders = 11;
constexpr std::uint64_t kSectionHeaderSize = 40;

}  // namespace

std::vector<std::string> ListPeExports(std::span<const std::uint8_t> bytes,
                                       std::string_view fileExtension) {
  const ByteReader file(bytes);
  if (!file.StartsWithAt(0, "MZ")) return {};
  const auto signatureOffset = file.U32(60);
  if (!signatureOffset || !file.StartsWithAt(*signatureOffset, std::string_view("PE\0\0", 4))) return {};

  const std::uint64_t fileHeader = std::uint64_t{*signatureOffset} + 4;
  const auto optionalSize = file.U16(fileHeader + 16);
  if (!optionalSize) return {};
  const std::uint64_t optionalHeader = fileHeader + 20;
  const auto exportRva = file.U32(optionalHeader + 96);
  const auto exportSize = file.U32(optionalHeader + 100);
  if (!exportRva || !exportSize) return {};

  // The export data lies either in its own ".edata" section or, as most
  // linkers lay it out, inside ".rdata", whose file position maps the
  // relative address back to a file offset.
  std::int64_t delta = -1;
  std::optional<std::uint64_t> start;
  std::uint64_t size = 0;
  std::uint64_t header = optionalHeader + *optionalSize;
  for (int i = 0; i < kMaxSectionHeaders && file.Has(header, kSectionHeaderSize);
       ++i, header += kSectionHeaderSize) {
    if (file.StartsWithAt(header, ".rdata")) {
      delta = static_cast<std::int64_t>(*file.U32(header + 12)) - static_cast<std::int64_t>(*file.U32(header + 20));
    } else if (file.StartsWithAt(header, ".edata")) {
      start = *file.U32(header + 20);
      size = *file.U32(header + 8);
      break;
    }
  }
  if (!start) {
    const std::int64_t mapped = static_cast<std::int64_t>(*exportRva) - delta;
    if (mapped < 0) return {};
    start = static_cast<std::uint64_t>(mapped);
    size = *exportSize;
  }
  if (*start >= file.Size()) return {};

  const auto namesBegin = FindNameEnd(file, *start, fileExtension);
  if (!namesBegin) return {};

  std::vector<std::string> names;
  std::string name;
  const std::uint64_t limit = std::min<std::uint64_t>(file.Size(), *namesBegin + size + 513);
  for (std::uint64_t at = *namesBegin; at < limit; ++at) {
    const std::uint8_t c = file.At(at);
    if (c != 0) {
      name.push_back(static_cast<char>(c));
      continue;
    }
    names.push_back(std::move(name));
    name.clear();
    if (at + 1 < limit && file.At(at + 1) == 0) break;
  }
  return names;
}

std::vector<std::string> ListElfExports(std::span<const std::uint8_t> bytes) {
  const ByteReader file(bytes);
  if (!file.StartsWithAt(0, "\x7f" "ELF") || !file.Has(0, 16)) return {};
  const std::uint8_t elfClass = file.At(4);  // 1: 32-bit, 2: 64-bit
  const std::uint8_t encoding = file.At(5);  // 1: little-endian, 2: big-endian
  if ((elfClass != 1 && elfClass != 2) || (encoding != 1 && encoding != 2)) return {};
  const bool wide = elfClass == 2;
  const bool big = encoding == 2;
  const int addressWidth = wide ? 8 : 4;
  auto read = [&](std::uint64_t offset, int width) { return file.Unsigned(offset, width, big); };

  const auto sectionTable = read(wide ? 0x28 : 0x20, addressWidth);
  const auto sectionEntrySize = read(wide ? 0x3A : 0x2E, 2);
  const auto sectionCount = read(wide ? 0x3C : 0x30, 2);
  if (!sectionTable || !sectionEntrySize || !sectionCount) return {};
  const std::uint64_t minimumEntry = wide ? 64 : 40;
  if (*sectionEntrySize < minimumEntry) return {};

  struct Section {
    std::uint64_t type = 0, link = 0, offset = 0, size = 0, entrySize = 0;
  };
  auto sectionAt = [&](std::uint64_t index) -> std::optional<Section> {
    if (index >= *sectionCount) return std::nullopt;
    const std::uint64_t base = *sectionTable + index * *sectionEntrySize;
    if (!file.Has(base, *sectionEntrySize)) return std::nullopt;
    Section s;
    s.type = *read(base + 4, 4);
    s.offset = *read(base + (wide ? 0x18 : 0x10), addressWidth);
    s.size = *read(base + (wide ? 0x20 : 0x14), addressWidth);
    s.link = *read(base + (wide ? 0x28 : 0x18), 4);
    s.entrySize = *read(base + (wide ? 0x38 : 0x24), addressWidth);
    return s;
  };

  constexpr std::uint64_t kDynamicSymbols = 11;
  std::vector<std::string> names;
  for (std::uint64_t i = 0; i < *sectionCount; ++i) {
    const auto symbols = sectionAt(i);
    if (!symbols || symbols->type != kDynamicSymbols) continue;
    const auto strings = sectionAt(symbols->link);
    if (!strings || !file.Has(symbols->offset, symbols->size) || !file.Has(strings->offset, strings->size)) {
      return {};
    }
    const std::uint64_t symbolSize = wide ? 24 : 16;
    if (symbols->entrySize != 0 && symbols->entrySize < symbolSize) return {};
    const std::uint64_t stride = symbols->entrySize ? symbols->entrySize : symbolSize;
    for (std::uint64_t at = symbols->offset; at + symbolSize <= symbols->offset + symbols->size; at += stride) {
      const std::uint64_t nameOffset = *read(at, 4);
      const std::uint8_t info = file.At(at + (wide ? 4 : 12));
      const std::uint8_t other = file.At(at + (wide ? 5 : 13));
      const std::uint64_t sectionIndex = *read(at + (wide ? 6 : 14), 2);
      const unsigned binding = info >> 4;
      const unsigned type = info & 0xF;
      const unsigned visibility = other & 0x3;
      const bool exportedFunction = type == 2 /*function*/ && (binding == 1 || binding == 2) &&
                                    sectionIndex != 0 && (visibility == 0 || visibility == 3);
      if (!exportedFunction || nameOffset >= strings->size) continue;
      std::string name;
      for (std::uint64_t c = strings->offset + nameOffset; c < strings->offset + strings->size && file.At(c) != 0; ++c) {
        name.push_back(static_cast<char>(file.At(c)));
      }
      if (!name.empty()) names.push_back(std::move(name));
    }
    break;
  }
  return names;
}

std::vector<std::string> ListLibraryExports(std::span<const std::uint8_t> file,
                                            std::string_view fileExtension) {
  if (file.size() >= 4 && file[0] == 0x7f && file[1] == 'E' && file[2] == 'L' && file[3] == 'F') {
    return ListElfExports(file);
  }
  return ListPeExports(file, fileExtension);
}

std::optional<std::vector<std::string>> TryListDllExports(const std::string& libraryPath) {
  std::optional<std::string> file;
  try {
    file = ReadFileBytesIfExists(libraryPath, kBinaryFileSizeLimit);
  } catch (const FileError&) {
    return std::nullopt;
  }
  if (!file) return std::nullopt;
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(file->data()), file->size());
  const std::size_t slash = libraryPath.find_last_of('/');
  const std::size_t dot = libraryPath.find_last_of('.');
  const std::string_view extension =
      (dot != std::string::npos && (slash == std::string::npos || dot > slash))
          ? std::string_view(libraryPath).substr(dot)
          : std::string_view();
  return ListLibraryExports(bytes, extension);
}

std::vector<std::string> ListDllExports(const std::string& libraryPath) {
  return TryListDllExports(libraryPath).value_or(std::vector<std::string>{});
}

}  // namespace zc
