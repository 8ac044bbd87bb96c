// SPDX-License-Identifier: GPL-3.0-or-later
// A folder held open by its handle: every file is opened, renamed and removed
// relative to it (NtCreateFile with the folder as root), no link, junction
// or other reparse point is followed (FILE_OPEN_REPARSE_POINT), so a stick
// pulled out or a junction planted on it cannot move a write elsewhere.
//
// The native calls are ntdll's: the Win32 API opens files only by path.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#include <winternl.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <limits>
#include <new>
#include <system_error>
#include <vector>

#include "platform/win32_internal.h"

// What MinGW-w64's <winternl.h> does not declare.
extern "C" NTSTATUS NTAPI NtQueryDirectoryFile(HANDLE folder, HANDLE event, PIO_APC_ROUTINE apc,
                                               PVOID apcContext, PIO_STATUS_BLOCK io, PVOID buffer,
                                               ULONG length, FILE_INFORMATION_CLASS kind,
                                               BOOLEAN singleEntry, PUNICODE_STRING pattern,
                                               BOOLEAN restart);

namespace platform::win32 {
namespace {

constexpr NTSTATUS Status(unsigned long value) {
  return static_cast<NTSTATUS>(value);
}
constexpr NTSTATUS kStatusNoMoreFiles = Status(0x80000006);
constexpr NTSTATUS kStatusNoSuchFile = Status(0xC000000F);
constexpr NTSTATUS kStatusObjectNameInvalid = Status(0xC0000033);
constexpr NTSTATUS kStatusObjectNameNotFound = Status(0xC0000034);
constexpr NTSTATUS kStatusObjectPathNotFound = Status(0xC000003A);
constexpr NTSTATUS kStatusObjectPathSyntaxBad = Status(0xC000003B);
constexpr NTSTATUS kStatusSharingViolation = Status(0xC0000043);
constexpr NTSTATUS kStatusDeletePending = Status(0xC0000056);
constexpr NTSTATUS kStatusFileIsADirectory = Status(0xC00000BA);
constexpr NTSTATUS kStatusNotADirectory = Status(0xC0000103);

constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// FAT12/16/32 keep a file's size in 32 bits.
constexpr std::int64_t kFatLargestFile = (std::int64_t{1} << 32) - 1;

// FileDispositionInfoEx (Windows 10) and its flags, which MinGW-w64 shows
// only to newer targets.
constexpr auto kDispositionInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(21);
constexpr ULONG kDispositionDelete = 0x1;
constexpr ULONG kDispositionPosixSemantics = 0x2;
constexpr ULONG kDispositionIgnoreReadOnly = 0x10;

// FILE_RENAME_INFORMATION, for NtSetInformationFile.
struct RenameInformation {
  BOOLEAN replaceIfExists;
  HANDLE rootDirectory;
  ULONG fileNameLength;
  WCHAR fileName[1];
};

[[noreturn]] void FailStatus(NTSTATUS status, const std::string& what, bool onFat = false) {
  if (status == kStatusFileIsADirectory) throw FileError(EISDIR, what);
  if (status == kStatusNotADirectory) throw FileError(ENOTDIR, what);
  Fail(RtlNtStatusToDosError(status), what, onFat);
}

// Opens name relative to the folder handle root ("" is the folder itself),
// for synchronous I/O.
NTSTATUS OpenAt(HANDLE root, const std::wstring& name, ACCESS_MASK access, ULONG share,
                ULONG disposition, ULONG options, Handle* opened) {
  if (name.size() > std::numeric_limits<USHORT>::max() / sizeof(wchar_t)) {
    return kStatusObjectNameInvalid;
  }
  UNICODE_STRING text;
  text.Buffer = const_cast<PWSTR>(name.c_str());
  text.Length = text.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  OBJECT_ATTRIBUTES attributes{};
  attributes.Length = sizeof attributes;
  attributes.RootDirectory = root;
  attributes.ObjectName = &text;
  attributes.Attributes = OBJ_CASE_INSENSITIVE;  // as every Win32 call names files
  IO_STATUS_BLOCK io{};
  HANDLE h = INVALID_HANDLE_VALUE;
  const NTSTATUS status =
      NtCreateFile(&h, access | SYNCHRONIZE, &attributes, &io, nullptr, FILE_ATTRIBUTE_NORMAL,
                   share, disposition, options | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  if (NT_SUCCESS(status)) opened->reset(h);
  return status;
}

bool Missing(NTSTATUS status) {
  return status == kStatusObjectNameNotFound || status == kStatusObjectPathNotFound ||
         status == kStatusNoSuchFile;
}

EntryKind KindOf(DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::kLink;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::kFolder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::kOther;
  return EntryKind::kFile;
}

// Calls found(name, attributes, size) for what the folder under the handle
// lists: every entry, "." and ".." too, or only the one named `only`.
template <typename Found>
NTSTATUS ReadFolder(HANDLE folder, const std::wstring* only, Found found) {
  Handle listing;
  NTSTATUS status =
      OpenAt(folder, L"", FILE_LIST_DIRECTORY, kShareAll, FILE_OPEN, FILE_DIRECTORY_FILE, &listing);
  if (!NT_SUCCESS(status)) return status;
  UNICODE_STRING pattern{};
  if (only != nullptr) {
    pattern.Buffer = const_cast<PWSTR>(only->c_str());
    pattern.Length = pattern.MaximumLength = static_cast<USHORT>(only->size() * sizeof(wchar_t));
  }
  // 64 KiB holds a few hundred entries a call; one entry and its name fit in 1 KiB.
  std::vector<std::uint64_t> buffer(only != nullptr ? 128 : 8192);
  for (bool first = true;; first = false) {
    IO_STATUS_BLOCK io{};
    status = NtQueryDirectoryFile(listing.get(), nullptr, nullptr, nullptr, &io, buffer.data(),
                                  static_cast<ULONG>(buffer.size() * sizeof buffer[0]),
                                  FileFullDirectoryInformation, only != nullptr,
                                  only != nullptr ? &pattern : nullptr, first);
    if (status == kStatusNoMoreFiles || status == kStatusNoSuchFile) return 0;
    if (!NT_SUCCESS(status)) return status;
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
    while (true) {
      const auto* entry = reinterpret_cast<const FILE_FULL_DIR_INFO*>(bytes);
      found(std::wstring_view(entry->FileName, entry->FileNameLength / sizeof(wchar_t)),
            entry->FileAttributes, static_cast<std::int64_t>(entry->EndOfFile.QuadPart));
      if (entry->NextEntryOffset == 0) break;
      bytes += entry->NextEntryOffset;
    }
    if (only != nullptr) return 0;
  }
}

// What the folder under the handle lists under name, without opening it.
FolderEntry LookUp(HANDLE folder, const std::wstring& name) {
  FolderEntry entry;
  // Wildcards would match other names; no file system takes them in a name.
  if (name.find_first_of(L"*?<>\"") != std::wstring::npos) return entry;
  ReadFolder(folder, &name, [&](std::wstring_view, DWORD attributes, std::int64_t size) {
    entry.kind = KindOf(attributes);
    if (entry.kind == EntryKind::kFile) entry.size = size;
  });
  return entry;
}

// The name of the file system under the handle: "NTFS", "FAT32", "exFAT" ...;
// empty when the system does not tell it.
std::wstring FileSystemName(HANDLE h) {
  std::vector<std::uint64_t> buffer(64);  // the attributes and a name of up to 100 characters
  auto* attributes = reinterpret_cast<FILE_FS_ATTRIBUTE_INFORMATION*>(buffer.data());
  IO_STATUS_BLOCK io{};
  if (!NT_SUCCESS(NtQueryVolumeInformationFile(
          h, &io, attributes, static_cast<ULONG>(buffer.size() * 8), FileFsAttributeInformation))) {
    return {};
  }
  return std::wstring(attributes->FileSystemName,
                      attributes->FileSystemNameLength / sizeof(wchar_t));
}

bool IsFat(const std::wstring& name) {
  return name == L"FAT" || name == L"FAT12" || name == L"FAT16" || name == L"FAT32";
}

DWORD AttributesOf(HANDLE h, const std::string& what) {
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag)) {
    FailLastError(what);
  }
  return tag.FileAttributes;
}

// The size of the sectors the volume under the handle reads and writes.
DWORD SectorSize(HANDLE h) {
  IO_STATUS_BLOCK io{};
  FILE_FS_SIZE_INFORMATION size{};
  if (!NT_SUCCESS(
          NtQueryVolumeInformationFile(h, &io, &size, sizeof size, FileFsSizeInformation)) ||
      size.BytesPerSector == 0) {
    return 4096;  // a multiple of every sector size in use
  }
  return size.BytesPerSector;
}

NTSTATUS RenameTo(HANDLE h, HANDLE root, const std::wstring& name) {
  const std::size_t bytes = name.size() * sizeof(wchar_t);
  std::vector<std::uint64_t> buffer((sizeof(RenameInformation) + bytes) / 8 + 1);
  auto* info = new (buffer.data()) RenameInformation{};
  info->replaceIfExists = TRUE;
  info->rootDirectory = root;
  info->fileNameLength = static_cast<ULONG>(bytes);
  std::memcpy(reinterpret_cast<unsigned char*>(info) + offsetof(RenameInformation, fileName),
              name.data(), bytes);
  IO_STATUS_BLOCK io{};
  return NtSetInformationFile(h, &io, info,
                              static_cast<ULONG>(offsetof(RenameInformation, fileName) + bytes),
                              FileRenameInformation);
}

// Marks the file or folder under the handle for removal: it goes when the
// handle closes.
void Dispose(HANDLE h, DWORD attributes, const std::string& shown) {
  // Windows 10 on NTFS takes the name away at once, even while a virus
  // scanner still reads the file, and removes a read-only file as well.
  ULONG flags = kDispositionDelete | kDispositionPosixSemantics | kDispositionIgnoreReadOnly;
  if (SetFileInformationByHandle(h, kDispositionInfoEx, &flags, sizeof flags)) return;
  // Older systems, FAT and Wine mark it the classic way.
  FILE_DISPOSITION_INFO dispose{TRUE};
  if (SetFileInformationByHandle(h, FileDispositionInfo, &dispose, sizeof dispose)) return;
  const DWORD error = GetLastError();
  if (error == ERROR_ACCESS_DENIED && (attributes & FILE_ATTRIBUTE_READONLY)) {
    // Removing a name is the folder's business, as on POSIX: the read-only
    // mark goes first.
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = attributes & ~DWORD{FILE_ATTRIBUTE_READONLY};
    if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (SetFileInformationByHandle(h, FileBasicInfo, &basic, sizeof basic) &&
        SetFileInformationByHandle(h, FileDispositionInfo, &dispose, sizeof dispose)) {
      return;
    }
  }
  Fail(error, "cannot remove " + QuotedPath(shown));
}

// Removes name from the folder under the handle, and all it holds when it
// is a folder. A link is removed itself, never what it names.
void RemoveAt(HANDLE folder, const std::wstring& name, const std::string& shown) {
  Handle h;
  const NTSTATUS status =
      OpenAt(folder, name, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, kShareAll,
             FILE_OPEN, FILE_OPEN_REPARSE_POINT, &h);
  if (Missing(status) || status == kStatusDeletePending) return;  // nothing there, or going
  if (!NT_SUCCESS(status)) FailStatus(status, "cannot remove " + QuotedPath(shown));
  const DWORD attributes = AttributesOf(h.get(), "cannot remove " + QuotedPath(shown));
  const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  if (!link && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    // Wine lists a Unix link to a folder as a link but opens the folder it
    // names: emptying that would empty a folder off the stick.
    if (LookUp(folder, name).kind == EntryKind::kLink) {
      throw FileError(ELOOP,
                      "cannot remove " + QuotedPath(shown) + ", the system follows the link");
    }
    std::vector<std::wstring> names;
    const NTSTATUS read =
        ReadFolder(h.get(), nullptr, [&](std::wstring_view entry, DWORD, std::int64_t) {
          if (entry != L"." && entry != L"..") names.emplace_back(entry);
        });
    if (!NT_SUCCESS(read)) FailStatus(read, "cannot read folder " + QuotedPath(shown));
    for (const std::wstring& entry : names) {
      // Names with no GBK form go too; a message shows them as '?'.
      RemoveAt(h.get(), entry, shown + '\\' + GbkName(entry).value_or("?"));
    }
  }
  Dispose(h.get(), attributes, shown);
}

class Win32Folder final : public Folder {
 public:
  Win32Folder(HANDLE h, std::string path)
      : handle_(h), path_(std::move(path)), fileSystem_(FileSystemName(h)) {}

