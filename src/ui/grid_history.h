// SPDX-License-Identifier: GPL-3.0-or-later
// The steps the owner can take back (撤销) and make again (重做): each step
// keeps the whole grid as it was before and after it, with what the window
// keeps beside the grid (the numbers of deleted songs, the next proposed
// number). A grid of at most 99 rows costs a few kilobytes per state, so the
// last 50 steps are kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ui/grid.h"

struct TGridState {
  std::vector<TGrid::TRow> rows;
  int col = 0;
  int row = -1;
  std::set<std::string> deletedNumbers;  // "660003"
  std::int32_t nextNo = 0;
  // Whether the grid's rows are these: cells, marks and origins / cells and
  // origins (marks follow the stick too, and are no edit of their own).
  bool SameRows(const std::vector<TGrid::TRow>& other) const;
  bool SameCells(const std::vector<TGrid::TRow>& other) const;
};

class TGridHistory {
 public:
  static constexpr std::size_t kSteps = 50;

  // A step named name (GBK, e.g. "删除") took the grid from before to after.
  // The steps that were taken back are forgotten; the oldest goes past kSteps.
  void Record(const std::string& name, TGridState before, TGridState after);

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // The names of the step Undo / Redo would take; "" when none.
  std::string UndoName() const;
  std::string RedoName() const;
  // The state before the last step taken, which becomes one to redo; null
  // when there is none.
  const TGridState* Undo();
  // The state after the step taken back last, taken again; null when none.
  const TGridState* Redo();
  // What Undo / Redo would give, without taking the step; null when none.
  const TGridState* NextUndo() const { return CanUndo() ? &steps_[done_ - 1].before : nullptr; }
  const TGridState* NextRedo() const { return CanRedo() ? &steps_[done_].after : nullptr; }
  // The grid as the history knows it now: as the last step taken left it,
  // or before the first when every step was taken back; null when empty.
  const TGridState* Current() const;
  // Changes every state kept (a refused video's row leaves them all).
  void ChangeEveryState(const std::function<void(TGridState&)>& change);
  // Current() := state (what came into the grid by itself, no step of the
  // owner's); nothing when the history is empty.
  void AmendCurrent(TGridState state);
  void Clear();

 private:
  struct TStep {
    std::string name;
    TGridState before;
    TGridState after;
  };
  std::deque<TStep> steps_;
  std::size_t done_ = 0;  // steps_[0..done_) are taken, the rest taken back
};
