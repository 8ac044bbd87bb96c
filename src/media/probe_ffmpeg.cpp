// SPDX-License-Identifier: GPL-3.0-or-later
// The media probe on FFmpeg's libavformat. The library reads the file
// through our own I/O callbacks over a platform RandomAccessFile, so paths
// stay GBK and every byte read is counted. Only the demuxers a jukebox video
// may come in are let open a file, the same list on every platform, and no
// decoder is opened: the probe says the same on Linux (Debian's full
// library) and Windows (a library built with only those demuxers).
#include <algorithm>
#include <cstring>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

#include "media/probe.h"
#include "platform/env.h"

namespace media {
namespace {

// The demuxers of the containers jukebox videos come in (MPEG-PS/TS, raw
// MPEG video, MP4/MOV, Matroska/WebM, AVI, ASF/WMV, FLV).
constexpr const char* kFormats = "mpeg,mpegts,mpegvideo,mov,matroska,avi,asf,flv";
// What the start of a file may cost: enough for a DVD's streams to show.
constexpr std::int64_t kProbeBytes = 512 << 10;
constexpr std::int64_t kAnalyzeMicroseconds = 1'000'000;
// The last part read to see that the file ends as it should.
constexpr std::int64_t kTailBytes = 128 << 10;
// A tail read gives up after this much (a demuxer that resyncs slowly).
constexpr std::int64_t kTailReadLimit = 4 << 20;
constexpr int kBufferBytes = 64 << 10;

// The library's last error message on this thread: "moov atom not found".
thread_local std::string lastLogError;

void KeepErrors(void* /*avcl*/, int level, const char* format, va_list args) {
  if (level > AV_LOG_ERROR) return;
  char line[512];
  std::vsnprintf(line, sizeof line, format, args);
  std::string text = line;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  // The lists of allowed demuxers and decoders are ours: their refusals
  // say nothing of the file.
  if (!text.empty() && text.find("whitelist") == std::string::npos) lastLogError = text;
}

void QuietLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_callback(KeepErrors); });
}

std::string ErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

// The file as libavformat reads it.
struct Source {
  platform::RandomAccessFile* file = nullptr;
  std::int64_t at = 0;
  std::int64_t bytesRead = 0;
  std::string failure;  // the system's reason for a failed read
};

int ReadPacket(void* opaque, std::uint8_t* buffer, int size) {
  auto* source = static_cast<Source*>(opaque);
  try {
    const std::size_t got = source->file->Read(source->at, reinterpret_cast<char*>(buffer),
                                               static_cast<std::size_t>(size));
    if (got == 0) return AVERROR_EOF;
    source->at += static_cast<std::int64_t>(got);
    source->bytesRead += static_cast<std::int64_t>(got);
    return static_cast<int>(got);
  } catch (const platform::FileError& e) {
    source->failure = e.what();
    return AVERROR(EIO);
  }
}

std::int64_t Seek(void* opaque, std::int64_t offset, int whence) {
  auto* source = static_cast<Source*>(opaque);
  const std::int64_t size = source->file->Size();
  switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
      return size;
    case SEEK_SET:
      break;
    case SEEK_CUR:
      offset += source->at;
      break;
    case SEEK_END:
      offset += size;
      break;
    default:
      return AVERROR(EINVAL);
  }
  if (offset < 0) return AVERROR(EINVAL);
  source->at = offset;
  return offset;
}

// The I/O context and demuxer of one probe, freed together.
class Session {
 public:
  explicit Session(Source& source) {
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kBufferBytes));
    if (buffer == nullptr) return;
    io_ = avio_alloc_context(buffer, kBufferBytes, 0, &source, ReadPacket, nullptr, Seek);
    if (io_ == nullptr) av_free(buffer);
  }
  ~Session() {
    avformat_close_input(&format_);
    if (io_ != nullptr) av_freep(&io_->buffer);
    avio_context_free(&io_);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Opens the file as one of kFormats; the library's error code on failure.
  int Open(const std::string& name) {
    if (io_ == nullptr) return AVERROR(ENOMEM);
    format_ = avformat_alloc_context();
    if (format_ == nullptr) return AVERROR(ENOMEM);
    format_->pb = io_;
    format_->flags |= AVFMT_FLAG_CUSTOM_IO;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "format_whitelist", kFormats, 0);
    av_dict_set_int(&options, "probesize", kProbeBytes, 0);
    av_dict_set_int(&options, "analyzeduration", kAnalyzeMicroseconds, 0);
    // No decoder is opened: the streams are told by the demuxers and parsers.
    av_dict_set(&options, "codec_whitelist", "none", 0);
    // The length is taken from the last part, which is read anyway.
    av_dict_set(&options, "skip_estimate_duration_from_pts", "1", 0);
    const int result = avformat_open_input(&format_, name.c_str(), nullptr, &options);
    av_dict_free(&options);
    return result;
  }
  // The format of the file, when a demuxer took it before failing.
  AVFormatContext* Format() const { return format_; }
  AVIOContext* Io() const { return io_; }

 private:
  AVIOContext* io_ = nullptr;
  AVFormatContext* format_ = nullptr;
};

