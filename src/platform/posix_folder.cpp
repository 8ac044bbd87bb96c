// SPDX-License-Identifier: GPL-3.0-or-later
// A folder held open by its descriptor: every operation is relative to it
// (openat, renameat, unlinkat), never follows a link and never waits on a
// pipe, so a stick pulled out or a link planted on it cannot move a write
// elsewhere.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux_volume_id.h"
#include "platform/posix_internal.h"
#include "text/gbk.h"

namespace platform::posix {
namespace {

EntryKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return EntryKind::kFile;
  if (S_ISDIR(mode)) return EntryKind::kFolder;
  if (S_ISLNK(mode)) return EntryKind::kLink;
  return EntryKind::kOther;
}

// Removes everything below the folder fd (which it closes), not following
// links: a link is removed, not what it names.
void EmptyFolder(int fd, const std::string& shown) {
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    const int error = errno;
    ::close(fd);
    Fail(error, "cannot read folder " + QuotedPath(shown));
  }
  struct Closer {
    DIR* d;
    ~Closer() { ::closedir(d); }
  } closer{dir};
  while (true) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      if (errno != 0) Fail(errno, "cannot read folder " + QuotedPath(shown));
      return;
    }
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info;
    if (::fstatat(::dirfd(dir), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISDIR(info.st_mode)) {
      const int sub = ::openat(::dirfd(dir), name.c_str(),
                               O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
      if (sub < 0) Fail(errno, "cannot open folder " + QuotedPath(shown + name));
      EmptyFolder(sub, shown + name + "/");
      if (::unlinkat(::dirfd(dir), name.c_str(), AT_REMOVEDIR) != 0) {
        Fail(errno, "cannot remove " + QuotedPath(shown + name));
      }
    } else if (::unlinkat(::dirfd(dir), name.c_str(), 0) != 0 && errno != ENOENT) {
      Fail(errno, "cannot remove " + QuotedPath(shown + name));
    }
  }
}

class PosixFolder final : public Folder {
 public:
  PosixFolder(int fd, std::string path, std::string rootPrefix, MountFacts facts)
      : fd_(fd), path_(std::move(path)), root_(std::move(rootPrefix)), facts_(facts) {}
  ~PosixFolder() override { ::close(fd_); }  // also releases the lock

  const std::string& Path() const override { return path_; }

  std::unique_ptr<Folder> OpenFolder(const std::string& name, bool create) override {
    const std::string native = Native(name, "cannot open folder");
    if (create && ::mkdirat(fd_, native.c_str(), 0777) != 0 && errno != EEXIST) {
      Fail(errno, "cannot create folder " + Shown(name), OnFat());
    }
    const int fd =
        ::openat(fd_, native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      int error = errno;
      // Linux says ENOTDIR for a link to a folder opened with O_NOFOLLOW |
      // O_DIRECTORY; the owner is told it is a link.
      if (Stat(name).kind == EntryKind::kLink) error = ELOOP;
      Fail(error, "cannot open folder " + Shown(name));
    }
    // A folder on the same file system knows it already; one that is a
    // mount point of another looks its own up.
    struct stat info;
    if (::fstat(fd, &info) == 0 && info.st_dev == facts_.device) {
      return std::make_unique<PosixFolder>(fd, path_ + name + '/', root_, facts_);
    }
    return NewFolder(fd, path_ + name + '/', root_);
  }

  bool TryLock() override {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
    // Only "someone else holds it" refuses; a file system without locks
    // (some network or FUSE ones) lets the run go on.
    return errno != EWOULDBLOCK;
  }

  std::vector<FolderEntry> List() override {
    const int copy = ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (copy < 0) Fail(errno, "cannot read folder " + QuotedPath(path_));
    DIR* dir = ::fdopendir(copy);
    if (dir == nullptr) {
      const int error = errno;
      ::close(copy);
      Fail(error, "cannot read folder " + QuotedPath(path_));
    }
    std::vector<FolderEntry> entries;
    while (const dirent* entry = ::readdir(dir)) {
      const std::string native = entry->d_name;
      if (native == "." || native == "..") continue;
      std::optional<std::string> name = gbk::TryFromUtf8(native);
      if (!name) continue;
      FolderEntry found = Stat(*name);
      if (found.kind != EntryKind::kNone) entries.push_back(std::move(found));
    }
    ::closedir(dir);
    return entries;
  }

