// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/duplicates.h"

#include <algorithm>
#include <map>

#include "text/uPublic.h"

std::string SingersKey(std::string_view singer) {
  TStringList singers;
  std::string current;
  auto endSinger = [&] {
    std::string name = Trim(current);
    if (!name.empty()) singers.push_back(std::move(name));
    current.clear();
  };
  for (std::size_t i = 0; i < singer.size(); ++i) {
    const auto c = static_cast<unsigned char>(singer[i]);
    if (c >= 0x81 && i + 1 < singer.size()) {
      // A double-byte character: '、' is A1 A2, '＆' is A3 A6.
      const std::string_view ch = singer.substr(i++, 2);
      if (ch == "\xA1\xA2" || ch == "\xA3\xA6") {
        endSinger();
      } else {
        current += ch;
      }
    } else if (c == '&' || c == '/') {
      endSinger();
    } else {
      current += static_cast<char>(c);
    }
  }
  endSinger();
  std::sort(singers.begin(), singers.end());
  std::string key;
  for (const auto& name : singers) key += (key.empty() ? "" : "&") + name;
  return key;
}

std::vector<TTwinOf> FindTwins(const std::vector<TSongOfRow>& rows,
                               const std::function<std::int64_t(const std::string&)>& sizeOf) {
  const int count = static_cast<int>(rows.size());
  std::vector<TTwinOf> twins(rows.size());
  // Rows by song, by path and by file name, in row order.
  std::map<std::string, std::vector<int>> bySong, byPath, byName;
  for (int row = 0; row < count; ++row) {
    const TSongOfRow& r = rows[static_cast<std::size_t>(row)];
    const std::string title = Trim(r.title);
    if (!title.empty()) bySong[title + '\0' + SingersKey(r.singer)].push_back(row);
    const std::string path = Trim(r.video);
    if (path.empty()) continue;
    byPath[path].push_back(row);
    byName[LowerAscii(ExtractName(path))].push_back(row);
  }
  // Each row of a group of two or more repeats the group's first other row.
  auto pair = [&](const std::vector<int>& group, int TTwinOf::*field) {
    if (group.size() < 2) return;
    for (const int row : group) {
      int& other = twins[static_cast<std::size_t>(row)].*field;
      const int first = group[0] != row ? group[0] : group[1];
      if (other < 0 || first < other) other = first;
    }
  };
  for (const auto& [key, group] : bySong) pair(group, &TTwinOf::song);
  for (const auto& [key, group] : byPath) pair(group, &TTwinOf::video);
  for (const auto& [name, group] : byName) {
    if (group.size() < 2) continue;
    std::map<std::int64_t, std::vector<int>> bySize;
    for (const int row : group) {
      const std::int64_t size = sizeOf(Trim(rows[static_cast<std::size_t>(row)].video));
      if (size >= 0) bySize[size].push_back(row);
    }
    for (const auto& [size, same] : bySize) pair(same, &TTwinOf::video);
  }
  return twins;
}
