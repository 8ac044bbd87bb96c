// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <system_error>

#include "model/errors.h"
#include "model/uclsSong.h"
#include "support/fake_window.h"
#include "support/temp_dir.h"
#include "support/test_env.h"
#include "test_song.h"
#include "text/gbk.h"

namespace fs = std::filesystem;

namespace {

using TEnd = TRunOutcome::TEnd;

std::size_t EntriesIn(const fs::path& dir) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

struct Target : ::testing::Test {
  TempDir dir;
  TestEnv env;
  FakeWindow window;
  TestSong list{&env};
  Target() { list.FHandle = &window; }

  // A song whose video file of the given size lies in src/.
  TestData Video(const std::string& no, std::size_t size, char fill = 'v') {
    TestData d = Song("t" + no);
    d.SongNo = no;
    d.VideoFile = dir.Write("src/" + no + ".mpg", std::string(size, fill)).string();
    return d;
  }
  void Add(const TestData& d) { list.PutSong(&d); }
};

// ---- Finding the USB disk ----

TEST_F(Target, UsbDiskIsTheFirstRemovableVolumeAndNothingIsMadeThereYet) {
  env.volumes = {dir.Gbk() + "E/", dir.Gbk() + "G/"};
  EXPECT_EQ(list.FindUsbVodDir(), dir.Gbk() + "E/vod" + env.PathSeparator());
  EXPECT_FALSE(fs::exists(dir.path() / "E"));
  env.volumes.clear();
  EXPECT_EQ(list.FindUsbVodDir(), "");
}

TEST_F(Target, AVodFolderThatCannotBeMadeFailsTheCopyWithItsReasonInChinese) {
  env.volumes = {dir.Gbk()};
  env.failCreateDirs = true;
  Add(Video("660001", 10));
  list.FSourceDir = dir.Gbk() + "src/";
  ASSERT_EQ(list.PrepareTarget(true, nullptr).result, 0);
  const TRunOutcome outcome = list.CopyToTarget();
  EXPECT_EQ(outcome.end, TEnd::kStopped);
  EXPECT_EQ(outcome.message.rfind(Gbk(u8"U盘只读或写保护"), 0), 0u) << outcome.message;
  EXPECT_FALSE(fs::exists(dir.path() / "vod"));
}

// ---- Preparing the target and writing vod.txt ----

TEST_F(Target, WithoutUsbDiskTheFolderChoiceIsAskedAndNothingIsShown) {
  Add(Song("a"));
  int asked = 0;
  const auto chosen = dir.Gbk() + "chosen/";
  fs::create_directory(dir.path() / "chosen");
  EXPECT_EQ(list.PrepareTarget(true,
                               [&] {
                                 ++asked;
                                 return chosen;
                               })
                .result,
            0);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(window.boxes.empty()) << "the window tells, not the list";
  EXPECT_EQ(list.FTargetDir, chosen);
  EXPECT_EQ(list.FLines, TStringList{"a;e"});
  EXPECT_EQ(EntriesIn(dir.path() / "chosen"), 0u) << "vod.txt is written after the copy";
}

TEST_F(Target, CancelledFolderChoiceEndsWithOneAndWritesNothing) {
  Add(Song("a"));
  EXPECT_EQ(list.PrepareTarget(true, [] { return std::string(); }).result, 1);
  EXPECT_EQ(list.PrepareTarget(true, nullptr).result, 1);
  EXPECT_EQ(list.PrepareTarget(false, nullptr).result, 1);
  EXPECT_EQ(EntriesIn(dir.path()), 0u);
}

TEST_F(Target, ChosenFolderWinsOverAPresentUsbDiskWhenUsbIsNotWanted) {
  env.volumes = {dir.Gbk() + "usb/"};
  fs::create_directory(dir.path() / "usb");
  Add(Song("a"));
  EXPECT_EQ(list.PrepareTarget(false, [&] { return dir.Gbk(); }).result, 0);
  EXPECT_EQ(list.FTargetDir, dir.Gbk());
  EXPECT_FALSE(fs::exists(dir.path() / "usb" / "vod")) << "nothing is made on the disk not chosen";
}

TEST_F(Target, UsbDiskTargetGetsTheNewLinesReplacingTheOldFile) {
  env.volumes = {dir.Gbk()};
  dir.Write("vod/vod.txt", "old;line\r\nmore\r\n");
  Add(Video("660001", 10));
  Add(Video("660002", 20));
  list.FSourceDir = dir.Gbk() + "src/";
  list.FLines = {"stale"};
  EXPECT_EQ(list.PrepareTarget(true, nullptr).result, 0);
  EXPECT_EQ(list.FTargetDir, dir.Gbk() + "vod" + env.PathSeparator());
  EXPECT_EQ(TempDir::Read(dir.path() / "vod" / "vod.txt"), "old;line\r\nmore\r\n");
  EXPECT_EQ(list.CopyToTarget().end, TEnd::kDone);
  EXPECT_EQ(TempDir::Read(dir.path() / "vod" / "vod.txt"), "t660001;e\r\nt660002;e\r\n");
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(Target, IncompleteSongIsToldAndTheOldVodTxtSurvives) {
  dir.Write("vod.txt", "old\r\n");
  Add(Song("a"));
  Add(Song(" "));
  const auto prepared = list.PrepareTarget(false, [&] { return dir.path().string(); });
  EXPECT_EQ(prepared.result, 6);
  EXPECT_EQ(prepared.message, Gbk(u8"加歌信息不完整,不能有空项"));
  EXPECT_EQ(TempDir::Read(dir.path() / "vod.txt"), "old\r\n");
}

TEST_F(Target, VodTxtThatCannotBeWrittenIsAnErrorAndTheOldOneSurvives) {
  dir.Write("out/vod.txt", "old\r\n");
  Add(Song("a"));
  dir.Write("out/660001.dat", "kept");
  list.GetSong(0)->SongNo = "660001";
  list.FSourceDir = dir.Gbk();
  ASSERT_EQ(list.PrepareTarget(false, [&] { return dir.Gbk() + "out/"; }).result, 0);
  env.failSync = true;
  EXPECT_EQ(list.CopyToTarget().end, TEnd::kStopped);
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "vod.txt"), "old\r\n");
  EXPECT_EQ(EntriesIn(dir.path() / "out"), 2u);  // no temporary file left behind
}

