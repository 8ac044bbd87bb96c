// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a real MPEG-1 program stream of a given size, for tests that
// add videos through the real media probe: a short clip (16x16, half a
// second, made once with ffmpeg) followed by padding packets whose content
// looks random, differs by seed and is never zero, so that bytes a stick
// lost (read back as zeros) still differ from it past the clip.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

// At least size bytes (exactly size when it is above the clip's 290 bytes).
std::string VideoFile(std::size_t size, unsigned seed);
// The same bytes written to out a padding packet at a time, so that a video
// of gigabytes is never held whole; false when out failed.
bool WriteVideoFile(std::ostream& out, std::uint64_t size, unsigned seed);
