// SPDX-License-Identifier: GPL-3.0-or-later
// What the POSIX files of platform/ share: native paths, the error they
// throw, and the file objects over a descriptor. Not for use outside
// platform/.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/env.h"
#include "platform/linux_fat.h"

namespace platform::posix {

// The native form of a GBK path, or nothing when it has none: bytes that are
// not GBK, or a NUL byte, which would cut the name short at the system call.
std::optional<std::string> NativePath(const std::string& path);

[[noreturn]] void Fail(int error, const std::string& what);
// The same for an operation on a FAT or exFAT volume when onFat, where
// EPERM means a full volume (see ChineseReasonOnFat).
[[noreturn]] void Fail(int error, const std::string& what, bool onFat);

// The native path for an operation that throws; a path with no native form
// fails like a name the system refuses.
std::string NativeOrThrow(const std::string& path, const std::string& action);

// The file objects over an open descriptor, which they own. path (GBK) names
// the file in errors.
// onFat: the file is on a FAT or exFAT volume, whose EPERM means full.
std::unique_ptr<SequentialFile> NewSequentialFile(int fd, std::string path);
std::unique_ptr<RandomAccessFile> NewRandomAccessFile(int fd, std::string path);
std::unique_ptr<WritableFile> NewWritableFile(int fd, std::string path, bool onFat = false);

// Refuses (FileError, closing fd) a descriptor that is not a regular file:
// a folder, a pipe, a device.
void RequireRegular(int fd, const std::string& path);

// What a held folder knows of the file system it is on, found once when it
// is opened.
struct MountFacts {
  dev_t device = 0;  // the folder's st_dev
  // FAT or exFAT: from the mount's type in rootPrefix + /proc/self/mountinfo,
  // or the kernel's own FAT driver told by statfs.
  FatKind fat = FatKind::kNone;
  // The allocation unit where statvfs does not tell it (a FUSE FAT mount:
  // from the boot sector of the mount's source, rootPrefix + source, or
  // kFatClusterUnknown); -1 where statvfs's f_frsize is the unit.
  std::int64_t cluster = -1;
};

// The facts of the file system of the open folder fd. Never throws.
MountFacts FactsOfMount(int fd, const std::string& rootPrefix);

// The room left on the file system of the open folder fd (Folder::Room).
VolumeRoom RoomOf(int fd, const MountFacts& facts);

// A folder over an open descriptor of it, which it owns; path is GBK and
// ends with '/'. rootPrefix is put in front of /proc and /dev when the folder
// looks up its file system ("" for the real system; see posix_env.h).
std::unique_ptr<Folder> NewFolder(int fd, std::string path, const std::string& rootPrefix);

}  // namespace platform::posix