TEST_F(Target, AMissingTargetIsMadeByTheCopyAndAnImpossibleOneRefusedBeforeIt) {
  Add(Video("660001", 10));
  list.FSourceDir = dir.Gbk() + "src/";
  const std::string deep = dir.Gbk() + "a/b/vod/";
  ASSERT_EQ(list.PrepareTarget(false, [&] { return deep; }).result, 0);
  EXPECT_FALSE(fs::exists(dir.path() / "a")) << "looking makes nothing";
  ASSERT_EQ(list.CopyToTarget().end, TEnd::kDone);
  EXPECT_TRUE(fs::exists(dir.path() / "a/b/vod/vod.txt"));

  dir.Write("file", "x");
  for (const std::string& target : {dir.Gbk() + "file/vod/", dir.Gbk() + "file/"}) {
    const auto prepared = list.PrepareTarget(false, [&] { return target; });
    EXPECT_EQ(prepared.result, 6) << target;
    EXPECT_NE(prepared.message.find('"' + dir.Gbk() + "file\""), std::string::npos) << target;
    EXPECT_NE(prepared.message.find(Gbk(u8"是一个文件，不是文件夹")), std::string::npos);
  }
}

// ---- Space check ----

TEST_F(Target, MissingSourceOrTargetFolderRefusesTheRun) {
  list.FTargetDir = dir.Gbk();
  TRunOutcome outcome = list.CopyToTarget();
  EXPECT_EQ(outcome.end, TEnd::kRefused);
  EXPECT_EQ(outcome.message, Gbk(u8"歌曲文件目录错误"));
  list.FSourceDir = dir.Gbk();
  list.FTargetDir.clear();
  EXPECT_EQ(list.CopyToTarget().end, TEnd::kRefused);
}

