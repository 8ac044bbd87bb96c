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

// The text of an error for a message box: a TUserError's own GBK text, else
// the error's (UTF-8) description turned into GBK as far as it goes.
std::string TextOf(const std::exception& error);
}  // namespace msg