// Whether the file's header (MP4, Matroska, AVI ...) told every stream's
// codec and shape, so that no packet need be read for them. A program
// stream has no header: its streams show in its packets.
bool HeaderTellsAll(const AVFormatContext& format) {
  if ((format.ctx_flags & AVFMTCTX_NOHEADER) != 0 || format.nb_streams == 0) return false;
  for (unsigned i = 0; i < format.nb_streams; ++i) {
    const AVCodecParameters& codec = *format.streams[i]->codecpar;
    if (codec.codec_id == AV_CODEC_ID_NONE) return false;
    if (codec.codec_type == AVMEDIA_TYPE_VIDEO && (codec.width <= 0 || codec.height <= 0)) {
      return false;
    }
    if (codec.codec_type == AVMEDIA_TYPE_AUDIO && codec.ch_layout.nb_channels <= 0) return false;
  }
  return true;
}

// The length the file tells: the container's, else its longest stream's.
std::int64_t DurationMs(const AVFormatContext& format) {
  if (format.duration != AV_NOPTS_VALUE && format.duration > 0) {
    return av_rescale(format.duration, 1000, AV_TIME_BASE);
  }
  std::int64_t longest = -1;
  for (unsigned i = 0; i < format.nb_streams; ++i) {
    const AVStream& stream = *format.streams[i];
    if (stream.duration == AV_NOPTS_VALUE || stream.duration <= 0) continue;
    longest = std::max(longest, av_rescale_q(stream.duration, stream.time_base, {1, 1000}));
  }
  return longest;
}

void TakeStreams(const AVFormatContext& format, MediaFacts& facts) {
  facts.durationMs = DurationMs(format);
  for (unsigned i = 0; i < format.nb_streams; ++i) {
    const AVStream& stream = *format.streams[i];
    const AVCodecParameters& codec = *stream.codecpar;
    if (codec.codec_type == AVMEDIA_TYPE_VIDEO &&
        (stream.disposition & AV_DISPOSITION_ATTACHED_PIC) == 0 && facts.videoCodec.empty()) {
      facts.videoCodec = avcodec_get_name(codec.codec_id);
      facts.width = codec.width;
      facts.height = codec.height;
    } else if (codec.codec_type == AVMEDIA_TYPE_AUDIO) {
      facts.audio.push_back({avcodec_get_name(codec.codec_id), codec.ch_layout.nb_channels});
    }
  }
}

// True when an index the demuxer read points past the file's end: an MP4
// whose samples, or a Matroska file whose clusters, were cut off.
bool IndexBeyond(const AVFormatContext& format, std::int64_t size) {
  for (unsigned i = 0; i < format.nb_streams; ++i) {
    AVStream* stream = format.streams[i];
    const int count = avformat_index_get_entries_count(stream);
    if (count <= 0) continue;
    const AVIndexEntry* last = avformat_index_get_entry(stream, count - 1);
    if (last != nullptr && last->pos + std::max(last->size, 0) > size) return true;
  }
  return false;
}

// What a read of the last part of the file found.
struct TailRead {
  bool whole = false;       // its packets read whole up to the end
  std::int64_t endMs = -1;  // where the last packet ends, from the stream's start
};

