// SPDX-License-Identifier: GPL-3.0-or-later
// make_test_video FILE SIZE [SEED]: writes VideoFile(SIZE, SEED)
// (tests/support/video_file.h) to FILE, for the scripts that hand videos to
// our programs: a real MPEG-1 program stream that the media probe takes,
// different for every seed (default 1). SIZE may be gigabytes: the padding
// is made and written one packet at a time, never held whole.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "support/video_file.h"

namespace {

bool ParseNumber(const char* text, std::uint64_t& value) {
  const char* end = text + std::strlen(text);
  const auto [at, error] = std::from_chars(text, end, value);
  return error == std::errc() && at == end && at != text;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t size = 0;
  std::uint64_t seed = 1;
  if ((argc != 3 && argc != 4) || !ParseNumber(argv[2], size) ||
      (argc == 4 && (!ParseNumber(argv[3], seed) || seed > 0xFFFFFFFFu))) {
    std::cerr << "usage: make_test_video FILE SIZE [SEED]\n"
                 "  writes a playable MPEG-1 video of SIZE bytes (a few more below 297),\n"
                 "  its padding made from SEED (a whole number, default 1)\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  if (!out || !WriteVideoFile(out, size, static_cast<unsigned>(seed))) {
    std::cerr << "make_test_video: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
