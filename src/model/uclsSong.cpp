// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/uclsSong.h"

#include <stdexcept>

#include "platform/env.h"
#include "run/replacing_file.h"
#include "run/target_dir.h"

TBaseSong::TBaseSong(std::uint8_t productLine, platform::Env* env)
    : FProductLine(productLine), env_(env != nullptr ? env : platform::Env::Default()) {}

TBaseSong::~TBaseSong() = default;

TBmTable& TBaseSong::Table(TTableId id) {
  const auto index = static_cast<std::size_t>(id);
  if (index >= tables_.size()) throw std::invalid_argument("no such table in this product line");
  return tables_[index];
}

void TBaseSong::PutSong(const TBaseSongData* record, const std::string& unchangedLine) {
  if (record == nullptr) return;
  AddSong(*record);
  FUnchangedLines.resize(static_cast<std::size_t>(FCount));
  FUnchangedLines.back() = unchangedLine;
}

void TBaseSong::ClearSongs() {
  FCount = 0;
  FUnchangedLines.clear();
}

const std::string& TBaseSong::UnchangedLine(int index) const {
  static const std::string none;
  return index >= 0 && index < static_cast<int>(FUnchangedLines.size()) && index < FCount
             ? FUnchangedLines[static_cast<std::size_t>(index)]
             : none;
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

std::string TBaseSong::EncodeVod(const TStringList& lines) const {
  std::string bytes;
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

void TBaseSong::SaveLines(const TStringList& lines, const std::string& fileName) {
  TReplacingFile::Write(*env_, fileName, EncodeVod(lines));
}
