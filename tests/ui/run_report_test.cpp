// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/run_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/window_side.h"
#include "text/gbk.h"

namespace {

bool Holds(const std::string& text, const char8_t* part) {
  return text.find(Gbk(part)) != std::string::npos;
}

// Three songs: 0001 and 0002 copied, 0000 kept as it was on the stick.
const std::vector<TReportedSong> kSongs = {
    {"0000", "a", false}, {"0001", "b", true}, {"0002", "c", true}};

TRunOutcome Stopped(std::vector<bool> complete, std::vector<bool> checked, bool vodWritten) {
  TRunOutcome o;
  o.end = TRunOutcome::TEnd::kStopped;
  o.message = "disk full";
  o.failed = 2;
  o.changed = true;
  o.complete = std::move(complete);
  o.checked = std::move(checked);
  o.vodWritten = vodWritten;
  return o;
}

TEST(RunReport, EachEndGivesItsResultCaptionAndKind) {
  using TEnd = TRunOutcome::TEnd;
  const struct {
    TEnd end;
    bool onUsb;
    TRunResult result;
    int kind;
    const char8_t* holds;  // in the caption or the text
  } cases[] = {
      {TEnd::kDone, false, TRunResult::kDone, kMsgInformation, u8"用户加歌完成"},
      {TEnd::kDone, true, TRunResult::kDone, kMsgInformation, u8"用户加歌完成"},
      {TEnd::kLowSpace, true, TRunResult::kLowSpace, 0, u8""},
      {TEnd::kRefused, false, TRunResult::kRefused, kMsgError, u8"why"},
      {TEnd::kDiffers, true, TRunResult::kFailed, kMsgError, u8"why"},
      {TEnd::kUnreadable, true, TRunResult::kFailed, kMsgError, u8"why"},
      {TEnd::kStopped, false, TRunResult::kFailed, kMsgError, u8"why"},  // nothing touched
  };
  for (const auto& c : cases) {
    TRunOutcome o;
    o.end = c.end;
    o.message = "why";
    const TRunReport r = ReportOf(o, kSongs, true, c.onUsb);
    const int at = static_cast<int>(&c - cases);
    EXPECT_EQ(r.result, c.result) << at;
    EXPECT_EQ(r.kind, c.kind) << at;
    EXPECT_TRUE(Holds(r.caption + r.text, c.holds)) << at;
    if (c.end == TEnd::kLowSpace) {
      EXPECT_TRUE(r.caption.empty() && r.text.empty());
    }
  }
  TRunOutcome done;
  EXPECT_NE(ReportOf(done, kSongs, true, true).text, ReportOf(done, kSongs, true, false).text)
      << "on the USB disk the owner is told the stick can be pulled";
}

TEST(RunReport, AStoppedRunNamesTheSongsListedUnlistedAndNotCopied) {
  const struct {
    const char* what;
    TRunOutcome outcome;
    bool verified;
    const char8_t* listed;
    const char8_t* unlisted;  // "" when the line is not there
    const char8_t* notCopied;
  } cases[] = {
      {"list written, both read back", Stopped({true, true, false}, {true, true, false}, true),
       true, u8"已复制并列入歌曲列表的歌曲：0001\r\n", u8"", u8"没有复制的歌曲：0002\r\n"},
      {"list written, one not read back", Stopped({true, true, true}, {true, false, true}, true),
       true, u8"列入歌曲列表的歌曲：0002\r\n", u8"没有列入歌曲列表的歌曲：0001\r\n",
       u8"没有复制的歌曲：无"},
      {"no read-back asked: copied is listed", Stopped({true, true, true}, {}, true), false,
       u8"列入歌曲列表的歌曲：0001 0002\r\n", u8"", u8"没有复制的歌曲：无"},
      {"list not written: nothing listed", Stopped({true, true, false}, {true, true}, false), true,
       u8"列入歌曲列表的歌曲：无", u8"没有列入歌曲列表的歌曲：0001\r\n", u8"没有复制的歌曲：0002"},
  };
  for (const auto& c : cases) {
    const TRunReport r = ReportOf(c.outcome, kSongs, c.verified, false);
    EXPECT_EQ(r.result, TRunResult::kFailed) << c.what;
    EXPECT_TRUE(Holds(r.text, u8"0002 c")) << c.what << ": the song it stopped at";
    EXPECT_TRUE(Holds(r.text, c.listed)) << c.what;
    EXPECT_TRUE(Holds(r.text, c.notCopied)) << c.what;
    if (*c.unlisted != 0) {
      EXPECT_TRUE(Holds(r.text, c.unlisted)) << c.what;
    } else {
      EXPECT_FALSE(Holds(r.text, u8"没有列入歌曲列表的歌曲")) << c.what;
    }
    EXPECT_FALSE(Holds(r.text, u8"0000")) << c.what << ": a kept song is no copy";
  }
  TRunOutcome cancelled = Stopped({true, false, false}, {true}, true);
  cancelled.cancelled = true;
  EXPECT_EQ(ReportOf(cancelled, kSongs, true, false).kind, kMsgWarning);
}

}  // namespace