TailRead ReadTail(AVFormatContext& format, const Source& source, std::int64_t size,
                  std::int64_t durationMs) {
  TailRead tail;
  if (IndexBeyond(format, size)) return tail;
  const std::int64_t from = std::max<std::int64_t>(0, size - kTailBytes);
  const bool byBytes = (format.iformat->flags & AVFMT_NO_BYTE_SEEK) == 0;
  int sought = -1;
  if (byBytes && from > avio_tell(format.pb)) {
    sought = av_seek_frame(&format, -1, from, AVSEEK_FLAG_BYTE | AVSEEK_FLAG_ANY);
  }
  if (sought < 0 && durationMs > 0) {
    // Containers with an index (MP4, Matroska) seek by time: near the end.
    const std::int64_t start = format.start_time != AV_NOPTS_VALUE ? format.start_time : 0;
    const std::int64_t target =
        start +
        std::max<std::int64_t>(0, av_rescale(durationMs, AV_TIME_BASE, 1000) - AV_TIME_BASE);
    avformat_seek_file(&format, -1, INT64_MIN, target, INT64_MAX, 0);
  }
  AVPacket* packet = av_packet_alloc();
  if (packet == nullptr) return tail;
  const std::int64_t start = source.bytesRead;
  tail.whole = true;
  for (;;) {
    const int result = av_read_frame(&format, packet);
    if (result == AVERROR_EOF) break;
    if (result < 0 || (packet->flags & AV_PKT_FLAG_CORRUPT) != 0) {
      tail.whole = false;
      break;
    }
    const AVStream& stream = *format.streams[packet->stream_index];
    if (packet->pts != AV_NOPTS_VALUE && stream.start_time != AV_NOPTS_VALUE) {
      const std::int64_t end = packet->pts + std::max<std::int64_t>(packet->duration, 0);
      tail.endMs =
          std::max(tail.endMs, av_rescale_q(end - stream.start_time, stream.time_base, {1, 1000}));
    }
    av_packet_unref(packet);
    if (source.bytesRead - start > kTailReadLimit) break;  // far enough: it reads
  }
  av_packet_free(&packet);
  // A read error of the disk is no cut file, but it does not read either.
  tail.whole = tail.whole && source.failure.empty();
  return tail;
}

class FfmpegProbe final : public MediaProbe {
 public:
  explicit FfmpegProbe(platform::Env& env) : env_(env) { QuietLibrary(); }

  MediaFacts Examine(const std::string& path) override {
    MediaFacts facts;
    std::unique_ptr<platform::RandomAccessFile> file;
    try {
      file = env_.OpenForRandomRead(path);
    } catch (const platform::FileError& e) {
      facts.verdict = Verdict::kUnreadable;
      facts.detail = e.what();
      return facts;
    }
    facts.size = file->Size();
    if (facts.size == 0) {
      facts.verdict = Verdict::kNoDemuxer;
      facts.detail = "empty file";
      return facts;
    }
    Source source;
    source.file = file.get();
    Session session(source);
    lastLogError.clear();
    const int opened = session.Open(path);
    facts.bytesRead = source.bytesRead;
    if (opened < 0) {
      facts.verdict = !source.failure.empty() ? Verdict::kUnreadable
                      : opened == AVERROR_INVALIDDATA && !lastLogError.empty()
                          ? Verdict::kBroken
                          : Verdict::kNoDemuxer;
      facts.detail = !source.failure.empty() ? source.failure
                     : !lastLogError.empty() ? lastLogError
                                             : ErrorText(opened);
      return facts;
    }
    AVFormatContext& format = *session.Format();
    facts.container = format.iformat->name;
    if (!HeaderTellsAll(format)) avformat_find_stream_info(&format, nullptr);
    TakeStreams(format, facts);
    const TailRead tail = ReadTail(format, source, facts.size, facts.durationMs);
    facts.readsToEnd = tail.whole;
    // A program stream's length is where its last packet ends: read above,
    // not a second time by the library.
    if ((format.ctx_flags & AVFMTCTX_NOHEADER) != 0 && tail.endMs > 0)
      facts.durationMs = tail.endMs;
    facts.bytesRead = source.bytesRead;
    if (!source.failure.empty()) {
      facts.verdict = Verdict::kUnreadable;
      facts.detail = source.failure;
    } else if (facts.videoCodec.empty()) {
      facts.verdict = Verdict::kNoVideo;
    } else if (!facts.readsToEnd) {
      facts.verdict = Verdict::kTruncated;
      facts.detail = lastLogError;
    } else {
      const bool mpeg = facts.videoCodec == "mpeg1video" || facts.videoCodec == "mpeg2video";
      facts.verdict = mpeg ? Verdict::kPlayable : Verdict::kOtherVideo;
    }
    return facts;
  }

 private:
  platform::Env& env_;
};

}  // namespace

std::unique_ptr<MediaProbe> NewMediaProbe(platform::Env& env) {
  return std::make_unique<FfmpegProbe>(env);
}

std::unique_ptr<MediaProbe> NewMediaProbe() {
  return NewMediaProbe(*platform::Env::Default());
}

std::string LibraryVersion() {
  const unsigned version = avformat_version();
  return "FFmpeg libavformat " + std::to_string(AV_VERSION_MAJOR(version)) + '.' +
         std::to_string(AV_VERSION_MINOR(version)) + '.' +
         std::to_string(AV_VERSION_MICRO(version));
}

}  // namespace media
