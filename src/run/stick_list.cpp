// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/stick_list.h"

#include "text/uPublic.h"

namespace {
bool IsNumberField(const std::string& field) {
  return field.size() == 6 && field.rfind("66", 0) == 0 && IsSongNumber(field.substr(2));
}
}  // namespace

std::string SongNumberOfLine(const TVodText& vod, std::size_t i,
                             const std::function<std::string(const std::string&)>& songNoOf) {
  const std::string& line = vod.lines[i];
  if (vod.IsGbk(i) && songNoOf) {
    if (std::string number = songNoOf(line); !number.empty()) return number;
  }
  TStringList fields;
  SplitString(line, ';', fields);
  for (const std::string& field : fields) {
    if (const std::string trimmed = Trim(field); IsNumberField(trimmed)) return trimmed;
  }
  return "";
}

std::string ListWithout(const TVodText& vod, const std::set<std::string>& numbers,
                        const std::function<std::string(const std::string&)>& songNoOf) {
  std::string bytes;
  for (std::size_t i = 0; i < vod.lines.size(); ++i) {
    if (IsBlank(vod.lines[i])) continue;
    if (numbers.count(SongNumberOfLine(vod, i, songNoOf)) != 0) continue;
    bytes += vod.FileLine(i) + "\r\n";
  }
  if (bytes.empty()) return bytes;
  return (vod.utf8 ? "\xEF\xBB\xBF" : "") + bytes;
}
