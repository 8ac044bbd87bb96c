// SPDX-License-Identifier: GPL-3.0-or-later
// The door to the operating system.
//
// Env is the only way the rest of the program reaches the operating system:
// volumes, free space, folders and files. One implementation per operating
// system is chosen at build time (posix.cpp, win32.cpp). EnvWrapper forwards
// every call to another Env, so a test derives from it and overrides only the
// operation it wants to break (a write that fails half way, a flush that
// fails, a volume that vanishes).
//
// Paths are GBK byte strings, like every text of the core; an implementation
// converts them to the native form (UTF-8 on Linux, UTF-16 on Windows). A path
// that has no native form is refused like a file that cannot be opened.
//
// Errors: operations that return a value or bool report "cannot" in that
// value, as each comment says. Operations on file contents throw FileError
// (platform/file_error.h, a std::system_error), whose what() is GBK text
// naming the path as given and the operating system's reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_error.h"

namespace platform {

// A file opened for reading, from its start.
class SequentialFile {
 public:
  virtual ~SequentialFile() = default;
  // Reads up to n bytes into scratch; returns how many were read, 0 at the end.
  // Throws FileError on a read error.
  virtual std::size_t Read(char* scratch, std::size_t n) = 0;
};

// A file opened for reading at any offset, as a media library reads a video:
// its start, then its last part. Read may be called from several threads.
class RandomAccessFile {
 public:
  virtual ~RandomAccessFile() = default;
  // Reads up to n bytes from offset into scratch; returns how many were read,
  // fewer than n only at the end of the file (0 at or past it). Throws
  // FileError on a read error.
  virtual std::size_t Read(std::int64_t offset, char* scratch, std::size_t n) = 0;
  // The file's size in bytes when it was opened.
  virtual std::int64_t Size() const = 0;
};

// A new file opened for writing. The destructor closes it without flushing
// to the device; call Sync first when the data must survive a pulled disk.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Writes all n bytes or throws FileError.
  virtual void Append(const char* data, std::size_t n) = 0;
  // Pushes the written bytes to the device (fsync); throws on failure.
  virtual void Sync() = 0;
  // Closes the file; throws when the close reports an error. Idempotent.
  virtual void Close() = 0;
};

// What stands under a name in a folder. A link (a symbolic link, a junction
// or another reparse point) is told as a link and never followed.
enum class EntryKind : std::uint8_t { kNone, kFile, kFolder, kLink, kOther };

struct FolderEntry {
  std::string name;  // without folder, GBK
  EntryKind kind = EntryKind::kNone;
  std::int64_t size = 0;  // bytes of a file; 0 for anything else
};

// The room a volume has left, as the folder on it sees it.
struct VolumeRoom {
  std::int64_t freeBytes = -1;  // bytes this user may still write; -1 unknown
  // The allocation unit (FAT's cluster): a file of n bytes takes n rounded up
  // to it; -1 unknown.
  std::int64_t blockSize = -1;
  std::int64_t freeEntries = -1;  // files that can still be made; -1 not counted
  std::int64_t largestFile = -1;  // the largest file it takes (FAT: 4 GiB - 1); -1 no limit
};

// A folder held open. Everything done through it is done to the folder that
// was opened, whatever happens to its path meanwhile: a disk pulled out and
// its mount point left empty, a link put in its place. No operation follows a
// link in the name it is given, and none waits on a pipe or device.
//
// Names are single names (no separator), GBK like every path. Failures throw
// FileError naming the folder's path and the name.
class Folder {
 public:
  virtual ~Folder() = default;

  // The path it was opened by, ending with the separator.
  virtual const std::string& Path() const = 0;

  // The folder under name, held open in turn. create: made first when
  // missing. Throws FileError: ELOOP when name is a link (or junction),
  // ENOTDIR when it is no folder, ENOENT when missing and not create.
  virtual std::unique_ptr<Folder> OpenFolder(const std::string& name, bool create) = 0;

  // Makes the folder this holder's until the object goes: true when it is,
  // false when another holder has it (another run of this program, in this
  // process or another). A system or file system without such locks gives
  // true. Nothing is written to the folder for it.
  virtual bool TryLock() = 0;

  // What the folder holds, in no set order; names with no GBK form are left
  // out. Throws FileError when it cannot be read.
  virtual std::vector<FolderEntry> List() = 0;

