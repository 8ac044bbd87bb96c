// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ufrmRestoreList.h"

#include <memory>
#include <vector>

#include "formats/product_lines.h"
#include "model/messages.h"
#include "model/window_side.h"
#include "platform/env.h"
#include "run/list_copies.h"
#include "run/list_file.h"
#include "run/stick_list.h"
#include "run/target_dir.h"
#include "ui/ui_texts.h"

namespace {
// A line's song number as any product line reads it: a copy may be of
// another jukebox than the window's.
TTargetDir::TSongNoOf AnyProductLine(platform::Env& env) {
  auto lists = std::make_shared<std::vector<std::unique_ptr<TBaseSong>>>();
  for (const TProductLineInfo& product : ProductLines()) lists->push_back(product.create(&env));
  return [lists](const std::string& line) {
    for (const auto& list : *lists) {
      if (std::string number = list->SongNoOf(line); !number.empty()) return number;
    }
    return std::string();
  };
}

int SongsIn(const TVodText& vod, const TTargetDir::TSongNoOf& songNoOf) {
  int songs = 0;
  for (std::size_t i = 0; i < vod.lines.size(); ++i) {
    if (!IsBlank(vod.lines[i]) && !SongNumberOfLine(vod, i, songNoOf).empty()) ++songs;
  }
  return songs;
}
}  // namespace

TfrmRestoreList::TfrmRestoreList(platform::Env* env, TAsk ask, TBox box)
    : env_(env != nullptr ? *env : *platform::Env::Default()),
      ask_(std::move(ask)),
      box_(std::move(box)) {}

TfrmRestoreList::TResult TfrmRestoreList::Offer(const std::string& vodDir) {
  const std::string& caption = ui_text::RestoreCaption();
  const TTargetDir::TSongNoOf songNoOf = AnyProductLine(env_);
  TTargetDir target(env_, vodDir, songNoOf);
  try {
    target.Inspect();
  } catch (const std::exception& error) {
    box_(caption, msg::TextOf(error), kMsgError);
    return TResult::kFailed;
  }
  TListCopies copies(env_);
  const std::vector<TListCopies::TCopy> kept = copies.Copies(TListCopies::StickOf(target));
  if (kept.empty()) {
    box_(caption, ui_text::NoListCopies(target.Path()), kMsgInformation);
    return TResult::kNoCopies;
  }

  TQuestion question{TQuestion::Id::kRestoreList, caption, "", {}};
  std::string shown;
  for (const TListCopies::TCopy& copy : kept) {
    const int songs = SongsIn(DecodeVodText(copy.bytes), songNoOf);
    question.buttons.push_back(ui_text::ListCopyChoice(copy.when, songs));
    shown += "\r\n  " + question.buttons.back();
  }
  question.buttons.push_back(ui_text::CancelButton());
  const TTargetDir::TContents& there = target.Contents();
  question.text = ui_text::RestoreQuestion(
      target.Path(), there.hasVodTxt ? SongsIn(there.vod, songNoOf) : 0, shown);
  const int answer = ask_(question);
  if (answer < 0 || answer >= static_cast<int>(kept.size())) return TResult::kCancelled;
  const TListCopies::TCopy& chosen = kept[static_cast<std::size_t>(answer)];

  try {
    // The list there now is kept in its turn: putting back is a change too.
    copies.KeepListOf(target, songNoOf);
    const TListCopies::TPutBack back = TListCopies::PutBack(chosen, target, songNoOf);
    const std::string listName = there.listName;
    platform::Folder& folder = target.Make();
    bool replaced = false;
    WriteCheckedList(folder, listName, back.bytes, true, replaced);
    box_(caption, ui_text::ListRestored(chosen.when, back.songs, target.Path(), back.leftOut),
         back.leftOut.empty() ? kMsgInformation : kMsgWarning);
    return TResult::kRestored;
  } catch (const std::exception& error) {
    box_(caption, ui_text::RestoreFailed(msg::TextOf(error)), kMsgError);
    return TResult::kFailed;
  }
}
