#include <algorithm>
#include <cerrno>
#include <cmath>
#include <vector>

#include "model/checksum.h"
#include "model/errors.h"
#include "model/messages.h"
#include "model/replacing_file.h"
#include "model/target_dir.h"
#include "model/uclsSong.h"
#include "platform/env.h"

namespace {
constexpr std::size_t kChunk = 5120;

// Percent of the file copied, rounded to the nearest integer with halves to
// the even neighbour (12.5 gives 12, 37.5 gives 38).
std::int64_t Percent(std::int64_t position, std::int64_t size) {
  return static_cast<std::int64_t>(
      std::nearbyint(static_cast<double>(position) / static_cast<double>(size) * 100.0));
}
}  // namespace

void TBaseSong::CopyRecordFiles(TTargetDir& target, const std::string& shownDir,
                                const TFileCopyProc& onFileCopy) {
  auto nameOf = [&target](const TBaseSongData& song) { return target.DatName(song.SongNo); };

  // Songs read back from a vod.txt have no video file; they can only keep the
  // copy already on the target. Refuse the run before copying anything when
  // such a copy is missing.
  const auto& there = target.Contents().dats;
  for (int i = 0; i < FCount; ++i) {
    const TBaseSongData& song = *GetSong(i);
    if (song.VideoFile.empty() && there.count(song.SongNo) == 0) {
      throw TUserError(msg::NoVideoFile(song.SongNo, song.SongName));
    }
  }
  platform::Folder& folder = target.Make();

  // What is complete on the target so far; a run that stops keeps it right.
  auto& outcome = FCopyOutcome;
  outcome.complete.assign(static_cast<std::size_t>(FCount), false);
  outcome.placed.assign(static_cast<std::size_t>(FCount), false);
  outcome.failed = -1;
  outcome.changed = false;
  for (int i = 0; i < FCount; ++i) {
    if (GetSong(i)->VideoFile.empty()) outcome.complete[static_cast<std::size_t>(i)] = true;
  }

  std::vector<char> buffer(kChunk);
  for (int i = 0; i < FCount; ++i) {
    outcome.failed = i;  // until this song is complete
    PumpMessages();
    ThrowIfCancelled();
    const TBaseSongData& song = *GetSong(i);
    if (onFileCopy) onFileCopy(song.VideoFile, shownDir + nameOf(song));
    if (song.VideoFile.empty()) continue;

    auto source = Env()->OpenForRead(song.VideoFile);
    const std::int64_t size = Env()->FileSize(song.VideoFile);
    if (size < 0) {
      throw platform::FileError(std::error_code(EIO, std::generic_category()),
                                "cannot read the size of " + platform::QuotedPath(song.VideoFile),
                                msg::VideoUnreadable());
    }
    TReplacingFile file(folder, nameOf(song));
    TChecksum sum;  // of what is written, for the read-back
    std::int64_t position = 0;
    while (position < size) {
      PumpMessages();
      ThrowIfCancelled();
      const auto want = static_cast<std::size_t>(
          std::min<std::int64_t>(static_cast<std::int64_t>(buffer.size()), size - position));
      const std::size_t n = source->Read(buffer.data(), want);
      if (n == 0) {
        throw platform::FileError(
            std::error_code(EIO, std::generic_category()),
            platform::QuotedPath(song.VideoFile) + " ended before its size was read",
            msg::VideoUnreadable());
      }
      file.Append(buffer.data(), n);
      sum.Update(buffer.data(), n);
      position += static_cast<std::int64_t>(n);
      Notify(WM_COPYPROGRESS, Percent(position, size));
    }
    // From its rename on the song's old file may be gone.
    outcome.placed[static_cast<std::size_t>(i)] = true;
    file.Commit();
    outcome.written.push_back(
        {nameOf(song), song.SongNo + " " + song.SongName, i, size, sum.Value()});
    outcome.changed = true;
    outcome.complete[static_cast<std::size_t>(i)] = true;
  }
  outcome.failed = -1;
}

void TBaseSong::ThrowIfCancelled() {
  if (FCancelRequested) {
    FCancelRequested = false;
    throw TCopyCancelled(msg::CopyCancelled());
  }
}