  // What stands under name (kind kNone when nothing does).
  virtual FolderEntry Stat(const std::string& name) = 0;

  // A new file under name, for writing. Exclusive: throws FileError EEXIST
  // when anything stands there already (a file, a folder, a link, a pipe),
  // so a link can never redirect the write.
  virtual std::unique_ptr<WritableFile> CreateNew(const std::string& name) = 0;

  // Opens the regular file under name for reading. Throws FileError for a
  // link (ELOOP), a folder, a pipe or a device, without waiting on it.
  // fromDevice: the bytes come from the device, not from the system's cache
  // of what was written (to check what a disk really kept).
  virtual std::unique_ptr<SequentialFile> OpenForRead(const std::string& name,
                                                      bool fromDevice = false) = 0;

  // Removes whatever stands under name, without following or opening it: a
  // file, a link (not its target), a pipe, a folder with all it holds.
  // Nothing when nothing is there. Throws FileError.
  virtual void Remove(const std::string& name) = 0;

  // Renames from to to within the folder, replacing what stands under to
  // (a file or a link, not its target). Throws FileError.
  virtual void Rename(const std::string& from, const std::string& to) = 0;

  // Pushes the folder's entries (new names, renames) to the device. Throws
  // FileError.
  virtual void Sync() = 0;

  // The room left on the folder's volume. Never throws; unknown parts are -1.
  virtual VolumeRoom Room() = 0;

  // A name of the volume the folder is on that stays the same wherever it is
  // plugged in or mounted: its file system's serial number or UUID
  // ("1A2B-3C4D" for FAT), ASCII letters, digits and '-' only. "" when it
  // cannot be told. Never throws.
  virtual std::string VolumeId() = 0;

  // True while the folder's path still leads to this folder; false once its
  // disk was pulled out (the path then leads to the folder under the mount
  // point, or nowhere) or something else took its place.
  virtual bool ReachedByPath() = 0;
};

class Env {
 public:
  Env() = default;
  Env(const Env&) = delete;
  Env& operator=(const Env&) = delete;
  virtual ~Env() = default;

  // The real operating system. Never null; lives as long as the program.
  static Env* Default();

  // Mount points (or drive roots) of the USB disks mounted now (see
  // platform/usb_volumes.h: on the USB bus or with removable media, holding
  // a medium, not the system's own): on Linux ordered by mount point, on
  // Windows C:\ to Z:\. Each ends with the folder separator. A mount point
  // that has no GBK form is left out.
  virtual std::vector<std::string> UsbVolumes() = 0;

  // The mount point (drive root) of the volume that holds the path, ending with
  // the separator, e.g. "/media/usb/" or "F:\". A path that does not exist yet
  // belongs to the volume of its nearest existing parent. Empty when it cannot
  // be told (also when the mount point has no GBK form).
  virtual std::string VolumeOf(const std::string& path) = 0;

  // True when a file (not a folder) of that name exists.
  virtual bool FileExists(const std::string& path) = 0;

  // True when a folder of that name exists.
  virtual bool DirExists(const std::string& path) = 0;

  // Size in bytes of a file, -1 when it cannot be read.
  virtual std::int64_t FileSize(const std::string& path) = 0;

  // The names (without folder) of the files in a folder, in no set order;
  // folders and names that have no GBK form are left out. Empty when the
  // folder cannot be read.
  virtual std::vector<std::string> ListFiles(const std::string& folder) = 0;

  // Opens an existing regular file for reading. Throws FileError when it
  // cannot be opened, and for a folder, a device or a pipe, without waiting
  // for a pipe's writer.
  virtual std::unique_ptr<SequentialFile> OpenForRead(const std::string& path) = 0;

  // Opens an existing regular file for reading at any offset; refuses what
  // OpenForRead refuses, with the same FileError.
  virtual std::unique_ptr<RandomAccessFile> OpenForRandomRead(const std::string& path) = 0;

  // Holds an existing folder open (see Folder). Throws FileError: ELOOP when
  // the path's last name is a link or junction, ENOTDIR when it is no
  // folder, ENOENT when it is missing.
  virtual std::unique_ptr<Folder> OpenFolder(const std::string& path) = 0;

  // The folder of the running program, ending with the separator. Empty when
  // it cannot be told (also when the folder's name has no GBK form).
  virtual std::string ExecutableDir() = 0;

