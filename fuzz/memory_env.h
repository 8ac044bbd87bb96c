// An Env whose files live in memory: the fuzz targets read a vod.txt or an
// INI file from the input bytes and write vod.txt without a disk, so no input
// costs a flush to the device and no run leaves files behind.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/env.h"

namespace fuzz {

class MemoryEnv : public platform::EnvWrapper {
 public:
  MemoryEnv() : EnvWrapper(platform::Env::Default()) {}

  // Path -> content. Files are written here on Append.
  std::map<std::string, std::string> files;

  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  bool DirExists(const std::string&) override { return true; }
  bool CreateDirs(const std::string&) override { return true; }
  bool RemoveFile(const std::string& path) override {
    files.erase(path);
    return true;
  }
  std::int64_t FileSize(const std::string& path) override;
  std::unique_ptr<platform::SequentialFile> OpenForRead(const std::string& path) override;
  std::unique_ptr<platform::WritableFile> CreateForWrite(const std::string& path) override;
  void RenameReplace(const std::string& from, const std::string& to) override;
  void SyncDir(const std::string&) override {}
  std::unique_ptr<platform::Folder> OpenFolder(const std::string& path) override;
  // No folder of the program: Dovan then reads no INI file from the disk.
  std::string ExecutableDir() override { return ""; }
  char PathSeparator() const override { return '/'; }
};

}  // namespace fuzz
