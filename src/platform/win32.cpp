// Env for Windows. Paths arrive as GBK and are turned into UTF-16 with our own
// codec before each call of the wide ("W") API, so the program works the same
// whatever code page the system uses for its narrow calls.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <optional>
#include <system_error>

#include "platform/env.h"
#include "text/gbk.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// The UTF-16 form of a GBK path, or nothing when it has none: bytes that are
// not GBK, or a NUL byte, which would cut the name short at the system call.
std::optional<std::wstring> WidePath(const std::string& path) {
  if (path.find('\0') != std::string::npos) return std::nullopt;
  std::optional<std::u16string> utf16 = gbk::TryToUtf16(path);
  if (!utf16) return std::nullopt;
  return std::wstring(utf16->begin(), utf16->end());
}

// A name the system gave, as GBK; nothing when it has no GBK form.
std::optional<std::string> GbkName(std::wstring_view wide) {
  return gbk::TryFromUtf16(std::u16string(wide.begin(), wide.end()));
}

[[noreturn]] void Fail(DWORD error, const std::string& what) {
  throw FileError(std::error_code(static_cast<int>(error), std::system_category()), what);
}

[[noreturn]] void FailLastError(const std::string& what) {
  Fail(GetLastError(), what);
}

// The wide path for an operation that throws; a path with no wide form fails
// like a name the system refuses.
std::wstring WideOrThrow(const std::string& path, const std::string& action) {
  std::optional<std::wstring> wide = WidePath(path);
  if (!wide) {
    throw FileError(EILSEQ, action + ' ' + QuotedPath(path) + " (the name is not valid GBK)");
  }
  return *wide;
}

// Closes a handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (valid()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  HANDLE release() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
  }

 private:
  HANDLE h_;
};

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

// The volume root of an existing file or folder; nothing when it is missing.
std::optional<std::wstring> RootOfExisting(const std::string& path) {
  std::optional<Entry> entry = Look(path);
  if (!entry || !entry->onDisk) return std::nullopt;
  return VolumeRoot(*WidePath(path));
}

class Win32SequentialFile final : public SequentialFile {
 public:
  Win32SequentialFile(HANDLE h, std::string path) : h_(h), path_(std::move(path)) {}

  std::size_t Read(char* scratch, std::size_t n) override {
    const auto want = static_cast<DWORD>(std::min<std::size_t>(n, DWORD{1} << 30));
    DWORD got = 0;
    if (!ReadFile(h_.get(), scratch, want, &got, nullptr)) {
      if (GetLastError() == ERROR_HANDLE_EOF) return 0;
      FailLastError("cannot read " + QuotedPath(path_));
    }
    return got;
  }

 private:
  Handle h_;
  std::string path_;
};

class Win32WritableFile final : public WritableFile {
 public:
  Win32WritableFile(HANDLE h, std::string path) : h_(h), path_(std::move(path)) {}

  void Append(const char* data, std::size_t n) override {
    if (!h_.valid())
      Fail(ERROR_INVALID_HANDLE, "cannot write " + QuotedPath(path_) + " after closing it");
    while (n > 0) {
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(n, DWORD{1} << 30));
      DWORD done = 0;
      if (!WriteFile(h_.get(), data, chunk, &done, nullptr)) {
        FailLastError("cannot write " + QuotedPath(path_));
      }
      data += done;
      n -= done;
    }
  }

  void Sync() override {
    if (!h_.valid())
      Fail(ERROR_INVALID_HANDLE, "cannot flush " + QuotedPath(path_) + " after closing it");
    if (!FlushFileBuffers(h_.get())) {
      FailLastError("cannot flush " + QuotedPath(path_) + " to the device");
    }
  }

  void Close() override {
    if (!h_.valid()) return;
    if (!CloseHandle(h_.release())) FailLastError("cannot close " + QuotedPath(path_));
  }

 private:
  Handle h_;
  std::string path_;
};

