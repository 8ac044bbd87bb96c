// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid_rules.h"

#include "text/gbk.h"
#include "text/uPublic.h"
#include "ui/ui_texts.h"

bool BreaksVodLine(std::string_view text) {
  for (const char c : text) {
    if (c == ';' || static_cast<unsigned char>(c) < 0x20) return true;
  }
  return false;
}

bool IsVideoFile(std::string_view path) {
  // The patterns of the filter's first entry: "视频文件|*.mpg *.mpeg ...".
  static const TStringList extensions = [] {
    const std::string& filter = ui_text::VideoFilter();
    const std::size_t bar = filter.find('|');
    const std::size_t end = filter.find(';', bar);
    TStringList patterns;
    SplitString(filter.substr(bar + 1, end == std::string::npos ? end : end - bar - 1), ' ',
                patterns);
    TStringList found;
    for (const auto& p : patterns) {
      if (p.rfind("*.", 0) == 0) found.push_back(LowerAscii(p.substr(1)));
    }
    return found;
  }();
  const std::string name = LowerAscii(ExtractName(path));
  for (const auto& ext : extensions) {
    if (name.size() > ext.size() && name.ends_with(ext)) return true;
  }
  return false;
}

std::string KeepDigits(std::string_view text, std::size_t most) {
  std::string digits;
  for (const char c : text) {
    if (c >= '0' && c <= '9' && (most == 0 || digits.size() < most)) digits += c;
  }
  return digits;
}

TChosenPaths GbkPathsOf(const std::vector<std::string>& utf8Paths) {
  TChosenPaths paths;
  for (const std::string& path : utf8Paths) {
    const auto converted = gbk::TryFromUtf8(path);
    if (converted && !converted->empty()) {
      paths.gbk.push_back(*converted);
    } else {
      paths.refused.push_back(path);
    }
  }
  return paths;
}

std::string RefusedPathsMessage(const std::vector<std::string>& refused) {
  std::string message = gbk::ToUtf8(ui_text::FileNamesNotGbk());
  for (std::size_t i = 0; i < refused.size(); ++i) {
    if (i > 0) message += "\r\n";
    message += refused[i];
  }
  return message;
}
