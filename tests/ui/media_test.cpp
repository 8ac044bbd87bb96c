// SPDX-License-Identifier: GPL-3.0-or-later
// What the window does with what the videos hold: files that are no whole
// video stay out, Dovan's media type follows the file, track choices the
// file disagrees with are marked, and nothing is copied before every file
// was looked at. The probe is a fake; tests/media tests the real one.
#include <thread>

#include "support/fake_probe.h"
#include "ui/media_text.h"
#include "ui/track_doubt.h"
#include "ui/ui_texts.h"
#include "ui_fixture.h"

namespace fs = std::filesystem;

namespace {

using media::Verdict;

struct MediaForm : MainForm {
  FakeProbe probe;
  ~MediaForm() override {
    probe.Release();
    form.SetMediaProbe(nullptr, 0);
  }
  // The window with the probe on workers threads (0: while adding).
  void Start(std::uint8_t product, int workers = 0) {
    form.SetMediaProbe(&probe, workers);
    MainForm::Start(product);
  }
  void AddAndWait(const std::vector<std::string>& files) {
    AddFiles(files);
    form.AwaitMedia();
    view.Drain();
  }
  std::vector<ShownBox> BoxesWith(const std::string& text) const {
    std::vector<ShownBox> found;
    for (const ShownBox& box : view.boxes) {
      if (box.text.find(text) != std::string::npos) found.push_back(box);
    }
    return found;
  }
};

TEST_F(MediaForm, FilesThatAreNoWholeVideoLeaveTheGridNamedInOneMessageForGood) {
  for (const int workers : {0, 2}) {
    SCOPED_TRACE(workers);
    TempDir files;
    Window window(&env);
    window.form.SetMediaProbe(&probe, workers);
    window.Start(kProductOru);
    auto video = [&](const std::string& name) {
      return gbk::FromUtf8(files.Write(name, "v").string());
    };
    const std::string good = video("情歌-甲.mpg"), cut = video("夜曲-乙.mpg"),
                      page = video("青花瓷-丙.mpg"), empty = video("空-丁.mpg"),
                      other = video("吻别-戊.mp4"), large = video("大-己.mpg");
    env.fakeSizes[large] = std::int64_t{4} << 30;
    const media::MediaFacts truncated = FakeProbe::Refused(Verdict::kTruncated);
    const media::MediaFacts noDemuxer = FakeProbe::Refused(Verdict::kNoDemuxer);
    media::MediaFacts nothing = FakeProbe::Refused(Verdict::kNoDemuxer);
    nothing.size = 0;
    media::MediaFacts h264 = FakeProbe::Vcd();
    h264.verdict = Verdict::kOtherVideo;
    probe.Set(cut, truncated);
    probe.Set(page, noDemuxer);
    probe.Set(empty, nothing);
    probe.Set(other, h264);

    window.AddFiles({good, cut, page, large, empty, other});
    window.form.AwaitMedia();
    window.view.Drain();
    ASSERT_EQ(window.form.Grid().RowCount(), 2);
    EXPECT_EQ(window.form.Grid().Cell(kColVideo, 0), good);
    EXPECT_EQ(window.form.Grid().Cell(kColVideo, 1), other);
    // One message: the file too large for the stick first, then those the
    // probe refused, in the order they were added.
    std::vector<ShownBox> boxes;
    for (const ShownBox& box : window.view.boxes) {
      if (box.text.starts_with(Gbk(u8"以下文件没有添加："))) boxes.push_back(box);
    }
    ASSERT_EQ(boxes.size(), 1u);
    const std::string& text = boxes[0].text;
    const struct {
      const char8_t* name;
      std::string why;
    } refused[] = {{u8"夜曲-乙.mpg", ui_text::MediaRefusal(truncated)},
                   {u8"青花瓷-丙.mpg", ui_text::MediaRefusal(noDemuxer)},
                   {u8"空-丁.mpg", Gbk(u8"文件是空的")}};
    for (const auto& r : refused) {
      EXPECT_NE(text.find(ui_text::RefusedFile(Gbk(r.name), r.why)), std::string::npos)
          << gbk::ToUtf8(text);
    }
    EXPECT_NE(text.find(Gbk(u8"大-己.mpg")), std::string::npos);
    // Undo takes the add back; redo brings the two songs, never the others.
    window.form.Undo();
    EXPECT_EQ(window.form.Grid().RowCount(), 0);
    window.form.Redo();
    EXPECT_EQ(window.form.Grid().RowCount(), 2);
    window.view.Drain();
  }
}

TEST_F(MediaForm, DovansMediaTypeFollowsTheFilesAudioStreams) {
  Start(kProductDovan);
  const struct {
    int streams;
    const char8_t* type;
    const char8_t* accomp;
    const char8_t* vocal;
    bool doubtful;  // the tracks disagree with the file
  } cases[] = {
      {0, u8"VCD", u8"VCD伴唱", u8"VCD原唱", true},
      {1, u8"VCD", u8"VCD伴唱", u8"VCD原唱", false},
      {2, u8"DVD", u8"DVD 0 轨", u8"DVD 1 轨", false},
      {4, u8"DVD", u8"DVD 0 轨", u8"DVD 1 轨", false},
  };
  int row = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.streams);
    const std::string file = Video("歌" + std::to_string(c.streams) + "-甲.mpg");
    probe.Set(file, FakeProbe::Vcd(c.streams));
    AddAndWait({file});
    EXPECT_EQ(Cell(kColMedia, row), Gbk(c.type));
    EXPECT_EQ(Cell(kColAccomp, row), Gbk(c.accomp));
    EXPECT_EQ(Cell(kColVocal, row), Gbk(c.vocal));
    for (const int col : {kColAccomp, kColVocal}) {
      EXPECT_EQ(form.Grid().Mark(col, row).kind,
                c.doubtful ? TCellMark::kDoubtful : TCellMark::kNone);
    }
    ++row;
  }
}

