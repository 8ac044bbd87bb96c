// SPDX-License-Identifier: GPL-3.0-or-later
// What the owner is told of a video's content (GBK): the tip of its
// 视频文件 cell, the status line of the current row, why a file stays out of
// the grid, and why a track choice disagrees with the file.
#pragma once

#include <string>
#include <vector>

#include "media/probe.h"

namespace ui_text {

// The container, codec and channel names as owners know them: "MPEG-PS",
// "MPEG-1", "AC-3", "立体声".
std::string ContainerName(const std::string& demuxer);
std::string CodecName(const std::string& codec);
std::string ChannelsName(int channels);
// "0:03", "1:02:03"; "?" when unknown.
std::string Duration(std::int64_t ms);
// "2 路：AC-3 立体声，AC-3 立体声"; "没有" for none.
std::string AudioStreams(const std::vector<media::AudioStream>& audio);

// The lines of the video cell's tip: format and length, video, audio, the
// end read; for a refused file, why it is refused.
std::string MediaTip(const media::MediaFacts& facts);
// The mark of a video in a format some jukeboxes cannot play.
const std::string& OtherVideoTip();
// One line for the status bar: "MPEG-PS 0:03 · MPEG-1 352×240 · 1 路音频".
std::string MediaLine(const media::MediaFacts& facts);
// The tip while the file is still being looked at.
const std::string& MediaPending();
// Why a refused file stays out (the reason in "以下文件没有添加：").
std::string MediaRefusal(const media::MediaFacts& facts);

// Why the track cell's choice disagrees with the file's audio, for its tip.
std::string VcdTrackButStreams(int streams);  // a VCD channel, but several streams
const std::string& VcdTrackButNoAudio();
const std::string& VcdTrackButMono();  // one stream of one channel
// A DVD track (the cell's name, "DVD(23)", "DVD 2 轨") the file has not.
std::string DvdTrackBeyond(const std::string& choice, int streams);
// The tip: the reason and the file's streams under it.
std::string TrackDoubtTip(const std::string& reason, const std::vector<media::AudioStream>& audio);

}  // namespace ui_text
