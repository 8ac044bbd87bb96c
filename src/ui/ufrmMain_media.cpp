// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: what the added videos hold. Probes look at each file
// away from the window's thread; their facts come back as WM_MEDIAFACTS.
#include <algorithm>

#include "text/uPublic.h"
#include "ui/media_text.h"
#include "ui/product_columns.h"
#include "ui/track_doubt.h"
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"

namespace {
constexpr auto kFactsWait = std::chrono::milliseconds(20);
}  // namespace

void TfrmMain::SetMediaProbe(media::MediaProbe* probe, int workers) {
  media_ = std::make_unique<TMediaQueue>(probe, workers,
                                         [this] { view_.PostMessage(WM_MEDIAFACTS, 0); });
  lvList.OnTip = [this](int col, int row) {
    return col == kColVideo ? MediaText(row, false) : std::string();
  };
  lvList.OnCurrentChange = [this](int, int) { ShowMediaStatus(); };
}

int TfrmMain::RowOfVideo(const std::string& path) const {
  for (int row = 0; row < lvList.RowCount(); ++row) {
    if (lvList.Cell(kColVideo, row) == path) return row;
  }
  return -1;
}

const media::MediaFacts* TfrmMain::MediaOf(int row) const {
  if (!media_ || row < 0 || row >= lvList.RowCount()) return nullptr;
  return media_->Known(lvList.Cell(kColVideo, row));
}

std::string TfrmMain::MediaText(int row, bool oneLine) const {
  if (!media_ || !media_->Active() || row < 0 || row >= lvList.RowCount()) return {};
  const std::string path = lvList.Cell(kColVideo, row);
  if (path.empty()) return {};  // a song of the stick's list
  if (media_->Looking(path)) return ui_text::MediaPending();
  const media::MediaFacts* facts = media_->Known(path);
  if (facts == nullptr) return {};
  return oneLine ? ui_text::MediaLine(*facts) : ui_text::MediaTip(*facts);
}

std::string TfrmMain::MediaStatus() const {
  return MediaText(lvList.CurrentRow(), true);
}

void TfrmMain::ShowMediaStatus() {
  if (media_ && media_->Active()) view_.SetMediaText(MediaStatus());
}

void TfrmMain::WMMediaFacts() {
  if (!media_) return;
  // Facts that come in after a step was recorded belong to that step: the
  // history's present is amended, so undo does not take them back alone.
  const bool amend = stepDepth_ == 0 && !EditedSinceHistory();
  std::set<std::string> refused;
  bool changed = false;
  for (const std::string& path : media_->TakeFinished()) {
    const media::MediaFacts* facts = media_->Known(path);
    const int row = RowOfVideo(path);
    if (facts == nullptr || row < 0) continue;  // the row went meanwhile
    changed = true;
    if (media::Refused(facts->verdict)) {
      refusedFiles_ +=
          ui_text::RefusedFile(ExtractName(path), ui_text::MediaRefusal(*facts)) + "\r\n";
      refused.insert(path);
      typeFromFile_.erase(path);
      lvList.DeleteRow(row);
      // Mended and added again, the file is looked at again.
      media_->Forget(path);
    } else {
      ApplyMediaFacts(row, *facts);
    }
  }
  if (!refused.empty()) {
    // A broken file never comes back, by undo or redo either.
    history_.ChangeEveryState([&](TGridState& state) {
      std::erase_if(state.rows, [&](const TGrid::TRow& row) {
        return refused.count(row.cells[kColVideo]) != 0;
      });
      state.row = std::min(state.row, static_cast<int>(state.rows.size()) - 1);
    });
    marks_.Duplicates();
    marks_.Numbers();
    PostNotify(WM_SONGCOUNT, lvList.RowCount());
  }
  if (changed && amend) history_.AmendCurrent(GridState());
  ShowMediaStatus();
  if (!Busy()) TellRefusedFiles();
}

void TfrmMain::ApplyMediaFacts(int row, const media::MediaFacts& facts) {
  applyingMedia_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{applyingMedia_};
  const std::string path = lvList.Cell(kColVideo, row);
  if (typeFromFile_.erase(path) != 0 && !facts.audio.empty()) {
    // Two or more audio streams are a DVD's; one is a VCD's two channels.
    const TBmTable& types = FSongList->Table(TTableId::kTrackTypes);
    const std::string type = NameOfCode(types, facts.audio.size() >= 2 ? "2" : "1");
    if (!type.empty() && lvList.Cell(kColMedia, row) != type) {
      lvList.SetCell(kColMedia, row, type);  // the media-type rule sets the tracks
    }
  }
  marks_.Doubtful(kColVideo, row,
                  facts.verdict == media::Verdict::kOtherVideo ? ui_text::OtherVideoTip() : "");
  MarkTracks(row, facts);
}

void TfrmMain::MarkTracks(int row, const media::MediaFacts& facts) {
  const bool dvd = Shows(kColMedia) && NamesDvd(*FSongList, lvList.Cell(kColMedia, row));
  for (const int col : {kColAccomp, kColVocal}) {
    if (!Shows(col)) continue;
    const std::string doubt = TrackDoubt(*FSongList, dvd, lvList.Cell(col, row), facts.audio);
    marks_.Doubtful(col, row, doubt.empty() ? "" : ui_text::TrackDoubtTip(doubt, facts.audio));
  }
}

void TfrmMain::TracksChangedByOwner(int col, int row) {
  if (applyingMedia_ || (col != kColMedia && col != kColAccomp && col != kColVocal)) return;
  if (col == kColMedia) typeFromFile_.erase(lvList.Cell(kColVideo, row));
  for (const int track : {kColAccomp, kColVocal}) {
    if (col != kColMedia && col != track) continue;
    if (lvList.Mark(track, row).kind == TCellMark::kDoubtful) {
      lvList.SetMark(track, row, TCellMark::kNone);
    }
  }
}

void TfrmMain::TellRefusedFiles() {
  if (refusedFiles_.empty() || (media_ && media_->Busy())) return;
  const std::string lines = std::move(refusedFiles_);
  refusedFiles_.clear();
  ShowMsg(this, ui_text::ToolCaption(), ui_text::FilesNotAdded(lines), kMsgWarning);
}

void TfrmMain::IdleAgain() {
  if (!refusedFiles_.empty()) view_.PostMessage(WM_MEDIAFACTS, 0);
}

void TfrmMain::AwaitMedia() {
  if (!media_) return;
  TBusy busy(*this);
  while (media_->Busy()) {
    PumpMessages();
    WMMediaFacts();  // what came in without a turn of the loop
    if (media_->Busy()) media_->WaitForFacts(kFactsWait);
  }
  TellRefusedFiles();
}
