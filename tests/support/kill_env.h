// SPDX-License-Identifier: GPL-3.0-or-later
// The real file system with a stick that can go at any step of a run.
//
// Contract. Every folder the program holds (Env::OpenFolder, and through it
// Folder::OpenFolder) is watched; calls on names below stickRoot count, one
// per call, in eight kinds: a folder made (OpenFolder with create when the
// folder was missing), a file created (CreateNew), a write (Append), a file
// flushed (WritableFile::Sync), a file closed (Close), a rename, a remove and
// a folder flushed (Folder::Sync). Without a stop (a dry run) the counts
// only tell how many calls of each kind a run makes.
//
// With a stop (kind, k) the stick goes at the k-th call of that kind: that
// call does nothing, or part of its work (a write writes the first half of
// its bytes; a rename on a FAT stick has removed the destination), and then
// it and every later call on the stick, reads included, throws
// platform::FileError (EIO when killed, ENODEV when pulled). A pulled stick
// also loses every byte written to a file since that file's last Sync (the
// real file is cut back to what was flushed, wherever renames took it). A
// FAT stick renames onto an existing name as two counted steps: remove the
// destination, then rename.
//
// Flushes on the stick are only recorded: the real disk below the test
// loses nothing, and its fsync would only cost time.
//
// Source files elsewhere are read and written normally. The USB volumes are
// the ones given (none by default), the data folder the one given.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/env.h"

enum class KillOp : std::uint8_t {
  kMakeFolder,
  kCreate,
  kAppend,
  kSyncFile,
  kClose,
  kRename,
  kRemove,
  kSyncFolder,
};
inline constexpr std::array<KillOp, 8> kKillOps = {
    KillOp::kMakeFolder, KillOp::kCreate, KillOp::kAppend, KillOp::kSyncFile,
    KillOp::kClose,      KillOp::kRename, KillOp::kRemove, KillOp::kSyncFolder};
const char* NameOf(KillOp op);

// How the stick goes: the program killed (what was written stays), or the
// stick pulled out (what was not flushed is lost too).
enum class KillHow : std::uint8_t { kKilled, kPulled };
const char* NameOf(KillHow how);

struct KillStop {
  KillOp op;
  int k;  // 1-based: the k-th call of that kind
};

class KillEnv : public platform::EnvWrapper {
 public:
  // stickRoot: a real folder path (GBK, without a trailing separator).
  KillEnv(std::string stickRoot, std::optional<KillStop> stop, KillHow how, bool fat);

  // The calls counted so far, per kind.
  int Count(KillOp op) const { return counts_[static_cast<std::size_t>(op)]; }
  // True once the stick went.
  bool Gone() const { return gone_; }

  // What the environment reports instead of the machine's.
  std::vector<std::string> volumes;
  std::string dataDir;

  std::vector<std::string> UsbVolumes() override {
    return gone_ ? std::vector<std::string>{} : volumes;
  }
  std::string DataDir() override { return dataDir; }
  bool FileExists(const std::string& path) override;
  bool DirExists(const std::string& path) override;
  std::int64_t FileSize(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder) override;
  std::unique_ptr<platform::SequentialFile> OpenForRead(const std::string& path) override;
  std::unique_ptr<platform::Folder> OpenFolder(const std::string& path) override;

  // ---- For the watched folders and files ----
  // A file written on the stick: its path now and its flushed length.
  struct Written {
    std::string path;
    std::int64_t length = 0;
    std::int64_t synced = 0;
  };
  bool OnStick(const std::string& path) const;
  // Throws once the stick went.
  void ThrowIfGone(const std::string& what) const;
  // Counts a call of the kind on the stick: true when it is the stop (the
  // caller does its partial work, then calls Go).
  bool Step(KillOp op);
  // The stick goes now; throws.
  [[noreturn]] void Go(const std::string& what);
  std::shared_ptr<Written> Track(const std::string& path);
  void Moved(const std::string& from, const std::string& to);
  void Removed(const std::string& path);
  bool Fat() const { return fat_; }

 private:
  std::string root_;
  std::optional<KillStop> stop_;
  KillHow how_;
  bool fat_;
  bool gone_ = false;
  std::array<int, kKillOps.size()> counts_{};
  std::map<std::string, std::shared_ptr<Written>> written_;
};
