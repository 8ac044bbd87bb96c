// SPDX-License-Identifier: GPL-3.0-or-later
// A run onto a stick that holds links under the names the run writes.
#include <filesystem>
#include <set>

#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

TEST_F(MainForm, ARunNeverWritesThroughWhatAHostileStickHoldsUnderItsNames) {
  Start(kProductOru);
  AddFiles({Video("a-x.mpg", 5)});
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk() + "stick";
  const fs::path vod = dir.path() / "stick" / "vod";
  fs::create_directories(vod);
  const fs::path victim = dir.Write("outside/victim", "precious");
  fs::create_symlink(dir.path() / "outside" / "created", vod / "660000.dat.part");
  fs::create_symlink(victim, vod / "vod.txt.part");
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_EQ(TempDir::Read(vod / "660000.dat"), "vvvvv");
  EXPECT_EQ(TempDir::Read(victim), "precious");
  EXPECT_FALSE(fs::exists(dir.path() / "outside" / "created"));
  EXPECT_EQ(NamesIn(vod), (std::set<std::string>{"660000.dat", "vod.txt"}));

  // The vod folder itself a link: refused, nothing written where it points.
  fs::remove_all(vod);
  fs::create_directory_symlink(dir.path() / "outside", vod);
  view.boxes.clear();
  form.btnCompleteClick();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kRefused);
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_NE(gbk::ToUtf8(view.boxes[0].text).find("是一个链接"), std::string::npos);
  EXPECT_EQ(NamesIn(dir.path() / "outside"), std::set<std::string>{"victim"});
}

}  // namespace
