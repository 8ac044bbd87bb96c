// SPDX-License-Identifier: GPL-3.0-or-later
// The copy step of a run: each song's video onto the target as its .dat.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "run/run.h"
#include "run/target_dir.h"

// A file the copy wrote, as it was meant to be: for the read-back.
struct TWrittenFile {
  std::string name;  // "660001.dat", in the case the target gives it
  std::string song;  // the song's number and title
  int index = -1;    // the song's place in the plan
  std::int64_t size = 0;
  std::uint64_t sum = 0;  // TChecksum of the bytes
};

// Copies each song of songs that has a video onto target (made: Make) as its
// .dat, in 5120-byte chunks, telling observer of each song (shownDir + its
// file) and of each chunk (rounded percent, halves to the even neighbour).
// Each .dat is written under a temporary name, flushed and renamed over the
// old one; a failed copy leaves the old one and no partial file. A song
// without a video keeps the .dat the target holds; when it has none, throws
// TUserError naming it before any file is copied. outcome follows every
// song (complete, placed, failed, changed) and written gets each file.
// Throws platform::FileError; TCopyCancelled when observer says so (heard
// before each song and after each chunk).
void CopySongs(platform::Env& env, TTargetDir& target, const std::string& shownDir,
               const std::vector<TRunSong>& songs, IRunObserver& observer, TRunOutcome& outcome,
               std::vector<TWrittenFile>& written);
