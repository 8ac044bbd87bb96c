// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the stick at a glance (the strip above the grid, the
// number the next new song gets, where the file dialogs start) and how many
// songs still fit on it.
#include <algorithm>

#include "platform/env.h"
#include "ui/stick_view.h"
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"

namespace {
// The vod folder and what it is shown as: the USB disk's root, else the
// folder the last run went to (its vod folder's parent).
struct TStickPlace {
  bool usb = false;
  std::string where, vod;
};

std::string WithoutLastFolder(const std::string& vod) {
  if (vod.size() < 2) return vod;
  return ExtractFolder(std::string_view(vod).substr(0, vod.size() - 1));
}
}  // namespace

void TfrmMain::LookAtStick() {
  if (FSongList == nullptr || copying_) return;
  usbSeen_ = env_->UsbVolumes();
  TStickPlace place;
  if (!usbSeen_.empty()) {
    place = {true, usbSeen_.front(), VodFolderIn(usbSeen_.front(), env_->PathSeparator())};
  } else if (!lastTarget_.empty()) {
    place = {false, WithoutLastFolder(lastTarget_), lastTarget_};
  }
  stickLook_ = TStickLook();
  if (!place.vod.empty()) {
    stickLook_ =
        ::LookAtStick(*env_, place.usb, place.where, place.vod,
                      [this](const std::string& line) { return FSongList->SongNoOf(line); });
  }
  ShowStick();
}

void TfrmMain::ShowStick() {
  if (FSongList == nullptr) return;
  // What the new-song dialog will propose: after the grid's and the stick's
  // highest numbers. Only shown: a run of adds keeps its own count.
  stickLook_.view.nextNumber = FourDigits(ProposedNo() - 660000);
  stickLook_.view.text = StickTextOf(stickLook_);
  if (stickLook_.view == shownStick_) return;
  shownStick_ = stickLook_.view;
  view_.StickChanged(shownStick_);
}

void TfrmMain::PollUsb() {
  if (FSongList == nullptr || Busy() || copying_) return;
  if (env_->UsbVolumes() != usbSeen_) LookAtStick();
}

std::string TfrmMain::StickStart() const {
  return stickLook_.view.where;
}

int TfrmMain::NewSongCount() const {
  int count = 0;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    if (!Trim(lvList.Cell(kColVideo, row)).empty()) ++count;
  }
  return count;
}

int TfrmMain::KeptSongCount() const {
  const int loaded = lvList.RowCount() - NewSongCount();
  // A stick whose list this window did not load or write: a run keeps its
  // songs beside the grid's.
  const auto& known = FSongList->FKnownLists;
  const bool unknown = stickLook_.listPrint != 0 &&
                       std::find(known.begin(), known.end(), stickLook_.listPrint) == known.end();
  return loaded + (unknown ? stickLook_.view.songs : 0);
}

bool TfrmMain::RoomForRows(int more) {
  const int added = NewSongCount();
  if (added + more > kMaxSongs) {
    ShowMsg(this, ui_text::RunErrorCaption(), ui_text::TooManySongs(), kMsgError);
    return false;
  }
  const int kept = KeptSongCount();
  if (kept + added + more <= kListSongs) return true;
  ShowMsg(this, ui_text::RunErrorCaption(), ui_text::StickFull(kept, kListSongs - kept - added),
          kMsgError);
  return false;
}

bool TfrmMain::ListHasRoom() {
  if (lvList.RowCount() <= kListSongs) return true;
  const int kept = lvList.RowCount() - NewSongCount();
  ShowMsg(this, ui_text::RunErrorCaption(), ui_text::StickFull(kept, kListSongs - kept), kMsgError);
  return false;
}