TEST_F(MediaForm, ATrackChoiceTheFileDisagreesWithIsDoubtfulUntilTheOwnerChangesIt) {
  Start(kProductTarvel);
  const std::string dvd = Video("夜曲-乙.mpg"), mono = Video("情歌-甲.mpg");
  probe.Set(dvd, FakeProbe::Vcd(2));
  probe.Set(mono, FakeProbe::Vcd(1, 1));
  AddAndWait({dvd, mono});
  const std::vector<media::AudioStream> two(2, {"mp2", 2});
  EXPECT_EQ(
      form.Grid().Mark(kColAccomp, 0),
      (TMark{TCellMark::kDoubtful, ui_text::TrackDoubtTip(ui_text::VcdTrackButStreams(2), two)}));
  EXPECT_EQ(form.Grid().Mark(kColAccomp, 1).tip,
            ui_text::TrackDoubtTip(ui_text::VcdTrackButMono(), {{"mp2", 1}}));
  // The owner's choice is the owner's, whatever it is.
  form.EditCell(kColAccomp, 0, Gbk(u8"DVD(12)"));
  form.EditCell(kColAccomp, 1, Gbk(u8"VCD原唱"));
  EXPECT_EQ(form.Grid().Mark(kColAccomp, 0).kind, TCellMark::kNone);
  EXPECT_EQ(form.Grid().Mark(kColAccomp, 1).kind, TCellMark::kNone);
  form.Undo();  // the second edit back: its mark too
  EXPECT_EQ(form.Grid().Mark(kColAccomp, 1).kind, TCellMark::kDoubtful);
}

TEST_F(MediaForm, TheVideoCellAndTheStatusBarTellWhatTheFileHolds) {
  Start(kProductOru);
  const std::string vcd = Video("情歌-甲.mpg"), mp4 = Video("吻别-乙.mp4");
  media::MediaFacts h264 = FakeProbe::Vcd();
  h264.verdict = Verdict::kOtherVideo;
  h264.container = "mov,mp4,m4a,3gp,3g2,mj2";
  h264.videoCodec = "h264";
  probe.Set(mp4, h264);
  AddAndWait({vcd, mp4});
  const TGrid& grid = form.Grid();
  EXPECT_EQ(grid.Tip(kColVideo, 0), vcd + "\n" + ui_text::MediaTip(FakeProbe::Vcd()));
  EXPECT_NE(ui_text::MediaTip(FakeProbe::Vcd()).find(Gbk(u8"MPEG-PS，时长 3:35")),
            std::string::npos);
  EXPECT_EQ(grid.Mark(kColVideo, 0).kind, TCellMark::kNone);
  // Added, but marked: some jukeboxes cannot play it.
  EXPECT_EQ(grid.Mark(kColVideo, 1), (TMark{TCellMark::kDoubtful, ui_text::OtherVideoTip()}));
  EXPECT_EQ(grid.Tip(kColAccomp, 0), "");
  form.Grid().SetCurrent(kColTitle, 1);
  EXPECT_EQ(view.mediaText, ui_text::MediaLine(h264));
  EXPECT_NE(view.mediaText.find("H.264"), std::string::npos);
  form.Grid().SetCurrent(kColTitle, 0);
  EXPECT_EQ(view.mediaText, ui_text::MediaLine(FakeProbe::Vcd()));
}

