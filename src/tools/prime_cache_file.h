// Primenumbers.log: the prime cache scrambled word by word, followed by the
// 16-byte MD5 digest of the unscrambled text. The digest guards against a
// damaged or edited file, which is then ignored.
#pragma once

#include <string>
#include <string_view>

#include "prime_cache.h"

namespace zc {

inline constexpr const char* kPrimeCacheFileName = "Primenumbers.log";

// The file's bytes for `cache`.
std::string EncodePrimeCacheFile(const PrimeCache& cache);

// Adds the entries of a file's bytes to `cache`. A file shorter than the
// digest, or whose digest does not match, adds nothing and returns false.
bool DecodePrimeCacheFile(std::string_view bytes, PrimeCache& cache);

// Loads `path` into `cache` if the file exists and is intact, and returns
// whether it did; a missing or damaged file leaves the cache as it is,
// without a message. A file that exists but cannot be read (no regular
// file, larger than 512 MiB, a read error) throws FileError.
bool LoadPrimeCacheFile(const std::string& path, PrimeCache& cache);

// Writes `cache` to `path` atomically. Throws FileError, naming the file and
// the reason, when it cannot be written; the old file is then untouched.
void SavePrimeCacheFile(const std::string& path, const PrimeCache& cache);

}  // namespace zc
