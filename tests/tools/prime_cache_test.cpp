#include "prime_cache.h"
#include "prime_cache_file.h"
#include "file_error.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace zc {
namespace {

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

// The stored form written out by hand: each byte XORed with its mask byte,
// masks taken from the little-endian word 0x5E5E5E5E ^ index.
std::string Scrambled(const std::string& plain) {
  std::string out = plain;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const unsigned mask = (0x5E5E5E5Eu ^ static_cast<unsigned>(i / 4)) >> (8 * (i % 4));
    out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) ^ (mask & 0xFFu));
  }
  return out;
}

PrimeCache CacheOf(std::initializer_list<const char*> entries) {
  PrimeCache cache;
  for (const char* entry : entries) cache.Add(entry);
  return cache;
}

TEST(PrimeCache, KeepsTextOrderWithoutDuplicates) {
  PrimeCache cache = CacheOf({"2", "11", "3", "2"});
  cache.AddAscending({3, 13, 13, 101});
  EXPECT_EQ(cache.Entries(), (std::vector<std::string>{"101", "11", "13", "2", "3"}));
  EXPECT_EQ(cache.Count(), 5u);
  EXPECT_TRUE(cache.Contains("13"));
  EXPECT_FALSE(cache.Contains("1"));  // whole entries only
  EXPECT_EQ(cache.PlainText(), "101\r\n11\r\n13\r\n2\r\n3\r\n");
}

TEST(PrimeCache, TextOrderHoldsForNumbersOfEveryLengthAndForOtherTexts) {
  PrimeCache cache;
  const std::vector<std::string> texts = {
      "1", "10", "100", "1000000000000000000", "9", "99", "0", "19", "1000000000000000001",
      "007", "", "abc", "9223372036854775807", "18446744073709551615", "2", "20", "3"};
  for (const auto& text : texts) cache.Add(text);
  std::vector<std::string> sorted = texts;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(cache.Entries(), sorted);
  for (const auto& text : texts) EXPECT_TRUE(cache.Contains(text)) << text;
  EXPECT_FALSE(cache.Contains("7"));  // "007" is a different entry
  EXPECT_FALSE(cache.Contains(std::uint64_t{7}));
}

TEST(PrimeCache, LoadedLinesKeepEveryTextOnce) {
  PrimeCache cache;
  cache.AddPlainText("3\r\n2\r\n3\r\n07\nx\r5");
  EXPECT_EQ(cache.Entries(), (std::vector<std::string>{"07", "2", "3", "5", "x"}));
}

TEST(PrimeCacheFile, StoredBytesAreExact) {
  const struct {
    PrimeCache cache;
    std::string expected;
  } cases[] = {
      {PrimeCache{}, FromHex("d41d8cd98f00b204e9800998ecf8427e")},
      {CacheOf({"2"}), std::string("\x6C\x53\x54", 3) + FromHex("10400c6faf166902b52fb97042f1e0eb")},
      {CacheOf({"2", "11", "13"}),
       Scrambled("11\r\n13\r\n2\r\n") + FromHex("0e9ee4ed1a78858955c1f5f267ac066c")},
  };
  for (const auto& c : cases) {
    const std::string bytes = EncodePrimeCacheFile(c.cache);
    EXPECT_EQ(bytes, c.expected);
    PrimeCache loaded;
    EXPECT_TRUE(DecodePrimeCacheFile(bytes, loaded));
    EXPECT_EQ(loaded.Entries(), c.cache.Entries());
  }
  EXPECT_EQ(EncodePrimeCacheFile(CacheOf({"2"})).size(), 19u);
  // Word 1 of a longer text uses the mask 0x5E5E5E5F.
  EXPECT_EQ(Scrambled("11\r\n13\r\n2\r\n")[4], static_cast<char>('1' ^ 0x5F));
}

TEST(PrimeCacheFile, DamagedOrShortFilesLoadNothing) {
  const std::string good = EncodePrimeCacheFile(CacheOf({"2", "3", "5", "7"}));
  std::vector<std::string> bad = {"", std::string(15, '\0'), good.substr(1), good + "x"};
  for (std::size_t i = 0; i < good.size(); ++i) {
    std::string changed = good;
    changed[i] = static_cast<char>(changed[i] ^ 0x01);
    bad.push_back(changed);
  }
  for (const auto& bytes : bad) {
    PrimeCache cache;
    EXPECT_FALSE(DecodePrimeCacheFile(bytes, cache)) << bytes.size();
    EXPECT_EQ(cache.Count(), 0u);
  }
}

TEST(PrimeCacheFile, SavedFileLoadsBackAndReplacesTheOldOne) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.filePath(kPrimeCacheFileName).toStdString();
  PrimeCache missing;
  EXPECT_FALSE(LoadPrimeCacheFile(path, missing));

  SavePrimeCacheFile(path, CacheOf({"2", "3"}));
  SavePrimeCacheFile(path, CacheOf({"5", "7", "11"}));
  PrimeCache loaded;
  EXPECT_TRUE(LoadPrimeCacheFile(path, loaded));
  EXPECT_EQ(loaded.Entries(), (std::vector<std::string>{"11", "5", "7"}));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{kPrimeCacheFileName});
}

TEST(PrimeCacheFile, AFailedWriteNamesTheFileAndKeepsTheOldOne) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string good = EncodePrimeCacheFile(CacheOf({"2", "3"}));
  const struct {
    const char* label;
    const char* name;
    bool folder;      // a folder of that name
    bool readOnly;    // an old file that may not be written
    std::string reason;
  } cases[] = {
      {"folder", "folder/Primenumbers.log", true, false, "フォルダー"},
      {"read-only old file", "readonly/Primenumbers.log", false, true, std::strerror(EACCES)},
      {"missing folder", "no/such/Primenumbers.log", false, false, std::strerror(ENOENT)},
  };
  for (const auto& c : cases) {
    const QString path = dir.filePath(QString::fromLatin1(c.name));
    if (c.folder) QDir().mkpath(path);
    if (c.readOnly) {
      QDir().mkpath(QFileInfo(path).path());
      SavePrimeCacheFile(path.toStdString(), CacheOf({"2", "3"}));
      QFile::setPermissions(path, QFileDevice::ReadOwner);
    }
    try {
      SavePrimeCacheFile(path.toStdString(), CacheOf({"5", "7"}));
      ADD_FAILURE() << c.label << ": written";
    } catch (const FileError& error) {
      EXPECT_NE(std::string(error.what()).find(path.toStdString()), std::string::npos) << c.label;
      EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << c.label << ": " << error.what();
    }
    if (c.readOnly) {
      PrimeCache kept;
      EXPECT_TRUE(LoadPrimeCacheFile(path.toStdString(), kept)) << c.label;
      EXPECT_EQ(kept.Entries(), (std::vector<std::string>{"2", "3"})) << c.label;
    }
  }
}

TEST(PrimeCacheFile, AFileThatCannotBeReadIsAnErrorNotAnEmptyCache) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.filePath(kPrimeCacheFileName).toStdString();
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  PrimeCache cache;
  EXPECT_THROW(LoadPrimeCacheFile(path, cache), FileError);
}

}  // namespace
}  // namespace zc
