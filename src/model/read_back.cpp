// After a run: every file it wrote is read back from the device and compared
// with what was meant to be there. A disk that acknowledged writes it threw
// away (a counterfeit stick), or a failing one, is caught here instead of at
// the jukebox.
#include <algorithm>
#include <vector>

#include "model/checksum.h"
#include "model/messages.h"
#include "model/uclsSong.h"
#include "platform/env.h"
#include "text/user_error.h"

namespace {
constexpr std::size_t kReadChunk = std::size_t{1} << 20;  // what a stick serves fastest
}  // namespace

void TBaseSong::ReadBack(platform::Folder& folder, const TReadBackProc& onReadBack) {
  auto& outcome = FCopyOutcome;
  outcome.checking = true;
  std::int64_t allBytes = 0;
  for (const auto& w : outcome.written) allBytes += w.size;

  std::vector<std::string> differing;  // songs whose file is not what was written
  bool vodDiffers = false;
  std::string readError;
  std::vector<char> buffer(kReadChunk);
  const int count = static_cast<int>(outcome.written.size());
  for (int i = 0; i < count; ++i) {
    const auto& w = outcome.written[static_cast<std::size_t>(i)];
    PumpMessages();
    ThrowIfCancelled();
    if (onReadBack) onReadBack(FTargetDir + w.name, i, count, w.size, allBytes);
    bool same = false;
    try {
      auto file = folder.OpenForRead(w.name, true);
      TChecksum sum;
      std::int64_t position = 0;
      while (const std::size_t n = file->Read(buffer.data(), buffer.size())) {
        sum.Update(buffer.data(), n);
        position += static_cast<std::int64_t>(n);
        if (w.size > 0)
          Notify(WM_COPYPROGRESS, std::min<std::int64_t>(position * 100 / w.size, 100));
        PumpMessages();
        ThrowIfCancelled();
      }
      same = position == w.size && sum.Value() == w.sum;
    } catch (const platform::FileError& error) {
      if (readError.empty()) readError = error.what();
    }
    if (same) continue;
    if (w.song.empty()) {
      vodDiffers = true;
    } else {
      differing.push_back(w.song);
    }
  }
  outcome.checking = false;
  if (!differing.empty() || vodDiffers) {
    throw TReadBackFailed(msg::ReadBackFailed(differing, vodDiffers, readError));
  }
}
