// SPDX-License-Identifier: GPL-3.0-or-later
// Songs caught twice: the same song (title and singers) or the same video
// file in two rows of the grid, loaded songs included.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What of a row tells whether it is another row's song (GBK).
struct TSongOfRow {
  std::string title;
  std::string singer;
  std::string video;  // the video file's path; empty for a loaded song
};

// The other row (0-based) a row repeats, -1 for none: the first other row
// with the same song, and the first with the same video file.
struct TTwinOf {
  int song = -1;
  int video = -1;
  bool operator==(const TTwinOf&) const = default;
};

// The singers of a song in one order: split at '&', '/', '、' and '＆',
// each trimmed, empty ones dropped, sorted, joined by '&'. So "A & B" and
// "B/A" give the same key.
std::string SingersKey(std::string_view singer);

// For every row, the row it repeats. Two rows are the same song when their
// trimmed titles are equal and not empty and their singers' keys are equal;
// they have the same video file when their trimmed paths are equal and not
// empty, or when the names (ASCII case aside) are equal and sizeOf gives
// both the same size of at least 0 (a copy of one video in two folders).
// sizeOf is asked only about files whose names are in two rows; it gives -1
// when it cannot tell. Throws only what sizeOf throws.
std::vector<TTwinOf> FindTwins(const std::vector<TSongOfRow>& rows,
                               const std::function<std::int64_t(const std::string&)>& sizeOf);
