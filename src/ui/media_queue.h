// SPDX-License-Identifier: GPL-3.0-or-later
// The videos being looked at: probes run on threads of their own, so the
// window never waits for a file, and their facts are handed back on the
// window's thread, which asks for them when it is woken.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "media/probe.h"

class TMediaQueue {
 public:
  // probe: what looks at a file; null looks at none (nothing is ever known).
  // workers: files looked at at once; 0 looks at a file inside Add, on the
  // caller's thread. ready is called after facts came in, on the thread that
  // found them (a worker's, or Add's caller): it only wakes the window, and
  // is not called again until TakeFinished took them.
  TMediaQueue(media::MediaProbe* probe, int workers, std::function<void()> ready);
  // Waits for the probes running; those not started are dropped.
  ~TMediaQueue();
  TMediaQueue(const TMediaQueue&) = delete;
  TMediaQueue& operator=(const TMediaQueue&) = delete;

  // The probing threads for this machine: one core is left to the window,
  // and two files at once are enough for a disk.
  static int DefaultWorkers();

  bool Active() const { return probe_ != nullptr; }
  // Looks at the file (GBK path) again, after what is queued; a file being
  // looked at already is not queued twice.
  void Add(const std::string& path);
  // The paths whose facts came in since the last call, in the order they
  // came; from now on Known gives their facts.
  std::vector<std::string> TakeFinished();
  // The newest facts taken of the file; null when none were.
  const media::MediaFacts* Known(const std::string& path) const;
  // Forgets the facts of the file (a refused file may be mended and added again).
  void Forget(const std::string& path) { known_.erase(path); }
  // Whether a file is queued or being looked at, or its facts wait to be taken.
  bool Busy() const;
  // Whether the file is queued or being looked at.
  bool Looking(const std::string& path) const;
  // Blocks until facts come in or at most the time given.
  void WaitForFacts(std::chrono::milliseconds most);

 private:
  void Work();
  media::MediaFacts Examine(const std::string& path);

  media::MediaProbe* probe_;
  std::function<void()> ready_;
  mutable std::mutex mutex_;
  std::condition_variable queued_;    // a file was queued, or the queue stops
  std::condition_variable finished_;  // facts came in
  std::deque<std::string> waiting_;
  std::set<std::string> looking_;  // queued or running
  std::vector<std::pair<std::string, media::MediaFacts>> finished_facts_;
  bool stopping_ = false;
  std::atomic<bool> posted_{false};  // a wake-up is on its way to the window
  std::vector<std::thread> workers_;
  std::map<std::string, media::MediaFacts> known_;  // the window's thread only
};
