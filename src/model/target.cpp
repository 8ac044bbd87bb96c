// The song list's side of a run: the target folder, the room check, the
// copy and the list.
#include <algorithm>
#include <cerrno>
#include <set>

#include "model/checksum.h"
#include "model/errors.h"
#include "model/list_copies.h"
#include "model/list_file.h"
#include "model/messages.h"
#include "model/replacing_file.h"
#include "model/stick_list.h"
#include "model/target_dir.h"
#include "model/uclsSong.h"
#include "platform/env.h"
#include "text/gbk.h"

namespace {
bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '/' || path.back() == '\\');
}
}  // namespace

std::string TBaseSong::FindUsbVodDir() {
  return UsbVodFolder(*Env());
}

std::uint8_t TBaseSong::PrepareTarget(bool useUsb, const TDirProc& dirProc) {
  CloseTarget();
  FTargetDir = FindUsbVodDir();
  if (useUsb && FTargetDir.empty()) {
    ShowMsg(FHandle, msg::FindUsbCaption(), msg::NoUsbDisk(), kMsgWarning);
    if (!dirProc) return 1;
    FTargetDir = dirProc();
  } else if (!useUsb) {
    FTargetDir = dirProc ? dirProc() : std::string();
  }
  if (FTargetDir.empty()) return 1;
  if (!EndsWithSeparator(FTargetDir)) FTargetDir += Env()->PathSeparator();

  try {
    FTarget = NewTarget(FTargetDir);
    FTarget->Inspect();
    FTargetDir = FTarget->Path();
  } catch (const std::exception& error) {
    CloseTarget();
    ShowMsg(FHandle, msg::SaveFailedCaption(), msg::TextOf(error), kMsgError);
    return 6;
  }
  return MakeLines();
}

std::uint8_t TBaseSong::MakeLines() {
  FLines.clear();
  try {
    return static_cast<std::uint8_t>(BuildLines());
  } catch (const std::exception& error) {
    ShowMsg(FHandle, msg::SaveFailedCaption(), msg::TextOf(error), kMsgError);
    return 6;
  }
}

void TBaseSong::CloseTarget() {
  FTarget.reset();
}

// The order of a run on the target. Whatever moment the program dies or the
// stick is pulled, also on FAT, whose rename removes the old name before it
// writes the new one, every line of the stick's list (its vod.txt, or where
// that is missing or empty the whole vod.txt.part a stopped run left) names
// a .dat that holds that line's song, and the songs a run keeps stay listed:
//  1. Look at the target (PrepareTarget): nothing is written. A list that is
//     missing, empty or unreadable beside a whole vod.txt.part: the part is
//     the list.
//  2. Check the room, the file entries and the largest file; a refusal
//     writes nothing.
//  3. Keep a copy of the list on this computer.
//  4. Make the folder; a part taken for the list goes in its place; other
//     temporary files go.
//  5. Where a new song takes the number of a song the list names, the list
//     without those songs replaces it first: no list names a .dat while a
//     new song takes its place.
//  6. Copy each new song under a temporary name, flush it, rename it to its
//     66NNNN.dat, which no list names now.
//  7. Read every new .dat back from the device and compare it.
//  8. Write the new list under a temporary name, flush it, read it back,
//     rename it over the list, read it back once more.
// A copy that stops at 6 (an error, a cancel) reads back what is complete
// and ends at 8 with the songs complete and read back right. Bytes that come
// back other than written, or a stick that cannot be read, end the run at
// 7: the list is not replaced.
int TBaseSong::CopyToTarget(const TLowSpaceProc& onLowSpace, const TFileCopyProc& onFileCopy,
                            const TReadBackProc& onReadBack) {
  // Nothing of an earlier run's outcome may describe this one.
  FCopyOutcome = {};
  FTakenOut.clear();
  FCancelRequested = false;
  if (FSourceDir.empty() || FTargetDir.empty()) throw TUserError(msg::BadSongDirs());
  if (!EndsWithSeparator(FTargetDir)) FTargetDir += Env()->PathSeparator();
  if (!EndsWithSeparator(FSourceDir)) FSourceDir += Env()->PathSeparator();
  if (!FTarget || FTarget->Path() != FTargetDir) {
    FTarget = NewTarget(FTargetDir);
    FTarget->Inspect();
    FTargetDir = FTarget->Path();
  }
  // The target is held for this copy only; another call looks at it anew.
  struct Release {
    TBaseSong& list;
    ~Release() { list.CloseTarget(); }
  } release{*this};

  // Songs read back from a list have no video file: they keep the .dat the
  // target holds, and a run that lacks one stops before anything is written.
  for (int i = 0; i < FCount; ++i) {
    const TBaseSongData& song = *GetSong(i);
    if (song.VideoFile.empty() && FTarget->Contents().dats.count(song.SongNo) == 0) {
      throw TTargetRefused(msg::NoVideoFile(song.SongNo, song.SongName));
    }
  }

  // 2. The room of the target's volume, all of it checked before anything
  // is made there.
  const platform::VolumeRoom room = FTarget->Room();
  CheckVolumeLimits(room);
  const std::int64_t free = room.freeBytes;
  const std::int64_t need = RoomNeeded(room.blockSize);
  if (free < need) {
    if (!onLowSpace) throw TUserError(msg::DiskTooSmall());
    std::string drive = Env()->VolumeOf(FTargetDir);
    if (drive.empty()) drive = FTargetDir;
    onLowSpace(drive, FormatDiskSize(need), FormatDiskSize(free));
    return 0;
  }

  KeepListCopy();                              // 3
  platform::Folder& folder = FTarget->Make();  // 4
  TakeOutOfList(folder);                       // 5
  std::exception_ptr stopped;
  try {
    CopySongFiles(FSourceDir, FTargetDir, onFileCopy);  // 6
  } catch (...) {
    stopped = std::current_exception();
  }
  if (FVerifyCopies) ReadBack(folder, onReadBack);  // 7
  auto& outcome = FCopyOutcome;
  if (!outcome.differ.empty()) {
    throw TReadBackFailed(msg::ReadBackDiffers(outcome.differ, outcome.listShortened), true);
  }
  if (!outcome.unreadable.empty()) {
    if (stopped) std::rethrow_exception(stopped);
    throw TReadBackFailed(
        msg::ReadBackUnreadable(outcome.readError, outcome.verified, outcome.unreadable), false);
  }
  const bool cancelledCheck = !outcome.unchecked.empty();
  if (stopped || cancelledCheck) {
    SaveCompleteSongs(folder);
    if (stopped) std::rethrow_exception(stopped);
    outcome.checking = true;
    throw TCopyCancelled(msg::CopyCancelled());
  }
  WriteList(folder, ListBytes(nullptr));  // 8
  // Written into a folder whose disk went away is not written.
  FTarget->CheckStillThere();
  FTargetDir.clear();
  return 1;
}

