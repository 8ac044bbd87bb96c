// SPDX-License-Identifier: GPL-3.0-or-later
// A stick that goes at any step of a run: the program killed or the stick
// pulled out at each write, flush, close, rename, remove, folder made and
// folder flushed the run makes on it, with an atomic rename or FAT's (which
// removes the old name first). Whatever the step, the stick's list names
// only .dat files that are its songs, the songs a keeping run found there
// stay listed, and a run started again afterwards puts every new song on it.
#include <filesystem>
#include <iostream>
#include <random>
#include <set>

#include "formats/product_lines.h"
#include "support/kill_env.h"
#include "support/stick_invariant.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

struct Video {
  const char* name;
  std::size_t size;  // a few KiB: two writes of the copy's 5120-byte chunks
};
const Video kOldVideos[] = {{"a-x.mpg", 6000}, {"b-x.mpg", 7000}, {"c-x.mpg", 8000}};
const Video kNewVideos[] = {{"d-x.mpg", 6500}, {"e-x.mpg", 7500}, {"f-x.mpg", 8500}};

const char* NameOf(TfrmMain::TRunResult result) {
  switch (result) {
    case TfrmMain::TRunResult::kNone:
      return "no run";
    case TfrmMain::TRunResult::kDone:
      return "done";
    case TfrmMain::TRunResult::kRefused:
      return "refused";
    case TfrmMain::TRunResult::kFailed:
      return "failed";
    case TfrmMain::TRunResult::kLowSpace:
      return "too little room";
  }
  return "?";
}

struct Row {
  bool replace;    // the owner replaces the songs there (else keeps them)
  bool fat;        // renames onto a name remove it first
  KillHow how;     // killed, or pulled (what was not flushed is lost)
  bool upperCase;  // the stick's names as a DOS tool writes them: VOD\VOD.TXT, 660000.DAT
  std::string What() const {
    return std::string(replace ? "replace" : "keep") + ", " + (fat ? "FAT rename" : "rename") +
           ", " + ::NameOf(how) + (upperCase ? ", upper-case names" : "");
  }
};

struct Outcome {
  TfrmMain::TRunResult result = TfrmMain::TRunResult::kRefused;
  std::string said;  // the run's result and the boxes it showed
};

class KillPoints : public ::testing::Test {
 protected:
  TempDir dir;
  std::shared_ptr<TBaseSong> oru{FindProductLine(kProductOru)->create(nullptr)};
  SongNumberOf numberOf = [list = oru](const std::string& line) { return list->SongNoOf(line); };
  std::vector<std::string> oldVideos;
  std::vector<std::string> newVideos;

  KillPoints() {
    unsigned seed = 1;
    for (const Video& v : kOldVideos) {
      oldVideos.push_back(
          GbkOf(dir.Write(std::string("src/") + v.name, VideoBytes(v.size, seed++))));
    }
    for (const Video& v : kNewVideos) {
      newVideos.push_back(
          GbkOf(dir.Write(std::string("src/") + v.name, VideoBytes(v.size, seed++))));
    }
  }

  static std::string GbkOf(const fs::path& path) { return gbk::FromUtf8(Utf8(path)); }
  fs::path Stick() const { return dir.path() / "stick"; }

  // A new window adds the videos onto the folder root (its vod folder)
  // through env, answering every question as the row's owner does.
  Outcome Run(KillEnv& env, const fs::path& root, const std::vector<std::string>& videos,
              bool replace) {
    env.dataDir = GbkOf(dir.path() / "data") + "/";
    Window w(&env);
    w.Start(kProductOru);
    w.AddFiles(videos);
    w.view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
    w.view.chosenFolder = GbkOf(root);
    w.view.answers[TQuestion::Id::kExistingSongs] = replace ? 1 : 0;
    w.view.answers[TQuestion::Id::kConfirmReplace] = 1;
    w.view.answers[TQuestion::Id::kRenumber] = 0;
    w.view.answers[TQuestion::Id::kUnreadLines] = 0;
    w.view.answers[TQuestion::Id::kDuplicates] = 0;
    w.form.btnCompleteClick();
    Outcome outcome{w.form.LastRun(), NameOf(w.form.LastRun())};
    for (const ShownBox& box : w.view.boxes) outcome.said += " [" + Shown(box.text) + "]";
    return outcome;
  }

  // The stick of an earlier normal run with the old songs, at root; with
  // upper-case names as a DOS tool gives them.
  void MakeOldStick(const fs::path& root, bool upperCase) {
    KillEnv env(GbkOf(root), std::nullopt, KillHow::kKilled, false);
    const Outcome earlier = Run(env, root, oldVideos, false);
    ASSERT_EQ(earlier.result, TfrmMain::TRunResult::kDone) << earlier.said;
    if (!upperCase) return;
    for (const auto& entry : fs::directory_iterator(root / "vod")) {
      std::string name = entry.path().filename().string();
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      fs::rename(entry.path(), root / "vod" / name);
    }
    fs::rename(root / "vod", root / "VOD");
  }

  void FreshStick(const fs::path& from) {
    fs::remove_all(Stick());
    fs::copy(from, Stick(), fs::copy_options::recursive);
  }

  // The song lines of every list on the stick at root.
  std::vector<std::string> ListedLines(const fs::path& root) const {
    std::vector<std::string> lines;
    for (const fs::path& vod : VodFolders(root)) {
      const StickList list = ListOf(vod, numberOf);
      lines.insert(lines.end(), list.lines.begin(), list.lines.end());
    }
    return lines;
  }

