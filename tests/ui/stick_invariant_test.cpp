// SPDX-License-Identifier: GPL-3.0-or-later
// The check of a stick's list (tests/support/stick_invariant.h) finds every
// line whose .dat is not its song, takes a complete .part where the list is
// missing, matches names in any case, and misses no kept song.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "formats/product_lines.h"
#include "support/stick_invariant.h"
#include "support/temp_dir.h"

namespace {

std::string Line(const char* title, const char* number) {
  return std::string(title) + ";x;1;" + title + ";" + number + ";2;1;8;1;1";
}

TEST(StickInvariant, EveryLineWhoseDatIsNotItsSongIsToldAndEveryKeptSongMissing) {
  const std::string a = Line("a", "660000");
  const std::string b = Line("b", "660001");
  const struct {
    const char* what;
    std::map<std::string, std::string> files;  // in the vod folder
    std::vector<std::string> kept;
    std::vector<std::string> breaches;  // each a part of one breach told, in order
  } cases[] = {
      {"holds",
       {{"vod.txt", a + "\r\n" + b + "\r\n"}, {"660000.dat", "AAAA"}, {"660001.dat", "BBBB"}},
       {a, b},
       {}},
      {"names in upper case", {{"VOD.TXT", a + "\r\n"}, {"660000.DAT", "AAAA"}}, {a}, {}},
      {"blank lines do not count",
       {{"vod.txt", "\r\n" + a + "\r\n  \r\n"}, {"660000.dat", "AAAA"}},
       {a, "  "},
       {}},
      {"a song numbered anew is still that song",
       {{"vod.txt", Line("a", "660005") + "\r\n"}, {"660005.dat", "AAAA"}},
       {},
       {}},
      {"a .dat missing",
       {{"vod.txt", a + "\r\n" + b + "\r\n"}, {"660000.dat", "AAAA"}},
       {},
       {"vod.txt line 2 \"" + b + "\" names 660001.dat, which is not on the stick"}},
      {"another song's video",
       {{"vod.txt", a + "\r\n"}, {"660000.dat", "BBBB"}},
       {},
       {"vod.txt line 1 \"" + a + "\": 660000.dat holds other bytes", "the video of \"" + b}},
      {"a video cut short",
       {{"vod.txt", a + "\r\n"}, {"660000.dat", "AA"}},
       {},
       {"only its first 2 bytes"}},
      {"a line of no song the stick may list",
       {{"vod.txt", Line("z", "660000") + "\r\n"}, {"660000.dat", "AAAA"}},
       {},
       {"is no song a run onto this stick may list"}},
      {"a kept song no longer listed",
       {{"vod.txt", a + "\r\n"}, {"660000.dat", "AAAA"}, {"660001.dat", "BBBB"}},
       {a, b},
       {"the kept song \"" + b + "\" is no longer listed in vod.txt"}},
      {"two lists side by side",
       {{"vod.txt", a + "\r\n"}, {"VOD.TXT", a + "\r\n"}, {"660000.dat", "AAAA"}},
       {},
       {"2 lists side by side: VOD.TXT vod.txt"}},
      {"a complete .part is the list where vod.txt is missing",
       {{"vod.txt.part", a + "\r\n" + b + "\r\n"}, {"660000.dat", "AAAA"}, {"660001.dat", "AAAA"}},
       {a, b},
       {"vod.txt.part line 2"}},
      {"and where vod.txt is empty, in any case",
       {{"vod.txt", ""}, {"VOD.TXT.PART", a + "\r\n"}, {"660000.dat", "AAAA"}},
       {a},
       {}},
      {"a .part without its last line break is no list",
       {{"vod.txt.part", a + "\r\n" + b}, {"660000.dat", "AAAA"}, {"660001.dat", "BBBB"}},
       {a},
       {"the kept song \"" + a + "\" is no longer listed (the stick has no list)"}},
      {"a .part naming a missing .dat is no list",
       {{"vod.txt.part", a + "\r\n" + b + "\r\n"}, {"660000.dat", "AAAA"}},
       {a},
       {"no longer listed (the stick has no list)"}},
  };
  std::shared_ptr<TBaseSong> oru{FindProductLine(kProductOru)->create(nullptr)};
  StickSongs songs([oru](const std::string& line) { return oru->SongNoOf(line); });
  songs.Add(a, "AAAA");
  songs.Add(b, "BBBB");
  for (const auto& c : cases) {
#ifdef _WIN32
    // vod.txt and VOD.TXT are one file there, as on FAT.
    if (std::string(c.what) == "two lists side by side") continue;
#endif
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "vod");
    for (const auto& [name, bytes] : c.files) dir.Write("vod/" + name, bytes);
    const std::vector<std::string> told = CheckStick(dir.path() / "vod", songs, c.kept);
    std::string all;
    for (const std::string& t : told) all += "\n  " + t;
    ASSERT_EQ(told.size(), c.breaches.empty() ? 0u : 1u) << c.what << all;
    for (const std::string& part : c.breaches) {
      EXPECT_NE(told.front().find(part), std::string::npos) << c.what << ": " << part << all;
    }
  }
}

}  // namespace
