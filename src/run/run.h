// SPDX-License-Identifier: GPL-3.0-or-later
// A run on its target: the songs' files copied as 66NNNN.dat and the list
// (vod.txt) written, in the order that keeps every line of the target's
// list naming a .dat that holds its song at every instant (run/run.cpp
// states it). The run knows no product line: it is handed the songs, their
// lines and how the product line encodes a list. It shows nothing: what
// happens is told to an observer, and how it ended is one outcome.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "run/same_file.h"
#include "run/target_dir.h"
#include "text/uPublic.h"

// One song of a run.
struct TRunSong {
  std::string number;  // "660001": its file is number + ".dat"
  std::string title;   // for messages
  std::string video;   // the source file; "" keeps the .dat the target holds
  // The target's .dat of this number already holds video, byte for byte
  // (SameSongFile, checked before the run: the file of a run that did not
  // end): it is not copied again, and is listed as a copied song.
  bool onTarget = false;
  // "660001 海风": how messages name it.
  std::string Label() const { return number + " " + title; }
  // The run copies its video: it has one, and the target does not hold it
  // already. A song that does not keeps the .dat the target holds.
  bool Copies() const { return !video.empty() && !onTarget; }
};

// How many of songs the run copies (TRunSong::Copies).
int SongsCopied(const std::vector<TRunSong>& songs);

// What a run writes.
struct TRunPlan {
  std::vector<TRunSong> songs;  // in the list's order
  TStringList lines;            // the list's line of each song, in the same order
  // The bytes of a list of these lines as the product line writes them
  // (GBK with CR LF; Dovan: UTF-8 behind a byte-order mark).
  std::function<std::string(const TStringList&)> encode;
  TStringList keptLines;  // written after the songs as they are (lines a load did not read)
  // When the owner replaces the target's list: its song lines (number, line
  // as the file holds it). A run that stops lists those whose .dat no new
  // song touched again.
  std::vector<std::pair<std::string, std::string>> replacedLines;
  // Song numbers ("660003") whose .dat the run removes: songs the owner
  // deleted from the list, files no list names that the owner let go. The
  // list is first written without them, then their files go, before any
  // copy. A number a song of the plan has, or a kept line names, is never
  // removed; one whose .dat the target does not hold is skipped.
  std::vector<std::string> remove;
  std::int64_t needSize = 0;  // the videos' bytes as the window counted them
  bool verify = true;         // read every file back from the device
};

// What a run tells as it goes (the window's copy panel).
class IRunObserver {
 public:
  virtual ~IRunObserver() = default;
  // Song index (of count), counting only the songs the run copies, is about
  // to be copied from source to dest (its .dat on the target). Songs kept
  // as they are, or already there, are not told.
  virtual void CopyStarted(int index, int count, const std::string& source,
                           const std::string& dest) = 0;
  // The file at path, which (0-based) of count, of bytes (allBytes for all
  // of them), is about to be read back.
  virtual void CheckStarted(int index, int count, const std::string& path, std::int64_t bytes,
                            std::int64_t allBytes) = 0;
  // Percent (0-100) of the current file copied or read back, after each piece.
  virtual void Progress(int percent) = 0;
  // Asked before each song and after each piece: lets the window's loop run
  // and says whether the owner asked the run to stop.
  virtual bool Cancelled() = 0;
};

// How a run ended.
struct TRunOutcome {
  enum class TEnd : std::uint8_t {
    kDone,        // every song and the list are on the target (and read back)
    kLowSpace,    // too little room: nothing changed (need, free, drive below)
    kRefused,     // refused before anything was written: message
    kStopped,     // the copy failed (message) or was cancelled; the list names the songs complete
    kDiffers,     // files came back with other bytes (a counterfeit stick): message
    kUnreadable,  // files could not be read back (pulled or failing): message
  };
  TEnd end = TEnd::kDone;
  std::string message;     // the owner's words for anything but kDone and kLowSpace (GBK)
  bool cancelled = false;  // the owner stopped it
  bool checking = false;   // ... while the files were read back
  int failed = -1;         // the song being copied when it stopped; -1 none
  // For kLowSpace: the volume (or folder) and the sizes for people.
  std::string drive, need, free;

  // Per song, in the plan's order.
  std::vector<bool> complete;  // its .dat is complete there (copied, kept, or there already)
  std::vector<bool> placed;    // its new .dat began to take its name
  std::vector<bool> checked;   // read back right, or not copied (kept, or there already)
  bool changed = false;        // at least one .dat was written
  bool listShortened = false;  // the list lost the songs whose files new songs take
  bool vodWritten = false;     // the list was replaced (after a stop: with the complete songs)
  // The songs (number and title) read back right, with other bytes, that
  // could not be read, that were not read back; the first read error.
  std::vector<std::string> verified, differ, unreadable, unchecked;
  std::string readError;
  // The songs (number and title) taken as copied because the target held
  // their file already (TRunSong::onTarget).
  std::vector<std::string> alreadyThere;
  // The numbers whose .dat the run removed (TRunPlan::remove) and their
  // bytes; those it could not remove (which the list no longer names
  // either: the run goes on).
  std::vector<std::string> removed, notRemoved;
  std::int64_t removedBytes = 0;
  // Fingerprints of every list the run wrote there (FingerprintOf).
  std::vector<std::uint64_t> listsWritten;
};

// Runs plan onto target (looked at: TTargetDir::Inspect), telling observer.
// songNoOf reads the target's list as the product line does. Never throws
// for what a target, a stick or a video file can do; only for the program's
// own faults.
TRunOutcome RunOnto(platform::Env& env, TTargetDir& target, const TRunPlan& plan,
                    IRunObserver& observer, const TTargetDir::TSongNoOf& songNoOf);

// The most room the run of plan takes on target at any moment, in whole
// units of unit bytes: the files it removes free theirs once the shortened
// list is written, before any copy; then each song's new file stands beside
// the old one it replaces, the list's temporary file beside the list. The
// larger of that and the window's count less the files replaced, the files
// removed and the videos the target holds already.
std::int64_t RoomNeeded(platform::Env& env, const TTargetDir& target, const TRunPlan& plan,
                        std::int64_t unit, const TTargetDir::TSongNoOf& songNoOf);

// An observer that tells nothing and never stops a run.
class TSilentRun final : public IRunObserver {
 public:
  void CopyStarted(int, int, const std::string&, const std::string&) override {}
  void CheckStarted(int, int, const std::string&, std::int64_t, std::int64_t) override {}
  void Progress(int) override {}
  bool Cancelled() override { return false; }
};
