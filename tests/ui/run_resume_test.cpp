// SPDX-License-Identifier: GPL-3.0-or-later
// A run onto a stick that already holds some of its songs' files (left by a
// run that did not end) and drops the files of songs the owner let go: what
// is not copied again, what is removed and when, and the room it takes.
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <set>

#include "run/run.h"
#include "support/kill_env.h"
#include "support/stick_invariant.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

// The song number a line "title;66NNNN" names.
std::string NumberOf(const std::string& line) {
  const auto at = line.find(";66");
  return at == std::string::npos ? "" : line.substr(at + 1, 6);
}

std::string Encode(const TStringList& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

// An observer that says what it was told and may stop the run at once.
struct Recorder final : IRunObserver {
  bool cancel = false;
  std::vector<std::string> started;  // "index/count source"
  void CopyStarted(int index, int count, const std::string& source, const std::string&) override {
    started.push_back(std::to_string(index) + "/" + std::to_string(count) + " " +
                      fs::path(source).filename().string());
  }
  void CheckStarted(int, int, const std::string&, std::int64_t, std::int64_t) override {}
  void Progress(int) override {}
  bool Cancelled() override { return cancel; }
};

// Folders that note, at each removal of a song's file, the list on the
// stick at that moment, and can refuse to remove one name.
struct WatchedEnv : platform::EnvWrapper {
  struct Removal {
    std::string name, list;
  };
  std::vector<Removal> removals;
  std::string refuse;  // a name whose removal fails

  struct Folder : platform::FolderWrapper {
    Folder(std::unique_ptr<platform::Folder> f, WatchedEnv& env)
        : FolderWrapper(std::move(f)), env_(env) {}
    std::unique_ptr<platform::Folder> OpenFolder(const std::string& name, bool create) override {
      return std::make_unique<Folder>(FolderWrapper::OpenFolder(name, create), env_);
    }
    void Remove(const std::string& name) override {
      if (TTargetDir::IsSongFileName(name)) {
        const fs::path list = fs::path(Path()) / "vod.txt";
        env_.removals.push_back({name, fs::exists(list) ? TempDir::Read(list) : ""});
      }
      if (name == env_.refuse) throw platform::FileError(EACCES, "refused " + name);
      FolderWrapper::Remove(name);
    }
    WatchedEnv& env_;
  };

  explicit WatchedEnv(platform::Env* env) : EnvWrapper(env) {}
  std::unique_ptr<platform::Folder> OpenFolder(const std::string& path) override {
    return std::make_unique<Folder>(EnvWrapper::OpenFolder(path), *this);
  }
};

struct RunResume : ::testing::Test {
  TempDir dir;
  TestEnv room;  // the volume's room, as a test sets it
  WatchedEnv env{&room};

  fs::path Vod() const { return dir.path() / "stick" / "vod"; }
  std::string Dat(const std::string& number) const {
    return TempDir::Read(Vod() / (number + ".dat"));
  }
  // The stick: a .dat per song (number, bytes), the list naming listed ones.
  void Stick(const std::vector<std::pair<std::string, std::string>>& dats,
             const std::vector<std::string>& listed) {
    fs::remove_all(dir.path() / "stick");
    fs::create_directories(Vod());
    for (const auto& [number, bytes] : dats) dir.Write("stick/vod/" + number + ".dat", bytes);
    std::string list;
    for (const std::string& number : listed) list += "old;" + number + "\r\n";
    if (!listed.empty()) dir.Write("stick/vod/vod.txt", list);
  }
  std::string Video(const std::string& name, const std::string& bytes) const {
    return dir.Write("src/" + name, bytes).string();
  }
  // The plan of songs, each listed as "title;number".
  static TRunPlan Plan(const std::vector<TRunSong>& songs) {
    TRunPlan plan;
    plan.songs = songs;
    for (const TRunSong& song : songs) plan.lines.push_back(song.title + ";" + song.number);
    plan.encode = Encode;
    return plan;
  }
  TRunOutcome Run(const TRunPlan& plan, IRunObserver& observer) {
    TTargetDir target(env, dir.Gbk() + "stick/vod/", NumberOf);
    target.Inspect();
    return RunOnto(env, target, plan, observer, NumberOf);
  }
};

TEST_F(RunResume, ASongFileIsTheSameSongOnlyWithAllOfItsBytes) {
  const std::string song(6000, 's');
  std::string other = song;
  other[5999] = 't';
  const struct {
    const char* what;
    std::string dat;  // 660001.dat on the stick; "-" none
    std::string video;
    bool same;
  } cases[] = {
      {"the same bytes", song, Video("a.mpg", song), true},
      {"the same size, the last byte other", other, Video("a.mpg", song), false},
      {"another size", song + "x", Video("a.mpg", song), false},
      {"no .dat", "-", Video("a.mpg", song), false},
      {"a source that is not there", song, dir.Gbk() + "src/gone.mpg", false},
      {"a source that is a folder", song, dir.Gbk() + "src", false},
  };
  for (const auto& c : cases) {
    Stick(c.dat == "-" ? std::vector<std::pair<std::string, std::string>>{}
                       : std::vector<std::pair<std::string, std::string>>{{"660001", c.dat}},
          {});
    TTargetDir target(env, dir.Gbk() + "stick/vod/", NumberOf);
    target.Inspect();
    EXPECT_EQ(SameSongFile(env, target, "660001", c.video), c.same) << c.what;
  }
  TTargetDir none(env, dir.Gbk() + "no-stick/vod/", NumberOf);
  none.Inspect();
  EXPECT_FALSE(SameSongFile(env, none, "660001", Video("a.mpg", song))) << "no vod folder";
}

TEST_F(RunResume, ASongAlreadyThereIsNotCopiedAgainYetListedAndTold) {
  const struct {
    const char* what;
    bool listedThere;  // the old list names the song already there
    bool verify;
  } cases[] = {
      {"a file no list names", false, true},
      {"a file the old list names", true, true},
      {"no read-back", false, false},
  };
  for (const auto& c : cases) {
    const std::string there(7000, 't');
    Stick({{"660001", there}, {"660002", "kept"}},
          c.listedThere ? std::vector<std::string>{"660001", "660002"}
                        : std::vector<std::string>{"660002"});
    const auto written = fs::file_time_type::clock::now() - std::chrono::hours(24);
    fs::last_write_time(Vod() / "660001.dat", written);
    TRunPlan plan = Plan({{"660000", "a", Video("a.mpg", "new a")},
                          {"660001", "b", Video("b.mpg", there), true},
                          {"660002", "c", ""},
                          {"660003", "d", Video("d.mpg", "new d")}});
    plan.verify = c.verify;
    Recorder observer;
    const TRunOutcome outcome = Run(plan, observer);

    EXPECT_EQ(outcome.end, TRunOutcome::TEnd::kDone) << c.what << ": " << outcome.message;
#ifndef _WIN32
    // (Under Wine the time moves during a run although the bytes stay and no
    // copy starts; the observer's copies below tell it there.)
    EXPECT_EQ(fs::last_write_time(Vod() / "660001.dat"), written) << c.what;
#endif
    EXPECT_EQ(Dat("660001"), there) << c.what;
    EXPECT_EQ(Dat("660003"), "new d") << c.what;
    EXPECT_EQ(TempDir::Read(Vod() / "vod.txt"), "a;660000\r\nb;660001\r\nc;660002\r\nd;660003\r\n")
        << c.what;
    EXPECT_EQ(outcome.alreadyThere, std::vector<std::string>{"660001 b"}) << c.what;
    EXPECT_EQ(observer.started, (std::vector<std::string>{"0/2 a.mpg", "1/2 d.mpg"})) << c.what;
    EXPECT_EQ(outcome.complete, std::vector<bool>(4, true)) << c.what;
    if (c.verify) {
      EXPECT_EQ(outcome.checked, std::vector<bool>(4, true)) << c.what;
    }
    EXPECT_FALSE(outcome.listShortened) << c.what << ": no song of the old list was replaced";
    EXPECT_EQ(outcome.listsWritten.size(), 1u) << c.what;
  }
}

TEST_F(RunResume, TheListLosesTheRemovedSongsBeforeTheirFilesGoAndOnlyTheirs) {
  const struct {
    const char* what;
    std::vector<std::string> listed;  // on the stick, beside 660000 (kept)
    std::vector<std::string> remove;
    std::string refuse;  // the .dat whose removal fails
    std::vector<std::string> removed, notRemoved;
    std::set<std::string> files;  // on the stick afterwards
  } cases[] = {
      {"a listed song deleted",
       {"660000", "660003"},
       {"660003"},
       "",
       {"660003"},
       {},
       {"660000.dat", "660001.dat", "vod.txt"}},
      {"a file no list names",
       {"660000"},
       {"660003"},
       "",
       {"660003"},
       {},
       {"660000.dat", "660001.dat", "vod.txt"}},
      {"a kept song's and a new song's number stay",
       {"660000", "660003"},
       {"660000", "660001", "660003"},
       "",
       {"660003"},
       {},
       {"660000.dat", "660001.dat", "vod.txt"}},
      {"a number the stick does not hold is skipped",
       {"660000"},
       {"660009"},
       "",
       {},
       {},
       {"660000.dat", "660001.dat", "660003.dat", "vod.txt"}},
      {"a removal that fails is told; the run goes on",
       {"660000", "660003"},
       {"660003"},
       "660003.dat",
       {},
       {"660003"},
       {"660000.dat", "660001.dat", "660003.dat", "vod.txt"}},
  };
  for (const auto& c : cases) {
    Stick({{"660000", "kept"}, {"660003", std::string(500, 'r')}}, c.listed);
    env.removals.clear();
    env.refuse = c.refuse;
    TRunPlan plan = Plan({{"660000", "a", ""}, {"660001", "b", Video("b.mpg", "new b")}});
    plan.remove = c.remove;
    Recorder observer;
    const TRunOutcome outcome = Run(plan, observer);

    EXPECT_EQ(outcome.end, TRunOutcome::TEnd::kDone) << c.what << ": " << outcome.message;
    EXPECT_EQ(outcome.removed, c.removed) << c.what;
    EXPECT_EQ(outcome.notRemoved, c.notRemoved) << c.what;
    EXPECT_EQ(outcome.removedBytes, c.removed.empty() ? 0 : 500) << c.what;
    EXPECT_EQ(NamesIn(Vod()), c.files) << c.what;
    EXPECT_EQ(TempDir::Read(Vod() / "vod.txt"), "a;660000\r\nb;660001\r\n") << c.what;
    for (const auto& removal : env.removals) {
      EXPECT_EQ(removal.name, "660003.dat") << c.what;
      EXPECT_EQ(removal.list, "old;660000\r\n") << c.what << ": the list when the file went";
    }
    EXPECT_EQ(env.removals.size(), c.removed.size() + c.notRemoved.size()) << c.what;
  }
}

TEST_F(RunResume, AStickThatNamesTheFileInUpperCaseLosesItUnderThatName) {
  Stick({{"660000", "kept"}}, {"660000", "660003"});
  dir.Write("stick/vod/660003.DAT", "removed");
  TRunPlan plan = Plan({{"660000", "a", ""}});
  plan.remove = {"660003"};
  TSilentRun observer;
  EXPECT_EQ(Run(plan, observer).removed, std::vector<std::string>{"660003"});
  EXPECT_EQ(NamesIn(Vod()), (std::set<std::string>{"660000.dat", "vod.txt"}));
}

TEST_F(RunResume, AfterACancelTheRemovedSongIsNotListedAgain) {
  for (const bool replacing : {false, true}) {
    Stick({{"660000", "kept"}, {"660001", "old b"}, {"660003", "removed"}},
          {"660000", "660001", "660003"});
    TRunPlan plan = Plan({{"660000", "a", ""}, {"660001", "b", Video("b.mpg", "new b")}});
    plan.remove = {"660003"};
    if (replacing) plan.replacedLines = {{"660001", "old;660001"}, {"660003", "old;660003"}};
    Recorder observer;
    observer.cancel = true;
    const TRunOutcome outcome = Run(plan, observer);

    EXPECT_EQ(outcome.end, TRunOutcome::TEnd::kStopped) << replacing;
    EXPECT_TRUE(outcome.cancelled) << replacing;
    EXPECT_TRUE(observer.started.empty()) << replacing;
    EXPECT_EQ(outcome.removed, std::vector<std::string>{"660003"}) << replacing;
    EXPECT_FALSE(fs::exists(Vod() / "660003.dat")) << replacing;
    // The kept song and the old song whose file no copy touched.
    EXPECT_EQ(TempDir::Read(Vod() / "vod.txt"), "a;660000\r\nold;660001\r\n") << replacing;
  }
}

TEST_F(RunResume, FilesRemovedAndSongsAlreadyThereTakeNoRoom) {
  constexpr std::int64_t kKiB = 1024;
  room.blockSize = 4096;
  room.freeBytes = 100 * kKiB;
  const struct {
    const char* what;
    bool remove;    // the 300 KiB song goes
    bool onTarget;  // the new song's file is there already
    TRunOutcome::TEnd end;
  } cases[] = {
      {"a 350 KiB song where a 300 KiB one goes", true, false, TRunOutcome::TEnd::kDone},
      {"the same song, nothing removed", false, false, TRunOutcome::TEnd::kLowSpace},
      {"the song's file there already", false, true, TRunOutcome::TEnd::kDone},
  };
  const std::string song(350 * kKiB, 'n');
  for (const auto& c : cases) {
    std::vector<std::pair<std::string, std::string>> dats = {
        {"660003", std::string(300 * kKiB, 'r')}};
    if (c.onTarget) dats.emplace_back("660001", song);
    Stick(dats, {"660003"});
    TRunPlan plan = Plan({{"660001", "b", Video("b.mpg", song), c.onTarget}});
    if (c.remove) plan.remove = {"660003"};
    plan.needSize = static_cast<std::int64_t>(song.size());  // as the window counts it
    TTargetDir target(env, dir.Gbk() + "stick/vod/", NumberOf);
    target.Inspect();
    const std::int64_t need = RoomNeeded(env, target, plan, 4096, NumberOf);
    EXPECT_EQ(need <= *room.freeBytes, c.end == TRunOutcome::TEnd::kDone) << c.what << ": " << need;
    TSilentRun observer;
    EXPECT_EQ(RunOnto(env, target, plan, observer, NumberOf).end, c.end) << c.what;
  }
}

// The stick goes at each step of a run that removes a listed song's file,
// keeps one, replaces one and adds one: its list names only .dat files that
// hold their songs, and the kept song stays listed.
TEST_F(RunResume, WhereverTheStickGoesARemovalLeavesTheListNamingOnlyItsSongs) {
  const std::string root = dir.Gbk() + "stick";
  // Titles of their own: the table knows a song by its line less its number.
  auto fresh = [&] {
    Stick({{"660000", VideoBytes(3000, 1)},
           {"660001", VideoBytes(4000, 2)},
           {"660003", VideoBytes(5000, 3)}},
          {});
    dir.Write("stick/vod/vod.txt", "a;660000\r\nold b;660001\r\nr;660003\r\n");
  };
  TRunPlan plan = Plan({{"660000", "a", ""},
                        {"660001", "b", Video("b.mpg", VideoBytes(6000, 4))},
                        {"660002", "c", Video("c.mpg", VideoBytes(7000, 5))}});
  plan.remove = {"660003"};
  const std::vector<std::string> kept = {"a;660000"};
  auto run = [&](KillEnv& killing) {
    killing.dataDir = dir.Gbk() + "data/";
    TTargetDir target(killing, root + "/vod/", NumberOf);
    TSilentRun observer;
    try {
      target.Inspect();
    } catch (const std::exception&) {
      return;  // the stick went while the run looked
    }
    RunOnto(killing, target, plan, observer, NumberOf);
  };

  StickSongs songs(NumberOf);
  fresh();
  songs.AddFromStick(Vod());
  KillEnv dry(root, std::nullopt, KillHow::kKilled, true);
  run(dry);
  songs.AddFromStick(Vod());
  ASSERT_EQ(NamesIn(Vod()),
            (std::set<std::string>{"660000.dat", "660001.dat", "660002.dat", "vod.txt"}));

  int stops = 0;
  for (const KillHow how : {KillHow::kKilled, KillHow::kPulled}) {
    for (const bool fat : {false, true}) {
      for (const KillOp op : kKillOps) {
        for (int k = 1; k <= dry.Count(op); ++k) {
          fresh();
          KillEnv killing(root, KillStop{op, k}, how, fat);
          run(killing);
          ++stops;
          for (const std::string& breach : CheckStick(Vod(), songs, kept)) {
            ADD_FAILURE() << NameOf(how) << (fat ? ", FAT" : "") << ", stop at " << NameOf(op)
                          << " #" << k << ": " << breach;
          }
        }
      }
    }
  }
  EXPECT_GT(stops, 20);
}

// The window's copy panel counts the songs the run copies, not those it
// keeps.
TEST_F(MainForm, TheCopyPanelCountsOnlyTheSongsCopied) {
  dir.Write("stick/vod/vod.txt", "a;x;1;A;660000;2;1;1;1;0\r\nb;x;1;B;660001;2;1;1;1;0\r\n");
  for (const char* n : {"660000", "660001"}) {
    dir.Write(std::string("stick/vod/") + n + ".dat", std::string("old ") + n);
  }
  view.chosenFile = (dir.path() / "stick" / "vod" / "vod.txt").string();
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  AddFiles({Video("d-x.mpg", 5)});
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk() + "stick";
  form.btnCompleteClick();
  ASSERT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  int shown = 0;
  for (const TCopyPanel& panel : view.panels) {
    if (!panel.visible || panel.checking) continue;
    ++shown;
    EXPECT_EQ(panel.songs, 1);
    EXPECT_EQ(panel.song, 1);
    EXPECT_FALSE(panel.from.empty());
  }
  EXPECT_GT(shown, 0);
}

}  // namespace