TEST_F(Target, NeedEqualToFreeIsEnoughAndOneByteMoreIsNot) {
  Add(Video("660001", 10));
  list.FSourceDir = dir.Gbk() + "src";
  list.FTargetDir = dir.Gbk();
  env.freeBytes = 5LL * 1073741824;
  env.volumeOf = "/media/usb/";
  list.FNeedSize = 5LL * 1073741824 + 1;
  const TRunOutcome low = list.CopyToTarget();
  EXPECT_EQ(low.end, TEnd::kLowSpace);
  EXPECT_EQ((std::vector<std::string>{low.drive, low.need, low.free}),
            (std::vector<std::string>{"/media/usb/", "5.00G", "5.00G"}));
  EXPECT_FALSE(fs::exists(dir.path() / "660001.dat"));
  EXPECT_EQ(list.FTargetDir, dir.Gbk());  // kept for another try

  list.FNeedSize = 5LL * 1073741824;
  EXPECT_EQ(list.CopyToTarget().end, TEnd::kDone);
  EXPECT_TRUE(fs::exists(dir.path() / "660001.dat"));
  EXPECT_EQ(list.FTargetDir, "");
  EXPECT_EQ(list.FSourceDir, dir.Gbk() + "src" + env.PathSeparator());
}

TEST_F(Target, EachFileTakesWholeBlocksOfTheTargetVolume) {
  // 1 + 4096 + 4097 bytes take 1 + 1 + 2 blocks of 4096 on the volume, and
  // vod.txt, written after them, one more.
  Add(Video("660001", 1));
  Add(Video("660002", 4096));
  Add(Video("660003", 4097));
  ASSERT_EQ(list.MakeLines().result, 0);
  list.FSourceDir = dir.Gbk() + "src/";
  env.blockSize = 4096;
  env.volumeOf = "/media/usb/";
  const struct {
    std::int64_t free;
    std::int64_t needSize;
    TEnd end;
  } cases[] = {
      {20479, 0, TEnd::kLowSpace},      // the sum of the sizes (8194) would have passed
      {20480, 8194, TEnd::kDone},       // an exact fit in whole blocks
      {20480, 20481, TEnd::kLowSpace},  // a larger FNeedSize still counts
      {3 << 20, 2 << 20, TEnd::kDone},  // plenty of room
  };
  for (const auto& c : cases) {
    fs::remove_all(dir.path() / "out");
    list.FTargetDir = dir.Gbk() + "out/";
    fs::create_directories(dir.path() / "out");
    env.freeBytes = c.free;
    list.FNeedSize = c.needSize;
    EXPECT_EQ(list.CopyToTarget().end, c.end) << c.free;
    EXPECT_EQ(EntriesIn(dir.path() / "out"), c.end == TEnd::kDone ? 4u : 0u) << c.free;
  }
}

TEST_F(Target, TheRoomNeededIsThatOfTheRunsFullestMomentInWholeUnits) {
  // Units of 4096: each song's new file stands beside the old one it
  // replaces until its rename, and the list's temporary file beside the
  // list; what a run replaces comes back.
  using Files = std::map<std::string, std::size_t>;  // .dat on the stick: number, size
  const struct {
    const char* what;
    std::vector<std::pair<std::string, std::size_t>> songs;  // number, video size
    Files there;
    std::string list;  // the stick's vod.txt; "" none
    bool folderMissing;
    std::int64_t need;
  } cases[] = {
      {"new songs, the list after them",
       {{"660001", 1}, {"660002", 4096}, {"660003", 4097}},
       {},
       "",
       false,
       20480},
      {"the same songs again over their own files",
       {{"660001", 1}, {"660002", 4096}, {"660003", 4097}},
       {{"660001", 1}, {"660002", 4096}, {"660003", 4097}},
       "",
       false,
       8192},
      {"a larger file over a smaller one", {{"660001", 8192}}, {{"660001", 4096}}, "", false, 8192},
      {"the folder is made first", {{"660001", 1}}, {}, "", true, 12288},
      {"the list loses a song before its file is replaced",
       {{"660001", 4096}},
       {{"660001", 4096}, {"660005", 10}},
       "old;660001\r\nkept;660005\r\n",
       false,
       4096},
  };
  for (const auto& c : cases) {
    fs::remove_all(dir.path() / "out");
    const fs::path out = dir.path() / "out" / "vod";
    if (!c.folderMissing) fs::create_directories(out);
    for (const auto& [number, size] : c.there) {
      dir.Write("out/vod/" + number + ".dat", std::string(size, 'o'));
    }
    if (!c.list.empty()) dir.Write("out/vod/vod.txt", c.list);
    list.ClearSongs();
    for (const auto& [number, size] : c.songs) Add(Video(number, size));
    list.FSourceDir = dir.Gbk() + "src/";
    ASSERT_EQ(list.PrepareTarget(false, [&] { return dir.Gbk() + "out/vod/"; }).result, 0)
        << c.what;
    EXPECT_EQ(list.RoomNeeded(4096), c.need) << c.what;
    list.CloseTarget();
  }
}

