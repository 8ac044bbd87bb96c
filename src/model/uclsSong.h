// SPDX-License-Identifier: GPL-3.0-or-later
// The song list of one add-songs run: records, lookup tables, the song-number
// counter, the lines of vod.txt, and the operations every product line shares.
//
// TBaseSong is abstract. Each product line derives from TSongStore<its
// record> (model/song_store.h), which holds the 100 record slots and supplies
// the slots that are the same everywhere; the product line adds what truly
// differs: its tables, its line layout, its mandatory fields, its parser.
//
// All texts are GBK byte strings. Errors meant for the user are TUserError
// (text/user_error.h); file errors are platform::FileError naming the path,
// in GBK too.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/bm_table.h"
#include "model/song_file_name.h"
#include "model/songdata.h"
#include "model/window_side.h"
#include "run/run.h"
#include "run/vod_text.h"
#include "text/uPublic.h"

namespace platform {
class Env;
class Folder;
struct VolumeRoom;
}  // namespace platform
class TTargetDir;

// Number of record slots of every product line; the grid admits 99 songs.
constexpr int kSongSlots = 100;

class TBaseSong {
 public:
  // Yields a folder path ending with a separator, or "" when the user cancelled
  // (or, for LoadVodFile, the path of the vod.txt to read).
  using TDirProc = std::function<std::string()>;
  // Called before each file is copied, with source and destination paths.
  using TFileCopyProc = std::function<void(const std::string& source, const std::string& dest)>;

  // Creates the line list and the six tables (empty), the counter at 660000.
  // env is the operating system to use; null means the real one. The
  // subclass fills its tables; its slots start at their defaults.
  TBaseSong(std::uint8_t productLine, platform::Env* env = nullptr);
  TBaseSong(const TBaseSong&) = delete;
  TBaseSong& operator=(const TBaseSong&) = delete;
  virtual ~TBaseSong();

  // ---- State, named as the rest of the system knows it ----
  TWindowSide* FHandle = nullptr;  // receives notifications, owns message boxes
  const std::uint8_t FProductLine;
  std::string FTargetDir;   // folder receiving vod.txt and the .dat files during a run
  std::string FSourceDir;   // folder songs were last added from
  std::int32_t FCount = 0;  // record slots in use
  TStringList FLines;       // the lines of vod.txt
  std::int32_t FNextNo = 660000;
  std::int64_t FNeedSize = 0;  // bytes the songs' video files need on the target

  // ---- Lookup tables ----
  // The table id (model/bm_table.h: add, count, row at index, code by name
  // with the table's default, index by code). Every product line has the
  // first six, empty where it fills none; Tarvel adds its new-song and
  // ranking kinds. Throws std::invalid_argument for a table the product
  // line has not.
  virtual TBmTable& Table(TTableId id);
  const TBmTable& Table(TTableId id) const { return const_cast<TBaseSong*>(this)->Table(id); }

  // ---- Songs and lines ----
  void AddLine(const std::string& line) { FLines.push_back(line); }

  // Adds a copy of the record (AddSong) unless the pointer is null.
  // unchangedLine: the vod.txt line the song was loaded from, when the
  // owner changed nothing of it; it is written back as it was instead of a
  // line built from the record.
  void PutSong(const TBaseSongData* record, const std::string& unchangedLine = "");
  // FCount := 0, before the records are rebuilt.
  void ClearSongs();

  // The record in slot index, or null when index < 0 or index >= FCount.
  TBaseSongData* SongAt(int index);

  // Puts every slot back to the product line's defaults (ResetSongs).
  void InitSongs() { ResetSongs(); }

  // ---- Song numbers ----
  // FNextNo in decimal; then FNextNo goes up by one. First call: "660000".
  std::string NextSongNo();
  // FNextNo := the value of "66" + number ("0042" gives 660042). Throws
  // std::invalid_argument when that is not a whole number.
  void SetStartNumber(const std::string& number);

  // ---- The target drive (model/target.cpp) ----

  // The tool's title for the product line ("ORU 2.0 版本加歌工具" ...; the
  // product line's own), empty for an unknown one.
  virtual std::string ToolTitle() const { return ""; }

  // The "vod" folder on the first removable volume (e.g. "/media/usb/vod/");
  // "" when no removable volume is mounted. Nothing is made: the run makes
  // the folder once every check passed.
  std::string FindUsbVodDir();

