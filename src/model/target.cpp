// The song list's side of a run: the target folder, the room check, the
// copy and vod.txt.
#include <algorithm>
#include <cerrno>
#include <set>

#include "model/checksum.h"
#include "model/messages.h"
#include "model/replacing_file.h"
#include "model/target_dir.h"
#include "model/uclsSong.h"
#include "platform/env.h"
#include "text/gbk.h"
#include "text/user_error.h"

namespace {
bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '/' || path.back() == '\\');
}
}  // namespace

std::string TBaseSong::FindUsbVodDir() {
  const auto volumes = Env()->UsbVolumes();
  if (volumes.empty()) return "";
  return volumes.front() + "vod" + Env()->PathSeparator();
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
    FTarget = std::make_unique<TTargetDir>(*Env(), FTargetDir);
    FTarget->Inspect();
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

int TBaseSong::CopyToTarget(const TLowSpaceProc& onLowSpace, const TFileCopyProc& onFileCopy,
                            const TReadBackProc& onReadBack) {
  // Nothing of an earlier run's outcome may describe this one.
  FCopyOutcome = {};
  FCancelRequested = false;
  if (FSourceDir.empty() || FTargetDir.empty()) throw TUserError(msg::BadSongDirs());
  if (!EndsWithSeparator(FTargetDir)) FTargetDir += Env()->PathSeparator();
  if (!EndsWithSeparator(FSourceDir)) FSourceDir += Env()->PathSeparator();
  if (!FTarget || FTarget->Path() != FTargetDir) {
    FTarget = std::make_unique<TTargetDir>(*Env(), FTargetDir);
    FTarget->Inspect();
  }
  // The target is held for this copy only; another call looks at it anew.
  struct Release {
    TBaseSong& list;
    ~Release() { list.CloseTarget(); }
  } release{*this};

  // The room of the target's volume, all of it checked before anything is
  // made there. Temporary files of a killed run go once the folder is made;
  // they hold little, and a run that is refused must not touch the target.
  const platform::VolumeRoom room = FTarget->Room();
  CheckVolumeLimits(room);
  const std::int64_t free = room.freeBytes;
  const std::int64_t need = std::max(FNeedSize, BytesOnVolume(room.blockSize));
  if (free < need) {
    if (!onLowSpace) throw TUserError(msg::DiskTooSmall());
    std::string drive = Env()->VolumeOf(FTargetDir);
    if (drive.empty()) drive = FTargetDir;
    onLowSpace(drive, FormatDiskSize(need), FormatDiskSize(free));
    return 0;
  }

  platform::Folder& folder = FTarget->Make();
  try {
    CopySongFiles(FSourceDir, FTargetDir, onFileCopy);
  } catch (...) {
    SaveCompleteSongs(folder);
    throw;
  }
  // vod.txt comes last, when every song it lists is on the target.
  WriteVod(folder, FLines);
  FCopyOutcome.vodWritten = true;
  // Written into a folder whose disk went away is not written.
  FTarget->CheckStillThere();
  // Flushed is not kept: a counterfeit or failing stick acknowledges what it
  // throws away. What the device gives back is what the jukebox will read.
  if (FVerifyCopies) ReadBack(folder, onReadBack);
  FTargetDir.clear();
  return 1;
}

void TBaseSong::CheckVolumeLimits(const platform::VolumeRoom& room) {
  // File entries: one per song's new .dat, vod.txt, the temporary file of the
  // copy under way, and the vod folder itself when it is to be made.
  if (room.freeEntries >= 0) {
    std::int64_t needed = 1;
    const auto& there = FTarget->Contents();
    if (FTarget->MissingFolder()) needed += 1;
    if (!there.hasVodTxt) needed += 1;
    for (int i = 0; i < FCount; ++i) {
      const TBaseSongData& song = *GetSong(i);
      if (song.VideoFile.empty()) continue;
      if (!std::binary_search(there.datNumbers.begin(), there.datNumbers.end(), song.SongNo)) {
        ++needed;
      }
    }
    if (needed > room.freeEntries) throw TUserError(msg::TooFewEntries(needed, room.freeEntries));
  }
  if (room.largestFile >= 0) {
    for (int i = 0; i < FCount; ++i) {
      const TBaseSongData& song = *GetSong(i);
      const std::int64_t size = song.VideoFile.empty() ? -1 : Env()->FileSize(song.VideoFile);
      if (size > room.largestFile) {
        throw TUserError(msg::TooLargeForVolume(song.SongNo + " " + song.SongName,
                                                FormatDiskSize(room.largestFile + 1)));
      }
    }
  }
}

void TBaseSong::WriteVod(platform::Folder& folder, const TStringList& lines) {
  std::string bytes = EncodeVod(lines);
  for (const std::string& kept : FKeptLines) bytes += kept + "\r\n";
  TReplacingFile::Write(folder, "vod.txt", bytes);
  FKnownLists.push_back(FingerprintOf(bytes));
  auto& written = FCopyOutcome.written;
  std::erase_if(written, [](const auto& w) { return w.name == "vod.txt"; });
  written.push_back({"vod.txt", "", static_cast<std::int64_t>(bytes.size()), TChecksum::Of(bytes)});
}

void TBaseSong::SaveCompleteSongs(platform::Folder& folder) {
  // Nothing on the target changed: the old vod.txt still tells the truth.
  if (!FCopyOutcome.changed) return;
  TStringList lines;
  std::set<std::string> copied;
  const std::size_t n = std::min(FLines.size(), FCopyOutcome.complete.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (!FCopyOutcome.complete[i]) continue;
    lines.push_back(FLines[i]);
    copied.insert(GetSong(static_cast<int>(i))->SongNo);
  }
  // A list being replaced keeps the songs no new file took the place of:
  // they are still there, and the replacing did not complete.
  const TStringList kept = FKeptLines;
  for (const auto& [number, line] : FReplacedLines) {
    if (copied.count(number) == 0) FKeptLines.push_back(line);
  }
  try {
    WriteVod(folder, lines);
    FCopyOutcome.vodWritten = true;
  } catch (const std::exception&) {
    // The copy error is what the caller reports; vodWritten stays false.
  }
  FKeptLines = kept;
}

std::int64_t TBaseSong::BytesOnVolume(std::int64_t blockSize) {
  const std::int64_t block = std::max<std::int64_t>(blockSize, 1);
  auto whole = [block](std::int64_t bytes) { return (bytes + block - 1) / block * block; };
  std::int64_t total = 0;
  for (int i = 0; i < FCount; ++i) {
    const std::string& video = GetSong(i)->VideoFile;
    const std::int64_t size = video.empty() ? -1 : Env()->FileSize(video);
    if (size > 0) total += whole(size);
  }
  // vod.txt is written after the songs: at most three UTF-8 bytes for every
  // two GBK bytes, a line end per line and a byte-order mark.
  std::int64_t vod = 3;
  for (const auto& line : FLines) vod += static_cast<std::int64_t>(line.size()) * 3 / 2 + 3;
  for (const auto& line : FKeptLines) vod += static_cast<std::int64_t>(line.size()) + 2;
  return total + whole(vod);
}
