// SPDX-License-Identifier: GPL-3.0-or-later
// The media probe on real files made by ffmpeg (tests/media/make_media.sh):
// what it tells of each, which it refuses, and that it reads little of a
// long file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <future>
#include <string>
#include <vector>

#include "media/probe.h"
#include "platform/env.h"
#include "support/temp_dir.h"
#include "support/video_file.h"

namespace {

using media::AudioStream;
using media::Verdict;

// The folder the media were made in; "" when ffmpeg was missing.
std::string MediaFolder() {
  const char* folder = std::getenv("ADDSONGS_TEST_MEDIA");
  if (folder == nullptr) return {};
  std::string path = folder;
  if (!platform::Env::Default()->FileExists(path + "/done")) return {};
  return path + "/";
}

#define REQUIRE_MEDIA(folder)               \
  const std::string folder = MediaFolder(); \
  if (folder.empty()) GTEST_SKIP() << "ffmpeg is not installed: no test media were made"

const std::string kMp4 = "mov,mp4,m4a,3gp,3g2,mj2";
const AudioStream kStereoMp2{"mp2", 2};
const AudioStream kMonoMp2{"mp2", 1};
const AudioStream kStereoAc3{"ac3", 2};

struct Case {
  const char* file;
  Verdict verdict;
  std::string container;
  std::string video;
  int width;
  int height;
  std::vector<AudioStream> audio;
};

TEST(MediaProbe, TellsWhatEachFileHoldsAndRefusesBrokenOnes) {
  REQUIRE_MEDIA(folder);
  const std::vector<Case> cases = {
      {"vcd.mpg", Verdict::kPlayable, "mpeg", "mpeg1video", 352, 288, {kStereoMp2}},
      {"mono.mpg", Verdict::kPlayable, "mpeg", "mpeg1video", 352, 240, {kMonoMp2}},
      {"dvd.mpg", Verdict::kPlayable, "mpeg", "mpeg2video", 352, 240, {kStereoAc3, kStereoAc3}},
      {"two_audio.mkv",
       Verdict::kPlayable,
       "matroska,webm",
       "mpeg2video",
       352,
       240,
       {kMonoMp2, kMonoMp2}},
      {"h264.mp4", Verdict::kOtherVideo, kMp4, "h264", 352, 240, {{"aac", 1}}},
      {"h264_faststart.mp4", Verdict::kOtherVideo, kMp4, "h264", 352, 240, {{"aac", 1}}},
      // The index at the end was cut off: no demuxer reads its header.
      {"truncated.mp4", Verdict::kBroken, "", "", 0, 0, {}},
      // The header reads, the samples it lists are not all there.
      {"truncated_faststart.mp4", Verdict::kTruncated, kMp4, "h264", 352, 240, {{"aac", 1}}},
      {"truncated.mpg",
       Verdict::kTruncated,
       "mpeg",
       "mpeg2video",
       352,
       240,
       {kStereoAc3, kStereoAc3}},
      {"page.mpg", Verdict::kNoDemuxer, "", "", 0, 0, {}},
      {"song_mp3.mpg", Verdict::kNoDemuxer, "", "", 0, 0, {}},
      {"empty.mpg", Verdict::kNoDemuxer, "", "", 0, 0, {}},
  };
  auto probe = media::NewMediaProbe(*platform::Env::Default());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const media::MediaFacts facts = probe->Examine(folder + c.file);
    EXPECT_EQ(facts.verdict, c.verdict) << facts.detail;
    EXPECT_EQ(facts.container, c.container);
    EXPECT_EQ(facts.videoCodec, c.video);
    EXPECT_EQ(facts.width, c.width);
    EXPECT_EQ(facts.height, c.height);
    EXPECT_EQ(facts.audio, c.audio);
    EXPECT_EQ(media::Refused(facts.verdict),
              c.verdict != Verdict::kPlayable && c.verdict != Verdict::kOtherVideo);
    if (!media::Refused(facts.verdict)) {
      EXPECT_TRUE(facts.readsToEnd);
      EXPECT_NEAR(facts.durationMs, 3000, 100);
    }
  }
}

TEST(MediaProbe, ABrokenDownloadSaysWhatTheLibraryFound) {
  REQUIRE_MEDIA(folder);
  auto probe = media::NewMediaProbe(*platform::Env::Default());
  EXPECT_EQ(probe->Examine(folder + "truncated.mp4").detail, "moov atom not found");
}

