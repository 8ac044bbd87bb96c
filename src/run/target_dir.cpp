// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/target_dir.h"

#include <algorithm>
#include <cerrno>
#include <exception>

#include "run/errors.h"
#include "run/messages.h"
#include "run/replacing_file.h"
#include "run/stick_list.h"
#include "text/uPublic.h"

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

// What stands in folder under name as FAT finds it: the entry of that exact
// name, else one whose name differs only in ASCII case, spelled as the
// folder holds it. Kind kNone when there is none.
platform::FolderEntry FindEntry(platform::Folder& folder, const std::string& name) {
  const std::string wanted = LowerAscii(name);
  platform::FolderEntry found;
  for (platform::FolderEntry& entry : folder.List()) {
    if (entry.name == name) return entry;
    if (found.kind == platform::EntryKind::kNone && LowerAscii(entry.name) == wanted) {
      found = std::move(entry);
    }
  }
  if (found.kind != platform::EntryKind::kNone) return found;
  // A name the listing leaves out (no GBK form) may still be there.
  return folder.Stat(name);
}

}  // namespace

std::string VodFolderIn(const std::string& folder, char separator) {
  if (folder.empty() || IsSeparator(folder.back())) return folder + "vod" + separator;
  return folder + separator + "vod" + separator;
}

std::string UsbVodFolder(platform::Env& env) {
  const auto volumes = env.UsbVolumes();
  return volumes.empty() ? "" : VodFolderIn(volumes.front(), env.PathSeparator());
}

std::string UsbFolderToOpen(platform::Env& env) {
  const auto volumes = env.UsbVolumes();
  if (volumes.empty()) return "";
  TTargetDir vod(env, VodFolderIn(volumes.front(), env.PathSeparator()));
  try {
    vod.Inspect();
    if (vod.Contents().exists) return vod.Path();
  } catch (const std::exception&) {
    // Unreadable or busy: the root is where the owner starts.
  }
  return volumes.front();
}

bool IsVodFolder(platform::Env& env, const std::string& folder) {
  std::string path = folder;
  while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
  if (LowerAscii(ExtractName(path)) != "vod") return false;
  try {
    for (const std::string& file : env.ListFiles(path)) {
      const std::string name = ExtractName(file);
      if (LowerAscii(name) == TTargetDir::kListName || TTargetDir::IsSongFileName(name))
        return true;
    }
  } catch (const std::exception&) {
    // A folder that cannot be read is no stick's folder to write into.
  }
  return false;
}

TTargetDir::TTargetDir(platform::Env& env, std::string path, TSongNoOf songNoOf)
    : env_(env), path_(std::move(path)), songNoOf_(std::move(songNoOf)) {}