  // What PrepareTarget decided.
  struct TPrepared {
    // 0: go on with CopyToTarget. 1: no target (no folder given, or the
    // owner cancelled the folder choice). 6: the target cannot be used (a
    // link, another run writing there, unreadable) or a song is incomplete.
    std::uint8_t result = 0;
    std::string message;  // for 6: why, for the owner under "保存信息失败" (GBK)
  };
  // Decides FTargetDir (the USB disk's vod folder when useUsb and one is
  // there, else the folder dirProc yields: the window tells the owner that
  // no USB disk was found before it asks), looks at it (Target(): held open
  // and locked, nothing written; FTargetDir then spelled as the target holds
  // it, "VOD" for "vod") and builds the lines of vod.txt (BuildLines).
  // Nothing on the target is written here, and nothing is shown.
  TPrepared PrepareTarget(bool useUsb, const TDirProc& dirProc);
  // BuildLines again (after the records changed): 0, or 6 and why.
  TPrepared MakeLines();

  // The target the run looked at (PrepareTarget), or null. CloseTarget lets
  // it go (and its lock) when the run ends.
  TTargetDir* Target() const { return FTarget.get(); }
  void CloseTarget();
  // A target at path that reads lines as this product line does.
  std::unique_ptr<TTargetDir> NewTarget(const std::string& path);

  // The run onto the target (run/run.h: the order that keeps every line of
  // the target's list naming a .dat that holds its song at every instant):
  // the songs of slots 0..FCount-1 with FLines, FKeptLines after them,
  // FReplacedLines for a list being replaced, FNeedSize; every file read
  // back when verify. Looks at FTargetDir again unless PrepareTarget held
  // it; lets the target go when it returns. observer is told of each file
  // and chunk and asked whether to stop; without one the list posts
  // WM_COPYPROGRESS to FHandle after each chunk, lets its loop run and
  // stops at RequestCancel. FTargetDir is emptied when done. The outcome
  // says how it ended; TUserError "歌曲文件目录错误" without source or target
  // folder is an outcome too (kRefused).
  TRunOutcome CopyToTarget(bool verify = true);
  TRunOutcome CopyToTarget(IRunObserver& observer, bool verify = true);

  // Asks a running copy without an observer of its own to stop after the
  // current chunk.
  void RequestCancel() { FCancelRequested = true; }

  // Fingerprints (TVodText::print) of every vod.txt this list loaded or
  // wrote: a target's vod.txt among them holds no song the window lacks.
  std::vector<std::uint64_t> FKnownLists;

  // The most room the run takes on the target at any moment, in allocation
  // units of unit bytes (run/run.h RoomNeeded). Needs Target().
  std::int64_t RoomNeeded(std::int64_t unit);
  // How many songs of slots 0..FCount-1 the run copies (run/run.h
  // SongsCopied): those with a video the target does not hold already.
  int SongsToCopy() const;
  // Whether the run copies the song of slot i: it has a video file and the
  // target does not hold it already (FOnTarget).
  bool CopiesSong(int i) const;

  // ---- Loading a vod.txt (model/load_vod.cpp) ----

  // Reads the vod.txt whose path fileName yields into the records
  // (LoadVodText). Result: 3 without callback or file, else LoadVodText's.
  // Throws platform::FileError when the file cannot be read, is not a
  // regular file or is larger than platform::kMaxTextFileBytes.
  std::uint8_t LoadVodFile(const TDirProc& fileName);
  // Loads the lines: every non-blank line goes to ParseLine with slot
  // FCount, which advances on 0. Lines that are not GBK text, that hold a
  // control byte, that the product line refuses, or that find every slot
  // taken are not loaded and are told in FLoaded.unread. Posts WM_LOADDONE,
  // then WM_SONGCOUNT with FCount, when notify. Result: the verdict on the
  // last line examined (0 for a file without lines).
  std::uint8_t LoadVodText(const TVodText& vod, bool notify = true);

  // A line a load did not take.
  struct TUnreadLine {
    enum class Why : std::uint8_t { kRefused, kNotGbk, kControl, kNoSlot };
    int number = 0;  // 1-based, in the file
    Why why = Why::kRefused;
    std::string text;      // the line (GBK, or the file's bytes when not GBK)
    std::string fileLine;  // the line as the file holds it, to be kept as it is
  };
  struct TLoadReport {
    TStringList songLines;  // per loaded song, in slot order: the line it came from
    std::vector<TUnreadLine> unread;
    bool gbkBehindMark = false;  // a GBK list that began with a UTF-8 byte-order mark
  };
  TLoadReport FLoaded;
  // The owner keeps the lines the last load did not take: FKeptLines gets them.
  void KeepUnreadLines();
  // Lines written after the songs as the file held them: lines a load did
  // not take that the owner chose to keep (the jukebox had them before).
  TStringList FKeptLines;
  // When the owner replaces a target's list: its song lines as the file
  // held them, with their song numbers. A run that does not complete lists
  // those whose .dat no new song touched again, so the old songs that are
  // still there stay listed.
  std::vector<std::pair<std::string, std::string>> FReplacedLines;  // (SongNo, line)
  // Song numbers whose .dat the target already holds byte for byte (a run
  // that did not end copied them): not copied again (TRunSong::onTarget).
  std::set<std::string> FOnTarget;
  // Song numbers whose .dat the run removes after the list no longer names
  // them (TRunPlan::remove).
  std::vector<std::string> FRemove;

