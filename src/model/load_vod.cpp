// SPDX-License-Identifier: GPL-3.0-or-later
// Loading an existing vod.txt into the song list: what is read, and what is
// not and why, so that nothing is dropped without the owner knowing.
#include "model/uclsSong.h"
#include "platform/env.h"
#include "run/vod_text.h"

namespace {
// A byte below 0x20 between the line's first and last visible characters:
// no field of any product line holds one (tabs, NUL, escape ...).
bool HoldsControlByte(const std::string& line) {
  const std::string inner = Trim(line);
  for (const char c : inner) {
    if (static_cast<unsigned char>(c) < 0x20) return true;
  }
  return false;
}
}  // namespace

std::uint8_t TBaseSong::LoadVodFile(const TDirProc& fileName) {
  if (!fileName) return 3;
  const std::string path = fileName();
  if (!Env()->FileExists(path)) return 3;
  return LoadVodText(ReadVodText(*Env(), path));
}

std::uint8_t TBaseSong::LoadVodText(const TVodText& vod, bool notify) {
  using Why = TUnreadLine::Why;
  FLines = vod.lines;
  // Fresh slots: a line does not hold every field (VideoFile among them),
  // and what a run left in a slot must not stick to a loaded song.
  ResetSongs();
  ClearSongs();
  FLoaded = {};
  FLoaded.gbkBehindMark = vod.gbkBehindMark;
  FKnownLists.push_back(vod.print);
  std::uint8_t result = 0;
  for (std::size_t i = 0; i < FLines.size(); ++i) {
    const std::string& line = FLines[i];
    if (IsBlank(line)) {
      result = 6;
      continue;
    }
    auto unread = [&](Why why) {
      FLoaded.unread.push_back({static_cast<int>(i) + 1, why, line, vod.FileLine(i)});
      result = 6;
    };
    if (FCount >= kSongSlots) {
      unread(Why::kNoSlot);  // every slot is taken: told, never written
      continue;
    }
    PumpMessages();
    if (!vod.IsGbk(i)) {
      unread(Why::kNotGbk);  // cannot be a song of the core
    } else if (HoldsControlByte(line)) {
      unread(Why::kControl);
    } else if ((result = ParseLine(line, FCount)) == 0) {
      FLoaded.songLines.push_back(line);
      ++FCount;
    } else {
      unread(Why::kRefused);
    }
  }
  if (notify) {
    Notify(WM_LOADDONE, 0);
    Notify(WM_SONGCOUNT, FCount);
  }
  return result;
}

void TBaseSong::KeepUnreadLines() {
  for (const TUnreadLine& line : FLoaded.unread) FKeptLines.push_back(line.fileLine);
}