bool TTargetDir::IsSongFileName(const std::string& name) {
  if (name.size() != 10 || name.rfind("66", 0) != 0) return false;
  for (std::size_t i = 2; i < 6; ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  return LowerAscii(name.substr(6)) == ".dat";
}

std::string TTargetDir::DatName(const std::string& number) const {
  const auto found = contents_.dats.find(number);
  return found != contents_.dats.end() ? found->second.name : number + ".dat";
}

void TTargetDir::Inspect() {
  contents_ = {};
  vod_.reset();
  base_.reset();
  missing_.clear();
  const char separator = path_.empty() ? '/' : path_.back();
  // The names below the nearest folder that exists; the vod folder's is last.
  const std::string given = WithoutSeparator(path_);
  std::string base = given;
  do {
    missing_.insert(missing_.begin(), ExtractName(base));
    base = WithoutSeparator(ExtractFolder(base));
  } while (!base.empty() && !IsRoot(base) && !env_.DirExists(base));
  std::size_t namesLength = missing_.size() - 1;
  for (const std::string& name : missing_) namesLength += name.size();
  const std::string prefix = given.substr(0, given.size() - namesLength);
  if (base.empty()) base = ".";
  base_ = OpenRefusingLinks([&] { return env_.OpenFolder(base); }, base);

  // Down the names that exist, as FAT matches them; the first that does not
  // exist and those below it are made by Make().
  std::string shown = prefix;
  std::size_t found = 0;
  while (found < missing_.size()) {
    const platform::FolderEntry entry = FindEntry(*base_, missing_[found]);
    if (entry.kind == platform::EntryKind::kNone) break;
    const std::string entryPath = shown + entry.name;
    if (entry.kind == platform::EntryKind::kLink) throw TUserError(msg::TargetIsLink(entryPath));
    if (entry.kind != platform::EntryKind::kFolder) throw TUserError(msg::NotAFolder(entryPath));
    missing_[found] = entry.name;
    shown = entryPath + separator;
    auto next = OpenRefusingLinks([&] { return base_->OpenFolder(entry.name, false); }, entryPath);
    if (++found == missing_.size()) {
      path_ = shown;
      Hold(std::move(next));
      ReadContents();
      return;
    }
    base_ = std::move(next);
  }
  missing_.erase(missing_.begin(), missing_.begin() + static_cast<std::ptrdiff_t>(found));
  for (const std::string& name : missing_) shown += name + separator;
  path_ = shown;
}

void TTargetDir::Hold(std::unique_ptr<platform::Folder> vod) {
  if (!vod->TryLock()) throw TTargetRefused(msg::TargetBusy(path_));
  vod_ = std::move(vod);
  contents_.exists = true;
}

void TTargetDir::ReadContents() {
  std::vector<platform::FolderEntry> lists;
  platform::FolderEntry part;
  for (platform::FolderEntry& entry : vod_->List()) {
    const std::string lower = LowerAscii(entry.name);
    if (lower == kListName) {
      if (entry.kind != platform::EntryKind::kFile) {
        throw TUserError(msg::VodTxtNotAFile(path_, entry.name));
      }
      lists.push_back(std::move(entry));
    } else if (IsSongFileName(entry.name)) {
      if (entry.kind != platform::EntryKind::kFile) {
        throw TUserError(msg::SongFileNotAFile(path_, entry.name));
      }
      const std::string number = entry.name.substr(0, 6);
      const auto there = contents_.dats.find(number);
      if (there != contents_.dats.end()) {
        throw TUserError(msg::NameTwice(path_, there->second.name, entry.name));
      }
      contents_.dats.emplace(number, std::move(entry));
    } else if (lower == kPartName && entry.kind == platform::EntryKind::kFile) {
      part = std::move(entry);
    }
  }
  if (lists.size() > 1) throw TUserError(msg::NameTwice(path_, lists[0].name, lists[1].name));
  for (const auto& [number, entry] : contents_.dats) contents_.datNumbers.push_back(number);

  // The list as the target holds it. One that is missing, empty or cannot be
  // read gives way to a whole list a stopped run left under the temporary
  // name: on FAT a rename removes the old name before it writes the new one,
  // and a stick pulled in between holds the list only there.
  std::string bytes;
  std::exception_ptr readError;
  if (!lists.empty()) {
    contents_.listName = lists.front().name;
    try {
      auto file = vod_->OpenForRead(lists.front().name);
      bytes = platform::ReadWhole(*file, lists.front().size, path_ + lists.front().name);
    } catch (const platform::FileError&) {
      readError = std::current_exception();
    }
  }
  const bool usable =
      !lists.empty() && !readError && !IsBlank(bytes) && bytes.find('\0') == std::string::npos;
  if (!usable && part.kind == platform::EntryKind::kFile && songNoOf_) {
    std::string partBytes;
    try {
      auto file = vod_->OpenForRead(part.name);
      partBytes = platform::ReadWhole(*file, part.size, path_ + part.name);
    } catch (const platform::FileError&) {
      partBytes.clear();  // a part that cannot be read is no list
    }
    TVodText partText = DecodeVodText(partBytes);
    if (IsCompleteList(partBytes, partText, contents_.dats, songNoOf_)) {
      contents_.hasVodTxt = true;
      contents_.fromPart = true;
      contents_.partName = part.name;
      contents_.listBytes = std::move(partBytes);
      contents_.vod = std::move(partText);
      return;
    }
  }
  if (readError) std::rethrow_exception(readError);
  if (lists.empty()) return;
  contents_.hasVodTxt = true;
  contents_.vod = DecodeVodText(bytes);
  contents_.listBytes = std::move(bytes);
}

bool TTargetDir::IsCompleteList(std::string_view bytes, const TVodText& vod,
                                const std::map<std::string, platform::FolderEntry>& dats,
                                const TSongNoOf& songNoOf) {
  if (bytes.empty() || (bytes.back() != '\n' && bytes.back() != '\r')) return false;
  if (bytes.find('\0') != std::string_view::npos) return false;
  int songs = 0;
  for (std::size_t i = 0; i < vod.lines.size(); ++i) {
    if (IsBlank(vod.lines[i])) continue;
    const std::string number = SongNumberOfLine(vod, i, songNoOf);
    if (number.empty()) continue;  // a line kept as it was: it names no file
    if (dats.count(number) == 0) return false;
    ++songs;
  }
  return songs > 0;
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

std::string TTargetDir::VolumeId() {
  if (vod_) return vod_->VolumeId();
  if (base_) return base_->VolumeId();
  return "";
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
    contents_ = {};
    contents_.exists = true;
    ReadContents();
    if (wasMissing && (contents_.hasVodTxt || !contents_.dats.empty())) {
      throw TTargetRefused(msg::TargetChanged(path_));
    }
  }
  if (contents_.fromPart && !contents_.partName.empty()) {
    // The list a stopped run left under its temporary name goes in place.
    vod_->Rename(contents_.partName, contents_.listName);
    vod_->Sync();
    contents_.partName.clear();
  }
  for (const platform::FolderEntry& entry : vod_->List()) {
    if (TReplacingFile::IsTemporaryName(entry.name)) vod_->Remove(entry.name);
  }
  return *vod_;
}
