#include "model/replacing_file.h"

#include "text/uPublic.h"

namespace {
constexpr std::string_view kTemporarySuffix = ".part";
}

TReplacingFile::TReplacingFile(platform::Env* env, std::string target)
    : env_(env), target_(std::move(target)), temp_(target_ + std::string(kTemporarySuffix)) {
  file_ = env_->CreateForWrite(temp_);
}

TReplacingFile::~TReplacingFile() {
  if (committed_) return;
  try {
    if (file_) file_->Close();
  } catch (...) {
    // The temporary file is removed below whatever its state.
  }
  file_.reset();
  env_->RemoveFile(temp_);
}

void TReplacingFile::Append(const char* data, std::size_t n) {
  file_->Append(data, n);
}

void TReplacingFile::Commit() {
  file_->Sync();
  file_->Close();
  file_.reset();
  env_->RenameReplace(temp_, target_);
  committed_ = true;
  const std::string folder = ExtractFolder(target_);
  env_->SyncDir(folder.empty() ? "." : folder);
}

bool TReplacingFile::IsTemporaryName(std::string_view name) {
  if (!name.ends_with(kTemporarySuffix)) return false;
  name.remove_suffix(kTemporarySuffix.size());
  return name == "vod.txt" || (name.starts_with("66") && name.ends_with(".dat"));
}
