// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/media_text.h"

#include <cstdio>
#include <map>

#include "text/gbk.h"
#include "text/gbk_texts.h"

namespace ui_text {
namespace {

std::string Name(const std::map<std::string, std::string>& names, const std::string& key) {
  const auto found = names.find(key);
  return found != names.end() ? found->second : key;
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

std::string ContainerName(const std::string& demuxer) {
  static const std::map<std::string, std::string> names = {
      {"mpeg", "MPEG-PS"},
      {"mpegts", "MPEG-TS"},
      {"mpegvideo", Gbk(u8"MPEG 视频流")},
      {"mov,mp4,m4a,3gp,3g2,mj2", "MP4/MOV"},
      {"matroska,webm", "Matroska/WebM"},
      {"avi", "AVI"},
      {"asf", "ASF/WMV"},
      {"flv", "FLV"},
  };
  return Name(names, demuxer);
}

std::string CodecName(const std::string& codec) {
  static const std::map<std::string, std::string> names = {
      {"mpeg1video", "MPEG-1"}, {"mpeg2video", "MPEG-2"}, {"h264", "H.264"},    {"hevc", "HEVC"},
      {"mpeg4", "MPEG-4"},      {"ac3", "AC-3"},          {"eac3", "E-AC-3"},   {"dts", "DTS"},
      {"wmv3", "WMV"},          {"wmav2", "WMA"},         {"pcm_s16le", "PCM"}, {"pcm_dvd", "PCM"},
  };
  if (codec.empty()) return "?";
  const auto found = names.find(codec);
  return found != names.end() ? found->second : Upper(codec);
}

std::string ChannelsName(int channels) {
  if (channels == 1) return Gbk(u8"单声道");
  if (channels == 2) return Gbk(u8"立体声");
  if (channels <= 0) return Gbk(u8"声道数不明");
  return std::to_string(channels) + Gbk(u8" 声道");
}

std::string Duration(std::int64_t ms) {
  if (ms < 0) return "?";
  const std::int64_t seconds = (ms + 500) / 1000;
  char text[32];
  if (seconds >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
  }
  return text;
}

std::string AudioStreams(const std::vector<media::AudioStream>& audio) {
  if (audio.empty()) return Gbk(u8"没有");
  std::string text = std::to_string(audio.size()) + Gbk(u8" 路：");
  for (std::size_t i = 0; i < audio.size(); ++i) {
    if (i > 0) text += Gbk(u8"，");
    text += CodecName(audio[i].codec) + ' ' + ChannelsName(audio[i].channels);
  }
  return text;
}

std::string MediaTip(const media::MediaFacts& facts) {
  if (media::Refused(facts.verdict)) return MediaRefusal(facts);
  std::string tip = Gbk(u8"格式：") + ContainerName(facts.container) + Gbk(u8"，时长 ") +
                    Duration(facts.durationMs);
  tip += "\n" + Gbk(u8"视频：") + CodecName(facts.videoCodec);
  if (facts.width > 0 && facts.height > 0) {
    tip += ' ' + std::to_string(facts.width) + Gbk(u8"×") + std::to_string(facts.height);
  }
  tip += "\n" + Gbk(u8"音频：") + AudioStreams(facts.audio);
  tip += "\n" + Gbk(u8"文件完整：读到了结尾");
  return tip;
}

std::string MediaLine(const media::MediaFacts& facts) {
  if (media::Refused(facts.verdict)) return MediaRefusal(facts);
  std::string line = ContainerName(facts.container) + ' ' + Duration(facts.durationMs) + " | " +
                     CodecName(facts.videoCodec);
  if (facts.width > 0 && facts.height > 0) {
    line += ' ' + std::to_string(facts.width) + Gbk(u8"×") + std::to_string(facts.height);
  }
  line += Gbk(u8" | 音频 ") + AudioStreams(facts.audio);
  if (facts.verdict == media::Verdict::kOtherVideo) line += " | " + OtherVideoTip();
  return line;
}

ADDSONGS_TEXT(MediaPending, u8"正在查看视频文件……")
ADDSONGS_TEXT(OtherVideoTip, u8"不是 MPEG-1/MPEG-2 视频：有的点歌机放不了")

std::string MediaRefusal(const media::MediaFacts& facts) {
  const std::string detail = facts.detail.empty() ? std::string() : " (" + facts.detail + ")";
  switch (facts.verdict) {
    case media::Verdict::kUnreadable:
      return Gbk(u8"读不出这个文件") + detail;
    case media::Verdict::kNoDemuxer:
      return facts.size == 0 ? Gbk(u8"文件是空的") : Gbk(u8"不是能认出的视频文件");
    case media::Verdict::kBroken:
      return Gbk(u8"视频文件已损坏，可能没有下载完") + detail;
    case media::Verdict::kNoVideo:
      return Gbk(u8"文件里没有视频");
    case media::Verdict::kTruncated:
      return Gbk(u8"视频文件不完整，读不到结尾，可能没有下载完");
    case media::Verdict::kPlayable:
    case media::Verdict::kOtherVideo:
      break;
  }
  return {};
}

std::string VcdTrackButStreams(int streams) {
  return Gbk(u8"选的是 VCD 声道，文件却有 ") + std::to_string(streams) + Gbk(u8" 路音频（像 DVD）");
}

ADDSONGS_TEXT(VcdTrackButNoAudio, u8"选的是 VCD 声道，文件却没有音频")
ADDSONGS_TEXT(VcdTrackButMono, u8"选的是 VCD 声道，文件却只有一个声道，分不出伴唱和原唱")

std::string DvdTrackBeyond(const std::string& choice, int streams) {
  return Gbk(u8"选的是 ") + choice + Gbk(u8"，文件却只有 ") + std::to_string(streams) +
         Gbk(u8" 路音频");
}

std::string TrackDoubtTip(const std::string& reason, const std::vector<media::AudioStream>& audio) {
  return reason + "\n" + Gbk(u8"文件的音频：") + AudioStreams(audio);
}

}  // namespace ui_text
