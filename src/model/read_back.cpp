// After the copy: every .dat the run wrote is read back from the device and
// compared with what was meant to be there, before the list names it. A disk
// that acknowledged writes it threw away (a counterfeit stick), or a failing
// one, is caught here instead of at the jukebox.
#include <algorithm>
#include <vector>

#include "model/errors.h"
#include "model/list_file.h"
#include "model/messages.h"
#include "model/uclsSong.h"
#include "platform/env.h"

void TBaseSong::ReadBack(platform::Folder& folder, const TReadBackProc& onReadBack) {
  auto& outcome = FCopyOutcome;
  outcome.checked.assign(static_cast<std::size_t>(FCount), false);
  for (int i = 0; i < FCount; ++i) {
    // A song kept without copying was not written by this run.
    if (GetSong(i)->VideoFile.empty()) outcome.checked[static_cast<std::size_t>(i)] = true;
  }
  outcome.checking = true;
  std::int64_t allBytes = 0;
  for (const auto& w : outcome.written) allBytes += w.size;
  const int count = static_cast<int>(outcome.written.size());
  for (int i = 0; i < count; ++i) {
    const auto& w = outcome.written[static_cast<std::size_t>(i)];
    try {
      PumpMessages();
      ThrowIfCancelled();
      if (onReadBack) onReadBack(FTargetDir + w.name, i, count, w.size, allBytes);
      auto progress = [&](std::int64_t position) {
        if (w.size > 0)
          Notify(WM_COPYPROGRESS, std::min<std::int64_t>(position * 100 / w.size, 100));
        PumpMessages();
        ThrowIfCancelled();
      };
      if (ReadsBackAs(folder, w.name, w.size, w.sum, progress)) {
        outcome.checked[static_cast<std::size_t>(w.index)] = true;
        outcome.verified.push_back(w.song);
      } else {
        outcome.differ.push_back(w.song);
      }
    } catch (const TCopyCancelled&) {
      for (int j = i; j < count; ++j) {
        outcome.unchecked.push_back(outcome.written[static_cast<std::size_t>(j)].song);
      }
      break;
    } catch (const platform::FileError& error) {
      // A stick pulled out or failing: what was not read is not known.
      if (outcome.readError.empty()) outcome.readError = error.what();
      outcome.unreadable.push_back(w.song);
    }
  }
  outcome.checking = false;
}
