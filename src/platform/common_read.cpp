// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>

#include "platform/env.h"

namespace platform {

std::string ReadWhole(SequentialFile& file, std::int64_t size, const std::string& path) {
  auto tooLarge = [&] {
    return FileError(EFBIG, "cannot read " + QuotedPath(path) + ", larger than " +
                                std::to_string(kMaxTextFileBytes >> 10) + " KiB");
  };
  if (size > kMaxTextFileBytes) throw tooLarge();
  std::string bytes;
  if (size > 0) bytes.reserve(static_cast<std::size_t>(size));
  char buffer[65536];
  while (const std::size_t n = file.Read(buffer, sizeof buffer)) {
    // The size was looked at before; a file that grows meanwhile is cut off here.
    if (static_cast<std::int64_t>(bytes.size() + n) > kMaxTextFileBytes) throw tooLarge();
    bytes.append(buffer, n);
  }
  return bytes;
}

std::string ReadWholeFile(Env& env, const std::string& path) {
  auto file = env.OpenForRead(path);
  return ReadWhole(*file, env.FileSize(path), path);
}

}  // namespace platform
