// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/replacing_file.h"

#include <cerrno>

#include "text/uPublic.h"

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

void TReplacingFile::Finish() {
  if (!file_) return;
  file_->Sync();
  file_->Close();
  file_.reset();
}

void TReplacingFile::Commit() {
  Finish();
  committed_ = true;
  try {
    folder_.Rename(temp_, name_);
  } catch (const platform::FileError&) {
    // A rename that failed on FAT may have removed the old file first: the
    // new one is then whole only under the temporary name, and stays. Where
    // the old one is still there, the temporary file goes.
    if (folder_.Stat(name_).kind == platform::EntryKind::kFile) {
      try {
        folder_.Remove(temp_);
      } catch (const platform::FileError&) {
        // The next run sweeps it.
      }
    }
    throw;
  }
  folder_.Sync();
}

void TReplacingFile::Write(platform::Folder& folder, const std::string& name,
                           std::string_view bytes) {
  TReplacingFile file(folder, name);
  file.Append(bytes.data(), bytes.size());
  file.Commit();
}

void TReplacingFile::Write(platform::Env& env, const std::string& path, std::string_view bytes) {
  std::string folder = ExtractFolder(path);
  if (folder.empty()) folder = ".";
  const std::unique_ptr<platform::Folder> held = env.OpenFolder(folder);
  Write(*held, ExtractName(path), bytes);
}

bool TReplacingFile::IsTemporaryName(std::string_view name) {
  const std::string lower = LowerAscii(name);
  std::string_view base = lower;
  if (!base.ends_with(kTemporarySuffix)) return false;
  base.remove_suffix(kTemporarySuffix.size());
  return base == "vod.txt" || (base.starts_with("66") && base.ends_with(".dat"));
}
