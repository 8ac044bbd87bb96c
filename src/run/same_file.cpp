// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/same_file.h"

#include <vector>

#include "run/checksum.h"
#include "run/list_file.h"

namespace {
constexpr std::size_t kReadChunk = std::size_t{1} << 20;

// The checksum of the whole file, when it holds exactly size bytes.
bool SumOfWhole(platform::SequentialFile& file, std::int64_t size, std::uint64_t& sum) {
  std::vector<char> buffer(kReadChunk);
  TChecksum check;
  while (const std::size_t n = file.Read(buffer.data(), buffer.size())) {
    check.Update(buffer.data(), n);
    if (check.Length() > static_cast<std::uint64_t>(size)) return false;
  }
  sum = check.Value();
  return check.Length() == static_cast<std::uint64_t>(size);
}
}  // namespace

bool SameSongFile(platform::Env& env, const TTargetDir& target, const std::string& number,
                  const std::string& video) {
  const auto dat = target.Contents().dats.find(number);
  platform::Folder* folder = target.Held();
  if (dat == target.Contents().dats.end() || folder == nullptr || video.empty()) return false;
  const std::int64_t size = env.FileSize(video);
  if (size < 0 || size != dat->second.size) return false;
  try {
    std::uint64_t sum = 0;
    return SumOfWhole(*env.OpenForRead(video), size, sum) &&
           ReadsBackAs(*folder, dat->second.name, size, sum);
  } catch (const platform::FileError&) {
    return false;
  }
}
