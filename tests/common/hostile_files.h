// Things that stand where a data file or an output file should be: pipes,
// devices, folders, endless and oversized files, and a file system that is
// full. Each is made inside a test's own temporary folder; nothing here
// touches /dev or any file outside that folder.
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "temp_dir.h"

namespace zc::test {

enum class Hostile { Fifo, Device, Folder, LinkToProcSelfMem, LinkToDevZero, TooLarge };

struct HostileCase {
  const char* label;
  Hostile kind;
};

inline constexpr HostileCase kHostileInputs[] = {
    {"named pipe", Hostile::Fifo},
    {"device node", Hostile::Device},
    {"folder", Hostile::Folder},
    {"link to /proc/self/mem", Hostile::LinkToProcSelfMem},
    {"link to /dev/zero", Hostile::LinkToDevZero},
    {"file larger than the cap", Hostile::TooLarge},
};

// Things that stand where an output file should be, as the file itself or
// at the end of a link.
struct HostileOutputCase {
  const char* label;
  Hostile kind;
  bool throughLink;
};

inline constexpr HostileOutputCase kHostileOutputs[] = {
    {"named pipe", Hostile::Fifo, false},
    {"device node", Hostile::Device, false},
    {"link to a device node", Hostile::Device, true},
    {"folder", Hostile::Folder, false},
};

// A character device node in the test folder, like the system's zero
// device: it never ends. Nothing when device nodes cannot be made here.
inline bool MakeDeviceNode(const std::string& path) {
  return geteuid() == 0 && mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0;
}

// Puts a hostile `kind` at `path`. Returns why it could not, or "" when it
// is in place. A too-large file is sparse: it costs no disk space.
inline std::string MakeHostile(Hostile kind, const std::string& path,
                               std::uintmax_t sizeLimit = std::uintmax_t{64} << 20) {
  std::error_code error;
  switch (kind) {
    case Hostile::Fifo:
      if (mkfifo(path.c_str(), 0600) != 0) return std::string("mkfifo: ") + std::strerror(errno);
      return "";
    case Hostile::Device:
      return MakeDeviceNode(path) ? "" : "device nodes can be made only by root";
    case Hostile::Folder:
      std::filesystem::create_directory(path, error);
      break;
    case Hostile::LinkToProcSelfMem:
      std::filesystem::create_symlink("/proc/self/mem", path, error);
      break;
    case Hostile::LinkToDevZero:
      std::filesystem::create_symlink("/dev/zero", path, error);
      break;
    case Hostile::TooLarge:
      std::ofstream(path, std::ios::binary) << "[f]\r\nSentence=1\r\n";
      std::filesystem::resize_file(path, sizeLimit + 1, error);
      break;
  }
  return error ? error.message() : "";
}

struct HostileOutput {
  std::string special;      // the thing itself
  std::string target;       // the path a program is told to write: the thing, or a link to it
  std::string unavailable;  // why it could not be made; "" when it is in place
};

// Puts the output case `c` into `dir` under `name`; a link is named
// "link-to-" + `name`, so it keeps the extension.
inline HostileOutput MakeHostileOutput(const HostileOutputCase& c, const TempDir& dir, const std::string& name) {
  HostileOutput made{dir.File(name), dir.File(name), MakeHostile(c.kind, dir.File(name))};
  if (made.unavailable.empty() && c.throughLink) {
    made.target = dir.File("link-to-" + name);
    std::filesystem::create_symlink(made.special, made.target);
  }
  return made;
}

// A 64 KiB tmpfs mounted on a temporary folder, unmounted and removed
// again at the end. Mounting needs root; Reason() says why it did not work.
class SmallTmpfs {
 public:
  SmallTmpfs() {
    if (mount("tmpfs", dir_.Path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0) {
      reason_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
    }
  }
  ~SmallTmpfs() {
    if (reason_.empty()) umount2(dir_.Path().c_str(), MNT_DETACH);
  }
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;

  bool Mounted() const { return reason_.empty(); }
  const std::string& Reason() const { return reason_; }
  std::string File(const std::string& name) const { return dir_.File(name); }
  const std::string& Path() const { return dir_.Path(); }

  // Takes up all the space that is left.
  void Fill() const {
    const int fd = open(File("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::string block(4096, 'f');
    while (write(fd, block.data(), block.size()) > 0) {
    }
    // The last partial block may still fit in smaller writes.
    while (write(fd, block.data(), 1) > 0) {
    }
    close(fd);
  }

 private:
  TempDir dir_;
  std::string reason_;
};

}  // namespace zc::test