TEST_F(Target, UnreadableFreeSpaceCountsAsTooSmall) {
  list.FSourceDir = dir.Gbk();
  list.FTargetDir = dir.Gbk();
  env.freeBytes = -1;
  list.FNeedSize = 0;
  EXPECT_EQ(list.CopyToTarget().end, TEnd::kLowSpace);
}

// ---- Copying ----

TEST_F(Target, ProgressIsPostedPerChunkRoundedHalfToEven) {
  struct Case {
    std::size_t size;
    std::vector<std::int64_t> percents;
  };
  const Case cases[] = {
      {12800, {40, 80, 100}},
      {40960, {12, 25, 38, 50, 62, 75, 88, 100}},
      {5120, {100}},
      {1, {100}},
      {0, {}},
  };
  for (const auto& c : cases) {
    window.posted.clear();
    list.FCount = 0;
    Add(Video("660001", c.size, 'q'));
    list.CopySongFiles("", dir.Gbk(), nullptr);
    EXPECT_EQ(window.ParamsOf(WM_COPYPROGRESS), c.percents) << c.size;
    EXPECT_EQ(TempDir::Read(dir.path() / "660001.dat"), std::string(c.size, 'q')) << c.size;
  }
}

TEST_F(Target, EachSongIsAnnouncedAndCopiedUnderItsNumberReplacingOldCopies) {
  Add(Video("660001", 7000, 'a'));
  Add(Video("660002", 3, 'b'));
  dir.Write("out/660002.dat", "an older and longer copy");
  std::vector<std::pair<std::string, std::string>> announced;
  const std::string out = dir.Gbk() + "out/";
  list.CopySongFiles("unused", out, [&](const std::string& s, const std::string& d) {
    announced.emplace_back(s, d);
  });
  ASSERT_EQ(announced.size(), 2u);
  EXPECT_EQ(announced[1], std::make_pair(list.GetSong(1)->VideoFile, out + "660002.dat"));
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "660001.dat"), std::string(7000, 'a'));
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "660002.dat"), "bbb");
  EXPECT_EQ(EntriesIn(dir.path() / "out"), 2u);
  EXPECT_GE(window.pumps, 2 + 2 + 1);  // once per song and once per chunk
}

TEST_F(Target, SourceThatCannotBeOpenedCostsNothingAndStopsTheCopy) {
  Add(Video("660001", 10));
  TestData missing = Song("gone");
  missing.SongNo = "660002";
  missing.VideoFile = dir.Gbk() + "src/missing.mpg";
  Add(missing);
  Add(Video("660003", 10));
  dir.Write("out/660002.dat", "keep me");
  EXPECT_THROW(list.CopySongFiles("", dir.Gbk() + "out/", nullptr), std::system_error);
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "660002.dat"), "keep me");
  EXPECT_TRUE(fs::exists(dir.path() / "out" / "660001.dat"));
  EXPECT_FALSE(fs::exists(dir.path() / "out" / "660003.dat"));
  EXPECT_EQ(EntriesIn(dir.path() / "out"), 2u);
}

