// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of a vod.txt as its writer wrote them, for loading and checking.
//
// ORU, Tarvel and Mirel write GBK text, which is taken as it is. Dovan writes
// UTF-8 behind a byte-order mark (EF BB BF): such a file has the mark removed
// and every line turned into GBK, the text of the core, so that a Dovan list
// loaded and saved again gives the same bytes. A file that begins with the
// mark but whose lines are not UTF-8 text is a GBK list someone saved with a
// mark: it is read as GBK, and says so (gbkBehindMark). A line that is not
// GBK text (bytes of no GBK character, or UTF-8 with no GBK form) is marked,
// so that no song is loaded that could not be written again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/uPublic.h"

namespace platform {
class Env;
}

struct TVodText {
  bool utf8 = false;           // UTF-8 lines behind the byte-order mark (Dovan)
  bool gbkBehindMark = false;  // GBK lines behind a byte-order mark, read as GBK
  // The lines, ended by CR LF, LF or CR, as GBK text. A line that is not GBK
  // text keeps its own bytes and is marked in isGbk.
  TStringList lines;
  std::vector<bool> isGbk;  // one per line: false for a line that is not GBK text
  std::uint64_t print = 0;  // a fingerprint of the file's bytes, to know a file again

  bool IsGbk(std::size_t line) const { return isGbk[line]; }
  // Line i as the file holds it (UTF-8 in a Dovan file), to be written back
  // unchanged.
  std::string FileLine(std::size_t line) const;
};

// A fingerprint of a file's bytes (TVodText::print).
std::uint64_t FingerprintOf(std::string_view bytes);

// Splits the bytes of a vod.txt into its GBK lines (see above). Never throws.
TVodText DecodeVodText(std::string_view bytes);

// Reads a vod.txt through env (platform::ReadWholeFile: a regular file of at
// most platform::kMaxTextFileBytes) and decodes it. Throws platform::FileError.
TVodText ReadVodText(platform::Env& env, const std::string& path);
