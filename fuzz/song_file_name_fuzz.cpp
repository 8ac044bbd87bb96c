// SPDX-License-Identifier: GPL-3.0-or-later
// ParseSongFileName on any file name, in both name orders: title and singer
// come out of the name after the folder and before the last '.', trimmed,
// without a '-'; the singer-first order gives the same two texts swapped;
// nothing else of the record changes, and an empty name changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/uclsOru.h"
#include "fuzz_check.h"
#include "model/song_file_name.h"
#include "text/uPublic.h"

namespace {
// What the record held before: a control byte, which a trimmed field never is.
const std::string kBefore = "\x01";

TOruData Parsed(std::string_view fileName, TNameOrder order) {
  TOruData record;
  record.SongName = kBefore;
  record.Singer = kBefore;
  ParseSongFileName(fileName, record, order);
  FUZZ_CHECK(record.SongNo.empty() && record.Pinyin.empty() && record.VideoFile.empty());
  return record;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view fileName(reinterpret_cast<const char*>(data), size);
  const TOruData titleFirst = Parsed(fileName, TNameOrder::kTitleSinger);
  const TOruData singerFirst = Parsed(fileName, TNameOrder::kSingerTitle);
  if (fileName.empty()) {
    FUZZ_CHECK(titleFirst.SongName == kBefore && titleFirst.Singer == kBefore);
    return 0;
  }
  const std::string folder = ExtractFolder(fileName);
  const std::string name = ExtractName(fileName);
  FUZZ_CHECK(folder + name == fileName);

  // '.' and '-' are never trail bytes: byte searches find real ones.
  const std::string_view stem = std::string_view(name).substr(0, name.rfind('.'));
  auto fromStem = [&](const std::string& text) {
    return Trim(text) == text && text.find('-') == std::string::npos &&
           stem.find(text) != std::string_view::npos;
  };
  FUZZ_CHECK(fromStem(titleFirst.SongName));
  if (titleFirst.Singer == kBefore) {
    // No '-' left after a track number: the whole is the title in both orders.
    FUZZ_CHECK(singerFirst.Singer == kBefore && singerFirst.SongName == titleFirst.SongName);
  } else {
    FUZZ_CHECK(fromStem(titleFirst.Singer));
    FUZZ_CHECK(singerFirst.SongName == titleFirst.Singer &&
               singerFirst.Singer == titleFirst.SongName);
  }
  return 0;
}
