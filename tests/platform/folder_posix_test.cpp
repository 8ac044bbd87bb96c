// A held folder against what a hostile stick may hold: links, pipes, a
// folder swapped under the path, each under the names a run writes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/env.h"
#include "support/error_of.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class HostileStick : public ::testing::Test {
 protected:
  TempDir stick_;
  TempDir outside_;  // where a link on the stick points
  std::unique_ptr<Folder> vod_ = [this] {
    fs::create_directory(stick_.path() / "vod");
    return Env::Default()->OpenFolder(stick_.Gbk() + "vod");
  }();
  fs::path Vod(const std::string& name) const { return stick_.path() / "vod" / name; }
};

TEST_F(HostileStick, ALinkUnderATemporaryNameIsNeitherFollowedNorWrittenThrough) {
  struct Case {
    std::string what;
    fs::path target;  // where the link points
  };
  const Case cases[] = {
      {"dangling", outside_.path() / "created-outside"},
      {"to a file", outside_.Write("victim", "precious")},
      {"to a device", "/dev/null"},
  };
  for (const Case& c : cases) {
    fs::create_symlink(c.target, Vod("660000.dat.part"));
    std::error_code code;
    ErrorOf([&] { vod_->CreateNew("660000.dat.part"); }, &code);
    EXPECT_EQ(code.value(), EEXIST) << c.what;
    EXPECT_EQ(vod_->Stat("660000.dat.part").kind, EntryKind::kLink) << c.what;

    vod_->Remove("660000.dat.part");
    EXPECT_FALSE(fs::is_symlink(Vod("660000.dat.part"))) << c.what;
    auto file = vod_->CreateNew("660000.dat.part");
    file->Append("v", 1);
    file->Close();
    vod_->Remove("660000.dat.part");
  }
  EXPECT_FALSE(fs::exists(outside_.path() / "created-outside"));
  EXPECT_EQ(TempDir::Read(outside_.path() / "victim"), "precious");
}

TEST_F(HostileStick, APipeUnderANameNeverBlocks) {
  ASSERT_EQ(::mkfifo(Vod("vod.txt").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(Vod("660000.dat.part").c_str(), 0600), 0);
  EXPECT_EQ(vod_->Stat("vod.txt").kind, EntryKind::kOther);
  EXPECT_NE(ErrorOf([&] { vod_->OpenForRead("vod.txt"); }), "no error");
  std::error_code code;
  ErrorOf([&] { vod_->CreateNew("660000.dat.part"); }, &code);
  EXPECT_EQ(code.value(), EEXIST);
  vod_->Remove("660000.dat.part");
  EXPECT_EQ(vod_->Stat("660000.dat.part").kind, EntryKind::kNone);
}

TEST_F(HostileStick, ALinkedFolderIsRefusedAsALink) {
  fs::create_directory(outside_.path() / "elsewhere");
  fs::create_directory_symlink(outside_.path() / "elsewhere", stick_.path() / "linked");
  std::error_code code;
  ErrorOf([&] { Env::Default()->OpenFolder(stick_.Gbk() + "linked"); }, &code);
  EXPECT_EQ(code.value(), ELOOP);
  ErrorOf([&] { Env::Default()->OpenFolder(stick_.Gbk() + "linked/"); }, &code);
  EXPECT_EQ(code.value(), ELOOP) << "a final separator does not follow it either";

  auto root = Env::Default()->OpenFolder(stick_.Gbk());
  const std::string what = ErrorOf([&] { root->OpenFolder("linked", true); }, &code);
  EXPECT_EQ(code.value(), ELOOP);
  EXPECT_NE(what.find("linked"), std::string::npos) << what;
  EXPECT_TRUE(fs::is_empty(outside_.path() / "elsewhere"));
}

TEST_F(HostileStick, RemovingAFolderRemovesLinksInItNotWhatTheyName) {
  const fs::path victim = outside_.Write("victim", "precious");
  fs::create_directories(Vod("660001.dat.part/inner"));
  fs::create_symlink(victim, Vod("660001.dat.part/inner/link"));
  fs::create_directory_symlink(outside_.path(), Vod("660001.dat.part/dirlink"));
  vod_->Remove("660001.dat.part");
  EXPECT_FALSE(fs::exists(Vod("660001.dat.part")));
  EXPECT_EQ(TempDir::Read(victim), "precious");
}

TEST_F(HostileStick, AFolderMovedAwayIsStillTheOneWrittenNotWhatNowStandsAtItsPath) {
  // As a stick pulled out with its mount point left behind, or a link put
  // in the folder's place: the write goes where the run opened.
  fs::rename(stick_.path() / "vod", stick_.path() / "moved");
  fs::create_directory(stick_.path() / "vod");
  auto file = vod_->CreateNew("vod.txt.part");
  file->Append("x", 1);
  file->Close();
  vod_->Rename("vod.txt.part", "vod.txt");
  EXPECT_TRUE(fs::exists(stick_.path() / "moved" / "vod.txt"));
  EXPECT_TRUE(fs::is_empty(stick_.path() / "vod"));
}

}  // namespace
}  // namespace platform