TEST_F(Target, FailedWriteLeavesTheOldCopyAndNoPartialFile) {
  Add(Video("660001", 20000, 'n'));
  dir.Write("out/660001.dat", "old copy");
  env.failWriteAfter = 12000;
  EXPECT_THROW(list.CopySongFiles("", dir.Gbk() + "out/", nullptr), std::system_error);
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "660001.dat"), "old copy");
  EXPECT_EQ(EntriesIn(dir.path() / "out"), 1u);
}

TEST_F(Target, TemporaryFilesOfAnEarlierKilledRunAreRemovedBeforeCopying) {
  Add(Video("660001", 10));
  for (const char* name : {"660007.dat.part", "vod.txt.part", "660001.dat.part", "660008.dat",
                           "notes.part", "song.dat.part"}) {
    dir.Write(std::string("out/") + name, "x");
  }
  list.FSourceDir = dir.Gbk();
  list.FTargetDir = dir.Gbk() + "out/";
  ASSERT_EQ(list.CopyToTarget().end, TEnd::kDone);
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir.path() / "out")) {
    left.insert(entry.path().filename().string());
  }
  EXPECT_EQ(left, (std::set<std::string>{"660001.dat", "660008.dat", "notes.part", "song.dat.part",
                                         "vod.txt"}));
}

TEST_F(Target, FileErrorsShowAChineseFolderAsTheUserWroteIt) {
  dir.Write(gbk::ToUtf8(Gbk(u8"新歌目录")), "a file where a folder should be");
  const std::string folder = dir.Gbk() + Gbk(u8"新歌目录");
  Add(Song("a"));
  const auto prepared = list.PrepareTarget(false, [&] { return folder + "/vod/"; });
  EXPECT_EQ(prepared.result, 6);
  const std::string& text = prepared.message;
  EXPECT_NE(text.find('"' + folder + '"'), std::string::npos) << gbk::ToUtf8(text);
  EXPECT_TRUE(gbk::TryToUtf8(text)) << "the whole text is GBK";

  list.FSourceDir = dir.Gbk();
  list.FTargetDir = dir.Gbk();
  TestData song = Song("b");
  song.SongNo = "660001";
  song.VideoFile = dir.Gbk() + Gbk(u8"没有的歌.mpg");
  list.FCount = 0;
  Add(song);
  try {
    list.CopySongFiles("", dir.Gbk(), nullptr);
    FAIL();
  } catch (const std::system_error& e) {
    EXPECT_NE(std::string(e.what()).find(song.VideoFile), std::string::npos);
  }
}

TEST_F(Target, SongWithoutVideoKeepsItsCopyOrStopsTheRunBeforeAnyCopy) {
  TestData loaded = Song(Gbk(u8"旧歌"));
  loaded.SongNo = "660009";
  Add(Video("660001", 10));
  Add(loaded);
  dir.Write("out/660009.dat", "already there");
  list.CopySongFiles("", dir.Gbk() + "out/", nullptr);
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "660009.dat"), "already there");
  EXPECT_TRUE(fs::exists(dir.path() / "out" / "660001.dat"));

  fs::remove_all(dir.path() / "out");
  fs::create_directory(dir.path() / "out");
  try {
    list.CopySongFiles("", dir.Gbk() + "out/", nullptr);
    FAIL() << "a song with neither video nor copy must stop the run";
  } catch (const TUserError& e) {
    EXPECT_NE(std::string(e.what()).find("660009"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find(Gbk(u8"旧歌")), std::string::npos);
  }
  EXPECT_EQ(EntriesIn(dir.path() / "out"), 0u);
}

