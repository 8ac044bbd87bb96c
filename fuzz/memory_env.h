// SPDX-License-Identifier: GPL-3.0-or-later
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
  std::int64_t FileSize(const std::string& path) override;
  std::unique_ptr<platform::SequentialFile> OpenForRead(const std::string& path) override;
  // A new (or emptied) file at path, and a file moved to another path.
  std::unique_ptr<platform::WritableFile> Create(const std::string& path);
  void Move(const std::string& from, const std::string& to);
  std::unique_ptr<platform::Folder> OpenFolder(const std::string& path) override;
  // No folder of the program: Dovan then reads no INI file from the disk.
  std::string ExecutableDir() override { return ""; }
  char PathSeparator() const override { return '/'; }
};

}  // namespace fuzz
