#include "model/song_helpers.h"

#include "platform/env.h"
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

std::int64_t DiskFreeBytes(const std::string& path, platform::Env* env) {
  if (env == nullptr) env = platform::Env::Default();
  return env->FreeBytes(path);
}

void ShowMsg(TWindowSide* owner, const std::string& caption, const std::string& text, int kind) {
  if (owner == nullptr || kind < kMsgWarning || kind > kMsgQuestion) return;
  owner->ShowBox(caption, text, kind);
}
