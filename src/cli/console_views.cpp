// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/console_views.h"

#include <algorithm>

#include "cli/terminal.h"
#include "ui/ufrmBatchEdit.h"
#include "ui/ui_texts.h"

namespace cli {

TConsoleView::TConsoleView(const TConsoleAnswers& answers, std::ostream& out, bool terminal)
    : answers_(answers), out_(out), terminal_(terminal) {}

void TConsoleView::Line(const std::string& gbkText) {
  EndProgressLine();
  out_ << ForTerminal(gbkText) << "\n";
}

void TConsoleView::EndProgressLine() {
  if (!progressOpen_) return;
  out_ << "\n";
  progressOpen_ = false;
}

void TConsoleView::UsbDiskChosen(const std::string& volume) {
  Line(ui_text::UsbDiskIs(volume));
}

void TConsoleView::StickChanged(const TStickView& stick) {
  if (stick.found) Line(stick.text);
}

void TConsoleView::SetCaption(const std::string& text) {
  Line(text);
}

void TConsoleView::ShowBox(const std::string& caption, const std::string& text, int kind) {
  ++boxes_;
  static const char* const kinds[] = {"warning", "error", "information", "question"};
  EndProgressLine();
  out_ << "[" << ForTerminal(caption) << "] (" << kinds[kind & 3] << ") " << ForTerminal(text)
       << "\n";
}

void TConsoleView::ShowMessage(const std::string& caption, const std::string& text) {
  ShowBox(caption, text, kMsgInformation);
}

int TConsoleView::Ask(const TQuestion& question) {
  using Id = TQuestion::Id;
  using Existing = TConsoleAnswers::TExisting;
  const int cancel = static_cast<int>(question.buttons.size()) - 1;
  int answer = cancel;
  switch (question.id) {
    case Id::kExistingSongs:
      answer = answers_.existing == Existing::kMerge     ? 0
               : answers_.existing == Existing::kReplace ? 1
                                                         : cancel;
      break;
    case Id::kRenumber:
      // Numbers the command line gave are kept; proposed ones follow the kept songs.
      answer = answers_.startNumber.empty() ? 0 : cancel;
      break;
    case Id::kUnreadLines:
      answer = 0;  // the lines are kept as they are: nothing is lost
      break;
    case Id::kDuplicates:
      answer = answers_.allowDuplicates ? 0 : answers_.skipDuplicates ? 1 : cancel;
      break;
    case Id::kCleanStrays:
      answer = answers_.removeUnlisted ? 1 : 0;
      break;
    case Id::kVodFolderChosen:
      answer = 0;  // the folder named is the stick's vod folder: the songs go there
      break;
    case Id::kConfirmReplace:
      // --replace was asked for: the first button would keep the songs.
      answer = answers_.existing == Existing::kReplace ? 1 : cancel;
      break;
    case Id::kRestoreList:
      answer = answers_.restoreCopy >= 0 && answers_.restoreCopy < cancel ? answers_.restoreCopy
                                                                          : cancel;
      break;
    case Id::kCloseDuringCopy:
    case Id::kCloseUncopied:
    case Id::kClearGrid:
    case Id::kNumberRows:
    case Id::kExportKind:
      break;  // the console neither closes nor clears, nor edits the grid
  }
  ShowBox(question.caption, question.text, kMsgQuestion);
  Line("> " + question.buttons[static_cast<std::size_t>(answer)]);
  if (question.id == Id::kDuplicates && answer == cancel) {
    out_ << "  (--allow-duplicates adds them anyway, --skip-duplicates leaves the repeats out)\n";
  }
  return answer;
}

void TConsoleView::CopyPanelChanged(const TCopyPanel& panel) {
  if (!panel.visible) {
    EndProgressLine();
    return;
  }
  if (panel.song != shownSong_ || panel.checking != shownChecking_) {
    shownSong_ = panel.song;
    shownChecking_ = panel.checking;
    lastPercent_ = -1;
    if (panel.checking) {
      Line(panel.SongCount() + " " + panel.from);
    } else {
      Line(panel.SongCount() + " " + ui_text::CopyFrom() + " " + panel.from + " " +
           ui_text::CopyTo() + " " + panel.to);
    }
  }
  // A terminal gets the percent of the file redrawn in place; a pipe or a
  // file only the line per song above.
  if (terminal_ && panel.percent != lastPercent_) {
    lastPercent_ = panel.percent;
    out_ << "\r  " << panel.percent << "%  (" << panel.overall << "%)" << std::flush;
    progressOpen_ = true;
  }
}

std::optional<std::string> TConsoleView::ChooseFolder(const std::string& prompt,
                                                      const std::string&) {
  Line(prompt + " " + answers_.folder);
  if (answers_.folder.empty()) return std::nullopt;
  return answers_.folder;
}

void TConsoleView::ShowModal(TfrmLogin& form) {
  form.SetView(this);
  Line(form.Caption);
  if (!answers_.loadFile.empty()) {
    Line("> " + form.btnVod.caption);
    form.btnVodClick();
    // A file in which no line is recognised keeps the window open: leave.
    if (form.FChoice == 0) form.btnCloseClick();
  } else {
    // The product line's button, as a user would click it.
    const auto& buttons = form.ProductButtons;
    const auto button = std::find_if(buttons.begin(), buttons.end(),
                                     [&](const auto& b) { return b.product == answers_.product; });
    if (button != buttons.end()) {
      Line("> " + button->caption);
      form.ChooseProduct(button->product);
    } else {
      form.btnCloseClick();
    }
  }
  form.SetView(nullptr);
}

std::optional<std::string> TConsoleView::ChooseFile(const std::string&, const std::string&,
                                                    const std::string&) {
  return answers_.loadFile;
}

void TConsoleView::ShowModal(TfrmAddNewSong& form) {
  form.SetView(this);
  form.FormActivate();
  Line("> " + form.Caption + ": " + form.Label1 + " " + form.FNumber);
  if (!answers_.startNumber.empty()) {
    form.edtNumChange(answers_.startNumber);
    form.edtNumExit();
    Line("  " + form.Label1 + " := " + form.FNumber);
  }
  if (answers_.nameOrder) {
    const bool singerFirst = *answers_.nameOrder == TNameOrder::kSingerTitle;
    form.rbNameOrderClick(*answers_.nameOrder);
    Line("  " + form.lblNameOrder +
         " := " + (singerFirst ? form.rbSingerTitle : form.rbTitleSinger));
  }
  Line("> " + form.btnFile);
  form.btnFileClick();
  form.SetView(nullptr);
}

std::optional<std::vector<std::string>> TConsoleView::ChooseFiles(const std::string&,
                                                                  const std::string&) {
  return answers_.files;
}

void TConsoleView::ShowModal(TfrmSaveHint& form) {
  form.SetView(static_cast<ILoginView*>(this));
  Line(form.Caption + ": " + form.Label1);
  if (answers_.toUsb) {
    Line("> " + form.RzButton1);
    form.RzButton1Click();
  } else {
    Line("> " + form.RzButton2);
    form.RzButton2Click();
  }
  form.SetView(nullptr);
}

void TConsoleView::ShowModal(TfrmDiskFree& form) {
  form.SetView(this);
  ++boxes_;
  Line("[" + form.Caption + "] " + form.Label5);
  Line("  " + form.Label1 + " " + form.Label3);
  Line("  " + form.Label2 + " " + form.Label4);
  form.BitBtn1Click();
  form.SetView(nullptr);
}

void TConsoleView::ShowModal(TfrmBatchEdit& form) {
  Line("[" + form.Caption() + "] " + form.Hint());
  form.btnCancelClick();
}

std::optional<std::string> TConsoleView::ChooseSaveFile(const std::string&, const std::string&,
                                                        const std::string&) {
  return std::nullopt;
}

std::optional<std::string> TConsoleView::ChooseOpenFile(const std::string&, const std::string&) {
  return std::nullopt;
}

}  // namespace cli
