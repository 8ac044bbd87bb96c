// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/grid_history.h"

#include <algorithm>

namespace {
bool SameRowsOf(const std::vector<TGrid::TRow>& a, const std::vector<TGrid::TRow>& b, bool marks) {
  return std::equal(
      a.begin(), a.end(), b.begin(), b.end(), [&](const TGrid::TRow& x, const TGrid::TRow& y) {
        return x.cells == y.cells && x.origin == y.origin && (!marks || x.marks == y.marks);
      });
}
}  // namespace

bool TGridState::SameRows(const std::vector<TGrid::TRow>& other) const {
  return SameRowsOf(rows, other, true);
}

bool TGridState::SameCells(const std::vector<TGrid::TRow>& other) const {
  return SameRowsOf(rows, other, false);
}

void TGridHistory::Record(const std::string& name, TGridState before, TGridState after) {
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  steps_.push_back({name, std::move(before), std::move(after)});
  if (steps_.size() > kSteps) steps_.pop_front();
  done_ = steps_.size();
}

std::string TGridHistory::UndoName() const {
  return CanUndo() ? steps_[done_ - 1].name : "";
}

std::string TGridHistory::RedoName() const {
  return CanRedo() ? steps_[done_].name : "";
}

const TGridState* TGridHistory::Undo() {
  if (!CanUndo()) return nullptr;
  --done_;
  return &steps_[done_].before;
}

const TGridState* TGridHistory::Redo() {
  if (!CanRedo()) return nullptr;
  ++done_;
  return &steps_[done_ - 1].after;
}

const TGridState* TGridHistory::Current() const {
  if (done_ > 0) return &steps_[done_ - 1].after;
  return steps_.empty() ? nullptr : &steps_.front().before;
}

void TGridHistory::ChangeEveryState(const std::function<void(TGridState&)>& change) {
  for (TStep& step : steps_) {
    change(step.before);
    change(step.after);
  }
}

void TGridHistory::AmendCurrent(TGridState state) {
  if (done_ > 0) {
    steps_[done_ - 1].after = std::move(state);
  } else if (!steps_.empty()) {
    steps_.front().before = std::move(state);
  }
}

void TGridHistory::Clear() {
  steps_.clear();
  done_ = 0;
}
