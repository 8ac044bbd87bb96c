// The target of a run: the "vod" folder on the USB disk or in the folder the
// user chose. From the moment a run looks at it to the run's end the target
// is held open (platform::Folder) and locked, so every write lands in the
// folder the run looked at: a stick pulled half way fails the run instead of
// writing onto the disk under its mount point, no link on the stick
// redirects a write, and no second run writes there meanwhile.
//
// Looking changes nothing on the target; only Make() does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/vod_text.h"
#include "platform/env.h"

class TTargetDir {
 public:
  // path: the vod folder, ending with a separator.
  TTargetDir(platform::Env& env, std::string path);
  TTargetDir(const TTargetDir&) = delete;
  TTargetDir& operator=(const TTargetDir&) = delete;

  const std::string& Path() const { return path_; }

  // What the target held when the run looked at it.
  struct TContents {
    bool exists = false;                  // the vod folder exists
    bool hasVodTxt = false;               // and holds a vod.txt
    TVodText vod;                         // that vod.txt as its writer wrote it
    std::vector<std::string> datNumbers;  // "66NNNN" of its songs' .dat files, sorted
  };

  // Looks at the target without changing anything: holds the nearest folder
  // on the way that exists and, when the vod folder exists, the vod folder
  // itself, locked; reads its vod.txt and the names of its .dat files.
  // Throws TUserError when a folder on the way is a link, when vod.txt or
  // the vod folder is not what its name says, when another run is writing
  // there; platform::FileError when the target cannot be read.
  void Inspect();
  const TContents& Contents() const { return contents_; }

  // The room on the target's volume (platform::VolumeRoom); all -1 before
  // Inspect.
  platform::VolumeRoom Room();
  // Whether the vod folder and vod.txt must still be made (file entries the
  // run takes beyond its songs' files).
  bool MissingFolder() const { return !contents_.exists; }

  // Makes the vod folder where it is missing (with the folders on the way),
  // holds and locks it, and removes whatever a killed run left under a
  // temporary name (without following or opening it). Throws TUserError when
  // another run has the folder or wrote into it since Inspect (nothing is
  // written then), platform::FileError when it cannot be made.
  platform::Folder& Make();

  // Throws platform::FileError (ENODEV) once the folder the run holds is no
  // longer where its path leads: its disk was pulled out (and what is
  // written into it now is lost) or something took its place.
  void CheckStillThere();

  // True for "66NNNN.dat" (any case of ".dat"): a song's file on the target.
  static bool IsSongFileName(const std::string& name);

 private:
  void Hold(std::unique_ptr<platform::Folder> vod);
  void ReadContents();

  platform::Env& env_;
  std::string path_;
  std::unique_ptr<platform::Folder> base_;  // the nearest existing folder on the way
  std::vector<std::string> missing_;        // the names from base_ down to the vod folder
  std::unique_ptr<platform::Folder> vod_;   // the vod folder once it exists, locked
  TContents contents_;
};
