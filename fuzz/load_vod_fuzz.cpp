// SPDX-License-Identifier: GPL-3.0-or-later
// LoadVodFile of every product line on any file, then the songs it loaded
// written again: BuildLines and SaveLines (into memory, see memory_env.h).
//
// The list takes exactly the lines its parser accepts (at most 100, the rest
// counted), and a list that could be built is written and reads back to the
// same songs.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/product_lines.h"
#include "formats/uclsDovan.h"
#include "fuzz_check.h"
#include "memory_env.h"
#include "model/errors.h"
#include "run/vod_text.h"
#include "text/gbk.h"

namespace {

const std::string kInput = "in/vod.txt";
const std::string kOutput = "out/vod.txt";

// LoadVodFile's counts, worked out line by line from the decoded text.
void CheckCounts(const TProductLineInfo& info, const TVodText& vod, const TBaseSong& list,
                 std::uint8_t result) {
  using Why = TBaseSong::TUnreadLine::Why;
  int accepted = 0;
  std::vector<Why> unread;  // what the loader must tell, in line order
  for (std::size_t i = 0; i < vod.lines.size(); ++i) {
    const std::string& line = vod.lines[i];
    if (IsBlank(line)) continue;
    const std::string inner = Trim(line);
    const bool control = std::any_of(inner.begin(), inner.end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (accepted >= kSongSlots) {
      unread.push_back(Why::kNoSlot);
    } else if (!vod.IsGbk(i)) {
      unread.push_back(Why::kNotGbk);
    } else if (control) {
      unread.push_back(Why::kControl);
    } else if (info.check(line).Code() == 0) {
      ++accepted;
    } else {
      unread.push_back(Why::kRefused);
    }
  }
  FUZZ_CHECK(list.FCount == accepted);
  FUZZ_CHECK(list.FLoaded.unread.size() == unread.size());
  for (std::size_t i = 0; i < unread.size(); ++i)
    FUZZ_CHECK(list.FLoaded.unread[i].why == unread[i]);
  FUZZ_CHECK(result == 0 || result == 6);
  if (vod.lines.empty()) FUZZ_CHECK(result == 0);
}

// True when writing the lines again may give other songs by design: a GBK
// file that begins with the bytes of the UTF-8 mark does not read back as
// it was written.
bool WrittenDifferently(const TProductLineInfo& info, const std::string& saved) {
  return info.code != kProductDovan && saved.starts_with("\xEF\xBB\xBF");
}

void CheckLoadAndSave(const TProductLineInfo& info, const std::string& bytes, const TVodText& vod) {
  fuzz::MemoryEnv env;
  env.files[kInput] = bytes;
  auto list = info.create(&env);
  const std::uint8_t result = list->LoadVodFile([] { return kInput; });
  CheckCounts(info, vod, *list, result);

  list->FLines.clear();  // LoadVodFile leaves the file's lines there
  try {
    list->BuildLines();
  } catch (const TUserError&) {
    return;  // a song with a blank mandatory field is not written
  }
  FUZZ_CHECK(static_cast<int>(list->FLines.size()) == list->FCount);
  // Only GBK text was loaded, so every product line can write it again.
  list->SaveLines(list->FLines, kOutput);
  FUZZ_CHECK(env.files.size() == 2 && env.files[kInput] == bytes);  // no temporary left
  const std::string saved = env.files[kOutput];
  if (WrittenDifferently(info, saved)) return;

  env.files[kInput] = saved;
  auto again = info.create(&env);
  FUZZ_CHECK(again->LoadVodFile([] { return kInput; }) == 0);
  FUZZ_CHECK(again->FCount == list->FCount);
  again->FLines.clear();  // LoadVodFile leaves the file's lines there
  again->BuildLines();
  FUZZ_CHECK(again->FLines == list->FLines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const TVodText vod = DecodeVodText(bytes);
  for (const auto& info : ProductLines()) CheckLoadAndSave(info, bytes, vod);
  return 0;
}