  FolderEntry Stat(const std::string& name) override {
    FolderEntry entry;
    entry.name = name;
    std::optional<std::string> native = NativePath(name);
    struct stat info;
    if (!native || !IsName(*native) ||
        ::fstatat(fd_, native->c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      return entry;
    }
    entry.kind = KindOf(info.st_mode);
    if (entry.kind == EntryKind::kFile) entry.size = static_cast<std::int64_t>(info.st_size);
    return entry;
  }

  std::unique_ptr<WritableFile> CreateNew(const std::string& name) override {
    const std::string native = Native(name, "cannot create");
    const int fd =
        ::openat(fd_, native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) Fail(errno, "cannot create " + Shown(name), OnFat());
    return NewWritableFile(fd, path_ + name, OnFat());
  }

  std::unique_ptr<SequentialFile> OpenForRead(const std::string& name, bool fromDevice) override {
    const std::string native = Native(name, "cannot open");
    const int fd = ::openat(fd_, native.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) Fail(errno, "cannot open " + Shown(name) + " for reading");
    RequireRegular(fd, path_ + name);
    // The file's pages in the system's cache go (they are clean once the file
    // was flushed), so what is read next comes from the device, read ahead
    // in large pieces as the file is read from start to end.
    if (fromDevice) {
      ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
      ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    return NewSequentialFile(fd, path_ + name);
  }

  void Remove(const std::string& name) override {
    const std::string native = Native(name, "cannot remove");
    struct stat info;
    if (::fstatat(fd_, native.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno == ENOENT) return;
      Fail(errno, "cannot remove " + Shown(name));
    }
    if (S_ISDIR(info.st_mode)) {
      const int sub = ::openat(fd_, native.c_str(),
                               O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
      if (sub < 0) Fail(errno, "cannot open folder " + Shown(name));
      EmptyFolder(sub, path_ + name + '/');
    }
    const int flags = S_ISDIR(info.st_mode) ? AT_REMOVEDIR : 0;
    if (::unlinkat(fd_, native.c_str(), flags) != 0 && errno != ENOENT) {
      Fail(errno, "cannot remove " + Shown(name));
    }
  }

  void Rename(const std::string& from, const std::string& to) override {
    const std::string nativeFrom = Native(from, "cannot rename");
    const std::string nativeTo = Native(to, "cannot rename to");
    if (::renameat(fd_, nativeFrom.c_str(), fd_, nativeTo.c_str()) != 0) {
      Fail(errno, "cannot rename " + Shown(from) + " to " + Shown(to), OnFat());
    }
  }

  void Sync() override {
    if (::fsync(fd_) != 0) {
      Fail(errno, "cannot flush folder " + QuotedPath(path_) + " to the device", OnFat());
    }
  }

  std::string VolumeId() override {
    return VolumeIdOfDevice(root_, major(facts_.device), minor(facts_.device));
  }

  bool ReachedByPath() override {
    struct stat held;
    struct stat named;
    const std::optional<std::string> native = NativePath(path_);
    return native && ::fstat(fd_, &held) == 0 && ::stat(native->c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
  }

  VolumeRoom Room() override { return RoomOf(fd_, facts_); }

 private:
  std::string Shown(const std::string& name) const { return QuotedPath(path_ + name); }

  // A single name: no separator, not empty, "." or "..", so nothing outside
  // the folder is ever named.
  static bool IsName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
  }

  std::string Native(const std::string& name, const std::string& action) const {
    if (!IsName(name)) Fail(EINVAL, action + ' ' + Shown(name) + " (not a name within the folder)");
    return NativeOrThrow(name, action);
  }

  bool OnFat() const { return facts_.fat != FatKind::kNone; }

  int fd_;
  std::string path_;
  std::string root_;  // put in front of /proc and /dev
  MountFacts facts_;
};

}  // namespace

std::unique_ptr<Folder> NewFolder(int fd, std::string path, const std::string& rootPrefix) {
  return std::make_unique<PosixFolder>(fd, std::move(path), rootPrefix,
                                       FactsOfMount(fd, rootPrefix));
}

}  // namespace platform::posix
