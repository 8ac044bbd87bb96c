// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/song_file_name.h"

#include <string>

#include "text/uPublic.h"

namespace {

// The name without a leading track number: up to three ASCII digits and one
// of '.', '、' (GBK A1 A2), '_' or a space. Kept whole when what would be
// left is empty or starts with '-' ("007 - 歌手" is a title "007").
std::string_view WithoutTrackNumber(std::string_view name) {
  std::size_t digits = 0;
  while (digits < name.size() && digits < 4 && name[digits] >= '0' && name[digits] <= '9') {
    ++digits;
  }
  if (digits == 0 || digits > 3 || digits == name.size()) return name;
  std::size_t mark = 0;
  const std::string_view rest = name.substr(digits);
  if (rest.starts_with('.') || rest.starts_with('_') || rest.starts_with(' ')) {
    mark = 1;
  } else if (rest.starts_with("\xA1\xA2")) {
    mark = 2;
  }
  if (mark == 0) return name;
  const std::string left = Trim(rest.substr(mark));
  if (left.empty() || left.front() == '-') return name;
  return rest.substr(mark);
}

constexpr std::string_view kTitleSingerText = "title-singer";
constexpr std::string_view kSingerTitleText = "singer-title";

}  // namespace

std::string_view NameOrderText(TNameOrder order) {
  return order == TNameOrder::kSingerTitle ? kSingerTitleText : kTitleSingerText;
}

std::optional<TNameOrder> NameOrderFromText(std::string_view text) {
  if (text == kTitleSingerText) return TNameOrder::kTitleSinger;
  if (text == kSingerTitleText) return TNameOrder::kSingerTitle;
  return std::nullopt;
}

void ParseSongFileName(std::string_view fileName, TBaseSongData& record, TNameOrder order) {
  if (fileName.empty()) return;
  const std::string name = ExtractName(fileName);
  // '.' and '-' are below 0x40 and so never the second byte of a GBK
  // character: a byte search finds only real ones.
  const std::size_t dot = name.rfind('.');
  const std::string_view base = WithoutTrackNumber(
      std::string_view(name).substr(0, dot == std::string::npos ? name.size() : dot));
  TStringList parts;
  SplitString(base, '-', parts);
  const bool singerFirst = order == TNameOrder::kSingerTitle && parts.size() >= 2;
  record.SongName = Trim(parts[singerFirst ? 1 : 0]);
  if (parts.size() >= 2) record.Singer = Trim(parts[singerFirst ? 0 : 1]);
}
