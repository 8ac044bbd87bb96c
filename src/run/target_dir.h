// SPDX-License-Identifier: GPL-3.0-or-later
// The target of a run: the "vod" folder on the USB disk or in the folder the
// user chose. From the moment a run looks at it to the run's end the target
// is held open (platform::Folder) and locked, so every write lands in the
// folder the run looked at: a stick pulled half way fails the run instead of
// writing onto the disk under its mount point, no link on the stick
// redirects a write, and no second run writes there meanwhile.
//
// Names are matched as FAT matches them, without regard to ASCII case: a
// stick written by another tool holds VOD\VOD.TXT and 660000.DAT, and the
// run uses that folder and that list and writes under the names it found,
// so the stick ends with one list and one folder.
//
// Looking changes nothing on the target; only Make() does.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/env.h"
#include "run/vod_text.h"

// The vod folder of a run into folder (a chosen folder, or a volume's root):
// folder + "vod" + separator, a separator put between where missing.
std::string VodFolderIn(const std::string& folder, char separator);
// The vod folder of the USB disk: that of the first USB volume
// (platform::Env::UsbVolumes); "" when none is mounted. Nothing is made.
std::string UsbVodFolder(platform::Env& env);
// Where a file dialog for the stick starts: the USB disk's vod folder as it
// is spelled there when it exists, else the disk's root; "" without a USB
// disk. Looks only.
std::string UsbFolderToOpen(platform::Env& env);
// Whether folder is itself a stick's vod folder: named "vod" (any case) and
// holding a list or a song file (any case). Looks only; false when it
// cannot be read.
bool IsVodFolder(platform::Env& env, const std::string& folder);

class TTargetDir {
 public:
  // The song number ("660001") a line of the list names, "" when the line is
  // no song of the product line.
  using TSongNoOf = std::function<std::string(const std::string& line)>;

  // The list's own name and that of its temporary file.
  static constexpr const char* kListName = "vod.txt";
  static constexpr const char* kPartName = "vod.txt.part";

  // path: the vod folder, ending with a separator. songNoOf: how the
  // product line reads a line (none: a list is never taken from a .part).
  TTargetDir(platform::Env& env, std::string path, TSongNoOf songNoOf = nullptr);
  TTargetDir(const TTargetDir&) = delete;
  TTargetDir& operator=(const TTargetDir&) = delete;

  // The vod folder's path, spelled as the target holds it once Inspect found
  // it ("/media/usb/VOD/"); ending with a separator.
  const std::string& Path() const { return path_; }

  // What the target held when the run looked at it.
  struct TContents {
    bool exists = false;     // the vod folder exists
    bool hasVodTxt = false;  // and holds a list: its vod.txt, or the .part taken for it
    // The list's name there (any case), "vod.txt" when it has none.
    std::string listName = kListName;
    std::string listBytes;  // the list's bytes as the target holds them
    TVodText vod;           // the list as its writer wrote it
    // The vod.txt was missing, empty or unreadable and the complete list a
    // stopped run left under its temporary name (partName) is the list:
    // Make() puts it in place.
    bool fromPart = false;
    std::string partName;
    // The song files: "660001" -> the entry (its name in the case it has).
    std::map<std::string, platform::FolderEntry> dats;
    std::vector<std::string> datNumbers;  // the keys of dats, sorted
  };

  // Looks at the target without changing anything: holds the nearest folder
  // on the way that exists and, when the vod folder exists, the vod folder
  // itself, locked; reads its list and the names of its song files. Throws
  // TUserError when a folder on the way is a link, when the list or a song
  // file (under any case) is not a regular file, when the list or a song
  // file is there twice in different cases, when another run is writing
  // there; platform::FileError when the target cannot be read.
  void Inspect();
  const TContents& Contents() const { return contents_; }

  // The name number's song file has on the target, number + ".dat" when it
  // has none.
  std::string DatName(const std::string& number) const;

  // The room on the target's volume (platform::VolumeRoom); all -1 before
  // Inspect.
  platform::VolumeRoom Room();
  // Whether the vod folder must still be made.
  bool MissingFolder() const { return !contents_.exists; }
  // The volume's lasting name (platform::Folder::VolumeId), "" unknown, and
  // its root (platform::Env::VolumeOf), "" unknown.
  std::string VolumeId();
  std::string VolumeRoot() { return env_.VolumeOf(path_); }
  // The vod folder held since Inspect, null while it does not exist: for
  // reading only (Make() gives it for writing).
  platform::Folder* Held() const { return vod_.get(); }

  // Makes the vod folder where it is missing (with the folders on the way),
  // holds and locks it, puts a list taken from its .part in place, and
  // removes whatever a killed run left under a temporary name (without
  // following or opening it). Throws TUserError when another run has the
  // folder or wrote into it since Inspect (nothing is written then),
  // platform::FileError when it cannot be made.
  platform::Folder& Make();

  // Throws platform::FileError (ENODEV) once the folder the run holds is no
  // longer where its path leads: its disk was pulled out (and what is
  // written into it now is lost) or something took its place.
  void CheckStillThere();

  // True for "66NNNN.dat" (any case): a song's file on the target.
  static bool IsSongFileName(const std::string& name);

  // Whether bytes (the text vod) are a whole list that can stand for the
  // target's: they end with a line break, hold no NUL byte and at least one
  // song, and every song line names a song file the target holds (dats).
  static bool IsCompleteList(std::string_view bytes, const TVodText& vod,
                             const std::map<std::string, platform::FolderEntry>& dats,
                             const TSongNoOf& songNoOf);

 private:
  void Hold(std::unique_ptr<platform::Folder> vod);
  void ReadContents();

  platform::Env& env_;
  std::string path_;
  TSongNoOf songNoOf_;
  std::unique_ptr<platform::Folder> base_;  // the nearest existing folder on the way
  std::vector<std::string> missing_;        // the names from base_ down to the vod folder
  std::unique_ptr<platform::Folder> vod_;   // the vod folder once it exists, locked
  TContents contents_;
};
