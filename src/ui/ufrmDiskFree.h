// SPDX-License-Identifier: GPL-3.0-or-later
// The disk-space dialog: the target disk cannot hold the songs.
#pragma once

#include <string>

#include "ui/views.h"

class TfrmDiskFree {
 public:
  TfrmDiskFree();
  void SetView(IDiskFreeView* view) { view_ = view; }

  std::string Caption;
  std::string Label1, Label2, Label3, Label4, Label5, BitBtn1;

  // The drive of the target. A drive root ("F:\") is shown by its letter:
  // "F 盘可用空间不足,请删除部分歌曲" and "F 盘可用空间:". A system without
  // drive letters shows the volume's mount point without its final '/'
  // ("/media/usb 盘..."), never a lone first character.
  void SetDrive(const std::string& drive);
  void SetNeedText(const std::string& text);  // next to "歌曲所需空间："
  void SetFreeText(const std::string& text);  // next to the free-space label
  void BitBtn1Click();                        // "确认": close

 private:
  void Changed();
  IDiskFreeView* view_ = nullptr;
};
