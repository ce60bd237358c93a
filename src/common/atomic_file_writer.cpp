#include "atomic_file_writer.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdint>
#include <optional>

namespace zc {

namespace {

constexpr const char* kCannotWrite = "を書き込めません";

// Temporary files are named "<file>.zc-save-<process id>-<6 characters>", so
// that a later run knows them as ours and can tell whether the save that
// made one may still be running.
constexpr std::string_view kTemporaryMarker = ".zc-save-";
constexpr std::size_t kRandomLength = 6;
// No save takes this long; a temporary file untouched for longer is a
// leftover even if its process id has been given to another program.
constexpr time_t kStaleAfterSeconds = 60 * 60;
// As many links as the system itself follows before giving up.
constexpr int kMaxLinkDepth = 40;

[[noreturn]] void Fail(const std::string& path, int error) {
  throw FileError(FileErrorMessage(path, kCannotWrite, error));
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path names once its symbolic links are followed; a relative
// link counts from its own folder. The result need not exist yet: a link to
// a missing file makes the save create that file.
std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    char target[PATH_MAX];
    const ssize_t length = ::readlink(current.c_str(), target, sizeof target);
    if (length < 0) Fail(path, errno);
    if (static_cast<std::size_t>(length) >= sizeof target) Fail(path, ENAMETOOLONG);
    std::string next(target, static_cast<std::size_t>(length));
    current = next.front() == '/' ? next : DirectoryOf(current) + "/" + next;
  }
  Fail(path, ELOOP);
}

// The process id in a temporary file name, if it is one of ours.
std::optional<pid_t> TemporaryOwner(std::string_view fileName) {
  const std::size_t marker = fileName.rfind(kTemporaryMarker);
  if (marker == std::string_view::npos || marker == 0) return std::nullopt;
  std::string_view rest = fileName.substr(marker + kTemporaryMarker.size());
  const std::size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || rest.size() - dash - 1 != kRandomLength) return std::nullopt;
  for (char c : rest.substr(dash + 1)) {
    const bool alphanumeric = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alphanumeric) return std::nullopt;
  }
  long long pid = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + dash, pid);
  if (error != std::errc() || end != rest.data() + dash || pid <= 0 || pid > INT_MAX) return std::nullopt;
  return static_cast<pid_t>(pid);
}

bool IsStale(const std::string& path, pid_t owner) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH) return true;
  return ::time(nullptr) - info.st_mtime > kStaleAfterSeconds;
}

// Removes the stale temporary files in `folder` whose names start with
// `prefix` (all of them for an empty prefix).
void RemoveStaleIn(const std::string& folder, std::string_view prefix) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (!name.starts_with(prefix)) continue;
    const std::optional<pid_t> owner = TemporaryOwner(name);
    if (!owner) continue;
    const std::string path = folder + "/" + std::string(name);
    // A leftover that cannot be removed does no harm beyond its space.
    if (IsStale(path, *owner)) ::unlink(path.c_str());
  }
  ::closedir(dir);
}

std::string RandomSuffix() {
  static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::uint64_t counter = 0;
  timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::uint64_t seed = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 20) ^
                       (++counter * 0x9E3779B97F4A7C15ull);
  std::string suffix;
  for (std::size_t i = 0; i < kRandomLength; ++i) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    suffix.push_back(kAlphabet[(seed >> 33) % (sizeof kAlphabet - 1)]);
  }
  return suffix;
}

// Creates the temporary file beside `target`. Its permissions start from
// the user's umask, as a newly created target's would.
int CreateTemporary(const std::string& target, std::string& temporary) {
  const std::string stem = target + std::string(kTemporaryMarker) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = stem + RandomSuffix();
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {
      errno = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The replaced file's owner and permissions go to the new one, so root
// saving another user's file leaves it theirs. Without privilege only the
// group can be kept, if at all; the file then belongs to the one who saved it.
bool KeepOwnerAndMode(int fd, const struct stat& old) {
  struct stat created {};
  if (::fstat(fd, &created) != 0) return false;
  if ((created.st_uid != old.st_uid || created.st_gid != old.st_gid) &&
      ::fchown(fd, old.st_uid, old.st_gid) != 0 &&
      ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
    // Neither could be kept: the file now belongs to the one who saved it.
  }
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// Makes the rename itself survive a power loss. File systems that cannot
// sync a folder say so with EINVAL; that is no failure of the save.
bool SyncFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return true;
  const bool synced = ::fsync(dir) == 0 || errno == EINVAL || errno == EROFS;
  const int error = errno;
  ::close(dir);
  errno = error;
  return synced;
}

}  // namespace

bool IsSaveTemporaryName(std::string_view fileName) { return TemporaryOwner(fileName).has_value(); }

void RemoveStaleTemporaryFiles(const std::string& folder) { RemoveStaleIn(folder, {}); }

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = FollowLinks(path);

  struct stat old {};
  const bool exists = ::lstat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) Fail(path, errno);
  if (exists) {
    // Renaming over a device or a pipe would replace it with a plain file,
    // and over a folder cannot work; a read-only file stays read-only.
    if (!S_ISREG(old.st_mode)) throw FileError(FileErrorMessage(path, kCannotWrite, NotARegularFileReason(old.st_mode)));
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) Fail(path, errno);
    if ((old.st_mode & 0222) == 0) Fail(path, EACCES);  // binds root too
  }

  const std::string folder = DirectoryOf(target);
  RemoveStaleIn(folder, BaseNameOf(target) + std::string(kTemporaryMarker));

  std::string temporary;
  int fd = CreateTemporary(target, temporary);
  if (fd < 0) Fail(path, errno);
  const auto abandon = [&](int error) {
    if (fd >= 0) ::close(fd);
    ::unlink(temporary.c_str());
    Fail(path, error);
  };
  if (exists && !KeepOwnerAndMode(fd, old)) abandon(errno);
  if (!WriteAll(fd, bytes)) abandon(errno);
  if (::fsync(fd) != 0) abandon(errno);
  const int closed = ::close(fd);
  fd = -1;
  if (closed != 0) abandon(errno);
  if (std::rename(temporary.c_str(), target.c_str()) != 0) abandon(errno);
  if (!SyncFolder(folder)) Fail(path, errno);
}

}  // namespace zc