TEST_F(Target, RunThatStopsLeavesVodTxtListingExactlyTheSongsCompleteOnTheTarget) {
  // Three new songs (the second one large) and a song loaded from the old
  // vod.txt whose .dat is already there. The copy stops in the second song.
  const struct {
    const char* why;
    std::function<void()> breakIt;
    std::string vod;  // vod.txt afterwards
  } cases[] = {
      {"write fails in the second song", [&] { env.failWriteAfter = 12000; },
       "t660001;e\r\nold;e\r\n"},
      {"cancelled in the second song",
       [&] {
         window.onPump = [&, clicked = false]() mutable {
           if (clicked || window.ParamsOf(WM_COPYPROGRESS).size() != 3) return;
           list.RequestCancel();  // once, as one click
           clicked = true;
         };
       },
       "t660001;e\r\nold;e\r\n"},
      {"first song unreadable: nothing changed, the old vod.txt stays",
       [&] { fs::remove(dir.path() / "src" / "660001.mpg"); }, "old vod\r\n"},
  };
  for (const auto& c : cases) {
    fs::remove_all(dir.path());
    fs::create_directories(dir.path());
    env.failWriteAfter.reset();
    window = FakeWindow();
    list.FCount = 0;
    Add(Video("660001", 10));
    Add(Video("660002", 20000));
    TestData loaded = Song("old");
    loaded.SongNo = "660009";
    Add(loaded);
    Add(Video("660003", 10));
    dir.Write("out/vod.txt", "old vod\r\n");
    dir.Write("out/660002.dat", "an older copy");
    dir.Write("out/660009.dat", "loaded song");
    list.FSourceDir = dir.Gbk() + "src/";
    ASSERT_EQ(list.PrepareTarget(false, [&] { return dir.Gbk() + "out/"; }).result, 0) << c.why;
    c.breakIt();
    const TRunOutcome outcome = list.CopyToTarget();
    EXPECT_EQ(outcome.end, TEnd::kStopped) << c.why;
    window.onPump = nullptr;
    EXPECT_EQ(TempDir::Read(dir.path() / "out" / "vod.txt"), c.vod) << c.why;
    EXPECT_EQ(TempDir::Read(dir.path() / "out" / "660002.dat"), "an older copy") << c.why;
    EXPECT_FALSE(fs::exists(dir.path() / "out" / "660003.dat")) << c.why;
    EXPECT_EQ(outcome.failed, c.vod == "old vod\r\n" ? 0 : 1) << c.why;
    EXPECT_EQ(EntriesIn(dir.path() / "out"), c.vod == "old vod\r\n" ? 3u : 4u) << c.why;
  }
}

TEST_F(Target, TooLittleRoomChangesNothingOnTheTarget) {
  Add(Video("660001", 10));
  dir.Write("out/vod.txt", "old vod\r\n");
  list.FSourceDir = dir.Gbk() + "src/";
  ASSERT_EQ(list.PrepareTarget(false, [&] { return dir.Gbk() + "out/"; }).result, 0);
  env.freeBytes = 100;
  EXPECT_EQ(list.CopyToTarget().end, TEnd::kLowSpace);
  EXPECT_EQ(TempDir::Read(dir.path() / "out" / "vod.txt"), "old vod\r\n");
  EXPECT_EQ(EntriesIn(dir.path() / "out"), 1u);
}

// ---- Loading an existing vod.txt ----

TEST_F(Target, LoadWithoutCallbackOrFileGivesThree) {
  EXPECT_EQ(list.LoadVodFile(nullptr), 3);
  EXPECT_EQ(list.LoadVodFile([&] { return dir.Gbk() + "none.txt"; }), 3);
  EXPECT_TRUE(window.posted.empty());
}

TEST_F(Target, LoadSplitsAnyLineEndSkipsRejectedLinesAndPostsTheCount) {
  const auto file = dir.Write("vod.txt", "one\r\nbad\ntwo\rthree\r\n\r\nbad");
  EXPECT_EQ(list.LoadVodFile([&] { return file.string(); }), 6);  // verdict on "bad"
  EXPECT_EQ(list.FCount, 3);
  EXPECT_EQ(list.GetSong(2)->SongName, "three");
  EXPECT_EQ(list.FLines, (TStringList{"one", "bad", "two", "three", "", "bad"}));
  EXPECT_EQ(window.posted, (std::vector<PostedMessage>{{WM_LOADDONE, 0}, {WM_SONGCOUNT, 3}}));
}