  const std::string& Path() const override { return path_; }

  std::unique_ptr<Folder> OpenFolder(const std::string& name, bool create) override {
    const std::string what =
        (create ? "cannot create folder " : "cannot open folder ") + Shown(name);
    const std::wstring wide = Native(name, what);
    RefuseLink(wide, what);
    Handle h;
    const NTSTATUS status = OpenAt(handle_.get(), wide, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                   kShareAll, create ? FILE_OPEN_IF : FILE_OPEN,
                                   FILE_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT, &h);
    if (!NT_SUCCESS(status)) {
      // Windows says "not a directory" for a file there, Wine "not found".
      const EntryKind kind = LookUp(handle_.get(), wide).kind;
      if (kind == EntryKind::kFile || kind == EntryKind::kOther) throw FileError(ENOTDIR, what);
      RefuseLink(wide, what);
      FailStatus(status, what, create && OnFat());
    }
    const DWORD attributes = AttributesOf(h.get(), what);
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) throw FileError(ELOOP, what + ", it is a link");
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) throw FileError(ENOTDIR, what);
    return NewFolder(h.release(), path_ + name + '\\');
  }

  std::string VolumeId() override {
    DWORD serial = 0;
    if (!GetVolumeInformationByHandleW(handle_.get(), nullptr, 0, &serial, nullptr, nullptr,
                                       nullptr, 0)) {
      return "";
    }
    // As Windows shows it (vol, dir): "1A2B-3C4D".
    const char* digits = "0123456789ABCDEF";
    std::string id(9, '-');
    for (int i = 0; i < 8; ++i) id[i < 4 ? i : i + 1] = digits[(serial >> (28 - 4 * i)) & 0xF];
    return id;
  }

  bool ReachedByPath() override {
    const std::optional<std::wstring> wide = WidePath(path_);
    if (!wide) return false;
    Handle named(CreateFileW(wide->c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    return named.valid() && GetFileInformationByHandle(handle_.get(), &a) &&
           GetFileInformationByHandle(named.get(), &b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
  }

  bool TryLock() override {
    if (lock_.valid()) return true;
    // A second handle on the folder that may add files to it and lets no
    // one else open it for that: another holder's lock handle fails with a
    // sharing violation. Files are still made, renamed and removed in the
    // folder, and it is still listed and opened (none of that opens the
    // folder to write), also by Explorer. Opening it to move a file in by
    // its path waits for the lock to go, which is what a lock is for.
    Handle h;
    const NTSTATUS status =
        OpenAt(handle_.get(), L"", FILE_LIST_DIRECTORY | FILE_ADD_FILE,
               FILE_SHARE_READ | FILE_SHARE_DELETE, FILE_OPEN, FILE_DIRECTORY_FILE, &h);
    if (NT_SUCCESS(status)) {
      lock_ = std::move(h);
      return true;
    }
    // No right to write to the folder, or a file system without sharing
    // rules: there is no lock to have, and the run goes on.
    return status != kStatusSharingViolation;
  }

  std::vector<FolderEntry> List() override {
    std::vector<FolderEntry> entries;
    const NTSTATUS status = ReadFolder(
        handle_.get(), nullptr, [&](std::wstring_view name, DWORD attributes, std::int64_t size) {
          if (name == L"." || name == L"..") return;
          std::optional<std::string> gbk = GbkName(name);
          if (!gbk) return;
          FolderEntry& entry = entries.emplace_back();
          entry.name = std::move(*gbk);
          entry.kind = KindOf(attributes);
          if (entry.kind == EntryKind::kFile) entry.size = size;
        });
    if (!NT_SUCCESS(status)) FailStatus(status, "cannot read folder " + QuotedPath(path_));
    return entries;
  }

  FolderEntry Stat(const std::string& name) override {
    FolderEntry entry;
    std::optional<std::wstring> wide = WidePath(name);
    if (wide) {
      RequireName(*wide, "cannot look up " + Shown(name));
      entry = LookUp(handle_.get(), *wide);
    }
    entry.name = name;
    return entry;
  }

  std::unique_ptr<WritableFile> CreateNew(const std::string& name) override {
    const std::string what = "cannot create " + Shown(name);
    const std::wstring wide = Native(name, what);
    // FILE_CREATE fails on anything that stands there, a link included.
    Handle h;
    const NTSTATUS status =
        OpenAt(handle_.get(), wide, FILE_GENERIC_WRITE, FILE_SHARE_READ, FILE_CREATE,
               FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT, &h);
    if (!NT_SUCCESS(status)) FailStatus(status, what, OnFat());
    return NewWritableFile(h.release(), path_ + name, OnFat());
  }

  std::unique_ptr<SequentialFile> OpenForRead(const std::string& name, bool fromDevice) override {
    const std::string shown = path_ + name;
    const std::string what = "cannot open " + QuotedPath(shown) + " for reading";
    const std::wstring wide = Native(name, what);
    RefuseLink(wide, what);
    ULONG options = FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT | FILE_SEQUENTIAL_ONLY;
    // Past the cache: the system reads the device, having first written
    // what the cache still held.
    if (fromDevice) options |= FILE_NO_INTERMEDIATE_BUFFERING;
    Handle h;
    const NTSTATUS status = OpenAt(handle_.get(), wide, FILE_GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_OPEN, options, &h);
    if (!NT_SUCCESS(status)) FailStatus(status, what);
    const std::string notRegular =
        "cannot read " + QuotedPath(shown) + ", it is not a regular file";
    if (GetFileType(h.get()) != FILE_TYPE_DISK) throw FileError(EINVAL, notRegular);
    const DWORD attributes = AttributesOf(h.get(), what);
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) throw FileError(ELOOP, what + ", it is a link");
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(EISDIR, notRegular);
    if (!fromDevice) return NewSequentialFile(h.release(), shown);
    const DWORD sector = SectorSize(h.get());
    return NewUncachedFile(h.release(), shown, sector);
  }

  void Remove(const std::string& name) override {
    RemoveAt(handle_.get(), Native(name, "cannot remove " + Shown(name)), path_ + name);
  }

  void Rename(const std::string& from, const std::string& to) override {
    const std::string what = "cannot rename " + Shown(from) + " to " + Shown(to);
    const std::wstring wideFrom = Native(from, what);
    const std::wstring wideTo = Native(to, what);
    // Write-through, as MoveFileEx does it: the new name is on the device
    // when the call returns.
    Handle h;
    NTSTATUS status = OpenAt(handle_.get(), wideFrom, DELETE, kShareAll, FILE_OPEN,
                             FILE_OPEN_REPARSE_POINT | FILE_WRITE_THROUGH, &h);
    if (!NT_SUCCESS(status)) FailStatus(status, what);
    // A bare name renames within the file's folder, which is this one.
    // Windows then opens no folder for the new name, so a lock held on the
    // folder does not refuse it. Wine wants the folder as root.
    status = RenameTo(h.get(), nullptr, wideTo);
    if (status == kStatusObjectPathSyntaxBad) status = RenameTo(h.get(), handle_.get(), wideTo);
    if (!NT_SUCCESS(status)) FailStatus(status, what, OnFat());
  }

  void Sync() override {
    const std::string what = "cannot flush folder " + QuotedPath(path_) + " to the device";
    // A folder's entries are flushed through a handle that may write to it
    // (FAT then writes the folder and its allocation table); the lock's
    // handle may.
    Handle writer;
    HANDLE flushed = lock_.get();
    if (!lock_.valid() && NT_SUCCESS(OpenAt(handle_.get(), L"", FILE_ADD_FILE, kShareAll, FILE_OPEN,
                                            FILE_DIRECTORY_FILE, &writer))) {
      flushed = writer.get();
    }
    if (flushed != INVALID_HANDLE_VALUE) {
      if (FlushFileBuffers(flushed)) return;
      const DWORD error = GetLastError();
      const int reason =
          PortableErrno(std::error_code(static_cast<int>(error), std::system_category()));
      if (reason == EIO || reason == ENODEV || reason == ENOTCONN || reason == ENOSPC) {
        Fail(error, what, OnFat());
      }
    }
    // No flush to ask for (no right to write to the folder, another holder's
    // lock, a file system that has none): renames were written through, and
    // the folder must still be there, as the POSIX flush proves by its call.
    IO_STATUS_BLOCK io{};
    FILE_FS_SIZE_INFORMATION size{};
    const NTSTATUS status =
        NtQueryVolumeInformationFile(handle_.get(), &io, &size, sizeof size, FileFsSizeInformation);
    if (!NT_SUCCESS(status)) FailStatus(status, what);
  }

  VolumeRoom Room() override {
    VolumeRoom room;
    IO_STATUS_BLOCK io{};
    FILE_FS_FULL_SIZE_INFORMATION size{};
    if (NT_SUCCESS(NtQueryVolumeInformationFile(handle_.get(), &io, &size, sizeof size,
                                                FileFsFullSizeInformation))) {
      const std::uint64_t cluster =
          std::uint64_t{size.SectorsPerAllocationUnit} * size.BytesPerSector;
      const auto units = static_cast<std::uint64_t>(size.CallerAvailableAllocationUnits.QuadPart);
      constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
      if (cluster != 0) {
        // The units left to this user (quotas counted), not all free units.
        room.blockSize = static_cast<std::int64_t>(cluster);
        room.freeBytes = static_cast<std::int64_t>(units > kMax / cluster ? kMax : units * cluster);
      }
    }
    // Windows does not count a volume's free entries: freeEntries stays -1.
    if (IsFat(fileSystem_)) room.largestFile = kFatLargestFile;
    return room;
  }

 private:
  std::string Shown(const std::string& name) const { return QuotedPath(path_ + name); }

  // FAT12/16/32 or exFAT, whose EPERM means full (see ChineseReasonOnFat).
  bool OnFat() const { return IsFat(fileSystem_) || fileSystem_ == L"exFAT"; }

  // A single name: a separator would reach into another folder, ':' into
  // a stream of a file. Checked in UTF-16, where a GBK character's second
  // byte cannot pass for '\'.
  void RequireName(const std::wstring& wide, const std::string& what) const {
    if (wide.empty() || wide == L"." || wide == L".." ||
        wide.find_first_of(L"\\/:") != std::wstring::npos) {
      throw FileError(EINVAL, what + " (not a name within the folder)");
    }
  }

  std::wstring Native(const std::string& name, const std::string& what) const {
    std::optional<std::wstring> wide = WidePath(name);
    if (!wide) throw FileError(EILSEQ, what + " (the name is not valid GBK)");
    RequireName(*wide, what);
    return *wide;
  }

  // Refuses a name the folder lists as a link. Opening with
  // FILE_OPEN_REPARSE_POINT refuses it as well on Windows; Wine opens what a
  // Unix link names and tells it only in the listing.
  void RefuseLink(const std::wstring& wide, const std::string& what) const {
    if (LookUp(handle_.get(), wide).kind == EntryKind::kLink) {
      throw FileError(ELOOP, what + ", it is a link");
    }
  }

  Handle handle_;
  std::string path_;
  std::wstring fileSystem_;  // its volume's, as FileSystemName tells it
  Handle lock_;              // valid while this holder has the folder's lock
};

}  // namespace

std::unique_ptr<Folder> NewFolder(RawHandle h, std::string path) {
  return std::make_unique<Win32Folder>(h, std::move(path));
}

}  // namespace platform::win32
