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

void CopySongs(platform::Env& env, TTargetDir& target, const std::string& shownDir,
               const std::vector<TRunSong>& songs, IRunObserver& observer, TRunOutcome& outcome,
               std::vector<TWrittenFile>& written) {
  const int count = static_cast<int>(songs.size());
  // Songs read back from a list have no video file; they can only keep the
  // copy already on the target. Refuse before copying anything when such a
  // copy is missing.
  for (const TRunSong& song : songs) {
    if (song.video.empty() && target.Contents().dats.count(song.number) == 0) {
      throw TUserError(msg::NoVideoFile(song.number, song.title));
    }
  }
  platform::Folder& folder = target.Make();

  // What is complete on the target so far; a run that stops keeps it right.
  outcome.complete.assign(songs.size(), false);
  outcome.placed.assign(songs.size(), false);
  outcome.failed = -1;
  for (int i = 0; i < count; ++i) {
    if (songs[static_cast<std::size_t>(i)].video.empty()) {
      outcome.complete[static_cast<std::size_t>(i)] = true;
    }
  }

  std::vector<char> buffer(kChunk);
  for (int i = 0; i < count; ++i) {
    const TRunSong& song = songs[static_cast<std::size_t>(i)];
    outcome.failed = i;  // until this song is complete
    ThrowIfCancelled(observer);
    const std::string name = target.DatName(song.number);
    observer.CopyStarted(i, count, song.video, shownDir + name);
    if (song.video.empty()) continue;

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