TEST_F(Target, LoadOfOnlyRejectedLinesStillPostsBothMessages) {
  const auto file = dir.Write("vod.txt", "bad\r\nbad\r\n");
  list.FCount = 5;
  list.LoadVodFile([&] { return file.string(); });
  EXPECT_EQ(list.FCount, 0);
  EXPECT_EQ(window.posted, (std::vector<PostedMessage>{{WM_LOADDONE, 0}, {WM_SONGCOUNT, 0}}));
}

TEST_F(Target, LoadNeverWritesPastTheHundredthSlotAndCountsWhatItLeftOut) {
  std::string text;
  for (int i = 0; i < 103; ++i) text += "song" + std::to_string(i) + "\r\n";
  text += "  \r\n";
  const auto file = dir.Write("vod.txt", text);
  list.LoadVodFile([&] { return file.string(); });
  EXPECT_EQ(list.FCount, 100);
  ASSERT_EQ(list.FLoaded.unread.size(), 3u) << "the blank line is no song";
  EXPECT_EQ(list.FLoaded.unread[0].number, 101);
  EXPECT_EQ(list.FLoaded.unread[2].text, "song102");
  for (const auto& line : list.FLoaded.unread) {
    EXPECT_EQ(line.why, TBaseSong::TUnreadLine::Why::kNoSlot);
  }
  EXPECT_EQ(list.GetSong(99)->SongName, "song99");
  EXPECT_EQ(window.ParamsOf(WM_SONGCOUNT), std::vector<std::int64_t>{100});
}

}  // namespace

namespace {

// A volume that cannot take the run whatever its free bytes: refused before
// anything is made there, naming why.
TEST_F(Target, TooFewFileEntriesOrAVideoTooLargeForTheFileSystemIsRefusedBeforeAnything) {
  constexpr std::int64_t kFatLargest = (std::int64_t{1} << 32) - 1;
  const std::string huge = dir.Gbk() + Gbk(u8"src/大歌.mpg");
  env.fakeSizes[huge] = kFatLargest + 1;  // 4 GiB: one byte too many for FAT
  struct Case {
    const char* what;
    std::optional<std::int64_t> entries, largest;
    bool withHuge;
    const char8_t* says;  // "" : the run goes on
  } cases[] = {
      {"two songs, vod.txt, a temporary file and the folder need 5 entries",
       4,
       {},
       false,
       u8"还能建立 4 个文件，本次加歌需要 5 个"},
      {"five entries are enough", 5, {}, false, u8""},
      {"a file system that does not count entries", -1, {}, false, u8""},
      {"4 GiB onto FAT", {}, kFatLargest, true, u8"歌曲 660009 t660009 的视频文件太大"},
      {"4 GiB - 1 fits", {}, kFatLargest, false, u8""},
  };
  for (const Case& c : cases) {
    TestSong songs(&env);
    for (const char* no : {"660001", "660002"}) {
      TestData d = Video(no, 10);
      songs.PutSong(&d);
    }
    if (c.withHuge) {
      TestData d = Song("t660009");
      d.SongNo = "660009";
      d.VideoFile = huge;
      songs.PutSong(&d);
    }
    songs.FSourceDir = dir.Gbk() + "src/";
    songs.FTargetDir = dir.Gbk() + "out/vod/";
    env.freeEntries = c.entries;
    env.largestFile = c.largest;
    env.freeBytes = std::int64_t{1} << 40;
    const TRunOutcome outcome = songs.CopyToTarget();
    if (*c.says != 0) {
      EXPECT_EQ(outcome.end, TEnd::kRefused) << c.what;
      EXPECT_NE(gbk::ToUtf8(outcome.message).find(reinterpret_cast<const char*>(c.says)),
                std::string::npos)
          << c.what << ": " << gbk::ToUtf8(outcome.message);
      EXPECT_FALSE(fs::exists(dir.path() / "out")) << c.what << ": nothing made";
    } else {
      EXPECT_EQ(outcome.end, TEnd::kDone) << c.what;
      fs::remove_all(dir.path() / "out");
    }
  }
}

}  // namespace
