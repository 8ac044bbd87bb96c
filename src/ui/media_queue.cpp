// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/media_queue.h"

#include <algorithm>

TMediaQueue::TMediaQueue(media::MediaProbe* probe, int workers, std::function<void()> ready)
    : probe_(probe), ready_(std::move(ready)) {
  if (probe_ == nullptr) return;
  for (int i = 0; i < workers; ++i) workers_.emplace_back([this] { Work(); });
}

TMediaQueue::~TMediaQueue() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    waiting_.clear();
  }
  queued_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

int TMediaQueue::DefaultWorkers() {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(cores - 1, 1, 2);
}

media::MediaFacts TMediaQueue::Examine(const std::string& path) {
  try {
    return probe_->Examine(path);
  } catch (const std::exception& e) {
    // A probe promises not to throw; should one, the file is not known good.
    media::MediaFacts facts;
    facts.detail = e.what();
    return facts;
  }
}

void TMediaQueue::Add(const std::string& path) {
  if (probe_ == nullptr) return;
  if (workers_.empty()) {
    media::MediaFacts facts = Examine(path);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      finished_facts_.emplace_back(path, std::move(facts));
    }
    if (ready_ && !posted_.exchange(true)) ready_();
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!looking_.insert(path).second) return;
    waiting_.push_back(path);
  }
  queued_.notify_one();
}

void TMediaQueue::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    queued_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
    if (stopping_) return;
    const std::string path = waiting_.front();
    waiting_.pop_front();
    lock.unlock();
    media::MediaFacts facts = Examine(path);
    lock.lock();
    finished_facts_.emplace_back(path, std::move(facts));
    looking_.erase(path);
    finished_.notify_all();
    // One message wakes the window for all the facts that come meanwhile.
    if (ready_ && !posted_.exchange(true)) {
      lock.unlock();
      ready_();
      lock.lock();
    }
  }
}

std::vector<std::string> TMediaQueue::TakeFinished() {
  std::vector<std::pair<std::string, media::MediaFacts>> finished;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    posted_ = false;  // facts after these wake the window again
    finished.swap(finished_facts_);
  }
  std::vector<std::string> paths;
  for (auto& [path, facts] : finished) {
    known_[path] = std::move(facts);
    paths.push_back(path);
  }
  return paths;
}

const media::MediaFacts* TMediaQueue::Known(const std::string& path) const {
  const auto found = known_.find(path);
  return found != known_.end() ? &found->second : nullptr;
}

bool TMediaQueue::Busy() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return !looking_.empty() || !finished_facts_.empty();
}

bool TMediaQueue::Looking(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return looking_.count(path) != 0;
}

void TMediaQueue::WaitForFacts(std::chrono::milliseconds most) {
  std::unique_lock<std::mutex> lock(mutex_);
  finished_.wait_for(lock, most, [this] { return !finished_facts_.empty() || looking_.empty(); });
}
