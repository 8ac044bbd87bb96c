// The song list's texts for the user, in GBK. Written once here.
#pragma once

#include <exception>
#include <string>

namespace msg {
const std::string& Incomplete();         // a song lacks a mandatory field
const std::string& UsbDirFailed();       // vod folder cannot be made on the USB disk
const std::string& FindUsbCaption();     // caption: looking for the USB disk
const std::string& NoUsbDisk();          // no USB disk found
const std::string& SaveFailedCaption();  // caption: saving vod.txt failed
const std::string& BadSongDirs();        // no source or target folder
const std::string& DiskTooSmall();       // not enough room on the target
const std::string& CopyCancelled();      // the user stopped the copy

// The text of an error for a message box. Every error of the program carries
// GBK text (TUserError, platform::FileError, ...), shown as it is; bytes that
// are not GBK are shown as \xNN.
std::string TextOf(const std::exception& error);
}  // namespace msg
