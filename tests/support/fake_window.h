// SPDX-License-Identifier: GPL-3.0-or-later
// A window side for tests: posted notifications go into a queue the test
// inspects, message boxes are recorded, pumps are counted.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/window_side.h"

struct PostedMessage {
  unsigned message;
  std::int64_t lparam;
  bool operator==(const PostedMessage&) const = default;
};

struct ShownBox {
  std::string caption;
  std::string text;
  int kind;
  bool operator==(const ShownBox&) const = default;
};

class FakeWindow : public TWindowSide {
 public:
  void PostNotify(unsigned message, std::int64_t lparam) override {
    posted.push_back({message, lparam});
  }
  void PumpMessages() override {
    ++pumps;
    if (onPump) onPump();
  }
  void ShowBox(const std::string& caption, const std::string& text, int kind) override {
    boxes.push_back({caption, text, kind});
  }

  // The lparams of every posted message with that number, in order.
  std::vector<std::int64_t> ParamsOf(unsigned message) const {
    std::vector<std::int64_t> out;
    for (const auto& m : posted) {
      if (m.message == message) out.push_back(m.lparam);
    }
    return out;
  }

  std::vector<PostedMessage> posted;
  std::vector<ShownBox> boxes;
  int pumps = 0;
  std::function<void()> onPump;  // runs on every pump, e.g. to break something mid-copy
};
