// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/track_doubt.h"

#include "text/uPublic.h"
#include "ui/media_text.h"
#include "ui/product_columns.h"

std::string TrackDoubt(const TBaseSong& list, bool dvd, const std::string& cell,
                       const std::vector<media::AudioStream>& audio) {
  const std::string name = Trim(cell);
  const TBmTable& table = list.Table(dvd ? TTableId::kDvdTracks : TTableId::kAudioTracks);
  const std::string code = table.CodeOf(name);
  if (name.empty() || NameOfCode(table, code) != name) return {};
  const int streams = static_cast<int>(audio.size());
  if (dvd) {
    // Dovan counts the streams from 0.
    const auto track = TryStrToInt(code);
    return track && *track >= streams ? ui_text::DvdTrackBeyond(name, streams) : std::string();
  }
  if (code.size() == 1) {  // a VCD channel: "2" 伴唱, "3" 原唱
    if (streams == 0) return ui_text::VcdTrackButNoAudio();
    if (streams >= 2) return ui_text::VcdTrackButStreams(streams);
    if (audio[0].channels == 1) return ui_text::VcdTrackButMono();
    return {};
  }
  // A DVD pair such as "23": each digit a stream, counted from 1.
  for (const char digit : code) {
    if (digit - '0' > streams) return ui_text::DvdTrackBeyond(name, streams);
  }
  return {};
}
