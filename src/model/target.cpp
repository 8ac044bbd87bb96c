#include <algorithm>
#include <cerrno>

#include "model/messages.h"
#include "model/replacing_file.h"
#include "model/uclsSong.h"
#include "model/vod_text.h"
#include "platform/env.h"
#include "text/gbk.h"
#include "text/user_error.h"

namespace {
bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

}  // namespace

std::string TBaseSong::ToolTitle() const {
  switch (FProductLine) {
    case kLineOru:
      return Gbk(u8"ORU 2.0 版本加歌工具");
    case kLineTarvel:
      return Gbk(u8"Tarvel版本加歌工具");
    case kLineMirel:
      return Gbk(u8"Mirel系列版本加歌工具");
    case kLineDovan:
      return Gbk(u8"Dovan加歌工具");
    default:
      return "";
  }
}

std::string TBaseSong::FindUsbVodDir() {
  const auto volumes = Env()->RemovableVolumes();
  if (volumes.empty()) return "";
  const std::string dir = volumes.front() + "vod" + Env()->PathSeparator();
  if (!Env()->CreateDirs(dir)) throw TUserError(msg::UsbDirFailed());
  return dir;
}

std::uint8_t TBaseSong::PrepareTarget(bool useUsb, const TDirProc& dirProc) {
  FTargetDir = FindUsbVodDir();
  if (useUsb && FTargetDir.empty()) {
    ShowMsg(FHandle, msg::FindUsbCaption(), msg::NoUsbDisk(), kMsgWarning);
    if (!dirProc) return 1;
    FTargetDir = dirProc();
  } else if (!useUsb) {
    FTargetDir = dirProc ? dirProc() : std::string();
  }
  if (FTargetDir.empty()) return 1;

  FLines.clear();
  int built = 0;
  try {
    if (!Env()->DirExists(FTargetDir)) {
      throw platform::FileError(ENOENT, "cannot write into " + platform::QuotedPath(FTargetDir));
    }
    built = BuildLines();
  } catch (const std::exception& error) {
    ShowMsg(FHandle, msg::SaveFailedCaption(), msg::TextOf(error), kMsgError);
    return 6;
  }
  return static_cast<std::uint8_t>(built);
}

std::string TBaseSong::VodFilePath() const {
  std::string file = FTargetDir;
  if (!EndsWithSeparator(file)) file += env_->PathSeparator();
  return file + "vod.txt";
}

void TBaseSong::RemoveStaleTemporaries(const std::string& folder) {
  for (const std::string& name : Env()->ListFiles(folder)) {
    if (TReplacingFile::IsTemporaryName(name)) Env()->RemoveFile(folder + name);
  }
}

int TBaseSong::CopyToTarget(const TLowSpaceProc& onLowSpace, const TFileCopyProc& onFileCopy) {
  // Nothing of an earlier run's outcome may describe this one.
  FCopyOutcome = {};
  FCancelRequested = false;
  if (FSourceDir.empty() || FTargetDir.empty()) throw TUserError(msg::BadSongDirs());
  if (!EndsWithSeparator(FTargetDir)) FTargetDir += Env()->PathSeparator();
  if (!EndsWithSeparator(FSourceDir)) FSourceDir += Env()->PathSeparator();

  // A run that was killed half way left its temporary files; they go first,
  // so that their room counts as free.
  RemoveStaleTemporaries(FTargetDir);

  // The drive is the volume that holds the target folder: its free bytes are
  // asked for the folder itself, and the user is shown its mount point.
  const std::int64_t free = DiskFreeBytes(FTargetDir, Env());
  const std::int64_t need = std::max(FNeedSize, BytesOnVolume(FTargetDir));
  if (free < need) {
    if (!onLowSpace) throw TUserError(msg::DiskTooSmall());
    std::string drive = Env()->VolumeOf(FTargetDir);
    if (drive.empty()) drive = FTargetDir;
    onLowSpace(drive, FormatDiskSize(need), FormatDiskSize(free));
    return 0;
  }

  try {
    CopySongFiles(FSourceDir, FTargetDir, onFileCopy);
  } catch (...) {
    SaveCompleteSongs();
    throw;
  }
  // vod.txt comes last, when every song it lists is on the target.
  SaveLines(FLines, VodFilePath());
  FCopyOutcome.vodWritten = true;
  FTargetDir.clear();
  return 1;
}

void TBaseSong::SaveCompleteSongs() {
  // Nothing on the target changed: the old vod.txt still tells the truth.
  if (!FCopyOutcome.changed) return;
  TStringList lines;
  const std::size_t n = std::min(FLines.size(), FCopyOutcome.complete.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (FCopyOutcome.complete[i]) lines.push_back(FLines[i]);
  }
  try {
    SaveLines(lines, VodFilePath());
    FCopyOutcome.vodWritten = true;
  } catch (const std::exception&) {
    // The copy error is what the caller reports; vodWritten stays false.
  }
}

std::int64_t TBaseSong::BytesOnVolume(const std::string& folder) {
  const std::int64_t block = std::max<std::int64_t>(Env()->BlockSize(folder), 1);
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
  return total + whole(vod);
}

std::uint8_t TBaseSong::LoadVodFile(const TDirProc& fileName) {
  if (!fileName) return 3;
  const std::string path = fileName();
  if (!Env()->FileExists(path)) return 3;

  TVodText vod = ReadVodText(*Env(), path);
  FLines = std::move(vod.lines);
  FCount = 0;
  FLinesNotLoaded = 0;
  FLinesNotGbk = 0;
  std::uint8_t result = 0;
  for (std::size_t i = 0; i < FLines.size(); ++i) {
    const std::string& line = FLines[i];
    if (FCount >= kSongSlots) {
      // Every slot is taken: what is left is counted, never written.
      if (!IsBlank(line)) ++FLinesNotLoaded;
      continue;
    }
    PumpMessages();
    if (!vod.IsGbk(i)) {
      // A line that is not GBK text cannot be a song of the core.
      ++FLinesNotGbk;
      result = 6;
      continue;
    }
    result = ParseLine(line, FCount);
    if (result == 0) ++FCount;
  }
  Notify(WM_LOADDONE, 0);
  Notify(WM_SONGCOUNT, FCount);
  return result;
}
