// SPDX-License-Identifier: GPL-3.0-or-later
// Files over a POSIX descriptor: reading, writing, flushing, closing.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix_internal.h"
#include "text/gbk.h"

namespace platform::posix {

std::optional<std::string> NativePath(const std::string& path) {
  if (path.find('\0') != std::string::npos) return std::nullopt;
  return gbk::TryToUtf8(path);
}

void Fail(int error, const std::string& what) {
  throw FileError(error, what);
}

void Fail(int error, const std::string& what, bool onFat) {
  const std::error_code code(error, std::generic_category());
  throw FileError(code, what, onFat ? ChineseReasonOnFat(code) : std::string());
}

std::string NativeOrThrow(const std::string& path, const std::string& action) {
  std::optional<std::string> native = NativePath(path);
  if (!native) Fail(EILSEQ, action + ' ' + QuotedPath(path) + " (the name is not valid GBK)");
  return *native;
}

void RequireRegular(int fd, const std::string& path) {
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    Fail(error, "cannot read " + QuotedPath(path));
  }
  if (!S_ISREG(info.st_mode)) {
    const int error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    Fail(error, "cannot read " + QuotedPath(path) + ", it is not a regular file");
  }
}

namespace {

class PosixSequentialFile final : public SequentialFile {
 public:
  PosixSequentialFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~PosixSequentialFile() override { ::close(fd_); }

  std::size_t Read(char* scratch, std::size_t n) override {
    while (true) {
      ssize_t got = ::read(fd_, scratch, n);
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) Fail(errno, "cannot read " + QuotedPath(path_));
    }
  }

 private:
  int fd_;
  std::string path_;
};

class PosixRandomAccessFile final : public RandomAccessFile {
 public:
  PosixRandomAccessFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {
    struct stat info;
    size_ = ::fstat(fd_, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
  }
  ~PosixRandomAccessFile() override { ::close(fd_); }

  std::size_t Read(std::int64_t offset, char* scratch, std::size_t n) override {
    std::size_t done = 0;
    while (done < n) {
      const ssize_t got = ::pread(fd_, scratch + done, n - done,
                                  static_cast<off_t>(offset) + static_cast<off_t>(done));
      if (got == 0) break;
      if (got < 0) {
        if (errno == EINTR) continue;
        Fail(errno, "cannot read " + QuotedPath(path_));
      }
      done += static_cast<std::size_t>(got);
    }
    return done;
  }
  std::int64_t Size() const override { return size_; }

 private:
  int fd_;
  std::string path_;
  std::int64_t size_ = 0;
};

class PosixWritableFile final : public WritableFile {
 public:
  PosixWritableFile(int fd, std::string path, bool onFat)
      : fd_(fd), path_(std::move(path)), onFat_(onFat) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  void Append(const char* data, std::size_t n) override {
    if (fd_ < 0) Fail(EBADF, "cannot write " + QuotedPath(path_) + " after closing it");
    while (n > 0) {
      ssize_t done = ::write(fd_, data, n);
      if (done < 0) {
        if (errno == EINTR) continue;
        Fail(errno, "cannot write " + QuotedPath(path_), onFat_);
      }
      data += done;
      n -= static_cast<std::size_t>(done);
    }
  }

  void Sync() override {
    if (fd_ < 0) Fail(EBADF, "cannot flush " + QuotedPath(path_) + " after closing it");
    if (::fsync(fd_) != 0) {
      Fail(errno, "cannot flush " + QuotedPath(path_) + " to the device", onFat_);
    }
  }

  void Close() override {
    if (fd_ < 0) return;
    int result = ::close(fd_);
    fd_ = -1;
    // After EINTR the descriptor is gone on Linux and the data is not known
    // to be lost; any other error is.
    if (result != 0 && errno != EINTR) Fail(errno, "cannot close " + QuotedPath(path_), onFat_);
  }

 private:
  int fd_;
  std::string path_;
  bool onFat_;  // EPERM means the volume is full
};

}  // namespace

std::unique_ptr<RandomAccessFile> NewRandomAccessFile(int fd, std::string path) {
  return std::make_unique<PosixRandomAccessFile>(fd, std::move(path));
}

std::unique_ptr<SequentialFile> NewSequentialFile(int fd, std::string path) {
  return std::make_unique<PosixSequentialFile>(fd, std::move(path));
}

std::unique_ptr<WritableFile> NewWritableFile(int fd, std::string path, bool onFat) {
  return std::make_unique<PosixWritableFile>(fd, std::move(path), onFat);
}

}  // namespace platform::posix
