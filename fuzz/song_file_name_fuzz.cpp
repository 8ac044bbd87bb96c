// ParseSongFileName on any file name: title and singer come out of the name
// after the folder, before the first '.', between the '-'; nothing else of the
// record changes, and an empty name changes nothing at all.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/uclsOru.h"
#include "fuzz_check.h"
#include "model/song_file_name.h"
#include "text/uPublic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view fileName(reinterpret_cast<const char*>(data), size);
  TOruData record;
  record.SongName = "old title";
  record.Singer = "old singer";
  ParseSongFileName(fileName, record);

  FUZZ_CHECK(record.SongNo.empty() && record.Pinyin.empty() && record.VideoFile.empty());
  if (fileName.empty()) {
    FUZZ_CHECK(record.SongName == "old title" && record.Singer == "old singer");
    return 0;
  }
  const std::string folder = ExtractFolder(fileName);
  const std::string name = ExtractName(fileName);
  FUZZ_CHECK(folder + name == fileName);

  // The title is where the name begins; '.' and '-' are never trail bytes.
  const std::string_view stem = std::string_view(name).substr(0, name.find('.'));
  FUZZ_CHECK(stem.starts_with(record.SongName));
  FUZZ_CHECK(record.SongName.find_first_of(".-") == std::string::npos);
  const std::size_t dash = stem.find('-');
  if (dash == std::string_view::npos) {
    FUZZ_CHECK(record.SongName == stem && record.Singer == "old singer");
  } else {
    FUZZ_CHECK(record.SongName.size() == dash);
    FUZZ_CHECK(stem.substr(dash + 1).starts_with(record.Singer));
    FUZZ_CHECK(record.Singer.find_first_of(".-") == std::string::npos);
  }
  return 0;
}