  // Every breach on the stick: one vod folder (in any case), and the
  // invariant in each there is.
  std::vector<std::string> Breaches(const StickSongs& songs,
                                    const std::vector<std::string>& kept) const {
    std::vector<std::string> breaches;
    const auto vods = VodFolders(Stick());
    if (vods.size() != 1) {
      std::string names;
      for (const fs::path& vod : vods) names += " " + vod.filename().string();
      breaches.push_back("the stick holds " + std::to_string(vods.size()) + " vod folders" + names);
    }
    for (const fs::path& vod : vods) {
      const std::string where = vods.size() > 1 ? vod.filename().string() + ": " : "";
      for (const std::string& b : CheckStick(vod, songs, kept)) breaches.push_back(where + b);
    }
    return breaches;
  }

  // The new songs the stick's list does not hold (under any number).
  std::vector<std::string> Unlisted(const StickSongs& songs,
                                    const std::vector<std::string>& wanted) const {
    std::set<std::string> listed;
    for (const std::string& line : ListedLines(Stick())) listed.insert(songs.Key(line));
    std::vector<std::string> missing;
    for (const std::string& line : wanted) {
      if (listed.count(songs.Key(line)) == 0) {
        missing.push_back("the new song \"" + Shown(line) + "\" is not listed");
      }
    }
    return missing;
  }
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n      " + line;
  return text;
}

TEST_F(KillPoints, WhereverTheStickGoesItsListNamesOnlyItsSongsAndARunAgainPutsEveryNewSongOnIt) {
  std::vector<Row> rows;
  for (const bool replace : {false, true}) {
    for (const bool fat : {false, true}) {
      for (const KillHow how : {KillHow::kKilled, KillHow::kPulled}) {
        rows.push_back({replace, fat, how, false});
      }
    }
  }
  rows.push_back({false, true, KillHow::kPulled, true});
  rows.push_back({true, true, KillHow::kPulled, true});

  int checked = 0;
  int broken = 0;
  for (const Row& row : rows) {
    const fs::path old = dir.path() / (row.upperCase ? "old-upper" : "old");
    if (!fs::exists(old)) MakeOldStick(old, row.upperCase);
    if (HasFatalFailure()) return;

    // The whole run, not stopped: what it lists, and how many steps of each
    // kind it takes.
    FreshStick(old);
    KillEnv dry(GbkOf(Stick()), std::nullopt, row.how, row.fat);
    const Outcome whole = Run(dry, Stick(), newVideos, row.replace);
    StickSongs songs(numberOf);
    for (const fs::path& vod : VodFolders(old)) songs.AddFromStick(vod);
    const std::vector<std::string> oldLines = ListedLines(old);
    std::set<std::string> oldKeys;
    for (const std::string& line : oldLines) oldKeys.insert(songs.Key(line));
    for (const fs::path& vod : VodFolders(Stick())) songs.AddFromStick(vod);
    std::vector<std::string> newLines;
    for (const std::string& line : ListedLines(Stick())) {
      if (oldKeys.count(songs.Key(line)) == 0) newLines.push_back(line);
    }
    const std::vector<std::string> kept = row.replace ? std::vector<std::string>{} : oldLines;
    ASSERT_EQ(oldLines.size(), 3u) << row.What();
    EXPECT_EQ(whole.result, TfrmMain::TRunResult::kDone) << row.What() << ": " << whole.said;
    EXPECT_EQ(newLines.size(), 3u)
        << row.What() << ": the run not stopped lists" << Joined(ListedLines(Stick()));
    std::vector<std::string> wholeBreaches = Breaches(songs, kept);
    const auto unlisted = Unlisted(songs, newLines);
    wholeBreaches.insert(wholeBreaches.end(), unlisted.begin(), unlisted.end());
    EXPECT_TRUE(wholeBreaches.empty())
        << row.What() << ", not stopped: " << whole.said << Joined(wholeBreaches);

    int rowChecked = 0;
    std::string rowBroken;
    for (const KillOp op : kKillOps) {
      for (int k = 1; k <= dry.Count(op); ++k) {
        ++checked;
        ++rowChecked;
        const std::string stop = row.What() + ": stop at " + NameOf(op) + " #" + std::to_string(k);
        FreshStick(old);
        KillEnv env(GbkOf(Stick()), KillStop{op, k}, row.how, row.fat);
        const Outcome stopped = Run(env, Stick(), newVideos, row.replace);
        std::vector<std::string> afterStop = Breaches(songs, kept);
        if (!env.Gone()) afterStop.push_back("the run never came to the stop");
        if (stopped.result == TfrmMain::TRunResult::kDone) {
          afterStop.push_back("the run said the songs were added although the stick went");
        }

        KillEnv again(GbkOf(Stick()), std::nullopt, row.how, row.fat);
        const Outcome recovery = Run(again, Stick(), newVideos, row.replace);
        std::vector<std::string> afterRecovery = Breaches(songs, kept);
        const auto missing = Unlisted(songs, newLines);
        afterRecovery.insert(afterRecovery.end(), missing.begin(), missing.end());

        if (afterStop.empty() && afterRecovery.empty()) continue;
        ++broken;
        rowBroken +=
            std::string(rowBroken.empty() ? "" : ", ") + NameOf(op) + " #" + std::to_string(k);
        ADD_FAILURE() << stop << "\n  the stopped run: " << stopped.said
                      << "\n  after the stop:" << Joined(afterStop)
                      << "\n  the run again: " << recovery.said
                      << "\n  after the run again:" << Joined(afterRecovery);
      }
    }
    std::cout << row.What() << ": " << rowChecked << " stops"
              << (rowBroken.empty() ? ", none broke the promise" : "; broken at " + rowBroken)
              << "\n";
  }
  RecordProperty("stops", checked);
  RecordProperty("broken", broken);
  std::cout << "kill points: " << checked << " stops checked, " << broken << " broke the promise\n";
}

}  // namespace
