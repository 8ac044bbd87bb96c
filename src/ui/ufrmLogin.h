// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up window: the user picks the jukebox's product line, opens an
// existing vod.txt (whose product line is recognised from the file), or
// leaves the program. The main window reads the four result fields after
// the window closed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/views.h"

namespace platform {
class Env;
}

class TfrmLogin {
 public:
  // env is the system files are read through; null means the real one.
  explicit TfrmLogin(platform::Env* env = nullptr);
  void SetView(ILoginView* view) { view_ = view; }

  // ---- Results, read by the main window ----
  std::uint8_t FChoice = 0;  // the product line's code (formats/product_lines.h); 0 none
  bool FQuit = false;        // the user chose to leave the program
  bool FLoadVod = false;     // FVodFile is to be loaded
  std::string FVodFile;      // path of that vod.txt

  // ---- What the window shows ----
  std::string Caption;
  struct TButton {
    std::string name;     // the control's name ("btnVod")
    std::string caption;  // GBK
    bool visible = true;
    std::uint8_t product = 0;  // the product line it chooses; 0 for btnVod, btnClose
  };
  // One button per product line, in the registry's order, then the others.
  std::vector<TButton> ProductButtons;
  TButton btnVod, btnClose;

  // ---- Handlers ----
  // Empties the results and sets the caption "用户加歌工具(V5.0)".
  void FormCreate();
  // A product line's button: FChoice := its code, close.
  void ChooseProduct(std::uint8_t product);
  // Lets the user open a vod.txt and recognises its product line
  // (RecognizeVodText: by the byte-order mark, else by the first line a
  // product line's parser accepts, in the registry's order). A recognised
  // file is chosen for loading and the window closes. Lines the product line
  // cannot read are named and the owner asked whether to go on (they are
  // then kept as they are); cancelling keeps the window open. Cancel, an
  // empty name or a missing file change nothing. A vod.txt that cannot be
  // read, is empty or has no line recognised, beside the whole list a
  // stopped run left (vod.txt.part, every song's .dat there), gives way to
  // that list, and the owner is told. Otherwise a file that cannot be read,
  // or in which no line is recognised, is told to the user with its name and
  // the window stays open, nothing chosen.
  void btnVodClick();
  // FQuit := true, close.
  void btnCloseClick();
  // The window was closed other than through its buttons (the system's
  // close): without a product line this is leaving the program.
  void FormClose();

 private:
  void CloseView();
  // The path of the whole list a stopped run left beside the list at path
  // (see btnVodClick); "" when there is none.
  std::string WholePartBeside(const std::string& path);

  platform::Env* env_;
  ILoginView* view_ = nullptr;
};
