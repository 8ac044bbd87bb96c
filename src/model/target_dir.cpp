#include "model/target_dir.h"

#include <algorithm>
#include <cerrno>

#include "model/messages.h"
#include "model/replacing_file.h"
#include "text/uPublic.h"
#include "text/user_error.h"

namespace {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

// A root keeps its separator ("/", "F:\"); any other folder loses it.
bool IsRoot(const std::string& path) {
  return (path.size() == 1 && IsSeparator(path[0])) ||
         (path.size() == 3 && path[1] == ':' && IsSeparator(path[2]));
}

std::string WithoutSeparator(std::string path) {
  while (path.size() > 1 && IsSeparator(path.back()) && !IsRoot(path)) path.pop_back();
  return path;
}

// Opens a folder, telling a link the way the owner reads it.
template <class Open>
std::unique_ptr<platform::Folder> OpenRefusingLinks(Open open, const std::string& shown) {
  try {
    return open();
  } catch (const platform::FileError& error) {
    if (platform::PortableErrno(error.code()) == ELOOP) throw TUserError(msg::TargetIsLink(shown));
    if (platform::PortableErrno(error.code()) == ENOTDIR) {
      throw TUserError(msg::NotAFolder(shown));
    }
    throw;
  }
}

}  // namespace

TTargetDir::TTargetDir(platform::Env& env, std::string path) : env_(env), path_(std::move(path)) {}

bool TTargetDir::IsSongFileName(const std::string& name) {
  if (name.size() != 10 || name.rfind("66", 0) != 0) return false;
  for (std::size_t i = 2; i < 6; ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  return LowerAscii(name.substr(6)) == ".dat";
}

void TTargetDir::Inspect() {
  contents_ = {};
  vod_.reset();
  base_.reset();
  missing_.clear();
  // The names below the nearest folder that exists; the vod folder's is last.
  std::string base = WithoutSeparator(path_);
  do {
    missing_.insert(missing_.begin(), ExtractName(base));
    base = WithoutSeparator(ExtractFolder(base));
  } while (!base.empty() && !IsRoot(base) && !env_.DirExists(base));
  if (base.empty()) base = ".";
  base_ = OpenRefusingLinks([&] { return env_.OpenFolder(base); }, base);

  // Only the first missing name may stand for something: what stands there
  // is the folder itself or makes it impossible.
  const platform::FolderEntry first = base_->Stat(missing_.front());
  // Named as the owner gave it: the target's path up to that name.
  const std::size_t at = path_.find(missing_.front(), base == "." ? 0 : base.size());
  const std::string firstPath = path_.substr(0, at + missing_.front().size());
  if (first.kind == platform::EntryKind::kLink) throw TUserError(msg::TargetIsLink(firstPath));
  if (first.kind == platform::EntryKind::kFile || first.kind == platform::EntryKind::kOther) {
    throw TUserError(msg::NotAFolder(firstPath));
  }
  if (first.kind == platform::EntryKind::kNone || missing_.size() != 1)
    return;  // nothing there yet
  Hold(OpenRefusingLinks([&] { return base_->OpenFolder(missing_.front(), false); }, path_));
  ReadContents();
}

void TTargetDir::Hold(std::unique_ptr<platform::Folder> vod) {
  if (!vod->TryLock()) throw TUserError(msg::TargetBusy(path_));
  vod_ = std::move(vod);
  contents_.exists = true;
}

void TTargetDir::ReadContents() {
  for (const platform::FolderEntry& entry : vod_->List()) {
    if (entry.name == "vod.txt") {
      if (entry.kind != platform::EntryKind::kFile) throw TUserError(msg::VodTxtNotAFile(path_));
      auto file = vod_->OpenForRead(entry.name);
      contents_.vod = DecodeVodText(platform::ReadWhole(*file, entry.size, path_ + entry.name));
      contents_.hasVodTxt = true;
    } else if (entry.kind == platform::EntryKind::kFile && IsSongFileName(entry.name)) {
      contents_.datNumbers.push_back(entry.name.substr(0, 6));
    }
  }
  std::sort(contents_.datNumbers.begin(), contents_.datNumbers.end());
}

void TTargetDir::CheckStillThere() {
  platform::Folder& held = vod_ ? *vod_ : *base_;
  if (!held.ReachedByPath()) {
    throw platform::FileError(ENODEV, "the folder " + platform::QuotedPath(held.Path()) +
                                          " is no longer where the run found it");
  }
}

platform::VolumeRoom TTargetDir::Room() {
  if (vod_) return vod_->Room();
  if (base_) return base_->Room();
  return {};
}

platform::Folder& TTargetDir::Make() {
  if (!base_) Inspect();
  CheckStillThere();
  if (!vod_) {
    const bool wasMissing = !contents_.exists;
    std::unique_ptr<platform::Folder> folder;
    platform::Folder* at = base_.get();
    for (const std::string& name : missing_) {
      folder = OpenRefusingLinks([&] { return at->OpenFolder(name, true); }, path_);
      at = folder.get();
    }
    Hold(std::move(folder));
    // Another run may have made it and written there since the run looked.
    ReadContents();
    if (wasMissing && (contents_.hasVodTxt || !contents_.datNumbers.empty())) {
      throw TUserError(msg::TargetChanged(path_));
    }
  }
  for (const platform::FolderEntry& entry : vod_->List()) {
    if (TReplacingFile::IsTemporaryName(entry.name)) vod_->Remove(entry.name);
  }
  return *vod_;
}
