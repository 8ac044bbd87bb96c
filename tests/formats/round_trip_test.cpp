// SPDX-License-Identifier: GPL-3.0-or-later
// A vod.txt loaded and saved again gives the bytes it was loaded from.
#include <gtest/gtest.h>

#include <string>

#include "formats/product_lines.h"
#include "support/fake_window.h"
#include "support/temp_dir.h"
#include "text/gbk.h"

namespace {

TEST(RoundTrip, LoadingAVodTxtAndSavingTheSameSongsGivesTheSameBytes) {
  const struct {
    std::uint8_t product;
    const char* fixture;
    int songs;
    const char8_t* firstTitle;
  } cases[] = {
      {kProductOru, "oru_vod.txt", 2, u8"海风"},
      {kProductTarvel, "tarvel_vod.txt", 1, u8"海风"},
      {kProductMirel, "mirel_vod.txt", 1, u8"小河"},
      {kProductDovan, "dovan_vod.txt", 1, u8"小河"},  // UTF-8 behind a byte-order mark
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string fixture = std::string(ADDSONGS_FIXTURES_DIR "/") + c.fixture;
    FakeWindow window;
    auto list = FindProductLine(c.product)->create(nullptr);
    list->FHandle = &window;
    list->LoadVodFile([&] { return fixture; });
    ASSERT_EQ(list->FCount, c.songs) << c.fixture;
    EXPECT_EQ(list->GetSong(0)->SongName, Gbk(c.firstTitle)) << c.fixture;

    ASSERT_EQ(list->PrepareTarget(false, [&] { return dir.Gbk(); }).result, 0) << c.fixture;
    EXPECT_TRUE(window.boxes.empty()) << c.fixture;
    list->SaveLines(list->FLines, dir.Gbk() + "vod.txt");
    EXPECT_EQ(TempDir::Read(dir.path() / "vod.txt"), TempDir::Read(fixture)) << c.fixture;
  }
}

TEST(RoundTrip, LinesThatAreNotGbkTextAreRefusedAndTheOthersLoadAndSaveAgain) {
  const std::string good = Gbk(u8"小河;歌手甲;2;XH;38;660001;1;1;0;1;5;3;1");
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"UTF-8 with no GBK form", "\xEF\xBB\xBF" + gbk::ToUtf8(good) +
                                     "\r\n\xF0\x9F\x8E\xA4;a;2;XH;38;660002;1;1;0;1;5;3;1\r\n"},
      {"GBK bytes of no character", good + "\r\n\xFF\xB0;a;2;XH;38;660002;1;1;0;1;5;3;1\r\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const auto file = dir.Write("vod.txt", c.bytes);
    auto list = FindProductLine(kProductDovan)->create(nullptr);
    EXPECT_EQ(list->LoadVodFile([&] { return file.string(); }), 6) << c.what;
    EXPECT_EQ(list->FCount, 1) << c.what;
    ASSERT_EQ(list->FLoaded.unread.size(), 1u) << c.what;
    EXPECT_EQ(list->FLoaded.unread[0].why, TBaseSong::TUnreadLine::Why::kNotGbk) << c.what;
    EXPECT_EQ(list->FLoaded.unread[0].number, 2) << c.what;
    list->FLines.clear();
    list->BuildLines();
    EXPECT_NO_THROW(list->SaveLines(list->FLines, dir.Gbk() + "again.txt")) << c.what;
  }
}

}  // namespace