  // The song number of a line of this product line, "" when it refuses it.
  virtual std::string SongNoOf(const std::string& line) const = 0;
  // The mandatory fields of a record of this product line that are blank,
  // by name ("Singer"), in the order BuildLines tests them.
  virtual std::vector<std::string> BlankFields(const TBaseSongData& record) const = 0;

  // ---- The ten product-line operations, in their fixed order ----

  // 0: Writes the lines to the file, replacing it, as EncodeVod gives them.
  // Written to a temporary name, flushed to the device and renamed over the
  // old file, so a failure leaves the old one. Throws platform::FileError
  // when the file cannot be written.
  virtual void SaveLines(const TStringList& lines, const std::string& fileName);
  // The bytes of a vod.txt holding the lines: GBK, CR LF after every line,
  // no byte-order mark (Dovan: UTF-8 behind a mark). Throws
  // gbk::ConversionError for a line that has no form there.
  virtual std::string EncodeVod(const TStringList& lines) const;
  // 1: Every one of the 100 slots back to the defaults; FCount unchanged.
  virtual void ResetSongs() = 0;
  // 2: One line per song 0..FCount-1 appended to FLines; returns 0. Throws
  // TSongRefused (a TUserError) "加歌信息不完整,不能有空项" at the first
  // incomplete song, naming it.
  virtual int BuildLines() = 0;
  // 3: Parses one vod.txt line into slot index: 0 accepted, 6 rejected/empty.
  virtual std::uint8_t ParseLine(const std::string& line, int index) = 0;
  // Slots 4 to 6 have a meaning only for ORU, which overrides 4 and 6; for
  // every other line they change nothing and return 0. The windows do not
  // call them (the grid adds and deletes rows itself).
  // 4: Fills slot index from a video file name; returns 0.
  virtual int FillFromFileName(int /*index*/, const std::string& /*fileName*/) { return 0; }
  // 5: Returns 0.
  virtual int SongSlot5() { return 0; }
  // 6: Moves the songs after index one slot down (ORU); returns 0.
  virtual int DeleteSong(int /*index*/) { return 0; }
  // 7: Copies every song's VideoFile to targetDir + SongNo + ".dat"; targetDir
  // is the folder the run holds (Target()).
  virtual void CopySongFiles(const std::string& sourceDir, const std::string& targetDir,
                             const TFileCopyProc& onFileCopy) = 0;
  // 8: The slot at index, without a range check.
  virtual TBaseSongData* GetSong(int index) = 0;
  // 9: Copies the record into slot FCount and raises FCount by one.
  virtual void AddSong(const TBaseSongData& record) = 0;

 protected:
  platform::Env* Env() const { return env_; }
  // Lets the window's message loop run once (nothing without a window).
  void PumpMessages() const {
    if (FHandle != nullptr) FHandle->PumpMessages();
  }
  // Posts a notification to the window (nothing without a window).
  void Notify(unsigned message, std::int64_t lparam) const {
    if (FHandle != nullptr) FHandle->PostNotify(message, lparam);
  }
  // Per slot: the line written as it was (PutSong), "" to build one.
  const std::string& UnchangedLine(int index) const;
  // The copy step of a run (run/copy.h CopySongs) into targetDir: the target
  // PrepareTarget holds, or the folder targetDir names, looked at, made and
  // held for this copy only; onFileCopy is told of each song, WM_COPYPROGRESS
  // posted after each chunk. Throws as CopySongs does.
  void CopyIntoFolder(const std::string& targetDir, const TFileCopyProc& onFileCopy);

 private:
  class TWindowRun;
  // What a run of the slots 0..FCount-1 writes.
  TRunPlan Plan(bool verify) const;

  platform::Env* env_;
  bool FCancelRequested = false;
  std::unique_ptr<TTargetDir> FTarget;
  TStringList FUnchangedLines;  // per slot, see PutSong
  // The six tables every product line has, by TTableId, with the defaults
  // of their code-by-name lookups.
  std::array<TBmTable, 6> tables_{TBmTable{"0"}, TBmTable{"1"}, TBmTable{"2"},
                                  TBmTable{"0"}, TBmTable{"1"}, TBmTable{""}};
  // The old list's lines the run took out before copying (SongNo, line).
  std::vector<std::pair<std::string, std::string>> FTakenOut;
};
