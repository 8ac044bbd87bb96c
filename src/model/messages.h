// SPDX-License-Identifier: GPL-3.0-or-later
// The song list's texts for the user, in GBK. Written once here.
#pragma once

#include <cstddef>
#include <string>

#include "run/messages.h"

namespace msg {
const std::string& Incomplete();         // a song lacks a mandatory field
const std::string& UsbDirFailed();       // vod folder cannot be made on the USB disk
const std::string& FindUsbCaption();     // caption: looking for the USB disk
const std::string& NoUsbDisk();          // no USB disk found
const std::string& SaveFailedCaption();  // caption: saving vod.txt failed

// A song (number and title) whose vod.txt line is longer (bytes) than the
// jukebox reads (most).
std::string LineTooLong(const std::string& song, std::size_t bytes, std::size_t most);
}  // namespace msg
