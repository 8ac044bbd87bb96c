// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/copy.h"

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "platform/env.h"
#include "run/checksum.h"
#include "run/errors.h"
#include "run/messages.h"
#include "run/replacing_file.h"

namespace {
constexpr std::size_t kChunk = 5120;

// Percent of the file copied, rounded to the nearest integer with halves to
// the even neighbour (12.5 gives 12, 37.5 gives 38).
int Percent(std::int64_t position, std::int64_t size) {
  return static_cast<int>(
      std::nearbyint(static_cast<double>(position) / static_cast<double>(size) * 100.0));
}

void ThrowIfCancelled(IRunObserver& observer) {
  if (observer.Cancelled()) throw TCopyCancelled(msg::CopyCancelled());
}
}  // namespace

const TRunSong* SongWithoutItsFile(const TTargetDir& target, const std::vector<TRunSong>& songs) {
  for (const TRunSong& song : songs) {
    if (!song.Copies() && target.Contents().dats.count(song.number) == 0) return &song;
  }
  return nullptr;
}

void CopySongs(platform::Env& env, TTargetDir& target, const std::string& shownDir,
               const std::vector<TRunSong>& songs, IRunObserver& observer, TRunOutcome& outcome,
               std::vector<TWrittenFile>& written) {
  // Songs read back from a list have no video file; they can only keep the
  // copy already on the target. Refuse before copying anything when such a
  // copy is missing.
  if (const TRunSong* lacking = SongWithoutItsFile(target, songs)) {
    throw TUserError(msg::NoVideoFile(lacking->number, lacking->title));
  }
  platform::Folder& folder = target.Make();

  // What is complete on the target so far; a run that stops keeps it right.
  outcome.complete.assign(songs.size(), false);
  outcome.placed.assign(songs.size(), false);
  outcome.failed = -1;
  for (std::size_t i = 0; i < songs.size(); ++i) {
    if (songs[i].Copies()) continue;
    outcome.complete[i] = true;
    if (songs[i].onTarget) outcome.alreadyThere.push_back(songs[i].Label());
  }

  std::vector<char> buffer(kChunk);
  const int count = SongsCopied(songs);
  int copied = 0;
  for (int i = 0; i < static_cast<int>(songs.size()); ++i) {
    const TRunSong& song = songs[static_cast<std::size_t>(i)];
    if (!song.Copies()) continue;
    outcome.failed = i;  // until this song is complete
    ThrowIfCancelled(observer);
    const std::string name = target.DatName(song.number);
    observer.CopyStarted(copied++, count, song.video, shownDir + name);

    auto source = env.OpenForRead(song.video);
    const std::int64_t size = env.FileSize(song.video);
    if (size < 0) {
      throw platform::FileError(std::error_code(EIO, std::generic_category()),
                                "cannot read the size of " + platform::QuotedPath(song.video),
                                msg::VideoUnreadable());
    }
    TReplacingFile file(folder, name);
    TChecksum sum;  // of what is written, for the read-back
    std::int64_t position = 0;
    while (position < size) {
      ThrowIfCancelled(observer);
      const auto want = static_cast<std::size_t>(
          std::min<std::int64_t>(static_cast<std::int64_t>(buffer.size()), size - position));
      const std::size_t n = source->Read(buffer.data(), want);
      if (n == 0) {
        throw platform::FileError(
            std::error_code(EIO, std::generic_category()),
            platform::QuotedPath(song.video) + " ended before its size was read",
            msg::VideoUnreadable());
      }
      file.Append(buffer.data(), n);
      sum.Update(buffer.data(), n);
      position += static_cast<std::int64_t>(n);
      observer.Progress(Percent(position, size));
    }
    // From its rename on the song's old file may be gone.
    outcome.placed[static_cast<std::size_t>(i)] = true;
    file.Commit();
    written.push_back({name, song.Label(), i, size, sum.Value()});
    outcome.changed = true;
    outcome.complete[static_cast<std::size_t>(i)] = true;
  }
  outcome.failed = -1;
}
