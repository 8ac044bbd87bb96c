// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/read_back.h"

#include <algorithm>

#include "run/errors.h"
#include "run/list_file.h"
#include "run/messages.h"

void ReadBack(platform::Folder& folder, const std::string& shownDir,
              const std::vector<TRunSong>& songs, const std::vector<TWrittenFile>& written,
              IRunObserver& observer, TRunOutcome& outcome) {
  outcome.checked.assign(songs.size(), false);
  for (std::size_t i = 0; i < songs.size(); ++i) {
    // A song the run does not copy was not written by it: kept as it is, or
    // compared with its video before the run (SameSongFile reads it from the
    // device).
    if (!songs[i].Copies()) outcome.checked[i] = true;
  }
  std::int64_t allBytes = 0;
  for (const TWrittenFile& w : written) allBytes += w.size;
  const int count = static_cast<int>(written.size());
  for (int i = 0; i < count; ++i) {
    const TWrittenFile& w = written[static_cast<std::size_t>(i)];
    try {
      if (observer.Cancelled()) throw TCopyCancelled(msg::CopyCancelled());
      observer.CheckStarted(i, count, shownDir + w.name, w.size, allBytes);
      auto piece = [&](std::int64_t position) {
        if (w.size > 0) {
          observer.Progress(static_cast<int>(std::min<std::int64_t>(position * 100 / w.size, 100)));
        }
        if (observer.Cancelled()) throw TCopyCancelled(msg::CopyCancelled());
      };
      if (ReadsBackAs(folder, w.name, w.size, w.sum, piece)) {
        outcome.checked[static_cast<std::size_t>(w.index)] = true;
        outcome.verified.push_back(w.song);
      } else {
        outcome.differ.push_back(w.song);
      }
    } catch (const TCopyCancelled&) {
      for (int j = i; j < count; ++j) {
        outcome.unchecked.push_back(written[static_cast<std::size_t>(j)].song);
      }
      return;
    } catch (const platform::FileError& error) {
      // A stick pulled out or failing: what was not read is not known.
      if (outcome.readError.empty()) outcome.readError = error.what();
      outcome.unreadable.push_back(w.song);
    }
  }
}
