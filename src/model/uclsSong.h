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
#include "model/vod_text.h"
#include "model/window_side.h"
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
  // Tells the user the target disk is too small: drive, needed and free sizes.
  using TLowSpaceProc = std::function<void(const std::string& drive, const std::string& need,
                                           const std::string& free)>;
  // Called before each file is copied, with source and destination paths.
  using TFileCopyProc = std::function<void(const std::string& source, const std::string& dest)>;
  // Called before each file is read back from the target: its path, which
  // of how many (0-based), its bytes and the bytes of all of them.
  using TReadBackProc = std::function<void(const std::string& path, int index, int count,
                                           std::int64_t bytes, std::int64_t allBytes)>;

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

  // Decides FTargetDir (the USB disk's vod folder, or the folder dirProc
  // yields), looks at it (Target(): held open and locked, nothing written;
  // FTargetDir then spelled as the target holds it, "VOD" for "vod") and
  // builds the lines of vod.txt (BuildLines). 0: go on with CopyToTarget.
  // 1: no target (no disk and no callback, or the user cancelled). 6: the
  // target cannot be used (a link, another run writing there, unreadable)
  // or a song is incomplete; the user was shown why ("保存信息失败").
  // Nothing on the target is written here.
  std::uint8_t PrepareTarget(bool useUsb, const TDirProc& dirProc);
  // BuildLines again (after the records changed), with its message; 0 or 6.
  std::uint8_t MakeLines();

  // The target the run looked at (PrepareTarget), or null. CloseTarget lets
  // it go (and its lock) when the run ends.
  TTargetDir* Target() const { return FTarget.get(); }
  void CloseTarget();

  // The run on the target: checks the room, keeps a copy of the target's
  // list on this computer, makes the folder, copies the songs (CopySongFiles)
  // and replaces the list with FLines and FKeptLines, in the order given in
  // model/target.cpp, which keeps every line of the target's list naming a
  // .dat that holds its song at every instant (the program killed or the
  // stick pulled anywhere). Lets the target go when it returns or throws.
  //
  // 1: all done, FTargetDir emptied. 0: too little room, onLowSpace was told
  // (volume or folder, needed, free) and nothing on the target changed. The
  // room counts every file in whole allocation units (FAT's clusters) at the
  // fullest moment of the run (a song's new file beside the old one it
  // replaces, the list's temporary file beside the list); FNeedSize, less
  // the files the run replaces, counts too.
  //
  // Throws, before anything is written: TTargetRefused when the target's
  // file system cannot take the run whatever its free bytes (a video larger
  // than its largest file, too few file entries), when another run wrote
  // there, or when the list's copy cannot be kept on this computer;
  // TUserError "歌曲文件目录错误" without source or target folder,
  // "目标磁盘空间不足" when room is short and there is no onLowSpace.
  //
  // When FVerifyCopies, every .dat the run wrote is read back from the
  // device, not from the system's cache, and compared with the checksum of
  // its source taken while copying, before the list names it; the list
  // itself is read back before it takes the old one's place. Bytes that
  // differ (a counterfeit stick) or a read that fails (a stick pulled or
  // failing) throw TReadBackFailed, and the list is not replaced then.
  // onReadBack is told of each song's file; a cancel request stops the check.
  //
  // When the copy fails or is cancelled (TCopyCancelled, also during the
  // check), the error propagates after the list was made to name exactly the
  // songs complete (and read back right) on the target, the kept ones
  // included; FCopyOutcome tells what is where.
  int CopyToTarget(const TLowSpaceProc& onLowSpace, const TFileCopyProc& onFileCopy,
                   const TReadBackProc& onReadBack = nullptr);
  // Whether CopyToTarget reads back what it wrote (on by default).
  bool FVerifyCopies = true;

  // What the last CopyToTarget left on the target.
  struct TCopyOutcome {
    std::vector<bool> complete;  // per song: its .dat is complete there (copied, or kept)
    std::vector<bool> placed;    // per song: its new .dat began to take its name
    std::vector<bool> checked;   // per song: read back right, or kept without copying
    int failed = -1;             // the song whose copy failed or was cancelled; -1: none
    bool changed = false;        // at least one .dat was written
    // Before the copy the list lost the songs whose files new songs take.
    bool listShortened = false;
    bool vodWritten = false;  // the list was replaced (after a stop: with the complete songs)
    bool checking = false;    // the files were being read back when it stopped
    // The files the run wrote, as they were meant to be: for the read-back.
    struct TWritten {
      std::string name;  // "660001.dat"
      std::string song;  // the song's number and title
      int index = -1;    // its slot
      std::int64_t size = 0;
      std::uint64_t sum = 0;  // TChecksum of the bytes
    };
    std::vector<TWritten> written;
    // What the read-back found: songs (number and title) whose file came back
    // as written, with other bytes, that could not be read, that were not
    // read back (the check was cancelled); the first read error.
    std::vector<std::string> verified, differ, unreadable, unchecked;
    std::string readError;
  };
  TCopyOutcome FCopyOutcome;
  // Fingerprints (TVodText::print) of every vod.txt this list loaded or
  // wrote: a target's vod.txt among them holds no song the window lacks.
  std::vector<std::uint64_t> FKnownLists;

  // Asks a running copy to stop after the current chunk (TCopyCancelled).
  void RequestCancel() { FCancelRequested = true; }

  // The most room the run takes on the target at any moment, in allocation
  // units of unit bytes (see CopyToTarget). Needs Target().
  std::int64_t RoomNeeded(std::int64_t unit);

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
  // 4: Fills slot index from a video file name; returns 0.
  virtual int FillFromFileName(int index, const std::string& fileName) = 0;
  // 5: Returns 0; nothing calls it.
  virtual int SongSlot5() = 0;
  // 6: Moves the songs after index one slot down (ORU); returns 0.
  virtual int DeleteSong(int index) = 0;
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
  // CopyRecordFiles into targetDir: the target CopyToTarget holds, or the
  // folder targetDir names, looked at, made and held for this copy only.
  void CopyIntoFolder(const std::string& targetDir, const TFileCopyProc& onFileCopy);

  // The copy procedure of every product line (model/copy_files.cpp): for each
  // song 0..FCount-1 copies VideoFile to the target's SongNo + ".dat" (under
  // the name the target gives that file, "660001.DAT" where it has one) in
  // 5120-byte chunks, posting WM_COPYPROGRESS after each chunk. Each .dat is
  // written under a temporary name and renamed over the old one only when
  // complete and flushed. A song without a VideoFile keeps the .dat already on
  // the target; when it has none either, TUserError naming the song is raised
  // before any file is copied. Everything on the target is written through
  // the folder target.Make() holds; shownDir is its path as the owner knows
  // it, for onFileCopy. File errors are platform::FileError; the songs after
  // a failing one are not copied. A cancel request (RequestCancel) is heard
  // before each song and after each chunk: TCopyCancelled, and the
  // unfinished temporary file is removed. FCopyOutcome follows every song.
  void CopyRecordFiles(TTargetDir& target, const std::string& shownDir,
                       const TFileCopyProc& onFileCopy);

 private:
  // The steps of CopyToTarget (model/target.cpp), in their order.
  void CheckVolumeLimits(const platform::VolumeRoom& room);
  void KeepListCopy();
  void TakeOutOfList(platform::Folder& folder);
  void ReadBack(platform::Folder& folder, const TReadBackProc& onReadBack);
  // The list's bytes: the lines of the songs listable (all when null), the
  // kept lines, and after a stop the old lines whose .dat no new song
  // touched.
  std::string ListBytes(const std::vector<bool>* listable);
  // Replaces the target's list with bytes (WriteCheckedList, read back when
  // FVerifyCopies). Throws TReadBackFailed when it comes back other than
  // written.
  void WriteList(platform::Folder& folder, const std::string& bytes);
  // After a stop: the list := the songs complete (and read back right) on
  // the target, when that changes it. Never throws.
  void SaveCompleteSongs(platform::Folder& folder);
  void ThrowIfCancelled();
  // The numbers of the songs the run copies (those with a video file).
  std::set<std::string> NumbersCopied();
  // A target at path that reads lines as this product line does.
  std::unique_ptr<TTargetDir> NewTarget(const std::string& path);

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
