#include "prime_cache_file.h"

#include <QByteArray>
#include <QCryptographicHash>

#include "atomic_file_writer.h"
#include "file_reader.h"

namespace zc {
namespace {

constexpr std::size_t kDigestSize = 16;

QByteArray Md5(std::string_view bytes) {
  return QCryptographicHash::hash(
      QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
      QCryptographicHash::Md5);
}

}  // namespace

std::string EncodePrimeCacheFile(const PrimeCache& cache) {
  std::string bytes = cache.PlainText();
  const QByteArray digest = Md5(bytes);
  ScrambleCacheText(bytes);
  bytes.append(digest.constData(), static_cast<std::size_t>(digest.size()));
  return bytes;
}

bool DecodePrimeCacheFile(std::string_view bytes, PrimeCache& cache) {
  if (bytes.size() < kDigestSize) return false;
  const std::size_t textSize = bytes.size() - kDigestSize;
  std::string text(bytes.substr(0, textSize));
  ScrambleCacheText(text);
  const QByteArray digest = Md5(text);
  if (std::string_view(digest.constData(), static_cast<std::size_t>(digest.size())) !=
      bytes.substr(textSize)) {
    return false;
  }
  cache.AddPlainText(text);
  return true;
}

bool LoadPrimeCacheFile(const std::string& path, PrimeCache& cache) {
  const std::optional<std::string> bytes = ReadFileBytesIfExists(path, kBinaryFileSizeLimit);
  return bytes && DecodePrimeCacheFile(*bytes, cache);
}

void SavePrimeCacheFile(const std::string& path, const PrimeCache& cache) {
  WriteFileAtomically(path, EncodePrimeCacheFile(cache));
}

}  // namespace zc
