#include "model/uclsSong.h"

#include "model/replacing_file.h"
#include "platform/env.h"

TBaseSong::TBaseSong(std::uint8_t productLine, platform::Env* env)
    : FProductLine(productLine), env_(env != nullptr ? env : platform::Env::Default()) {}

void TBaseSong::PutSong(const TBaseSongData* record) {
  if (record != nullptr) AddSong(*record);
}

TBaseSongData* TBaseSong::SongAt(int index) {
  if (index < 0 || index >= FCount) return nullptr;
  return GetSong(index);
}

std::string TBaseSong::NextSongNo() {
  return std::to_string(FNextNo++);
}

void TBaseSong::SetStartNumber(const std::string& number) {
  FNextNo = StrToInt("66" + number);
}

void TBaseSong::SaveLines(const TStringList& lines, const std::string& fileName) {
  std::string bytes;
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  WriteReplacing(fileName, bytes);
}

void TBaseSong::WriteReplacing(const std::string& fileName, const std::string& bytes) {
  TReplacingFile file(env_, fileName);
  file.Append(bytes.data(), bytes.size());
  file.Commit();
}
