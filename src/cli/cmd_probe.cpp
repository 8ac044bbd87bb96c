// SPDX-License-Identifier: GPL-3.0-or-later
// addsongs-cli probe FILE... [--json]: what each video holds, as the grid's
// 视频文件 tip tells it, and whether it would be added.
#include <cstdio>
#include <ostream>
#include <string>

#include "cli/command.h"
#include "cli/terminal.h"
#include "media/probe.h"
#include "platform/env.h"
#include "text/gbk.h"
#include "ui/media_text.h"

namespace {

const char* VerdictWord(media::Verdict verdict) {
  switch (verdict) {
    case media::Verdict::kPlayable:
      return "playable";
    case media::Verdict::kOtherVideo:
      return "other-video";
    case media::Verdict::kUnreadable:
      return "unreadable";
    case media::Verdict::kNoDemuxer:
      return "no-demuxer";
    case media::Verdict::kBroken:
      return "broken";
    case media::Verdict::kNoVideo:
      return "no-video";
    case media::Verdict::kTruncated:
      return "truncated";
  }
  return "unknown";
}

// A JSON string of UTF-8 text.
std::string Json(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + '"';
}

void PrintJson(const std::string& file, const media::MediaFacts& facts, std::ostream& out) {
  out << "{\"file\": " << Json(file) << ", \"verdict\": \"" << VerdictWord(facts.verdict)
      << "\", \"added\": " << (media::Refused(facts.verdict) ? "false" : "true")
      << ", \"container\": " << Json(facts.container) << ", \"duration_ms\": " << facts.durationMs
      << ", \"video\": {\"codec\": " << Json(facts.videoCodec) << ", \"width\": " << facts.width
      << ", \"height\": " << facts.height << "}, \"audio\": [";
  for (std::size_t i = 0; i < facts.audio.size(); ++i) {
    out << (i > 0 ? ", " : "") << "{\"codec\": " << Json(facts.audio[i].codec)
        << ", \"channels\": " << facts.audio[i].channels << "}";
  }
  out << "], \"reads_to_end\": " << (facts.readsToEnd ? "true" : "false")
      << ", \"detail\": " << Json(cli::ForTerminal(facts.detail)) << ", \"size\": " << facts.size
      << ", \"bytes_read\": " << facts.bytesRead << "}";
}

void PrintText(const std::string& file, const media::MediaFacts& facts, std::ostream& out) {
  out << file << "\n";
  std::string tip = ui_text::MediaTip(facts);
  if (media::Refused(facts.verdict)) tip = Gbk(u8"不会添加：") + tip;
  if (facts.verdict == media::Verdict::kOtherVideo) tip += "\n" + ui_text::OtherVideoTip();
  std::size_t start = 0;
  while (start <= tip.size()) {
    const std::size_t end = tip.find('\n', start);
    out << "  " << cli::ForTerminal(tip.substr(start, end - start)) << "\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

int RunProbe(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool json = false;
  std::vector<std::string> files;
  for (const auto& arg : args) {
    if (arg == "--json") {
      json = true;
    } else if (arg.starts_with("--")) {
      err << "addsongs-cli probe: unknown option " << arg << "\n";
      return 2;
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) {
    err << "usage: addsongs-cli probe FILE... [--json]\n";
    return 2;
  }
  auto probe = media::NewMediaProbe(*platform::Env::Default());
  int status = 0;
  if (json) out << "[";
  for (std::size_t i = 0; i < files.size(); ++i) {
    const auto path = gbk::TryFromUtf8(files[i]);
    media::MediaFacts facts;
    if (!path) {
      facts.detail = "the file name has no GBK form";
    } else {
      facts = probe->Examine(*path);
    }
    if (media::Refused(facts.verdict)) status = 1;
    if (json) {
      out << (i > 0 ? ",\n " : "");
      PrintJson(files[i], facts, out);
    } else {
      PrintText(files[i], facts, out);
    }
  }
  if (json) out << "]\n";
  return status;
}

const cli::Registration kProbe({"probe", "probe FILE... [--json]",
                                "tells what each video holds (format, length, video, audio "
                                "streams) and whether it would be added; exit 1 when one would "
                                "not",
                                RunProbe});

}  // namespace
