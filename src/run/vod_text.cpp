// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/vod_text.h"

#include "platform/env.h"
#include "text/gbk.h"

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

// FNV-1a, 64 bits: enough to know a file this program read or wrote again.
std::uint64_t FingerprintOf(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3u;
  }
  return hash;
}

std::string TVodText::FileLine(std::size_t line) const {
  return utf8 && isGbk[line] ? gbk::ToUtf8(lines[line]) : lines[line];
}

TVodText DecodeVodText(std::string_view bytes) {
  TVodText text;
  text.print = FingerprintOf(bytes);
  if (bytes.starts_with(kUtf8Mark)) {
    bytes.remove_prefix(kUtf8Mark.size());
    text.utf8 = gbk::IsUtf8(bytes);
    text.gbkBehindMark = !text.utf8;
  }
  text.lines = SplitTextLines(bytes);
  text.isGbk.assign(text.lines.size(), true);
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    if (!text.utf8) {
      text.isGbk[i] = gbk::TryToUtf16(text.lines[i]).has_value();
    } else if (auto converted = gbk::TryFromUtf8(text.lines[i])) {
      text.lines[i] = std::move(*converted);
    } else {
      text.isGbk[i] = false;
    }
  }
  return text;
}

TVodText ReadVodText(platform::Env& env, const std::string& path) {
  return DecodeVodText(platform::ReadWholeFile(env, path));
}
