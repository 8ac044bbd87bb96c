#include "memory_env.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace fuzz {
namespace {

class MemoryReader : public platform::SequentialFile {
 public:
  explicit MemoryReader(std::string bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(char* scratch, std::size_t n) override {
    const std::size_t count = std::min(n, bytes_.size() - at_);
    std::memcpy(scratch, bytes_.data() + at_, count);
    at_ += count;
    return count;
  }

 private:
  std::string bytes_;
  std::size_t at_ = 0;
};

class MemoryWriter : public platform::WritableFile {
 public:
  explicit MemoryWriter(std::string& bytes) : bytes_(bytes) {}
  void Append(const char* data, std::size_t n) override { bytes_.append(data, n); }
  void Sync() override {}
  void Close() override {}

 private:
  std::string& bytes_;
};

}  // namespace

std::int64_t MemoryEnv::FileSize(const std::string& path) {
  const auto it = files.find(path);
  return it == files.end() ? -1 : static_cast<std::int64_t>(it->second.size());
}

std::unique_ptr<platform::SequentialFile> MemoryEnv::OpenForRead(const std::string& path) {
  const auto it = files.find(path);
  if (it == files.end()) throw platform::FileError(ENOENT, "cannot open " + path);
  return std::make_unique<MemoryReader>(it->second);
}

std::unique_ptr<platform::WritableFile> MemoryEnv::CreateForWrite(const std::string& path) {
  std::string& bytes = files[path];
  bytes.clear();
  return std::make_unique<MemoryWriter>(bytes);
}

void MemoryEnv::RenameReplace(const std::string& from, const std::string& to) {
  const auto it = files.find(from);
  if (it == files.end()) throw platform::FileError(ENOENT, "cannot rename " + from);
  std::string bytes = std::move(it->second);
  files.erase(it);
  files[to] = std::move(bytes);
}

}  // namespace fuzz