TEST(MediaProbe, ReadsOnlyTheStartAndTheEndOfALongFile) {
  REQUIRE_MEDIA(folder);
  auto probe = media::NewMediaProbe(*platform::Env::Default());
  const media::MediaFacts facts = probe->Examine(folder + "long.mpg");
  EXPECT_EQ(facts.verdict, Verdict::kPlayable);
  EXPECT_NEAR(facts.durationMs, 60000, 200);
  ASSERT_GT(facts.size, 8 << 20);
  EXPECT_LT(facts.bytesRead, facts.size / 2);
}

TEST(MediaProbe, GivesTheSameFactsFromSeveralThreadsAtOnce) {
  REQUIRE_MEDIA(folder);
  auto probe = media::NewMediaProbe(*platform::Env::Default());
  const std::vector<std::string> files = {"vcd.mpg",       "dvd.mpg",       "h264.mp4",
                                          "two_audio.mkv", "truncated.mpg", "page.mpg"};
  std::vector<media::MediaFacts> alone;
  for (const auto& file : files) alone.push_back(probe->Examine(folder + file));
  std::vector<std::future<media::MediaFacts>> together;
  for (int round = 0; round < 4; ++round) {
    for (const auto& file : files) {
      together.push_back(
          std::async(std::launch::async, [&, file] { return probe->Examine(folder + file); }));
    }
  }
  for (std::size_t i = 0; i < together.size(); ++i) {
    EXPECT_EQ(together[i].get(), alone[i % files.size()]) << files[i % files.size()];
  }
}

// A disk that fails half way through the file.
class FailingReads : public platform::EnvWrapper {
 public:
  FailingReads() : EnvWrapper(platform::Env::Default()) {}
  std::unique_ptr<platform::RandomAccessFile> OpenForRandomRead(const std::string& path) override {
    class File : public platform::RandomAccessFile {
     public:
      explicit File(std::unique_ptr<platform::RandomAccessFile> real) : real_(std::move(real)) {}
      std::size_t Read(std::int64_t offset, char* scratch, std::size_t n) override {
        if (offset + static_cast<std::int64_t>(n) > Size() / 2) {
          throw platform::FileError(EIO, "cannot read the test file");
        }
        return real_->Read(offset, scratch, n);
      }
      std::int64_t Size() const override { return real_->Size(); }

     private:
      std::unique_ptr<platform::RandomAccessFile> real_;
    };
    return std::make_unique<File>(target()->OpenForRandomRead(path));
  }
};

TEST(MediaProbe, AFileThatCannotBeReadIsUnreadable) {
  TempDir dir;
  const std::string video = Utf8(dir.Write("a.mpg", VideoFile(1 << 20, 1)));
  FailingReads failing;
  const media::MediaFacts broken = media::NewMediaProbe(failing)->Examine(video);
  EXPECT_EQ(broken.verdict, Verdict::kUnreadable);
  EXPECT_NE(broken.detail.find("cannot read"), std::string::npos) << broken.detail;

  auto probe = media::NewMediaProbe(*platform::Env::Default());
  EXPECT_EQ(probe->Examine(dir.Gbk() + "missing.mpg").verdict, Verdict::kUnreadable);
  EXPECT_EQ(probe->Examine(dir.Gbk()).verdict, Verdict::kUnreadable);  // a folder
}

TEST(MediaProbe, TheTestsOwnVideoFilesArePlayableOfEverySize) {
  TempDir dir;
  auto probe = media::NewMediaProbe(*platform::Env::Default());
  for (const std::size_t size : {std::size_t{0}, std::size_t{300}, std::size_t{65541 + 290},
                                 std::size_t{65541 + 293}, std::size_t{3 << 20}}) {
    SCOPED_TRACE(size);
    const std::string bytes = VideoFile(size, 7);
    if (size > 296) {
      EXPECT_EQ(bytes.size(), size);
    }
    const std::string video = Utf8(dir.Write("v" + std::to_string(size) + ".mpg", bytes));
    const media::MediaFacts facts = probe->Examine(video);
    EXPECT_EQ(facts.verdict, Verdict::kPlayable) << facts.detail;
    EXPECT_EQ(facts.width, 16);
  }
}

}  // namespace
