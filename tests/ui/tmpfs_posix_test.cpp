// SPDX-License-Identifier: GPL-3.0-or-later
// A small tmpfs as the USB stick: filled by another writer while the run
// copies (a real "no space left on device"), or pulled out half way. Needs
// root to mount; skipped otherwise.
#include <filesystem>
#include <fstream>

#include "support/run_command.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

TEST_F(MainForm, RealNoSpaceLeftHalfWayLeavesTheStickConsistent) {
  const fs::path stick = dir.path() / "stick";
  fs::create_directory(stick);
  const auto mounted = RunShell("mount -t tmpfs -o size=512k tmpfs " + ShellQuote(stick.string()));
  if (mounted.status != 0) GTEST_SKIP() << "mounting a tmpfs needs root: " << mounted.err;
  struct Unmount {
    fs::path at;
    ~Unmount() { RunShell("umount " + ShellQuote(at.string())); }
  } unmount{stick};

  dir.Write("stick/vod/vod.txt", "old;x;1;O;660001;2;1;1;1;0\r\n");
  dir.Write("stick/vod/660001.dat", "the old copy");
  Start(kProductOru);
  AddFiles({Video("a-x.mpg", 10000), Video("b-x.mpg", 200000), Video("c-x.mpg", 10000)});
  env.volumes = {stick.string() + "/"};
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton1Click(); };
  // Another program fills the stick while the second song is copied.
  bool filled = false;
  view.onProcess = [&] {
    if (filled || view.panels.empty() || view.panels.back().song != 2 ||
        view.panels.back().percent == 0) {
      return;
    }
    filled = true;
    {
      std::ofstream filler(stick / "filler", std::ios::binary);
      const std::string block(4096, 'f');
      for (int i = 0; i < 256 && filler; ++i) filler.write(block.data(), block.size());
    }
    // Room for a small vod.txt is left, not for the rest of the song.
    fs::resize_file(stick / "filler", fs::file_size(stick / "filler") - 16384);
  };
  view.answers[TQuestion::Id::kExistingSongs] = 1;  // replace the old list
  view.answers[TQuestion::Id::kConfirmReplace] = 1;
  form.btnCompleteClick();
  ASSERT_TRUE(filled);
  fs::remove(stick / "filler");

  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kFailed);
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_NE(gbk::ToUtf8(view.boxes[0].text).find("No space left on device"), std::string::npos)
      << gbk::ToUtf8(view.boxes[0].text);
  const fs::path vod = stick / "vod";
  // The new song that is there, and the old one whose file no new song took:
  // the replacing did not complete.
  EXPECT_EQ(TempDir::Read(vod / "vod.txt"),
            "a;x;1;A;660000;2;1;8;1;1\r\nold;x;1;O;660001;2;1;1;1;0\r\n");
  EXPECT_EQ(TempDir::Read(vod / "660001.dat"), "the old copy");
  EXPECT_FALSE(fs::exists(vod / "660001.dat.part"));
  EXPECT_FALSE(fs::exists(vod / "660002.dat"));
}

TEST_F(MainForm, AStickPulledHalfWayFailsTheRunAndNothingLandsUnderItsMountPoint) {
  const fs::path stick = dir.path() / "stick";
  fs::create_directory(stick);
  const auto mounted = RunShell("mount -t tmpfs -o size=4m tmpfs " + ShellQuote(stick.string()));
  if (mounted.status != 0) GTEST_SKIP() << "mounting a tmpfs needs root: " << mounted.err;
  Start(kProductOru);
  AddFiles({Video("a-x.mpg", 10000), Video("b-x.mpg", 200000), Video("c-x.mpg", 10000)});
  env.volumes = {stick.string() + "/"};
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton1Click(); };
  // The stick goes while the second song is copied; its mount point is an
  // ordinary folder of the system disk again.
  bool pulled = false;
  view.onProcess = [&] {
    if (pulled || view.panels.empty() || view.panels.back().song != 2) return;
    pulled = RunShell("umount -l " + ShellQuote(stick.string())).status == 0;
  };
  form.btnCompleteClick();
  ASSERT_TRUE(pulled);

  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kFailed);
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_NE(gbk::ToUtf8(view.boxes[0].text).find("U盘已拔出"), std::string::npos)
      << gbk::ToUtf8(view.boxes[0].text);
  EXPECT_TRUE(fs::is_empty(stick)) << "nothing of the run on the system disk";
}

}  // namespace
