// SPDX-License-Identifier: GPL-3.0-or-later
// Env for Linux and other POSIX systems. Paths arrive as GBK and are turned
// into UTF-8, the file names of the Linux desktop, before each system call.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/env.h"
#include "platform/linux_mounts.h"
#include "platform/posix_env.h"
#include "platform/posix_internal.h"
#include "text/gbk.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

using posix::Fail;
using posix::NativeOrThrow;
using posix::NativePath;

bool StatPath(const std::string& path, struct stat* info) {
  std::optional<std::string> native = NativePath(path);
  return native && ::stat(native->c_str(), info) == 0;
}

// The user's home folder: $HOME, or where the user database puts it when
// that is unset; "" when neither gives an absolute path.
std::string HomeDir() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    return home[0] == '/' ? home : "";
  }
  std::vector<char> scratch(16384);
  struct passwd entry;
  struct passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, scratch.data(), scratch.size(), &found) != 0 ||
      found == nullptr || found->pw_dir == nullptr || found->pw_dir[0] != '/') {
    return "";
  }
  return found->pw_dir;
}

// An existing regular file opened for reading; FileError otherwise.
int OpenRegular(const std::string& path) {
  std::string native = NativeOrThrow(path, "cannot open");
  // O_NONBLOCK so that opening a pipe does not wait for a writer; it is
  // refused below, and it changes nothing for a regular file.
  int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) Fail(errno, "cannot open " + QuotedPath(path) + " for reading");
  posix::RequireRegular(fd, path);
  return fd;
}

class PosixEnv final : public Env {
 public:
  explicit PosixEnv(std::string rootPrefix) : root_(std::move(rootPrefix)) {}

  std::vector<std::string> UsbVolumes() override {
    std::vector<std::string> volumes;
    // The program's own folder, as /proc names it, marks its volume as the
    // system's own.
    std::error_code ec;
    const fs::path program = fs::read_symlink(root_ + "/proc/self/exe", ec);
    const std::string programDir = ec ? std::string() : program.parent_path().native();
    for (const std::string& point : platform::UsbVolumes(MountedVolumes(root_, programDir))) {
      if (std::optional<std::string> gbkPoint = gbk::TryFromUtf8(point)) {
        volumes.push_back(std::move(*gbkPoint));
      }
    }
    return volumes;
  }

  std::string VolumeOf(const std::string& path) override {
    std::optional<std::string> native = NativePath(path);
    if (!native || native->empty()) return {};
    // weakly_canonical resolves the part that exists, so a folder that is
    // still to be made belongs to the volume of its nearest existing parent.
    std::error_code ec;
    fs::path full = fs::absolute(*native, ec);
    if (!ec) full = fs::weakly_canonical(full, ec);
    if (ec) return {};
    std::string point = MountPointOf(ReadMountInfo(root_), full.native());
    return gbk::TryFromUtf8(point).value_or(std::string());
  }

  bool FileExists(const std::string& path) override {
    struct stat info;
    return StatPath(path, &info) && S_ISREG(info.st_mode);
  }

  bool DirExists(const std::string& path) override {
    struct stat info;
    return StatPath(path, &info) && S_ISDIR(info.st_mode);
  }

  std::int64_t FileSize(const std::string& path) override {
    struct stat info;
    if (!StatPath(path, &info) || !S_ISREG(info.st_mode)) return -1;
    return static_cast<std::int64_t>(info.st_size);
  }

  std::vector<std::string> ListFiles(const std::string& folder) override {
    std::vector<std::string> names;
    std::optional<std::string> native = NativePath(folder);
    if (!native || native->empty()) return names;
    std::error_code ec;
    for (fs::directory_iterator it(*native, ec), end; !ec && it != end; it.increment(ec)) {
      std::error_code typeError;
      if (!it->is_regular_file(typeError)) continue;
      if (auto name = gbk::TryFromUtf8(it->path().filename().native())) {
        names.push_back(std::move(*name));
      }
    }
    return names;
  }

  std::unique_ptr<SequentialFile> OpenForRead(const std::string& path) override {
    return posix::NewSequentialFile(OpenRegular(path), path);
  }

  std::unique_ptr<RandomAccessFile> OpenForRandomRead(const std::string& path) override {
    return posix::NewRandomAccessFile(OpenRegular(path), path);
  }

  std::unique_ptr<Folder> OpenFolder(const std::string& path) override {
    std::string native = NativeOrThrow(path, "cannot open folder");
    // O_NOFOLLOW: a link as the last name is refused (ELOOP), never followed;
    // a final '/' would have the system follow it, so it goes first.
    while (native.size() > 1 && native.back() == '/') native.pop_back();
    const int fd =
        ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      int error = errno;
      // Linux says ENOTDIR for a link to a folder; the owner is told it is a link.
      struct stat info;
      if (::lstat(native.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) error = ELOOP;
      Fail(error, "cannot open folder " + QuotedPath(path));
    }
    std::string shown = path;
    if (!shown.ends_with('/')) shown += '/';
    return posix::NewFolder(fd, shown, root_);
  }

  std::string DataDir() override {
    // The XDG base folders: $XDG_DATA_HOME when it is an absolute path (a
    // relative one is to be ignored), else ~/.local/share.
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
      base = xdg;
    } else {
      base = HomeDir();
      if (base.empty()) return {};
      while (base.ends_with('/')) base.pop_back();
      base += "/.local/share";
    }
    while (base.ends_with('/')) base.pop_back();
    return gbk::TryFromUtf8(base + "/addsongs/").value_or(std::string());
  }

  std::string ExecutableDir() override {
    std::error_code ec;
    fs::path program = fs::read_symlink(root_ + "/proc/self/exe", ec);
    if (ec || !program.is_absolute()) return {};
    std::string dir = program.parent_path().native();
    if (!dir.ends_with('/')) dir += '/';
    return gbk::TryFromUtf8(dir).value_or(std::string());
  }

  char PathSeparator() const override { return '/'; }

 private:
  std::string root_;  // put in front of /proc and /sys; "" for the real system
};

}  // namespace

int PortableErrno(const std::error_code& code) {
  // Both categories carry errno values here.
  return code.category() == std::generic_category() || code.category() == std::system_category()
             ? code.value()
             : 0;
}

std::string ReasonText(const std::error_code& code) {
  // The C library gives the reason in the program's locale: English in the
  // "C" locale, the desktop's language (UTF-8) once a window library set it.
  if (auto text = gbk::TryFromUtf8(code.message())) return *text;
  return "error " + std::to_string(code.value());
}

std::string FullPath(const std::string& path) {
  std::optional<std::string> native = NativePath(path);
  if (!native || native->empty()) return path;
  std::error_code ec;
  const fs::path full = fs::absolute(*native, ec);
  if (ec) return path;
  return gbk::TryFromUtf8(full.lexically_normal().native()).value_or(path);
}

Env* Env::Default() {
  static PosixEnv env("");
  return &env;
}

std::unique_ptr<Env> NewPosixEnv(const std::string& rootPrefix) {
  return std::make_unique<PosixEnv>(rootPrefix);
}

}  // namespace platform
