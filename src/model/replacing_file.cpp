#include "model/replacing_file.h"

#include <cerrno>

namespace {
constexpr std::string_view kTemporarySuffix = ".part";
}

TReplacingFile::TReplacingFile(platform::Folder& folder, std::string name)
    : folder_(folder), name_(std::move(name)), temp_(name_ + std::string(kTemporarySuffix)) {
  folder_.Remove(temp_);
  file_ = folder_.CreateNew(temp_);
}

TReplacingFile::~TReplacingFile() {
  if (committed_) return;
  try {
    if (file_) file_->Close();
    file_.reset();
    folder_.Remove(temp_);
  } catch (...) {
    // The next run sweeps what is left under a temporary name.
  }
}

void TReplacingFile::Append(const char* data, std::size_t n) {
  file_->Append(data, n);
}

void TReplacingFile::Commit() {
  file_->Sync();
  file_->Close();
  file_.reset();
  folder_.Rename(temp_, name_);
  committed_ = true;
  folder_.Sync();
}

void TReplacingFile::Write(platform::Folder& folder, const std::string& name,
                           std::string_view bytes) {
  TReplacingFile file(folder, name);
  file.Append(bytes.data(), bytes.size());
  file.Commit();
}

bool TReplacingFile::IsTemporaryName(std::string_view name) {
  if (!name.ends_with(kTemporarySuffix)) return false;
  name.remove_suffix(kTemporarySuffix.size());
  return name == "vod.txt" || (name.starts_with("66") && name.ends_with(".dat"));
}
