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

// Loads `path` into `cache` if the file exists and is intact; a missing or
// broken file leaves the cache as it is, without a message.
bool LoadPrimeCacheFile(const std::string& path, PrimeCache& cache);

// Writes `cache` to `path` atomically; returns false if it could not be
// written, in which case the old file is untouched.
bool SavePrimeCacheFile(const std::string& path, const PrimeCache& cache);

}  // namespace zc
