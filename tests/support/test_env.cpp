// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_env.h"

#include <algorithm>
#include <cerrno>
#include <thread>

namespace {
class FaultyFile : public platform::WritableFile {
 public:
  FaultyFile(std::unique_ptr<platform::WritableFile> inner, TestEnv& env, std::string path = "")
      : inner_(std::move(inner)), env_(env), path_(std::move(path)) {}
  void Append(const char* data, std::size_t n) override {
    if (env_.writeDelay) std::this_thread::sleep_for(*env_.writeDelay);
    if (env_.counterfeitKeeps && !path_.empty()) {
      // The stick keeps the bytes of this file up to where its room ran out.
      const std::int64_t room =
          std::max<std::int64_t>(*env_.counterfeitKeeps - env_.counterfeitWritten, 0);
      env_.counterfeitKept[path_] += std::min<std::int64_t>(room, static_cast<std::int64_t>(n));
      env_.counterfeitWritten += static_cast<std::int64_t>(n);
    }
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
  TestEnv& env_;
  std::string path_;  // in a held folder: for the counterfeit stick's books
  std::int64_t written_ = 0;
};

// What a counterfeit stick gives back: the bytes it kept, then zeros.
class CounterfeitReader : public platform::SequentialFile {
 public:
  CounterfeitReader(std::unique_ptr<platform::SequentialFile> inner, std::int64_t kept)
      : inner_(std::move(inner)), kept_(kept) {}
  std::size_t Read(char* scratch, std::size_t n) override {
    const std::size_t got = inner_->Read(scratch, n);
    for (std::size_t i = 0; i < got; ++i) {
      if (position_ + static_cast<std::int64_t>(i) >= kept_) scratch[i] = 0;
    }
    position_ += static_cast<std::int64_t>(got);
    return got;
  }

 private:
  std::unique_ptr<platform::SequentialFile> inner_;
  std::int64_t kept_;
  std::int64_t position_ = 0;
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

// A held folder with the environment's faults and its figures of room.
class FaultyFolder : public platform::FolderWrapper {
 public:
  FaultyFolder(std::unique_ptr<platform::Folder> inner, TestEnv& env)
      : FolderWrapper(std::move(inner)), env_(env) {}

  std::unique_ptr<platform::Folder> OpenFolder(const std::string& name, bool create) override {
    if (create && env_.failCreateDirs && Stat(name).kind == platform::EntryKind::kNone) {
      throw platform::FileError(EROFS, "cannot create folder " + platform::QuotedPath(name));
    }
    return std::make_unique<FaultyFolder>(target()->OpenFolder(name, create), env_);
  }
  std::unique_ptr<platform::WritableFile> CreateNew(const std::string& name) override {
    if (env_.readOnly) {
      throw platform::FileError(EROFS, "cannot create " + platform::QuotedPath(Path() + name));
    }
    env_.counterfeitKept.erase(Path() + name);
    return std::make_unique<FaultyFile>(target()->CreateNew(name), env_, Path() + name);
  }
  std::unique_ptr<platform::SequentialFile> OpenForRead(const std::string& name,
                                                        bool fromDevice) override {
    if (fromDevice && env_.failReadBack) {
      throw platform::FileError(EIO, "cannot read " + platform::QuotedPath(Path() + name));
    }
    auto file = std::make_unique<FaultyReader>(target()->OpenForRead(name, fromDevice), env_);
    const auto kept = env_.counterfeitKept.find(Path() + name);
    if (!fromDevice || !env_.counterfeitKeeps || kept == env_.counterfeitKept.end()) return file;
    return std::make_unique<CounterfeitReader>(std::move(file), kept->second);
  }
  void Rename(const std::string& from, const std::string& to) override {
    if (env_.failRenameTo && to.ends_with(*env_.failRenameTo)) {
      throw platform::FileError(EIO, "cannot rename to " + platform::QuotedPath(Path() + to));
    }
    target()->Rename(from, to);
    auto kept = env_.counterfeitKept.extract(Path() + from);
    if (!kept.empty()) {
      kept.key() = Path() + to;
      env_.counterfeitKept.insert_or_assign(kept.key(), kept.mapped());
    }
  }
  platform::VolumeRoom Room() override {
    platform::VolumeRoom room = target()->Room();
    if (env_.freeBytes) room.freeBytes = *env_.freeBytes;
    if (env_.blockSize) room.blockSize = *env_.blockSize;
    if (env_.freeEntries) room.freeEntries = *env_.freeEntries;
    if (env_.largestFile) room.largestFile = *env_.largestFile;
    return room;
  }

 private:
  TestEnv& env_;
};
}  // namespace

std::unique_ptr<platform::SequentialFile> TestEnv::OpenForRead(const std::string& path) {
  return std::make_unique<FaultyReader>(target()->OpenForRead(path), *this);
}

std::unique_ptr<platform::Folder> TestEnv::OpenFolder(const std::string& path) {
  // The faults are the stick's; the program's own data on this computer is
  // written as it would be.
  const std::string data = dataDir.substr(0, dataDir.size() - 1);
  if (path.rfind(data, 0) == 0) return target()->OpenFolder(path);
  return std::make_unique<FaultyFolder>(target()->OpenFolder(path), *this);
}
