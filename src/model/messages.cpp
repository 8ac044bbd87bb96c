// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/messages.h"

#include "text/gbk.h"
#include "text/gbk_texts.h"

namespace msg {
ADDSONGS_TEXT(Incomplete, u8"加歌信息不完整,不能有空项")
ADDSONGS_TEXT(UsbDirFailed, u8"在U盘上创建目录失败")
ADDSONGS_TEXT(FindUsbCaption, u8"查找U盘")
ADDSONGS_TEXT(NoUsbDisk, u8"没有找到U盘")
ADDSONGS_TEXT(SaveFailedCaption, u8"保存信息失败")
#undef ADDSONGS_TEXT

std::string LineTooLong(const std::string& song, std::size_t bytes, std::size_t most) {
  return Gbk(u8"歌曲 ") + song + Gbk(u8" 的 vod.txt 行有 ") + std::to_string(bytes) +
         Gbk(u8" 字节，点歌机最多读取 ") + std::to_string(most) +
         Gbk(u8" 字节，多出的部分连同歌曲编号会丢失。请缩短歌曲名称或歌星。");
}
}  // namespace msg
