// SPDX-License-Identifier: GPL-3.0-or-later
// What a run leaves when something breaks half way: the user is told, the
// old files survive, nothing temporary stays, vod.txt lists only songs whose
// .dat is complete, and the window can be used again.
#include <filesystem>
#include <functional>
#include <set>

#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

TEST_F(MainForm, EveryFaultDuringARunLeavesTheTargetConsistentAndTheUserTold) {
  const std::string oldVod = "old;x;1;O;660001;2;1;1;1;0\r\n";
  const std::string song1 = "a;x;1;A;660000;2;1;8;1;1\r\n";
  const struct {
    const char* fault;
    std::function<void(TestEnv&, FakeMainView&, const fs::path& out)> inject;
    std::string vod;              // vod.txt afterwards
    std::set<std::string> files;  // what the target holds afterwards
  } cases[] = {
      // The old list is being replaced: where the run stops, the old songs no
      // new file took the place of stay listed after the new ones there.
      {"no space left in the second song",
       [](TestEnv& env, FakeMainView&, const fs::path&) { env.failWriteAfter = 12000; },
       song1 + oldVod,
       {"660000.dat", "660001.dat", "vod.txt"}},
      {"a flush fails",
       [](TestEnv& env, FakeMainView&, const fs::path&) { env.failSync = true; },
       oldVod,
       {"660001.dat", "vod.txt"}},
      {"the source becomes unreadable half way",
       [](TestEnv& env, FakeMainView&, const fs::path&) { env.failReadAfter = 15360; },
       song1 + oldVod,
       {"660000.dat", "660001.dat", "vod.txt"}},
      {"the target is read-only",
       [](TestEnv& env, FakeMainView&, const fs::path&) { env.readOnly = true; },
       oldVod,
       {"660001.dat", "vod.txt"}},
      // The list loses the old song whose file a new one takes before any
      // copy: that fails here, and nothing is copied.
      {"vod.txt cannot be renamed",
       [](TestEnv& env, FakeMainView&, const fs::path&) { env.failRenameTo = "vod.txt"; },
       oldVod,
       {"660001.dat", "vod.txt"}},
      {"the target disappears in the middle of a file",
       [](TestEnv&, FakeMainView& v, const fs::path& out) {
         v.onProcess = [&v, out] {
           if (!v.panels.empty() && v.panels.back().song == 2 && v.panels.back().percent > 0) {
             v.onProcess = nullptr;
             fs::remove_all(out);
           }
         };
       },
       "",
       {}},
  };
  for (const auto& c : cases) {
#ifdef _WIN32
    // Windows does not let a folder the run holds open be removed.
    if (std::string(c.fault).starts_with("the target disappears")) continue;
#endif
    TestEnv faults;
    Window w(&faults);
    auto& [v, f] = w;
    w.Start(kProductOru);
    const fs::path out = dir.path() / c.fault / "vod";
    dir.Write(std::string(c.fault) + "/vod/vod.txt", oldVod);
    dir.Write(std::string(c.fault) + "/vod/660001.dat", "the old copy");
    w.AddFiles({Video("a-x.mpg", 10), Video("b-x.mpg", 20000), Video("c-x.mpg", 10)});
    v.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
    v.chosenFolder = dir.Gbk() + c.fault;
    v.answers[TQuestion::Id::kExistingSongs] = 1;  // replace the old list
    v.answers[TQuestion::Id::kConfirmReplace] = 1;
    c.inject(faults, v, out);
    f.btnCompleteClick();

    EXPECT_EQ(f.LastRun(), TfrmMain::TRunResult::kFailed) << c.fault;
    ASSERT_EQ(v.boxes.size(), 1u) << c.fault;
    EXPECT_EQ(v.boxes[0].caption, Gbk(u8"加歌未完成")) << c.fault;
    if (std::string(c.fault) == "the target is read-only") {
      EXPECT_NE(gbk::ToUtf8(v.boxes[0].text).find("U盘只读或写保护"), std::string::npos)
          << "the owner reads the reason in Chinese first";
    }
    EXPECT_TRUE(v.enabled[0] && v.enabled[1] && v.enabled[2]) << c.fault;
    EXPECT_TRUE(f.Grid().Enabled()) << c.fault;
    if (!fs::exists(out)) {
      EXPECT_TRUE(c.files.empty()) << c.fault;
      continue;
    }
    EXPECT_EQ(TempDir::Read(out / "vod.txt"), c.vod) << c.fault;
    EXPECT_EQ(NamesIn(out), c.files) << c.fault << ": no temporary file, nothing half written";
    if (c.vod != oldVod && c.files.count("660001.dat") != 0) {
      EXPECT_EQ(TempDir::Read(out / "660001.dat"), "the old copy") << c.fault;
    }
  }
}

}  // namespace
