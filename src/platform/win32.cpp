// SPDX-License-Identifier: GPL-3.0-or-later
// Env for Windows. Paths arrive as GBK and are turned into UTF-16 with our own
// codec before each call of the wide ("W") API, so the program works the same
// whatever code page the system uses for its narrow calls.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <shlobj.h>
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cwctype>
#include <filesystem>
#include <limits>
#include <optional>
#include <system_error>

#include "platform/env.h"
#include "platform/usb_volumes.h"
#include "platform/win32_internal.h"
#include "text/gbk.h"

namespace platform {

namespace fs = std::filesystem;
using win32::Fail;
using win32::FailLastError;
using win32::GbkName;
using win32::Handle;
using win32::WideOrThrow;
using win32::WidePath;

namespace {

// What the system says about a name. Asked through a handle opened without
// any access: it works while another program holds the file open, and, unlike
// GetFileAttributesW, tells a device such as NUL or CON (not a disk file)
// from a file.
struct Entry {
  bool onDisk = false;  // a file or folder, not a device or a pipe
  bool folder = false;
  std::int64_t size = 0;
};

std::optional<Entry> Look(const std::wstring& path) {
  Handle h(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.valid()) return std::nullopt;
  Entry entry;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileType(h.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(h.get(), &info)) {
    return entry;
  }
  entry.onDisk = true;
  entry.folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.size =
      static_cast<std::int64_t>((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
  return entry;
}

std::optional<Entry> Look(const std::string& path) {
  std::optional<std::wstring> wide = WidePath(path);
  if (!wide || wide->empty()) return std::nullopt;
  return Look(*wide);
}

// The root of the volume that holds the path ("F:\", a mounted folder, or a
// network share), ending with '\'. The path need not exist.
std::optional<std::wstring> VolumeRoot(const std::wstring& path) {
  std::wstring root(MAX_PATH + 1, L'\0');
  while (!GetVolumePathNameW(path.c_str(), root.data(), static_cast<DWORD>(root.size()))) {
    if (GetLastError() != ERROR_FILENAME_EXCED_RANGE || root.size() > 32768) return std::nullopt;
    root.resize(root.size() * 2);
  }
  root.resize(root.find(L'\0'));
  if (!root.ends_with(L'\\')) root += L'\\';
  return root;
}

// Whether the folder that holds the path lists its last name as a link.
// Wine opens what a Unix link names even when asked for the link itself,
// and tells it only in the listing; Windows' handle already says so.
bool ListedAsLink(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search =
      FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return false;  // a drive root has no entry
  FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The drive letter of the Windows folder and of this program (upper case;
// 0 when it cannot be told).
wchar_t SystemLetter() {
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT n = GetSystemWindowsDirectoryW(folder, MAX_PATH);
  return n >= 2 && folder[1] == L':' ? static_cast<wchar_t>(towupper(folder[0])) : 0;
}

wchar_t ProgramLetter() {
  wchar_t program[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameW(nullptr, program, MAX_PATH);
  return n >= 2 && program[1] == L':' ? static_cast<wchar_t>(towupper(program[0])) : 0;
}

// Whether the disk under the drive letter sits on the USB bus: its storage
// device's bus type, asked without any access right (no administrator needed).
bool OnUsbBus(wchar_t letter) {
  const wchar_t device[] = {L'\\', L'\\', L'.', L'\\', letter, L':', L'\0'};
  Handle h(CreateFileW(device, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                       nullptr));
  if (!h.valid()) return false;
  STORAGE_PROPERTY_QUERY query{};
  query.PropertyId = StorageDeviceProperty;
  query.QueryType = PropertyStandardQuery;
  STORAGE_DEVICE_DESCRIPTOR descriptor{};
  DWORD returned = 0;
  if (!DeviceIoControl(h.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, &descriptor,
                       sizeof descriptor, &returned, nullptr) ||
      returned < offsetof(STORAGE_DEVICE_DESCRIPTOR, BusType) + sizeof descriptor.BusType) {
    return false;
  }
  return descriptor.BusType == BusTypeUsb;
}

// An existing regular file opened for reading with the flags given;
// FileError otherwise.
HANDLE OpenRegular(const std::string& path, DWORD flags) {
  std::wstring wide = WideOrThrow(path, "cannot open");
  Handle h(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, flags, nullptr));
  if (!h.valid()) {
    const DWORD error = GetLastError();
    // A folder cannot be opened as a file; say so instead of "access denied".
    if (std::optional<Entry> entry = Look(wide); entry && entry->folder) {
      throw FileError(EISDIR, "cannot read " + QuotedPath(path) + ", it is not a regular file");
    }
    Fail(error, "cannot open " + QuotedPath(path) + " for reading");
  }
  // Devices (NUL, CON, COM1) and pipes open like files but are none.
  if (GetFileType(h.get()) != FILE_TYPE_DISK) {
    throw FileError(EINVAL, "cannot read " + QuotedPath(path) + ", it is not a regular file");
  }
  return h.release();
}

class Win32Env final : public Env {
 public:
  std::vector<std::string> UsbVolumes() override {
    // An empty card reader is removable too, but holds no volume: only drives
    // whose medium answers count. The error mode keeps older Windows from
    // asking the user to insert a disk.
    DWORD oldMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    std::vector<DriveFacts> drives;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
      const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
      DriveFacts drive{letter, DriveType::kOther};
      switch (GetDriveTypeW(root)) {
        case DRIVE_NO_ROOT_DIR:
        case DRIVE_UNKNOWN:
          continue;
        case DRIVE_REMOVABLE:
          drive.type = DriveType::kRemovable;
          break;
        case DRIVE_FIXED:
          drive.type = DriveType::kFixed;
          break;
        case DRIVE_REMOTE:
          drive.type = DriveType::kRemote;
          break;
        case DRIVE_CDROM:
          drive.type = DriveType::kCdRom;
          break;
        case DRIVE_RAMDISK:
          drive.type = DriveType::kRamDisk;
          break;
        default:
          break;
      }
      drive.usbBus = OnUsbBus(static_cast<wchar_t>(letter));
      drive.medium =
          GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0) != 0;
      drives.push_back(drive);
    }
    SetThreadErrorMode(oldMode, nullptr);
    return UsbDrives(drives, static_cast<char>(SystemLetter()), static_cast<char>(ProgramLetter()));
  }

  std::string VolumeOf(const std::string& path) override {
    std::optional<std::wstring> wide = WidePath(path);
    if (!wide || wide->empty()) return {};
    std::optional<std::wstring> root = VolumeRoot(*wide);
    if (!root) return {};
    return GbkName(*root).value_or(std::string());
  }

  bool FileExists(const std::string& path) override {
    std::optional<Entry> entry = Look(path);
    return entry && entry->onDisk && !entry->folder;
  }

  bool DirExists(const std::string& path) override {
    std::optional<Entry> entry = Look(path);
    return entry && entry->onDisk && entry->folder;
  }

  std::int64_t FileSize(const std::string& path) override {
    std::optional<Entry> entry = Look(path);
    if (!entry || !entry->onDisk || entry->folder) return -1;
    return entry->size;
  }

  std::vector<std::string> ListFiles(const std::string& folder) override {
    std::vector<std::string> names;
    std::optional<std::wstring> wide = WidePath(folder);
    if (!wide || wide->empty()) return names;
    if (!wide->ends_with(L'\\') && !wide->ends_with(L'/')) *wide += L'\\';
    *wide += L'*';
    WIN32_FIND_DATAW found;
    HANDLE search =
        FindFirstFileExW(wide->c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      if (std::optional<std::string> name = GbkName(found.cFileName)) {
        names.push_back(std::move(*name));
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }

  std::unique_ptr<SequentialFile> OpenForRead(const std::string& path) override {
    return win32::NewSequentialFile(OpenRegular(path, FILE_FLAG_SEQUENTIAL_SCAN), path);
  }

  std::unique_ptr<RandomAccessFile> OpenForRandomRead(const std::string& path) override {
    return win32::NewRandomAccessFile(OpenRegular(path, FILE_FLAG_RANDOM_ACCESS), path);
  }

  std::unique_ptr<Folder> OpenFolder(const std::string& path) override {
    std::wstring wide = WideOrThrow(path, "cannot open folder");
    // The folder's own name is what must not be a link: a final separator
    // would name what is inside it. A drive root keeps its separator.
    while (wide.size() > 1 && (wide.back() == L'\\' || wide.back() == L'/') &&
           wide[wide.size() - 2] != L':') {
      wide.pop_back();
    }
    // FILE_FLAG_OPEN_REPARSE_POINT: a link or junction as the last name is
    // opened itself, not followed, and refused below. Others may still
    // delete or rename the folder; the handle keeps naming it.
    Handle h(CreateFileW(wide.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                         nullptr));
    if (!h.valid()) FailLastError("cannot open folder " + QuotedPath(path));
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (GetFileType(h.get()) != FILE_TYPE_DISK) {
      throw FileError(ENOTDIR, "cannot open folder " + QuotedPath(path) + ", it is a device");
    }
    if (!GetFileInformationByHandleEx(h.get(), FileAttributeTagInfo, &tag, sizeof tag)) {
      FailLastError("cannot open folder " + QuotedPath(path));
    }
    if ((tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || ListedAsLink(wide)) {
      throw FileError(ELOOP, "cannot open folder " + QuotedPath(path) + ", it is a link");
    }
    if (!(tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      throw FileError(ENOTDIR, "cannot open folder " + QuotedPath(path));
    }
    // Decided on the UTF-16 form: a GBK character's second byte may be '\'.
    if (wide.back() == L'/') wide.back() = L'\\';
    std::string folderPath = GbkName(wide).value_or(path);
    if (wide.back() != L'\\') folderPath += '\\';
    return win32::NewFolder(h.release(), std::move(folderPath));
  }

  std::string DataDir() override {
    // The user's local application data (%LOCALAPPDATA%), which stays on
    // this computer and does not roam with the user's profile.
    wchar_t* folder = nullptr;
    const HRESULT found = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder);
    std::wstring path = SUCCEEDED(found) && folder != nullptr ? folder : L"";
    CoTaskMemFree(folder);
    if (path.empty()) return {};
    if (!path.ends_with(L'\\')) path += L'\\';
    return GbkName(path + L"addsongs\\").value_or(std::string());
  }

  std::string ExecutableDir() override {
    std::wstring program(MAX_PATH, L'\0');
    while (true) {
      const DWORD n =
          GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
      if (n == 0) return {};
      if (n < program.size()) {
        program.resize(n);
        break;
      }
      if (program.size() > 32768) return {};
      program.resize(program.size() * 2);
    }
    const std::size_t slash = program.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    program.resize(slash + 1);
    return GbkName(program).value_or(std::string());
  }

  char PathSeparator() const override { return '\\'; }
};

}  // namespace

std::string FullPath(const std::string& path) {
  const std::optional<std::wstring> wide = WidePath(path);
  if (!wide || wide->empty()) return path;
  const DWORD needed = GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD written = GetFullPathNameW(wide->c_str(), needed, full.data(), nullptr);
  if (written == 0 || written >= needed) return path;
  full.resize(written);
  return GbkName(full).value_or(path);
}

std::string ReasonText(const std::error_code& code) {
  if (code.category() == std::system_category()) {
    // The system's own words, in the user's language; Chinese on a Chinese
    // Windows, which GBK holds.
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code.value()), 0, reinterpret_cast<wchar_t*>(&text), 0,
        nullptr);
    std::wstring reason(text != nullptr ? text : L"", n);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' ||
                               reason.back() == L' ' || reason.back() == L'.')) {
      reason.pop_back();
    }
    if (std::optional<std::string> gbkReason = GbkName(reason); gbkReason && !reason.empty()) {
      return *gbkReason;
    }
  } else if (code == std::errc::too_many_symbolic_link_levels) {
    // Windows' C library has no words for it; these are glibc's.
    return "Too many levels of symbolic links";
  } else if (auto text = gbk::TryFromUtf8(code.message())) {
    return *text;  // the C library's words for an errno value, ASCII
  }
  return "error " + std::to_string(code.value());
}

namespace {
// Numbers MinGW-w64's headers lack.
constexpr DWORD kErrorNoSuchDevice = 433;         // ERROR_NO_SUCH_DEVICE
constexpr DWORD kErrorDeviceHardwareError = 483;  // ERROR_DEVICE_HARDWARE_ERROR
constexpr DWORD kErrorStoppedOnSymlink = 681;     // ERROR_STOPPED_ON_SYMLINK
constexpr DWORD kErrorDiskQuotaExceeded = 1295;   // ERROR_DISK_QUOTA_EXCEEDED
}  // namespace

int PortableErrno(const std::error_code& code) {
  if (code.category() == std::generic_category()) return code.value();
  if (code.category() != std::system_category()) return 0;
  switch (static_cast<DWORD>(code.value())) {
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case kErrorDiskQuotaExceeded:
      return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
      return EACCES;
    // Another program has the file open: not a matter of permission, and
    // the system's own words say so.
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EBUSY;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_DIR_NOT_EMPTY:
      return ENOTEMPTY;
    // The device is gone: a stick pulled out answers with one of these,
    // depending on how far the system got.
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case kErrorNoSuchDevice:
    case ERROR_DEVICE_REMOVED:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_FILE_INVALID:  // the volume went away under an open file
      return ENODEV;
    case ERROR_DEVICE_NOT_CONNECTED:
      return ENOTCONN;
    // The device failed (or went while the system was at it).
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
    case kErrorDeviceHardwareError:
    case ERROR_MEDIA_CHANGED:
    case ERROR_FILE_CORRUPT:
    case ERROR_DISK_CORRUPT:
      return EIO;
    case ERROR_FILE_TOO_LARGE:
      return EFBIG;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    // A link the system would not go through.
    case ERROR_CANT_ACCESS_FILE:
    case ERROR_CANT_RESOLVE_FILENAME:
    case kErrorStoppedOnSymlink:
      return ELOOP;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return EINVAL;
    default:
      return 0;
  }
}

Env* Env::Default() {
  static Win32Env env;
  return &env;
}

}  // namespace platform