class Win32Env final : public Env {
 public:
  std::vector<std::string> RemovableVolumes() override {
    // An empty card reader or floppy drive is removable too, but holds no
    // volume: only drives whose medium answers count. The error mode keeps
    // older Windows from asking the user to insert a disk.
    DWORD oldMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    std::vector<std::string> volumes;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
      const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
      if (GetDriveTypeW(root) != DRIVE_REMOVABLE) continue;
      if (!GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0)) {
        continue;
      }
      volumes.push_back({letter, ':', '\\'});
    }
    SetThreadErrorMode(oldMode, nullptr);
    return volumes;
  }

  std::string VolumeOf(const std::string& path) override {
    std::optional<std::wstring> wide = WidePath(path);
    if (!wide || wide->empty()) return {};
    std::optional<std::wstring> root = VolumeRoot(*wide);
    if (!root) return {};
    return GbkName(*root).value_or(std::string());
  }

  std::int64_t FreeBytes(const std::string& path) override {
    // Asked of the volume's root, so that a file names its volume as well as
    // a folder does.
    std::optional<std::wstring> root = RootOfExisting(path);
    ULARGE_INTEGER available;
    if (!root || !GetDiskFreeSpaceExW(root->c_str(), &available, nullptr, nullptr)) return -1;
    // The bytes available to this user (quotas counted), not all free bytes.
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(std::min<std::uint64_t>(available.QuadPart, kMax));
  }

  std::int64_t BlockSize(const std::string& path) override {
    std::optional<std::wstring> root = RootOfExisting(path);
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD clusters = 0;
    if (!root || !GetDiskFreeSpaceW(root->c_str(), &sectorsPerCluster, &bytesPerSector,
                                    &freeClusters, &clusters)) {
      return -1;
    }
    const std::int64_t cluster = std::int64_t{sectorsPerCluster} * bytesPerSector;
    return cluster > 0 ? cluster : -1;
  }

  bool CreateDirs(const std::string& path) override {
    std::optional<std::wstring> wide = WidePath(path);
    if (!wide || wide->empty()) return false;
    std::error_code ec;
    fs::create_directories(fs::path(*wide), ec);
    return DirExists(path);
  }

  bool FileExists(const std::string& path) override {
    std::optional<Entry> entry = Look(path);
    return entry && entry->onDisk && !entry->folder;
  }

  bool DirExists(const std::string& path) override {
    std::optional<Entry> entry = Look(path);
    return entry && entry->onDisk && entry->folder;
  }

  bool RemoveFile(const std::string& path) override {
    std::optional<std::wstring> wide = WidePath(path);
    if (!wide) return false;
    if (DeleteFileW(wide->c_str())) return true;
    // Gone is gone whatever the error says (for a folder Wine answers "file
    // not found" where Windows answers "access denied").
    return GetFileAttributesW(wide->c_str()) == INVALID_FILE_ATTRIBUTES &&
           (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND);
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
    std::wstring wide = WideOrThrow(path, "cannot open");
    Handle h(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
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
    return std::make_unique<Win32SequentialFile>(h.release(), path);
  }

  std::unique_ptr<WritableFile> CreateForWrite(const std::string& path) override {
    std::wstring wide = WideOrThrow(path, "cannot create");
    Handle h(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) FailLastError("cannot create " + QuotedPath(path));
    if (GetFileType(h.get()) != FILE_TYPE_DISK) {
      throw FileError(EINVAL, "cannot create " + QuotedPath(path) + ", it is a device");
    }
    return std::make_unique<Win32WritableFile>(h.release(), path);
  }

  void RenameReplace(const std::string& from, const std::string& to) override {
    std::wstring wideFrom = WideOrThrow(from, "cannot rename");
    std::wstring wideTo = WideOrThrow(to, "cannot rename to");
    // Write-through: the call returns once the new name is on the disk.
    if (!MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      FailLastError("cannot rename " + QuotedPath(from) + " to " + QuotedPath(to));
    }
  }

  void SyncDir(const std::string& path) override {
    // Windows has no flush for a folder's entries that an ordinary user may
    // call (FlushFileBuffers wants a handle opened for writing, which a
    // folder does not give; a whole volume needs an administrator). Nothing
    // is lost by that: RenameReplace moves with MOVEFILE_WRITE_THROUGH, so a
    // new name is on the disk when it returns. Only the folder's presence is
    // checked here, as the POSIX flush does by opening it.
    std::wstring wide = WideOrThrow(path, "cannot flush folder");
    std::optional<Entry> entry = Look(wide);
    if (!entry) FailLastError("cannot open folder " + QuotedPath(path) + " to flush it");
    if (!entry->folder) Fail(ERROR_DIRECTORY, "cannot flush folder " + QuotedPath(path));
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
  } else if (auto text = gbk::TryFromUtf8(code.message())) {
    return *text;  // the C library's words for an errno value, ASCII
  }
  return "error " + std::to_string(code.value());
}

Env* Env::Default() {
  static Win32Env env;
  return &env;
}

}  // namespace platform
