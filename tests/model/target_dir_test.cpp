// SPDX-License-Identifier: GPL-3.0-or-later
// What a run finds on its target: names as FAT matches them, and the list a
// stopped run left under its temporary name.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "model/errors.h"
#include "run/target_dir.h"
#include "support/temp_dir.h"
#include "support/test_env.h"
#include "text/gbk.h"

namespace fs = std::filesystem;

namespace {

// A line names its file by the field "66NNNN", as every product line's does.
std::string NumberField(const std::string& line) {
  const std::size_t at = line.find(";66");
  return at == std::string::npos ? "" : line.substr(at + 1, 6);
}

TEST(TargetDir, NamesAreFoundInAnyCaseAndWhatIsNoFileUnderThemIsRefused) {
  const std::string list = "a;660000\r\nb;660001\r\n";
  const struct {
    const char* what;
    std::map<std::string, std::string> files;  // below the stick; "/" at the end: a folder
    std::string refused;                       // in the refusal; "" none
    std::string path;                          // the vod folder, as found
    std::string listName;
    std::set<std::string> datNames;
  } cases[] = {
      {"a DOS tool's stick",
       {{"VOD/VOD.TXT", list}, {"VOD/660000.DAT", "a"}, {"VOD/660001.DAT", "b"}},
       "",
       "VOD/",
       "VOD.TXT",
       {"660000.DAT", "660001.DAT"}},
      {"mixed case",
       {{"Vod/Vod.Txt", list}, {"Vod/660000.Dat", "a"}},
       "",
       "Vod/",
       "Vod.Txt",
       {"660000.Dat"}},
      {"our own names",
       {{"vod/vod.txt", list}, {"vod/660000.dat", "a"}},
       "",
       "vod/",
       "vod.txt",
       {"660000.dat"}},
      {"an empty stick", {{"other.txt", "x"}}, "", "vod/", "vod.txt", {}},
      {"a list that is a folder", {{"VOD/VOD.TXT/", ""}}, "VOD.TXT", "", "", {}},
      {"a song file that is a folder", {{"vod/660001.DAT/", ""}}, "660001.DAT", "", "", {}},
      {"a vod that is a file", {{"VOD", "x"}}, "VOD", "", "", {}},
      {"two lists in two cases",
       {{"vod/vod.txt", list}, {"vod/VOD.TXT", list}},
       "VOD.TXT",
       "",
       "",
       {}},
      {"one song file twice",
       {{"vod/660000.dat", "a"}, {"vod/660000.DAT", "a"}},
       "660000",
       "",
       "",
       {}},
  };
  for (const auto& c : cases) {
#ifdef _WIN32
    // One name in two cases is one file there, as on FAT.
    if (std::string(c.what).find("two cases") != std::string::npos ||
        std::string(c.what).find("twice") != std::string::npos) {
      continue;
    }
#endif
    TempDir dir;
    for (const auto& [name, bytes] : c.files) {
      if (name.ends_with('/')) {
        fs::create_directories(dir.path() / "stick" / name);
      } else {
        dir.Write("stick/" + name, bytes);
      }
    }
    TestEnv env;
    TTargetDir target(env, dir.Gbk() + "stick/vod/", NumberField);
    if (!c.refused.empty()) {
      try {
        target.Inspect();
        ADD_FAILURE() << c.what << ": not refused";
      } catch (const TUserError& e) {
        EXPECT_NE(std::string(e.what()).find(c.refused), std::string::npos)
            << c.what << ": " << gbk::ToUtf8(e.what());
      }
      continue;
    }
    target.Inspect();
    EXPECT_EQ(target.Path(), dir.Gbk() + "stick/" + c.path) << c.what;
    EXPECT_EQ(target.Contents().listName, c.listName) << c.what;
    std::set<std::string> datNames;
    for (const auto& [number, entry] : target.Contents().dats) datNames.insert(entry.name);
    EXPECT_EQ(datNames, c.datNames) << c.what;
    EXPECT_EQ(target.DatName("660000"), c.datNames.empty() ? "660000.dat" : *c.datNames.begin())
        << c.what;
  }
}

TEST(TargetDir, AWholeListLeftUnderItsTemporaryNameStandsForAMissingOrEmptyOne) {
  const std::string whole = "a;660000\r\nb;660001\r\n";
  const struct {
    const char* what;
    std::optional<std::string> list;  // vod.txt; none: no such file
    std::string part;                 // vod.txt.part
    bool fromPart;
  } cases[] = {
      {"no list", {}, whole, true},
      {"an empty list", "", whole, true},
      {"a list of blanks", "\r\n  \r\n", whole, true},
      {"zeros where the list was (a repaired FAT)", std::string(4, '\0'), whole, true},
      {"a list that reads", "a;660000\r\n", whole, false},
      {"a part cut inside its last line", {}, "a;660000\r\nb;6600", false},
      {"a part naming a file that is not there", {}, whole + "c;660002\r\n", false},
      {"a part of blanks only", "", "\r\n\r\n", false},
      {"a part holding zeros", "", "a;660000\r\n" + std::string(2, '\0') + "\r\n", false},
  };
  for (const auto& c : cases) {
    TempDir dir;
    if (c.list) dir.Write("vod/vod.txt", *c.list);
    dir.Write("vod/vod.txt.part", c.part);
    dir.Write("vod/660000.dat", "a");
    dir.Write("vod/660001.dat", "b");
    TestEnv env;
    TTargetDir target(env, dir.Gbk() + "vod/", NumberField);
    target.Inspect();
    const auto& there = target.Contents();
    EXPECT_EQ(there.fromPart, c.fromPart) << c.what;
    if (c.fromPart) {
      EXPECT_TRUE(there.hasVodTxt) << c.what;
      EXPECT_EQ(there.listBytes, c.part) << c.what;
      EXPECT_EQ(there.vod.lines.size(), 2u) << c.what;
    }
    // Making the folder puts the part in place, or sweeps it when it is no
    // list; a list that reads is never touched.
    target.Make();
    EXPECT_FALSE(fs::exists(dir.path() / "vod" / "vod.txt.part")) << c.what;
    if (c.fromPart) {
      EXPECT_EQ(TempDir::Read(dir.path() / "vod" / "vod.txt"), c.part) << c.what;
    }
    if (!c.fromPart && c.list) {
      EXPECT_TRUE(fs::exists(dir.path() / "vod" / "vod.txt")) << c.what;
    }
  }
}

TEST(TargetDir, MakingTheFolderSweepsTemporaryFilesOfAnyCaseAndNothingElse) {
  TempDir dir;
  for (const char* name : {"VOD.TXT.PART", "660003.DAT.PART", "660004.dat.part", "notes.part",
                           "660005.dat", "vod.txt"}) {
    dir.Write(std::string("vod/") + name, "x");
  }
  TestEnv env;
  TTargetDir target(env, dir.Gbk() + "vod/", NumberField);
  target.Inspect();
  target.Make();
  EXPECT_EQ(NamesIn(dir.path() / "vod"),
            (std::set<std::string>{"notes.part", "660005.dat", "vod.txt"}));
}

TEST(TargetDir, TheVodFolderIsComposedAsTheSystemWritesIt) {
  EXPECT_EQ(VodFolderIn("/media/usb/", '/'), "/media/usb/vod/");
  EXPECT_EQ(VodFolderIn("/home/songs", '/'), "/home/songs/vod/");
  EXPECT_EQ(VodFolderIn("F:\\", '\\'), "F:\\vod\\");
  TestEnv env;
  EXPECT_EQ(UsbVodFolder(env), "");
  env.volumes = {"/media/a/", "/media/b/"};
  EXPECT_EQ(UsbVodFolder(env), "/media/a/vod" + std::string(1, env.PathSeparator()));
}

}  // namespace
