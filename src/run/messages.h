// SPDX-License-Identifier: GPL-3.0-or-later
// The texts a run on its target shows the owner, in GBK. Written once here.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace msg {
const std::string& BadSongDirs();      // no source or target folder
const std::string& DiskTooSmall();     // not enough room on the target
const std::string& CopyCancelled();    // the user stopped the copy
const std::string& VideoUnreadable();  // a video file (on this computer) cannot be read whole

// The target folder (path as given) ...
std::string TargetIsLink(const std::string& path);  // ... or a folder on its way is a link
std::string NotAFolder(const std::string& path);    // ... is a file, not a folder
std::string TargetBusy(const std::string& path);    // ... is being written by another run
// ... holds its list or a song file (name, in the case it has there) that is
// no regular file (a folder, a link, a device)
std::string VodTxtNotAFile(const std::string& path, const std::string& name);
std::string SongFileNotAFile(const std::string& path, const std::string& name);
// ... holds one name twice, in different cases (a, b): FAT, which the
// jukebox reads, cannot tell them apart
std::string NameTwice(const std::string& path, const std::string& a, const std::string& b);
std::string TargetChanged(const std::string& path);  // ... was written by another run meanwhile
// A song (number, title) read back from a vod.txt that has no video file and
// whose .dat file is not in the target folder either.
std::string NoVideoFile(const std::string& number, const std::string& title);
// A song (number and title) whose video is larger than the target's file
// system takes (the largest file as formatted for people).
std::string TooLargeForVolume(const std::string& song, const std::string& largest);
// Song files a run wrote came back from the stick with other bytes: the songs
// (number and title); whether the list lost the songs new ones replace.
// Tells that the stick may be counterfeit or failing, and that the list did
// not take the new songs.
std::string ReadBackDiffers(const std::vector<std::string>& songs, bool listShortened);
// The list (its name) came back from the stick other than written, before
// it took the old list's place or after.
std::string ListDiffers(const std::string& name, bool afterRename);
// The list (its name) could not be read back (the system's error), before it
// took the old list's place or after.
std::string ListUnreadable(const std::string& name, const std::string& error, bool afterRename);
// The read-back could not read the stick (it was pulled out or reports
// errors): the system's error, the songs read back right and those that
// could not be read. Not a sign of a counterfeit stick.
std::string ReadBackUnreadable(const std::string& error, const std::vector<std::string>& verified,
                               const std::vector<std::string>& unreadable);
const std::string& ReadBackFailedCaption();
const std::string& StickGoneCaption();
// The copy of the target's list could not be kept on this computer (the
// reason): the run writes nothing.
std::string ListCopyFailed(const std::string& reason);
// The target's file system cannot make as many files as the run needs.
std::string TooFewEntries(std::int64_t needed, std::int64_t free);

// The text of an error for a message box. Every error of the program carries
// GBK text (TUserError, platform::FileError, ...), shown as it is; bytes that
// are not GBK are shown as \xNN.
std::string TextOf(const std::exception& error);
}  // namespace msg