void TBaseSong::CheckVolumeLimits(const platform::VolumeRoom& room) {
  // File entries: one per song's new .dat, the list, the temporary file of
  // the copy or the list under way, and the vod folder itself when it is to
  // be made.
  const auto& there = FTarget->Contents();
  if (room.freeEntries >= 0) {
    std::int64_t needed = 1;
    if (FTarget->MissingFolder()) needed += 1;
    if (!there.hasVodTxt) needed += 1;
    for (int i = 0; i < FCount; ++i) {
      const TBaseSongData& song = *GetSong(i);
      if (!song.VideoFile.empty() && there.dats.count(song.SongNo) == 0) ++needed;
    }
    if (needed > room.freeEntries) {
      throw TTargetRefused(msg::TooFewEntries(needed, room.freeEntries));
    }
  }
  if (room.largestFile >= 0) {
    for (int i = 0; i < FCount; ++i) {
      const TBaseSongData& song = *GetSong(i);
      const std::int64_t size = song.VideoFile.empty() ? -1 : Env()->FileSize(song.VideoFile);
      if (size > room.largestFile) {
        throw TTargetRefused(msg::TooLargeForVolume(song.SongNo + " " + song.SongName,
                                                    FormatDiskSize(room.largestFile + 1)));
      }
    }
  }
}

std::set<std::string> TBaseSong::NumbersCopied() {
  std::set<std::string> numbers;
  for (int i = 0; i < FCount; ++i) {
    const TBaseSongData& song = *GetSong(i);
    if (!song.VideoFile.empty()) numbers.insert(song.SongNo);
  }
  return numbers;
}

std::int64_t TBaseSong::RoomNeeded(std::int64_t unit) {
  const std::int64_t block = std::max<std::int64_t>(unit, 1);
  auto whole = [block](std::int64_t bytes) {
    return bytes <= 0 ? 0 : (bytes + block - 1) / block * block;
  };
  const TTargetDir::TContents& there = FTarget->Contents();
  // The room in use beyond what the target holds now, step by step; the
  // fullest moment is what the run needs.
  std::int64_t used = 0;
  std::int64_t most = 0;
  auto add = [&](std::int64_t bytes) { most = std::max(most, used += whole(bytes)); };
  auto drop = [&](std::int64_t bytes) { used -= whole(bytes); };
  if (FTarget->MissingFolder()) add(block);  // FAT gives a folder a cluster
  std::int64_t list = static_cast<std::int64_t>(there.listBytes.size());
  const std::set<std::string> copied = NumbersCopied();
  const std::string shortened =
      ListWithout(there.vod, copied, [this](const std::string& line) { return SongNoOf(line); });
  if (there.hasVodTxt && shortened.size() != there.listBytes.size()) {
    add(static_cast<std::int64_t>(shortened.size()));
    drop(list);
    list = static_cast<std::int64_t>(shortened.size());
  }
  std::int64_t replaced = 0;  // bytes of the files the new ones replace
  for (int i = 0; i < FCount; ++i) {
    const TBaseSongData& song = *GetSong(i);
    if (song.VideoFile.empty()) continue;
    add(Env()->FileSize(song.VideoFile));  // its temporary file, beside the old one
    const auto old = there.dats.find(song.SongNo);
    if (old != there.dats.end()) {
      drop(old->second.size);
      replaced += old->second.size;
    }
  }
  add(static_cast<std::int64_t>(ListBytes(nullptr).size()));
  drop(list);
  return std::max(most, FNeedSize - replaced);
}

