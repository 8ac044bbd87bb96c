// SPDX-License-Identifier: GPL-3.0-or-later
// The new-song dialog: the four-digit number the new songs are numbered
// from, and the video files to add. The main window sets FNumber and FFolder
// before showing it and reads FNumber, FFolder and the files afterwards.
#pragma once

#include <string>

#include "model/song_file_name.h"
#include "text/uPublic.h"
#include "ui/views.h"

class TfrmAddNewSong {
 public:
  static constexpr std::size_t kNumberLength = 4;  // edtNum takes at most this many characters

  TfrmAddNewSong();
  void SetView(IAddNewSongView* view) { view_ = view; }

  std::string FNumber;  // the start number, always four characters
  std::string FFolder;  // where the file dialog opens; then the last file's folder
  TStringList FFiles;   // the chosen files, in the dialog's order
  // How the chosen files are named (title or singer first); set by the main
  // window before showing, read back afterwards. The window shows it as two
  // choices, rbTitleSinger and rbSingerTitle, after lblNameOrder.
  TNameOrder FNameOrder = TNameOrder::kTitleSinger;

  int FileCount() const { return static_cast<int>(FFiles.size()); }
  const std::string& GetFile(int index) const { return FFiles.at(static_cast<std::size_t>(index)); }

  // ---- What the window shows ----
  std::string Caption, Label1, Label2, btnFile;
  std::string edtNum;  // the number box's text
  std::string lblNameOrder, rbTitleSinger, rbSingerTitle;

  // ---- Handlers ----
  // Empties the files and the folder.
  void FormCreate();
  // Puts FNumber into the number box.
  void FormActivate();
  // A key typed into the number box: true to keep it (digits, Backspace 8,
  // Enter 13), false to swallow it. Other control keys (Tab, Escape, the
  // editing shortcuts) are the window's and never reach here.
  static bool edtNumKeyPress(char key);
  // What the number box keeps of pasted text: its digits, four at most.
  static std::string NumberOfPaste(std::string_view text);
  // The number box now holds text: four characters become FNumber, a
  // shorter text leaves FNumber as it was.
  void edtNumChange(const std::string& text);
  // Leaving the number box with other than four characters: the message
  // "歌曲编号错误，长度必须是4位" and the focus back in the box.
  void edtNumExit();
  // The file dialog in FFolder; a confirmed choice fills FFiles (FFolder
  // becomes each file's folder in turn) and closes the window; a cancelled
  // one leaves the window open with no files.
  void btnFileClick();
  // The owner picked one of the name orders.
  void rbNameOrderClick(TNameOrder order) { FNameOrder = order; }

 private:
  IAddNewSongView* view_ = nullptr;
};
