// The song list's texts for the user, in GBK. Written once here.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace msg {
const std::string& Incomplete();         // a song lacks a mandatory field
const std::string& UsbDirFailed();       // vod folder cannot be made on the USB disk
const std::string& FindUsbCaption();     // caption: looking for the USB disk
const std::string& NoUsbDisk();          // no USB disk found
const std::string& SaveFailedCaption();  // caption: saving vod.txt failed
const std::string& BadSongDirs();        // no source or target folder
const std::string& DiskTooSmall();       // not enough room on the target
const std::string& CopyCancelled();      // the user stopped the copy

// The target folder (path as given) ...
std::string TargetIsLink(const std::string& path);    // ... or a folder on its way is a link
std::string NotAFolder(const std::string& path);      // ... is a file, not a folder
std::string TargetBusy(const std::string& path);      // ... is being written by another run
std::string VodTxtNotAFile(const std::string& path);  // ... holds a vod.txt that is no file
std::string TargetChanged(const std::string& path);   // ... was written by another run meanwhile
// A song (number, title) read back from a vod.txt that has no video file and
// whose .dat file is not in the target folder either.
std::string NoVideoFile(const std::string& number, const std::string& title);
// A song (number and title) whose video is larger than the target's file
// system takes (the largest file as formatted for people).
std::string TooLargeForVolume(const std::string& song, const std::string& largest);
// A song (number and title) whose vod.txt line is longer (bytes) than the
// jukebox reads (most).
std::string LineTooLong(const std::string& song, std::size_t bytes, std::size_t most);
// Files a run wrote came back from the disk other than written: the songs
// (number and title) whose file differs, whether vod.txt does, the first
// read error ("" none). Tells that the stick may be counterfeit or failing.
std::string ReadBackFailed(const std::vector<std::string>& songs, bool vodDiffers,
                           const std::string& readError);
const std::string& ReadBackFailedCaption();
// The target's file system cannot make as many files as the run needs.
std::string TooFewEntries(std::int64_t needed, std::int64_t free);

// The text of an error for a message box. Every error of the program carries
// GBK text (TUserError, platform::FileError, ...), shown as it is; bytes that
// are not GBK are shown as \xNN.
std::string TextOf(const std::exception& error);
}  // namespace msg
