// SPDX-License-Identifier: GPL-3.0-or-later
// Putting back an earlier song list of a stick ("恢复以前的歌曲列表…"): the
// copies this computer kept of the stick's list (model/list_copies.h), newest
// first, each with when it was taken and how many songs it lists; the one the
// owner chooses replaces the stick's list, after the list there now was kept
// in turn. A line whose song file has since been given to another song or
// removed is left out and told, so that no line names a file that is not its
// song.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/views.h"

namespace platform {
class Env;
}

class TfrmRestoreList {
 public:
  using TAsk = std::function<int(const TQuestion&)>;
  using TBox = std::function<void(const std::string& caption, const std::string& text, int kind)>;

  // env null means the real system; ask and box are the owner's window.
  TfrmRestoreList(platform::Env* env, TAsk ask, TBox box);

  enum class TResult : std::uint8_t {
    kNoCopies,   // this computer kept no list of the stick: told
    kCancelled,  // the owner chose none
    kRestored,   // the chosen list is the stick's list now: told
    kFailed,     // it could not be put back: told why; the stick's list as it was
  };
  // Offers the copies of the list of the target's vod folder (vodDir, ending
  // with a separator) and puts back the one chosen.
  TResult Offer(const std::string& vodDir);

 private:
  platform::Env& env_;
  TAsk ask_;
  TBox box_;
};