TEST_F(MediaForm, RowsAppearAtOnceAndTheOwnersMediaTypeComesBeforeTheFiles) {
  Start(kProductDovan, 2);
  const std::string a = Video("情歌-甲.mpg"), b = Video("夜曲-乙.mpg");
  probe.Set(a, FakeProbe::Vcd(1));
  probe.Set(b, FakeProbe::Vcd(2));
  probe.Hold();
  AddFiles({a, b});
  ASSERT_EQ(form.Grid().RowCount(), 2);
  EXPECT_EQ(form.Grid().Tip(kColVideo, 0), a + "\n" + ui_text::MediaPending());
  form.EditCell(kColMedia, 0, Gbk(u8"DVD"));  // chosen before the file was looked at
  probe.Release();
  form.AwaitMedia();
  view.Drain();
  EXPECT_EQ(Cell(kColMedia, 0), Gbk(u8"DVD"));
  EXPECT_EQ(Cell(kColMedia, 1), Gbk(u8"DVD"));
  // What the file set is part of the add: one undo takes both rows back.
  form.Undo();
  EXPECT_EQ(Cell(kColMedia, 0), Gbk(u8"VCD"));
  form.Undo();
  EXPECT_EQ(form.Grid().RowCount(), 0);
}

TEST_F(MediaForm, TheRunWaitsForTheProbesAndCopiesNoFileTheyRefuse) {
  Start(kProductOru, 2);
  const std::string good = Video("情歌-甲.mpg", 5120), cut = Video("夜曲-乙.mpg", 5120);
  probe.Set(cut, FakeProbe::Refused(Verdict::kTruncated));
  probe.Hold();
  AddFiles({good, cut});
  EXPECT_EQ(form.Grid().RowCount(), 2);
  std::thread later([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    probe.Release();
  });
  view.onSaveHint = [](TfrmSaveHint& h) { h.RzButton2Click(); };
  view.chosenFolder = dir.Gbk() + "out";
  fs::create_directory(dir.path() / "out");
  form.btnCompleteClick();
  view.Drain();
  later.join();
  EXPECT_EQ(form.LastRun(), TfrmMain::TRunResult::kDone);
  EXPECT_EQ(NamesIn(dir.path() / "out" / "vod"), (std::set<std::string>{"660000.dat", "vod.txt"}));
  EXPECT_EQ(BoxesWith(Gbk(u8"夜曲-乙.mpg")).size(), 1u);
}

TEST(TrackDoubt, ComparesTheChoiceWithTheFilesAudioStreams) {
  const auto tarvel = FindProductLine(kProductTarvel)->create(nullptr);
  const auto dovan = FindProductLine(kProductDovan)->create(nullptr);
  using Audio = std::vector<media::AudioStream>;
  const Audio none, mono{{"mp2", 1}}, stereo{{"mp2", 2}}, two(2, {"ac3", 2}), three(3, {"ac3", 2});
  const struct {
    const TBaseSong& list;
    bool dvd;
    const char8_t* cell;
    Audio audio;
    std::string doubt;
  } cases[] = {
      {*tarvel, false, u8"VCD伴唱", stereo, ""},
      {*tarvel, false, u8" VCD原唱 ", stereo, ""},
      {*tarvel, false, u8"VCD伴唱", two, ui_text::VcdTrackButStreams(2)},
      {*tarvel, false, u8"VCD原唱", mono, ui_text::VcdTrackButMono()},
      {*tarvel, false, u8"VCD伴唱", none, ui_text::VcdTrackButNoAudio()},
      {*tarvel, false, u8"DVD(12)", two, ""},
      {*tarvel, false, u8"DVD(21)", two, ""},
      {*tarvel, false, u8"DVD(23)", two, ui_text::DvdTrackBeyond(Gbk(u8"DVD(23)"), 2)},
      {*tarvel, false, u8"DVD(32)", three, ""},
      {*tarvel, false, u8"DVD(12)", stereo, ui_text::DvdTrackBeyond(Gbk(u8"DVD(12)"), 1)},
      {*tarvel, false, u8"立体声", two, ""},  // no track of the list: nothing to say
      {*tarvel, false, u8"", two, ""},
      {*dovan, true, u8"DVD 0 轨", two, ""},
      {*dovan, true, u8"DVD 1 轨", two, ""},
      {*dovan, true, u8"DVD 2 轨", two, ui_text::DvdTrackBeyond(Gbk(u8"DVD 2 轨"), 2)},
      {*dovan, true, u8"DVD 0 轨", none, ui_text::DvdTrackBeyond(Gbk(u8"DVD 0 轨"), 0)},
      {*dovan, false, u8"VCD伴唱", two, ui_text::VcdTrackButStreams(2)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(gbk::ToUtf8(Gbk(c.cell)));
    EXPECT_EQ(TrackDoubt(c.list, c.dvd, Gbk(c.cell), c.audio), c.doubt);
  }
}

}  // namespace
