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

// The first of songs that the run does not copy (TRunSong::Copies) and whose
// .dat the target does not hold either; null when there is none.
const TRunSong* SongWithoutItsFile(const TTargetDir& target, const std::vector<TRunSong>& songs);

// Copies each song of songs that the run copies (TRunSong::Copies) onto
// target (made: Make) as its .dat, in 5120-byte chunks, telling observer of
// each of them (its place among them, shownDir + its file) and of each chunk
// (rounded percent, halves to the even neighbour); the observer is asked
// before each and after each chunk whether to stop. Each .dat is written
// under a temporary name, flushed and renamed over the old one; a failed
// copy leaves the old one and no partial file. Any other song keeps the
// .dat the target holds (one already there is named in
// outcome.alreadyThere); when the target has none, throws TUserError naming
// it before any file is copied. outcome follows every song (complete,
// placed, failed, changed) and written gets each file.
// Throws platform::FileError; TCopyCancelled when observer says so.
void CopySongs(platform::Env& env, TTargetDir& target, const std::string& shownDir,
               const std::vector<TRunSong>& songs, IRunObserver& observer, TRunOutcome& outcome,
               std::vector<TWrittenFile>& written);
