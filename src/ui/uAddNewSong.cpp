// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/uAddNewSong.h"

#include "ui/grid_rules.h"
#include "ui/ui_texts.h"

TfrmAddNewSong::TfrmAddNewSong()
    : Caption(ui_text::AddSongCaption()),
      Label1(ui_text::StartNumberLabel()),
      Label2(ui_text::FolderLabel()),
      btnFile(ui_text::AddFilesButton()),
      lblNameOrder(ui_text::NameOrderLabel()),
      rbTitleSinger(ui_text::TitleSingerChoice()),
      rbSingerTitle(ui_text::SingerTitleChoice()) {}

void TfrmAddNewSong::FormCreate() {
  FFiles.clear();
  FFolder.clear();
}

void TfrmAddNewSong::FormActivate() {
  edtNum = FNumber;
  if (view_ != nullptr) view_->SetNumberText(edtNum);
}

bool TfrmAddNewSong::edtNumKeyPress(char key) {
  return (key >= '0' && key <= '9') || key == 8 || key == 13;
}

std::string TfrmAddNewSong::NumberOfPaste(std::string_view text) {
  return KeepDigits(text, kNumberLength);
}

void TfrmAddNewSong::edtNumChange(const std::string& text) {
  edtNum = text;
  if (edtNum.size() == kNumberLength) FNumber = edtNum;
}

void TfrmAddNewSong::edtNumExit() {
  if (edtNum.size() == kNumberLength || view_ == nullptr) return;
  view_->ShowMessage(ui_text::ToolCaption(), ui_text::NumberLengthError());
  view_->FocusNumber();
}

void TfrmAddNewSong::btnFileClick() {
  FFiles.clear();
  if (view_ == nullptr) return;
  const auto chosen = view_->ChooseFiles(FFolder, ui_text::VideoFilter());
  if (!chosen) return;
  for (const auto& file : *chosen) {
    FFolder = ExtractFolder(file);
    FFiles.push_back(file);
  }
  view_->Close();
}
