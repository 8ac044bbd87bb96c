// SPDX-License-Identifier: GPL-3.0-or-later
// A media probe that tells what the test says of each file, for the forms'
// tests: by default a VCD (MPEG-1 video, one stereo MP2 stream). A test can
// hold every probe until it lets them go, to see what the window does while
// files are being looked at.
#pragma once

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>

#include "media/probe.h"

class FakeProbe : public media::MediaProbe {
 public:
  static media::MediaFacts Vcd(int streams = 1, int channels = 2) {
    media::MediaFacts facts;
    facts.verdict = media::Verdict::kPlayable;
    facts.container = "mpeg";
    facts.durationMs = 215000;
    facts.videoCodec = "mpeg1video";
    facts.width = 352;
    facts.height = 240;
    facts.audio.assign(static_cast<std::size_t>(streams), {"mp2", channels});
    facts.readsToEnd = true;
    return facts;
  }
  static media::MediaFacts Refused(media::Verdict verdict, const std::string& detail = "") {
    media::MediaFacts facts;
    facts.verdict = verdict;
    facts.detail = detail;
    facts.size = 100;
    return facts;
  }

  // What Examine says of a file (GBK path); others are Vcd().
  void Set(const std::string& path, media::MediaFacts facts) {
    std::lock_guard<std::mutex> lock(mutex_);
    facts_[path] = std::move(facts);
  }
  // Probes wait until Release.
  void Hold() {
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = true;
  }
  void Release() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      held_ = false;
    }
    released_.notify_all();
  }
  int Calls() const { return calls_; }

  media::MediaFacts Examine(const std::string& path) override {
    ++calls_;
    std::unique_lock<std::mutex> lock(mutex_);
    released_.wait(lock, [this] { return !held_; });
    const auto found = facts_.find(path);
    return found != facts_.end() ? found->second : Vcd();
  }

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  bool held_ = false;
  std::map<std::string, media::MediaFacts> facts_;
  std::atomic<int> calls_{0};
};
