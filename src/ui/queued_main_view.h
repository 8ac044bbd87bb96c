// SPDX-License-Identifier: GPL-3.0-or-later
// A main view whose message queue is its own: a front end without a window
// system (the console, a test's double) posts the form's messages here and
// hands them to the form when it lets the message loop run.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>

#include "ui/views.h"

class TfrmMain;

class TQueuedMainView : public IMainView {
 public:
  // The form whose HandleMessage receives the queued messages.
  void SetForm(TfrmMain* form) { form_ = form; }

  // Queues the message (from any thread); Drain hands it over.
  void PostMessage(unsigned message, std::int64_t lparam) override;
  // Hands every queued message to the form, oldest first, also those queued
  // meanwhile, until the queue is empty.
  void Drain();
  // A turn of the message loop is draining the queue.
  void ProcessMessages() override { Drain(); }

  struct TMessage {
    unsigned message;
    std::int64_t lparam;
  };
  // What is queued, for a test on the window's thread.
  const std::deque<TMessage>& Queue() const { return queue_; }
  TfrmMain* Form() const { return form_; }

 private:
  TfrmMain* form_ = nullptr;
  std::mutex mutex_;
  std::deque<TMessage> queue_;
};
