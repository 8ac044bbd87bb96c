// SPDX-License-Identifier: GPL-3.0-or-later
// The song lists a run was about to change, kept on this computer: a stick's
// list is never gone without a copy. The copies live in the user's data
// folder (platform::Env::DataDir), in a folder per stick, named by the
// stick's volume (its serial number, so the same stick is known wherever it
// is plugged in) or, where the volume has no lasting name, by the target's
// path; a few per stick, the oldest dropped.
//
// Each copy holds the list's bytes as the stick held them and what its song
// files were then (size and a checksum of their first bytes), so that a list
// put back never names a file that has since been given to another song.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/env.h"
#include "run/target_dir.h"

class TListCopies {
 public:
  // The copies kept per stick.
  static constexpr std::size_t kPerStick = 5;

  // What a song file was when a copy was taken: its size and the checksum
  // (TChecksum) of its first kHeadBytes.
  struct TFileFacts {
    std::int64_t size = -1;
    std::uint64_t headSum = 0;
    bool operator==(const TFileFacts&) const = default;
  };
  static constexpr std::size_t kHeadBytes = 65536;
  // The facts of the file under name in folder; size -1 when it cannot be
  // read. Never throws.
  static TFileFacts FactsOf(platform::Folder& folder, const std::string& name);

  struct TCopy {
    std::string id;     // its name among the stick's copies ("20261209-153012")
    std::string when;   // when it was taken, for people: "2026-12-09 15:30:12"
    std::string bytes;  // the list as the stick held it
    std::string where;  // the target's path then
    std::map<std::string, TFileFacts> files;  // "660001" -> what its .dat was
  };

  explicit TListCopies(platform::Env& env);

  // The folder name of the stick whose target (vod folder) is at path: its
  // volume (platform::Folder::VolumeId, "" none) and the path within the
  // volume, whose root is root (platform::Env::VolumeOf, "" unknown), so that
  // the same stick is known at any mount point and two folders of one disk
  // are told apart; without a volume, the whole path.
  static std::string StickKey(const std::string& volume, const std::string& path,
                              const std::string& root);

  // Keeps bytes, the list of the target at where, as the newest copy of
  // stick, with the facts of its song files, taken at now. Nothing is kept
  // when the newest copy holds the same bytes already. Drops the oldest
  // copies beyond kPerStick. Throws platform::FileError when it cannot be
  // written (no data folder, a full disk).
  void Keep(const std::string& stick, const std::string& where, std::string_view bytes,
            const std::map<std::string, TFileFacts>& files,
            std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

  // The copies kept of stick, newest first; none when there are none or the
  // folder cannot be read. Never throws.
  std::vector<TCopy> Copies(const std::string& stick);

  // What of a copy may be put back on a target now.
  struct TPutBack {
    std::string bytes;                 // the list to write
    int songs = 0;                     // the songs it lists
    std::vector<std::string> leftOut;  // the lines left out (GBK)
  };
  // The lines of copy whose song file on target (Inspect) is what it was
  // when the copy was taken, and the lines that name no song file; a line
  // whose file has since changed or gone is left out.
  static TPutBack PutBack(const TCopy& copy, TTargetDir& target,
                          const TTargetDir::TSongNoOf& songNoOf);

  // The key (StickKey) of the target's stick.
  static std::string StickOf(TTargetDir& target);
  // Keeps the list target holds (Inspect), when it holds one, with the
  // facts of the song files its lines name (songNoOf reads a line). Throws
  // platform::FileError as Keep.
  void KeepListOf(TTargetDir& target, const TTargetDir::TSongNoOf& songNoOf);

 private:
  platform::Env& env_;
};
