#include "support/test_env.h"

#include <cerrno>

namespace {
class FaultyFile : public platform::WritableFile {
 public:
  FaultyFile(std::unique_ptr<platform::WritableFile> inner, const TestEnv& env)
      : inner_(std::move(inner)), env_(env) {}
  void Append(const char* data, std::size_t n) override {
    written_ += static_cast<std::int64_t>(n);
    if (env_.failWriteAfter && written_ > *env_.failWriteAfter) {
      throw std::system_error(std::make_error_code(std::errc::no_space_on_device), "test write");
    }
    inner_->Append(data, n);
  }
  void Sync() override {
    if (env_.failSync) throw std::system_error(std::make_error_code(std::errc::io_error), "sync");
    inner_->Sync();
  }
  void Close() override { inner_->Close(); }

 private:
  std::unique_ptr<platform::WritableFile> inner_;
  const TestEnv& env_;
  std::int64_t written_ = 0;
};
class FaultyReader : public platform::SequentialFile {
 public:
  FaultyReader(std::unique_ptr<platform::SequentialFile> inner, const TestEnv& env)
      : inner_(std::move(inner)), env_(env) {}
  std::size_t Read(char* scratch, std::size_t n) override {
    if (env_.failReadAfter && read_ >= *env_.failReadAfter) {
      throw platform::FileError(EIO, "test read");
    }
    const std::size_t got = inner_->Read(scratch, n);
    read_ += static_cast<std::int64_t>(got);
    return got;
  }

 private:
  std::unique_ptr<platform::SequentialFile> inner_;
  const TestEnv& env_;
  std::int64_t read_ = 0;
};
}  // namespace

std::unique_ptr<platform::WritableFile> TestEnv::CreateForWrite(const std::string& path) {
  if (readOnly) throw platform::FileError(EROFS, "cannot create " + platform::QuotedPath(path));
  return std::make_unique<FaultyFile>(target()->CreateForWrite(path), *this);
}

std::unique_ptr<platform::SequentialFile> TestEnv::OpenForRead(const std::string& path) {
  return std::make_unique<FaultyReader>(target()->OpenForRead(path), *this);
}

void TestEnv::RenameReplace(const std::string& from, const std::string& to) {
  if (failRenameTo && to.ends_with(*failRenameTo)) {
    throw platform::FileError(EIO, "cannot rename to " + platform::QuotedPath(to));
  }
  target()->RenameReplace(from, to);
}
