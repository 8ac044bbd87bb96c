// SPDX-License-Identifier: GPL-3.0-or-later
// What a video file holds, as a media library reads it: container, length,
// video and audio streams, and whether the file reads to its end.
//
// The forms reach the media library only through MediaProbe, so they stay
// free of it and tests hand them a fake. NewMediaProbe (probe_ffmpeg.cpp)
// reads files with FFmpeg's libavformat through the platform's Env, so paths
// stay GBK as everywhere in the core.
//
// A probe reads the start of a file (a bounded amount) and its last part,
// never the whole file. Examine is safe to call from several threads at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class Env;
}

namespace media {

// Whether the file may become a song.
enum class Verdict : std::uint8_t {
  kPlayable,    // MPEG-1 or MPEG-2 video that reads to its end
  kOtherVideo,  // a whole file of another video format (H.264, HEVC, ...):
                // added, but some jukeboxes cannot play it
  kUnreadable,  // the file cannot be opened or read (detail: the system's reason)
  kNoDemuxer,   // no demuxer takes the file: not a video, or empty
  kBroken,      // a demuxer takes it but cannot read its header (a broken download)
  kNoVideo,     // opened, but it holds no video stream
  kTruncated,   // the last part of the file does not read: it was cut short
};

// True for the verdicts that keep a file out of the grid.
bool Refused(Verdict verdict);

struct AudioStream {
  std::string codec;  // the library's codec name: "mp2", "ac3", "aac", ...
  int channels = 0;   // 0 when the file does not tell
  bool operator==(const AudioStream&) const = default;
};

struct MediaFacts {
  Verdict verdict = Verdict::kUnreadable;
  std::string container;         // the demuxer's name: "mpeg", "mov,mp4,...", ...
  std::int64_t durationMs = -1;  // -1 when the file does not tell
  std::string videoCodec;        // "mpeg1video", "mpeg2video", "h264", ...; "" without video
  int width = 0;                 // 0 when the file does not tell
  int height = 0;
  std::vector<AudioStream> audio;  // in the file's order
  bool readsToEnd = false;         // a read of the last part succeeded
  std::string detail;              // what the library said when it failed (ASCII)
  std::int64_t size = -1;          // bytes of the file
  std::int64_t bytesRead = 0;      // how much the probe read of it
  bool operator==(const MediaFacts&) const = default;
};

class MediaProbe {
 public:
  virtual ~MediaProbe() = default;
  // What the file at path (GBK) holds. Never throws: what cannot be read
  // is told in the verdict and detail.
  virtual MediaFacts Examine(const std::string& path) = 0;
};

// The probe on FFmpeg's libavformat, reading through env (which must outlive
// it). Quiet: the library's own log is switched off.
std::unique_ptr<MediaProbe> NewMediaProbe(platform::Env& env);
// The same on the real system's files (platform::Env::Default()).
std::unique_ptr<MediaProbe> NewMediaProbe();

// The library's name and version, "FFmpeg libavformat 59.27.100".
std::string LibraryVersion();

}  // namespace media
