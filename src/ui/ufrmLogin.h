// The start-up window: the user picks the jukebox's product line, opens an
// existing vod.txt (whose product line is recognised from the file), or
// leaves the program. The main window reads the four result fields after
// the window closed.
#pragma once

#include <cstdint>
#include <string>

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
  std::uint8_t FChoice = 0;  // 1 ORU, 2 Tarvel, 3 Mirel, 4 Dovan; 0 none
  bool FQuit = false;        // the user chose to leave the program
  bool FLoadVod = false;     // FVodFile is to be loaded
  std::string FVodFile;      // path of that vod.txt

  // ---- What the window shows ----
  std::string Caption;
  struct TButton {
    std::string caption;
    bool visible = true;
  };
  TButton btnOru, btnTarvel, btnMirel, BitBtn1, btnVod, btnClose;

  // ---- Handlers ----
  // Empties the results and sets the caption "用户加歌工具(V5.0)".
  void FormCreate();
  void btnOruClick() { Choose(1); }
  void btnTarvelClick() { Choose(2); }
  void btnMirelClick() { Choose(3); }
  void BitBtn1Click() { Choose(4); }
  // Lets the user open a vod.txt. A file that begins with the UTF-8
  // byte-order mark is Dovan; otherwise the first non-blank line that the
  // ORU, Tarvel or Mirel parser accepts (tried in this order) decides. A
  // recognised file is chosen for loading and the window closes. Lines the
  // product line cannot read are named and the owner asked whether to go
  // on (they are then kept as they are); cancelling keeps the window open.
  // Cancel, an empty name or a missing file change nothing. A file that
  // cannot be read, or in which no line is recognised, is told to the user
  // with its name and the window stays open, nothing chosen.
  void btnVodClick();
  // FQuit := true, close.
  void btnCloseClick();
  // The window was closed other than through its buttons (the system's
  // close): without a product line this is leaving the program.
  void FormClose();

 private:
  void Choose(std::uint8_t line);
  void CloseView();

  platform::Env* env_;
  ILoginView* view_ = nullptr;
};
