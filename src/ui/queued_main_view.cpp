// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/queued_main_view.h"

#include "ui/ufrmMain.h"

void TQueuedMainView::PostMessage(unsigned message, std::int64_t lparam) {
  std::lock_guard<std::mutex> lock(mutex_);
  queue_.push_back({message, lparam});
}

void TQueuedMainView::Drain() {
  for (;;) {
    TMessage m{};
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (queue_.empty()) return;
      m = queue_.front();
      queue_.pop_front();
    }
    if (form_ != nullptr) form_->HandleMessage(m.message, m.lparam);
  }
}
