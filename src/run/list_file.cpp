// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/list_file.h"

#include <vector>

#include "run/checksum.h"
#include "run/errors.h"
#include "run/messages.h"
#include "run/replacing_file.h"

namespace {
// What a stick serves fastest: a whole megabyte a read.
constexpr std::size_t kReadChunk = std::size_t{1} << 20;
}  // namespace

bool ReadsBackAs(platform::Folder& folder, const std::string& name, std::int64_t size,
                 std::uint64_t sum, const std::function<void(std::int64_t)>& onPiece) {
  std::vector<char> buffer(kReadChunk);
  auto file = folder.OpenForRead(name, true);
  TChecksum check;
  std::int64_t position = 0;
  while (const std::size_t n = file->Read(buffer.data(), buffer.size())) {
    check.Update(buffer.data(), n);
    position += static_cast<std::int64_t>(n);
    if (onPiece) onPiece(position);
  }
  return position == size && check.Value() == sum;
}

void WriteCheckedList(platform::Folder& folder, const std::string& name, const std::string& bytes,
                      bool verify, bool& replaced) {
  replaced = false;
  const std::uint64_t sum = TChecksum::Of(bytes);
  const auto size = static_cast<std::int64_t>(bytes.size());
  auto readsBack = [&](const std::string& as) {
    try {
      return ReadsBackAs(folder, as, size, sum);
    } catch (const platform::FileError& error) {
      throw TReadBackFailed(msg::ListUnreadable(name, error.what(), replaced), false);
    }
  };
  TReplacingFile file(folder, name);
  file.Append(bytes.data(), bytes.size());
  file.Finish();
  // The old list goes only for one the device gave back as written.
  if (verify && !readsBack(file.TemporaryName())) {
    throw TReadBackFailed(msg::ListDiffers(name, false), true);
  }
  file.Commit();
  replaced = true;
  if (verify && !readsBack(name)) throw TReadBackFailed(msg::ListDiffers(name, true), true);
}