void TBaseSong::KeepListCopy() {
  try {
    TListCopies(*Env()).KeepListOf(*FTarget,
                                   [this](const std::string& line) { return SongNoOf(line); });
  } catch (const std::exception& error) {
    throw TTargetRefused(msg::ListCopyFailed(msg::TextOf(error)));
  }
}

void TBaseSong::TakeOutOfList(platform::Folder& folder) {
  const TTargetDir::TContents& there = FTarget->Contents();
  if (!there.hasVodTxt) return;
  auto songNoOf = [this](const std::string& line) { return SongNoOf(line); };
  const std::set<std::string> copied = NumbersCopied();
  for (std::size_t i = 0; i < there.vod.lines.size(); ++i) {
    if (IsBlank(there.vod.lines[i])) continue;
    const std::string number = SongNumberOfLine(there.vod, i, songNoOf);
    if (copied.count(number) != 0) FTakenOut.emplace_back(number, there.vod.FileLine(i));
  }
  if (FTakenOut.empty()) return;
  const std::string bytes = ListWithout(there.vod, copied, songNoOf);
  FCopyOutcome.listShortened = true;
  TReplacingFile::Write(folder, there.listName, bytes);
  FKnownLists.push_back(FingerprintOf(bytes));
}

std::string TBaseSong::ListBytes(const std::vector<bool>* listable) {
  TStringList lines;
  std::set<std::string> listed;
  for (std::size_t i = 0; i < FLines.size(); ++i) {
    if (listable != nullptr && (i >= listable->size() || !(*listable)[i])) continue;
    lines.push_back(FLines[i]);
    if (static_cast<int>(i) < FCount) listed.insert(GetSong(static_cast<int>(i))->SongNo);
  }
  std::string bytes = EncodeVod(lines);
  for (const std::string& kept : FKeptLines) bytes += kept + "\r\n";
  if (listable == nullptr) return bytes;
  // After a stop, the old songs whose .dat no new song touched are still
  // there: those of a list being replaced, and those taken out before the
  // copy.
  std::set<std::string> touched;
  for (int i = 0; i < FCount; ++i) {
    if (i < static_cast<int>(FCopyOutcome.placed.size()) &&
        FCopyOutcome.placed[static_cast<std::size_t>(i)]) {
      touched.insert(GetSong(i)->SongNo);
    }
  }
  auto relist = [&](const std::vector<std::pair<std::string, std::string>>& old) {
    for (const auto& [number, line] : old) {
      if (touched.count(number) != 0 || listed.count(number) != 0) continue;
      if (!number.empty() && FTarget->Contents().dats.count(number) == 0) continue;
      listed.insert(number);
      bytes += line + "\r\n";
    }
  };
  relist(FReplacedLines);
  relist(FTakenOut);
  return bytes;
}

void TBaseSong::WriteList(platform::Folder& folder, const std::string& bytes) {
  FKnownLists.push_back(FingerprintOf(bytes));
  WriteCheckedList(folder, FTarget->Contents().listName, bytes, FVerifyCopies,
                   FCopyOutcome.vodWritten);
}

void TBaseSong::SaveCompleteSongs(platform::Folder& folder) {
  auto& outcome = FCopyOutcome;
  std::vector<bool> listable = outcome.complete;
  listable.resize(static_cast<std::size_t>(FCount), false);
  for (std::size_t i = 0; i < listable.size(); ++i) {
    if (FVerifyCopies && i < outcome.checked.size())
      listable[i] = listable[i] && outcome.checked[i];
  }
  const std::string bytes = ListBytes(&listable);
  // Nothing on the target changed: the list still tells the truth.
  if (!outcome.changed && !outcome.listShortened) return;
  if (FingerprintOf(bytes) == FingerprintOf(FTarget->Contents().listBytes) &&
      !outcome.listShortened) {
    return;
  }
  try {
    WriteList(folder, bytes);
  } catch (const std::exception&) {
    // The copy error is what the caller reports; vodWritten tells whether
    // the list was replaced.
  }
}
