#include "model/vod_text.h"

#include "platform/env.h"
#include "text/gbk.h"

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
}

TVodText DecodeVodText(std::string_view bytes) {
  TVodText text;
  text.utf8 = bytes.starts_with(kUtf8Mark);
  if (text.utf8) bytes.remove_prefix(kUtf8Mark.size());
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
