// SPDX-License-Identifier: GPL-3.0-or-later
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

// A folder of the map: the files whose paths begin with its path.
class MemoryFolder : public platform::Folder {
 public:
  MemoryFolder(MemoryEnv& env, std::string path) : env_(env), path_(std::move(path)) {}
  const std::string& Path() const override { return path_; }
  std::unique_ptr<platform::Folder> OpenFolder(const std::string& name, bool) override {
    return std::make_unique<MemoryFolder>(env_, path_ + name + "/");
  }
  bool TryLock() override { return true; }
  std::vector<platform::FolderEntry> List() override {
    std::vector<platform::FolderEntry> entries;
    for (const auto& [path, bytes] : env_.files) {
      if (path.rfind(path_, 0) == 0 && path.find('/', path_.size()) == std::string::npos) {
        entries.push_back(Stat(path.substr(path_.size())));
      }
    }
    return entries;
  }
  platform::FolderEntry Stat(const std::string& name) override {
    const auto it = env_.files.find(path_ + name);
    if (it == env_.files.end()) return {name, platform::EntryKind::kNone, 0};
    return {name, platform::EntryKind::kFile, static_cast<std::int64_t>(it->second.size())};
  }
  std::unique_ptr<platform::WritableFile> CreateNew(const std::string& name) override {
    if (env_.files.count(path_ + name) != 0) {
      throw platform::FileError(EEXIST, "cannot create " + path_ + name);
    }
    return env_.Create(path_ + name);
  }
  std::unique_ptr<platform::SequentialFile> OpenForRead(const std::string& name, bool) override {
    return env_.OpenForRead(path_ + name);
  }
  void Remove(const std::string& name) override { env_.files.erase(path_ + name); }
  void Rename(const std::string& from, const std::string& to) override {
    env_.Move(path_ + from, path_ + to);
  }
  void Sync() override {}
  platform::VolumeRoom Room() override { return {std::int64_t{1} << 40, 4096, -1, -1}; }
  std::string VolumeId() override { return ""; }
  bool ReachedByPath() override { return true; }

 private:
  MemoryEnv& env_;
  std::string path_;
};

}  // namespace

std::unique_ptr<platform::Folder> MemoryEnv::OpenFolder(const std::string& path) {
  std::string folder = path;
  if (!folder.ends_with('/')) folder += '/';
  return std::make_unique<MemoryFolder>(*this, folder);
}

std::int64_t MemoryEnv::FileSize(const std::string& path) {
  const auto it = files.find(path);
  return it == files.end() ? -1 : static_cast<std::int64_t>(it->second.size());
}

std::unique_ptr<platform::SequentialFile> MemoryEnv::OpenForRead(const std::string& path) {
  const auto it = files.find(path);
  if (it == files.end()) throw platform::FileError(ENOENT, "cannot open " + path);
  return std::make_unique<MemoryReader>(it->second);
}

std::unique_ptr<platform::WritableFile> MemoryEnv::Create(const std::string& path) {
  std::string& bytes = files[path];
  bytes.clear();
  return std::make_unique<MemoryWriter>(bytes);
}

void MemoryEnv::Move(const std::string& from, const std::string& to) {
  const auto it = files.find(from);
  if (it == files.end()) throw platform::FileError(ENOENT, "cannot rename " + from);
  std::string bytes = std::move(it->second);
  files.erase(it);
  files[to] = std::move(bytes);
}

}  // namespace fuzz
