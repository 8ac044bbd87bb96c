// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/owner_help.h"

#include <string_view>

std::string OwnerHelpText() {
  const std::string& markdown = OwnerHelpMarkdown();
  std::string text;
  std::string_view rest = markdown;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.starts_with("#")) {
      while (line.starts_with("#")) line.remove_prefix(1);
      if (line.starts_with(" ")) line.remove_prefix(1);
    }
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '`') continue;
      if (line.substr(i, 2) == "**") {
        ++i;
        continue;
      }
      text += line[i];
    }
    text += '\n';
  }
  return text;
}
