// SPDX-License-Identifier: GPL-3.0-or-later
// The real file system with a few operations made controllable: the list of
// removable volumes, the room of a volume, and faults injected into folder
// creation, writing, flushing, renaming and reading in the folders it holds
// open.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/env.h"
#include "support/temp_dir.h"

class TestEnv : public platform::EnvWrapper {
 public:
  TestEnv() : EnvWrapper(platform::Env::Default()) {}

  std::vector<std::string> UsbVolumes() override { return volumes; }
  std::string VolumeOf(const std::string& path) override {
    return volumeOf ? *volumeOf : target()->VolumeOf(path);
  }
  bool FileExists(const std::string& path) override {
    return fakeSizes.count(path) != 0 || target()->FileExists(path);
  }
  std::int64_t FileSize(const std::string& path) override {
    const auto fake = fakeSizes.find(path);
    return fake != fakeSizes.end() ? fake->second : target()->FileSize(path);
  }
  std::unique_ptr<platform::SequentialFile> OpenForRead(const std::string& path) override;
  // Folders held open carry the same faults and figures of room.
  std::unique_ptr<platform::Folder> OpenFolder(const std::string& path) override;
  // The program's data (the copies of the lists runs replaced) go into a
  // folder of the test's own, never into the user's.
  std::string DataDir() override { return dataDir; }

  TempDir data;
  std::string dataDir = data.Gbk();
  std::vector<std::string> volumes;
  std::map<std::string, std::int64_t> fakeSizes;  // files that exist with these sizes
  std::optional<std::int64_t> freeBytes;
  std::optional<std::int64_t> blockSize;
  std::optional<std::string> volumeOf;
  std::optional<std::int64_t> freeEntries;  // files the volume can still make
  std::optional<std::int64_t> largestFile;  // the largest file it takes
  bool failCreateDirs = false;
  // When set, every write to a file waits this long first: a slow stick.
  std::optional<std::chrono::microseconds> writeDelay;
  // When set, the write that would take a file past this many bytes fails.
  std::optional<std::int64_t> failWriteAfter;
  bool failSync = false;
  bool readOnly = false;  // every file creation fails as on a read-only volume
  // A counterfeit stick: of all bytes written to files in held folders, only
  // the first this many are kept; what is read back from the device past
  // them is zeros (what the system's cache gives is still right).
  std::optional<std::int64_t> counterfeitKeeps;
  // Reading a file back from the device fails (a failing stick).
  bool failReadBack = false;
  // When set, reading a file fails once this many bytes of it were read.
  std::optional<std::int64_t> failReadAfter;
  // When set, renaming onto a path that ends with it fails.
  std::optional<std::string> failRenameTo;

  // The counterfeit stick's books: bytes written so far, and per file (its
  // path in its folder) how many of its bytes the stick kept.
  std::int64_t counterfeitWritten = 0;
  std::map<std::string, std::int64_t> counterfeitKept;
};
