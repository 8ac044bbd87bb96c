// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the run's question about the songs caught twice.
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"

bool TfrmMain::DuplicatesAccepted() {
  const std::string lines = marks_.DuplicateLines();
  if (lines.empty()) return true;
  const TQuestion question{TQuestion::Id::kDuplicates,
                           ui_text::DuplicatesCaption(),
                           ui_text::DuplicatesQuestion(lines),
                           {ui_text::GoOnButton(), ui_text::CancelButton()}};
  return view_.Ask(question) == 0;
}
