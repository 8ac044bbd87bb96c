#include "model/song_file_name.h"

#include "text/uPublic.h"

void ParseSongFileName(std::string_view fileName, TBaseSongData& record) {
  if (fileName.empty()) return;
  const std::string name = ExtractName(fileName);
  TStringList parts;
  SplitString(name, '.', parts);
  const std::string base = parts.front();
  parts.clear();
  SplitString(base, '-', parts);
  record.SongName = parts[0];
  if (parts.size() >= 2) record.Singer = parts[1];
}
