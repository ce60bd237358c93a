#include "library_exports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace zc {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(LibraryExports, WindowsLibraryListsItsExportNameTable) {
  const auto names = ListDllExports(ZC_TINY_PLUGIN_DLL);
  // The export name table is sorted; stdcall names carry their decoration.
  EXPECT_EQ(names, (std::vector<std::string>{"Average@8", "Twice@8"}));
}

TEST(LibraryExports, WindowsLibraryNeedsItsOwnExtension) {
  // The names are found after the library's own name, "<name>.dll".
  const auto bytes = ReadBytes(ZC_TINY_PLUGIN_DLL);
  EXPECT_TRUE(ListPeExports(bytes, ".so").empty());
  EXPECT_EQ(ListPeExports(bytes, ".DLL").size(), 2u);
}

TEST(LibraryExports, SharedObjectListsDefinedVisibleFunctionsOnly) {
  const auto names = ListDllExports(ZC_ELF_EXPORTS_PLUGIN);
  EXPECT_TRUE(Contains(names, "PluginSquare"));
  EXPECT_TRUE(Contains(names, "PluginNegate"));
  EXPECT_FALSE(Contains(names, "HiddenHelper"));
  EXPECT_FALSE(Contains(names, "PluginData"));
  for (const auto& name : names) EXPECT_FALSE(name.empty());
}

struct NotALibraryCase {
  const char* label;
  std::string bytes;
};

TEST(LibraryExports, FilesThatAreNoLibraryGiveAnEmptyList) {
  const NotALibraryCase cases[] = {
      {"empty file", ""},
      {"text", "hello, world\n"},
      {"MZ only", "MZ"},
      {"MZ with signature offset past the end", std::string("MZ") + std::string(58, '\0') + "\xff\xff\xff\x7f"},
      {"ELF magic only", "\x7f" "ELF"},
      {"ELF with a bad class", std::string("\x7f" "ELF\x09\x01") + std::string(60, '\0')},
  };
  for (const auto& c : cases) {
    const std::vector<std::uint8_t> bytes(c.bytes.begin(), c.bytes.end());
    EXPECT_TRUE(ListLibraryExports(bytes, ".dll").empty()) << c.label;
  }
  EXPECT_TRUE(ListDllExports("/nonexistent/folder/plugin.dll").empty());
}

TEST(LibraryExports, UnreadableFilesAreToldApartFromEmptyLists) {
  // A folder (an empty library path resolves to AppDir) must not throw.
  EXPECT_TRUE(ListDllExports("/tmp").empty());
  EXPECT_FALSE(TryListDllExports("/tmp").has_value());
  EXPECT_FALSE(TryListDllExports("/nonexistent/folder/plugin.dll").has_value());
  const auto names = TryListDllExports(ZC_ELF_EXPORTS_PLUGIN);
  ASSERT_TRUE(names.has_value());
  EXPECT_FALSE(names->empty());
}

// Every prefix of a real library is a truncated file the readers must
// survive; what they list from it must come from the real list.
void ExpectTruncationsAreSafe(const std::string& path, const std::string& extension) {
  const auto bytes = ReadBytes(path);
  ASSERT_FALSE(bytes.empty());
  const auto full = ListLibraryExports(bytes, extension);
  for (std::size_t length = 0; length < bytes.size(); length += (length < 4096 ? 1 : 61)) {
    const std::vector<std::uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    const auto names = ListLibraryExports(prefix, extension);
    EXPECT_LE(names.size(), full.size() + 1) << "length " << length;
  }
}

TEST(LibraryExports, TruncatedLibrariesNeverReadOutOfBounds) {
  ExpectTruncationsAreSafe(ZC_TINY_PLUGIN_DLL, ".dll");
  ExpectTruncationsAreSafe(ZC_ELF_EXPORTS_PLUGIN, ".so");
}

TEST(LibraryExports, CorruptedLibrariesNeverReadOutOfBounds) {
  std::mt19937 random(12345);
  for (const char* path : {ZC_TINY_PLUGIN_DLL, ZC_ELF_EXPORTS_PLUGIN}) {
    const auto original = ReadBytes(path);
    for (int round = 0; round < 300; ++round) {
      auto bytes = original;
      for (int flip = 0; flip < 8; ++flip) {
        // Corrupt the headers most of the time: that is where offsets live.
        const std::size_t limit = (round % 4 == 0) ? bytes.size() : std::min<std::size_t>(bytes.size(), 1024);
        bytes[random() % limit] = static_cast<std::uint8_t>(random());
      }
      (void)ListLibraryExports(bytes, ".dll");
    }
  }
  SUCCEED();
}

}  // namespace
}  // namespace zc
