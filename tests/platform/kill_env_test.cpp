// SPDX-License-Identifier: GPL-3.0-or-later
// The stick that goes at a step (tests/support/kill_env.h): at the k-th call
// of a kind it does part of the call or none, and nothing after it; pulled,
// it loses what no flush reached, wherever renames took the file; on FAT a
// rename over a name removes it first, as a step of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>

#include "support/kill_env.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// What the vod folder holds, "name=bytes" in name order; "-" when it is missing.
std::string Holds(const fs::path& vod) {
  if (!fs::exists(vod)) return "-";
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(vod)) {
    files[entry.path().filename().string()] = TempDir::Read(entry.path());
  }
  std::string text;
  for (const auto& [name, bytes] : files) text += (text.empty() ? "" : " ") + name + "=" + bytes;
  return text;
}

// A run's steps on the stick: ff written in two parts with a flush between,
// renamed onto a free name; gg written and renamed over the old gg; the
// folder flushed; ff removed.
void Script(KillEnv& env, const std::string& stick) {
  auto root = env.OpenFolder(stick);
  auto vod = root->OpenFolder("vod", true);
  auto f = vod->CreateNew("ff.part");
  f->Append("0123456789", 10);
  f->Sync();
  f->Append("abcdefghij", 10);
  f->Close();
  vod->Rename("ff.part", "ff");
  auto g = vod->CreateNew("gg.part");
  g->Append("new!", 4);
  g->Sync();
  g->Close();
  vod->Rename("gg.part", "gg");
  vod->Sync();
  vod->Remove("ff");
}

TEST(KillEnv, TheStickGoesAtTheStepAsKilledOrPulledAndOnFatARenameOverANameRemovesItFirst) {
  const struct {
    std::optional<KillStop> stop;
    KillHow how;
    bool fat;
    std::string holds;  // the vod folder afterwards
  } cases[] = {
      {std::nullopt, KillHow::kPulled, false, "gg=new!"},
      {std::nullopt, KillHow::kPulled, true, "gg=new!"},
      {KillStop{KillOp::kMakeFolder, 1}, KillHow::kKilled, false, "-"},
      {KillStop{KillOp::kCreate, 1}, KillHow::kKilled, false, "gg=old"},
      // Half of the second write is there; pulled, only what was flushed.
      {KillStop{KillOp::kAppend, 2}, KillHow::kKilled, false, "ff.part=0123456789abcde gg=old"},
      {KillStop{KillOp::kAppend, 2}, KillHow::kPulled, false, "ff.part=0123456789 gg=old"},
      {KillStop{KillOp::kClose, 1}, KillHow::kKilled, false, "ff.part=0123456789abcdefghij gg=old"},
      {KillStop{KillOp::kClose, 1}, KillHow::kPulled, false, "ff.part=0123456789 gg=old"},
      {KillStop{KillOp::kRename, 1}, KillHow::kPulled, false, "ff.part=0123456789 gg=old"},
      // The unflushed bytes are lost under the name the file was renamed to.
      {KillStop{KillOp::kCreate, 2}, KillHow::kPulled, false, "ff=0123456789 gg=old"},
      {KillStop{KillOp::kRename, 2}, KillHow::kKilled, false,
       "ff=0123456789abcdefghij gg=old gg.part=new!"},
      // FAT: the old gg went, the new one is not there yet.
      {KillStop{KillOp::kRename, 2}, KillHow::kKilled, true,
       "ff=0123456789abcdefghij gg.part=new!"},
      {KillStop{KillOp::kRemove, 1}, KillHow::kKilled, true,
       "ff=0123456789abcdefghij gg=old gg.part=new!"},
      {KillStop{KillOp::kSyncFolder, 1}, KillHow::kPulled, false, "ff=0123456789 gg=new!"},
      {KillStop{KillOp::kRemove, 1}, KillHow::kPulled, false, "ff=0123456789 gg=new!"},
      {KillStop{KillOp::kRemove, 2}, KillHow::kPulled, true, "ff=0123456789 gg=new!"},
  };
  for (const auto& c : cases) {
#ifdef _WIN32
    // Windows lets nobody shorten a file another handle writes: the bytes a
    // pulled stick loses are modelled on POSIX only.
    if (c.how == KillHow::kPulled && c.stop) continue;
#endif
    const std::string what = c.stop ? std::string(NameOf(c.stop->op)) + " #" +
                                          std::to_string(c.stop->k) + " " + NameOf(c.how) +
                                          (c.fat ? " FAT" : "")
                                    : "no stop";
    TempDir dir;
    dir.Write("stick/vod/gg", "old");
    if (c.stop && c.stop->op == KillOp::kMakeFolder) fs::remove_all(dir.path() / "stick" / "vod");
    const std::string source = dir.Write("src/video", "video").string();
    const std::string stick = (dir.path() / "stick").string();
    KillEnv env(stick, c.stop, c.how, c.fat);
    int error = 0;
    try {
      Script(env, stick);
    } catch (const platform::FileError& e) {
      error = platform::PortableErrno(e.code());
    }
    EXPECT_EQ(Holds(dir.path() / "stick" / "vod"), c.holds) << what;
    EXPECT_EQ(env.Gone(), c.stop.has_value()) << what;
    if (!c.stop) continue;
    EXPECT_EQ(error, c.how == KillHow::kPulled ? ENODEV : EIO) << what;
    // Nothing on the stick answers any more; the files elsewhere do.
    EXPECT_THROW(env.OpenFolder(stick), platform::FileError) << what;
    EXPECT_FALSE(env.DirExists(stick)) << what;
    EXPECT_EQ(platform::ReadWholeFile(env, source), "video") << what;
  }
}

TEST(KillEnv, ADryRunCountsEveryStepOfEachKind) {
  const struct {
    bool vodThere;  // with g in it
    bool fat;
    int folders;  // made
    int removes;  // the script's own, and on FAT the one before renaming over g
  } cases[] = {{true, false, 0, 1}, {true, true, 0, 2}, {false, true, 1, 1}};
  for (const auto& c : cases) {
    const std::string what =
        std::string(c.vodThere ? "vod there" : "no vod") + (c.fat ? " FAT" : "");
    TempDir dir;
    fs::create_directories(dir.path() / "stick");
    if (c.vodThere) dir.Write("stick/vod/gg", "old");
    const std::string stick = (dir.path() / "stick").string();
    KillEnv env(stick, std::nullopt, KillHow::kKilled, c.fat);
    Script(env, stick);
    const std::map<KillOp, int> expected = {
        {KillOp::kMakeFolder, c.folders}, {KillOp::kCreate, 2},    {KillOp::kAppend, 3},
        {KillOp::kSyncFile, 2},           {KillOp::kClose, 2},     {KillOp::kRename, 2},
        {KillOp::kRemove, c.removes},     {KillOp::kSyncFolder, 1}};
    for (const auto& [op, count] : expected)
      EXPECT_EQ(env.Count(op), count) << NameOf(op) << ", " << what;
  }
}

}  // namespace