  // The folder where the program keeps this user's own data (the copies of
  // the song lists a run replaced), ending with the separator: on Linux
  // $XDG_DATA_HOME/addsongs/ (by default ~/.local/share/addsongs/), on
  // Windows %LOCALAPPDATA%\addsongs\. It may not exist yet; nothing is made
  // here. Empty when it cannot be told (also when it has no GBK form).
  virtual std::string DataDir() = 0;

  // The separator this system writes between folders: '/' or '\'.
  virtual char PathSeparator() const = 0;
};

// The largest text file the program reads whole: a vod.txt of 100 songs at
// the longest line any product line writes is about 200 KiB, a settings file
// a few KiB. A larger file is not one of them.
inline constexpr std::int64_t kMaxTextFileBytes = std::int64_t{1} << 20;  // 1 MiB

// The whole content of a regular file of at most kMaxTextFileBytes, read
// through env in time and memory proportional to its size. Throws FileError
// when it cannot be opened or read, when it is not a regular file (a folder,
// a device such as /dev/zero, a pipe), and when it is larger than the cap
// (EFBIG), so that no input makes the program read for ever.
std::string ReadWholeFile(Env& env, const std::string& path);

// The same for a file already open: reads it to its end, refusing (EFBIG)
// more than kMaxTextFileBytes. size is what the file is known to hold (-1:
// unknown), to reserve room once; path names it in errors.
std::string ReadWhole(SequentialFile& file, std::int64_t size, const std::string& path);

// The path made absolute against the current folder, as a file dialog
// gives it; the path itself when it cannot be (no current folder, no GBK form).
std::string FullPath(const std::string& path);

// Forwards every call to another Folder, which it owns. Tests derive from
// it to break one call.
class FolderWrapper : public Folder {
 public:
  explicit FolderWrapper(std::unique_ptr<Folder> target) : target_(std::move(target)) {}
  Folder* target() const { return target_.get(); }

  const std::string& Path() const override { return target_->Path(); }
  std::unique_ptr<Folder> OpenFolder(const std::string& name, bool create) override {
    return target_->OpenFolder(name, create);
  }
  bool TryLock() override { return target_->TryLock(); }
  std::vector<FolderEntry> List() override { return target_->List(); }
  FolderEntry Stat(const std::string& name) override { return target_->Stat(name); }
  std::unique_ptr<WritableFile> CreateNew(const std::string& name) override {
    return target_->CreateNew(name);
  }
  std::unique_ptr<SequentialFile> OpenForRead(const std::string& name, bool fromDevice) override {
    return target_->OpenForRead(name, fromDevice);
  }
  void Remove(const std::string& name) override { target_->Remove(name); }
  void Rename(const std::string& from, const std::string& to) override {
    target_->Rename(from, to);
  }
  void Sync() override { target_->Sync(); }
  VolumeRoom Room() override { return target_->Room(); }
  std::string VolumeId() override { return target_->VolumeId(); }
  bool ReachedByPath() override { return target_->ReachedByPath(); }

 private:
  std::unique_ptr<Folder> target_;
};

// Forwards every call to another Env. Tests derive from it to break one call.
class EnvWrapper : public Env {
 public:
  explicit EnvWrapper(Env* target) : target_(target) {}
  Env* target() const { return target_; }

  std::vector<std::string> UsbVolumes() override { return target_->UsbVolumes(); }
  std::string VolumeOf(const std::string& p) override { return target_->VolumeOf(p); }
  bool FileExists(const std::string& p) override { return target_->FileExists(p); }
  bool DirExists(const std::string& p) override { return target_->DirExists(p); }
  std::int64_t FileSize(const std::string& p) override { return target_->FileSize(p); }
  std::vector<std::string> ListFiles(const std::string& p) override {
    return target_->ListFiles(p);
  }
  std::unique_ptr<SequentialFile> OpenForRead(const std::string& p) override {
    return target_->OpenForRead(p);
  }
  std::unique_ptr<RandomAccessFile> OpenForRandomRead(const std::string& p) override {
    return target_->OpenForRandomRead(p);
  }
  std::unique_ptr<Folder> OpenFolder(const std::string& p) override {
    return target_->OpenFolder(p);
  }
  std::string ExecutableDir() override { return target_->ExecutableDir(); }
  std::string DataDir() override { return target_->DataDir(); }
  char PathSeparator() const override { return target_->PathSeparator(); }

 private:
  Env* target_;
};

}  // namespace platform
