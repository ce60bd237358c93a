#include "file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace zc {

namespace {

constexpr const char* kCannotRead = "を読み込めません";

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

std::string TooLargeReason(std::size_t sizeLimit) {
  return "大きすぎます (上限 " + std::to_string(sizeLimit >> 20) + " MiB)";
}

}  // namespace

std::optional<std::string> ReadFileBytesIfExists(const std::string& path, std::size_t sizeLimit) {
  // Look before opening: opening a device can have effects of its own, and
  // opening a pipe waits for a writer.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    throw FileError(FileErrorMessage(path, kCannotRead, errno));
  }
  if (!S_ISREG(info.st_mode)) throw FileError(FileErrorMessage(path, kCannotRead, NotARegularFileReason(info.st_mode)));

  // Without blocking, and checked again on what was opened, in case the
  // name was swapped for something else in between.
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.Get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw FileError(FileErrorMessage(path, kCannotRead, errno));
  }
  if (::fstat(file.Get(), &info) != 0) throw FileError(FileErrorMessage(path, kCannotRead, errno));
  if (!S_ISREG(info.st_mode)) throw FileError(FileErrorMessage(path, kCannotRead, NotARegularFileReason(info.st_mode)));
  if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > sizeLimit) {
    throw FileError(FileErrorMessage(path, kCannotRead, TooLargeReason(sizeLimit)));
  }

  // The size is only a hint: files of the system report 0, and a file may
  // grow while it is read. Reading stops one byte past the limit.
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const std::size_t room = sizeLimit + 1 - bytes.size();
    const ssize_t got = ::read(file.Get(), buffer, room < sizeof buffer ? room : sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      throw FileError(FileErrorMessage(path, kCannotRead, errno));
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
    if (bytes.size() > sizeLimit) throw FileError(FileErrorMessage(path, kCannotRead, TooLargeReason(sizeLimit)));
  }
  return bytes;
}

std::optional<DecodedText> ReadTextFileIfExists(const std::string& path) {
  std::optional<std::string> bytes = ReadFileBytesIfExists(path, kTextFileSizeLimit);
  if (!bytes) return std::nullopt;
  return DecodeText(*bytes);
}

}  // namespace zc
