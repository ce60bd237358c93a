#include "atomic_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace zc {

namespace {

// The file the path names, following symbolic links, so that writing
// replaces the linked file and keeps the link.
std::string ResolveTarget(const std::string& path) {
  char resolved[PATH_MAX];
  struct stat info {};
  if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
      realpath(path.c_str(), resolved) != nullptr) {
    return resolved;
  }
  return path;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = ResolveTarget(path);
  std::string temp = target + ".tmp-XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) throw FileError(FileErrorMessage(path, "を書き込めません", errno));

  const auto fail = [&](int error) {
    ::close(fd);
    ::unlink(temp.c_str());
    throw FileError(FileErrorMessage(path, "を書き込めません", error));
  };

  // Keep the permissions of the file being replaced; a new file gets the
  // usual ones for the user's umask.
  struct stat existing {};
  mode_t mode = 0;
  if (stat(target.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  if (fchmod(fd, mode) != 0) fail(errno);
  if (!WriteAll(fd, bytes)) fail(errno);
  if (fsync(fd) != 0) fail(errno);
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    throw FileError(FileErrorMessage(path, "を書き込めません", error));
  }
  if (std::rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    throw FileError(FileErrorMessage(path, "を書き込めません", error));
  }
  // Make the rename itself durable.
  const int dir = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    ::close(dir);
  }
}

}  // namespace zc
