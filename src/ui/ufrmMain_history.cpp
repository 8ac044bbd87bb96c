// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the steps the owner can undo and redo.
#include <algorithm>

#include "model/messages.h"
#include "text/uPublic.h"
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"

TfrmMain::TUndoStep::TUndoStep(TfrmMain& form, const std::string& name) : form_(form), name_(name) {
  if (form_.stepDepth_++ > 0 || form_.FSongList == nullptr) return;
  form_.RecordUnrecorded();
  before_ = form_.GridState();
}

TfrmMain::TUndoStep::~TUndoStep() {
  --form_.stepDepth_;
  if (!before_ || form_.FSongList == nullptr) return;
  if (before_->SameRows(form_.lvList.Rows())) return;
  form_.history_.Record(name_, std::move(*before_), form_.GridState());
}

TGridState TfrmMain::GridState() const {
  TGridState state;
  state.rows = lvList.Rows();
  state.col = lvList.CurrentCol();
  state.row = lvList.CurrentRow();
  state.deletedNumbers = deletedNumbers_;
  state.nextNo = FSongList != nullptr ? FSongList->FNextNo : 0;
  return state;
}

void TfrmMain::RecordUnrecorded() {
  if (EditedSinceHistory()) history_.Record(ui_text::EditStep(), *history_.Current(), GridState());
}

bool TfrmMain::EditedSinceHistory() const {
  const TGridState* known = history_.Current();
  return known != nullptr && !known->SameCells(lvList.Rows());
}

bool TfrmMain::BringsBackRemoved(const TGridState& state) const {
  for (const TGrid::TRow& row : state.rows) {
    const bool stickSong = row.origin != nullptr && Trim(row.cells[kColVideo]).empty();
    if (stickSong && removedByRun_.count("66" + Trim(row.cells[kColNumber])) != 0) return true;
  }
  return false;
}

void TfrmMain::PutGridState(const TGridState& state) {
  lvList.ReplaceRows(state.rows);
  deletedNumbers_.clear();
  for (const std::string& number : state.deletedNumbers) {
    // What a run removed is gone: nothing to remove again.
    if (removedByRun_.count(number) == 0) deletedNumbers_.insert(number);
  }
  FSongList->FNextNo = state.nextNo;
  FollowGridNumbers();
  marks_.Duplicates();
  marks_.Numbers();
  lvList.SetCurrent(state.col, std::min(state.row, lvList.RowCount() - 1));
  lvListCellClick(lvList.CurrentCol(), lvList.CurrentRow());
  lvList.Repaint();
  uncopied_ = uncopied_ || NewSongCount() > 0;
  PostNotify(WM_SONGCOUNT, lvList.RowCount());
}

bool TfrmMain::CanUndo() const {
  return history_.CanUndo() || EditedSinceHistory();
}

bool TfrmMain::CanRedo() const {
  return history_.CanRedo() && !EditedSinceHistory();
}

std::string TfrmMain::UndoItemText() const {
  return ui_text::UndoItem() + history_.UndoName();
}

std::string TfrmMain::RedoItemText() const {
  return ui_text::RedoItem() + history_.RedoName();
}

void TfrmMain::Undo() {
  TakeStep(true);
}

void TfrmMain::Redo() {
  TakeStep(false);
}

void TfrmMain::TakeStep(bool back) {
  if (Busy() || FSongList == nullptr || !lvList.Enabled()) return;
  Guarded([&] {
    if (back) {
      RecordUnrecorded();
    } else if (EditedSinceHistory()) {
      return;  // an edit since the last undo leaves nothing to redo
    }
    const TGridState* next = back ? history_.NextUndo() : history_.NextRedo();
    if (next == nullptr) return;
    if (BringsBackRemoved(*next)) {
      // Nothing before this step can come back either: the history ends here.
      history_.Clear();
      ShowMsg(this, ui_text::ToolCaption(), ui_text::UndoRemovedSong(), kMsgWarning);
      return;
    }
    PutGridState(*(back ? history_.Undo() : history_.Redo()));
  });
}
