// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a stick's list so that it never stands there other than whole and
// as the device keeps it: under a temporary name, flushed, read back from
// the device, only then renamed over the old list, and read back once more.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/env.h"

// Whether the file under name in folder, read from the device (not the
// system's cache) in pieces of a megabyte through one buffer, holds size
// bytes of checksum sum (TChecksum). onPiece is told the bytes read so far
// after each piece (it may throw to stop). Throws platform::FileError when
// the file cannot be read.
bool ReadsBackAs(platform::Folder& folder, const std::string& name, std::int64_t size,
                 std::uint64_t sum, const std::function<void(std::int64_t)>& onPiece = nullptr);

// Replaces the list name in folder with bytes (see above; verify: read
// back). Throws TReadBackFailed when the device gives it back other than
// written (differ) or cannot be read (the old list stays when that happens
// before the rename), platform::FileError when it cannot be written.
// replaced: set once the new list took the old one's place.
void WriteCheckedList(platform::Folder& folder, const std::string& name, const std::string& bytes,
                      bool verify, bool& replaced);
