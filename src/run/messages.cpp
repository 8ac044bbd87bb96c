// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/messages.h"

#include "text/gbk.h"
#include "text/gbk_texts.h"

namespace msg {
ADDSONGS_TEXT(BadSongDirs, u8"歌曲文件目录错误")
ADDSONGS_TEXT(DiskTooSmall, u8"目标磁盘空间不足")
ADDSONGS_TEXT(CopyCancelled, u8"复制已被用户取消")
ADDSONGS_TEXT(VideoUnreadable, u8"视频文件读不完整（文件可能正在被改动、已经损坏或被移走）")
ADDSONGS_TEXT(ReadBackFailedCaption, u8"U盘没有保存好歌曲")
ADDSONGS_TEXT(StickGoneCaption, u8"U盘已拔出或读写出错")
#undef ADDSONGS_TEXT

namespace {
std::string Quoted(const std::string& path) {
  return "\"" + path + "\"";
}
}  // namespace

std::string TargetIsLink(const std::string& path) {
  return Gbk(u8"目标文件夹 ") + Quoted(path) +
         Gbk(u8" 或它所在的文件夹是一个链接（快捷方式），为了安全不写入。请选择别的文件夹。");
}

std::string NotAFolder(const std::string& path) {
  return Gbk(u8"目标位置 ") + Quoted(path) + Gbk(u8" 是一个文件，不是文件夹。");
}

std::string TargetBusy(const std::string& path) {
  return Gbk(u8"另一个加歌程序正在向 ") + Quoted(path) + Gbk(u8" 写入歌曲。请等它完成以后再试。");
}

std::string VodTxtNotAFile(const std::string& path, const std::string& name) {
  return Gbk(u8"目标文件夹 ") + Quoted(path) + Gbk(u8" 中的歌曲列表 ") + name +
         Gbk(u8" 不是普通文件（是文件夹、链接或设备），不能读写。请先把它移走。");
}

std::string SongFileNotAFile(const std::string& path, const std::string& name) {
  return Gbk(u8"目标文件夹 ") + Quoted(path) + Gbk(u8" 中的歌曲文件 ") + name +
         Gbk(u8" 不是普通文件（是文件夹、链接或设备），为了安全不写入。请先把它移走。");
}

std::string NameTwice(const std::string& path, const std::string& a, const std::string& b) {
  return Gbk(u8"目标文件夹 ") + Quoted(path) + Gbk(u8" 中有两个只是大小写不同的文件：") + a +
         Gbk(u8" 和 ") + b + Gbk(u8"。点歌机的U盘（FAT）分不清它们。请只留下一个，再加歌。");
}

std::string TargetChanged(const std::string& path) {
  return Gbk(u8"目标文件夹 ") + Quoted(path) +
         Gbk(u8" 刚刚被另一个程序写入了歌曲。本次加歌已停止，没有写入任何文件。");
}

std::string TooLargeForVolume(const std::string& song, const std::string& largest) {
  return Gbk(u8"歌曲 ") + song + Gbk(u8" 的视频文件太大：目标磁盘的文件系统（FAT）每个文件最大 ") +
         largest + Gbk(u8"。请把U盘格式化为 exFAT 或 NTFS，或换用较小的视频文件。");
}

std::string NoVideoFile(const std::string& number, const std::string& title) {
  return Gbk(u8"歌曲") + " " + number + " " + title + " " +
         Gbk(u8"没有视频文件,目标目录中也没有它的.dat文件");
}

namespace {
std::string SongsText(const std::vector<std::string>& songs) {
  std::string text;
  for (const auto& song : songs) text += "\r\n  " + song;
  return songs.empty() ? Gbk(u8"无") : text;
}

std::string CounterfeitAdvice() {
  return Gbk(
      u8"\r\n\r\n这个U盘可能是扩容盘（标称的容量比实际大，多出的内容被丢掉），"
      u8"也可能已经损坏。请不要再用它加歌，换一个U盘重新加歌。");
}
}  // namespace

std::string ReadBackDiffers(const std::vector<std::string>& songs, bool listShortened) {
  std::string text = Gbk(u8"复制以后从U盘读回检查，U盘没有完整保存写入的内容：");
  text += Gbk(u8"\r\n这些歌曲的文件与原来的视频文件不同：") + SongsText(songs);
  text += Gbk(u8"\r\n\r\n歌曲列表 vod.txt 没有加入新歌");
  text += listShortened ? Gbk(u8"，其中将被新歌替换的原有歌曲已经去掉。")
                        : Gbk(u8"，原有的歌曲仍在列表中。");
  return text + CounterfeitAdvice();
}

std::string ListDiffers(const std::string& name, bool afterRename) {
  std::string text = Gbk(u8"歌曲列表 ") + name + Gbk(u8" 写入U盘以后读回，内容与写入的不同。");
  text += afterRename ? Gbk(u8"U盘上的歌曲列表可能已经损坏，点歌机可能找不到歌曲。")
                      : Gbk(u8"U盘上原来的歌曲列表没有改动。");
  return text + CounterfeitAdvice();
}

std::string ListUnreadable(const std::string& name, const std::string& error, bool afterRename) {
  std::string text =
      Gbk(u8"U盘已拔出或读写出错：歌曲列表 ") + name + Gbk(u8" 写入以后不能从U盘读回检查。");
  text += afterRename ? Gbk(u8"新的列表已经写入，但没有检查过。")
                      : Gbk(u8"U盘上原来的歌曲列表没有改动。");
  return text + Gbk(u8"\r\n\r\n") + error + Gbk(u8"\r\n\r\n请插好U盘再加歌一次。");
}

std::string ReadBackUnreadable(const std::string& error, const std::vector<std::string>& verified,
                               const std::vector<std::string>& unreadable) {
  std::string text =
      Gbk(u8"U盘已拔出或读写出错，复制以后的读回检查没有完成，歌曲列表 vod.txt 没有加入新歌。");
  text += Gbk(u8"\r\n读回检查没有问题的歌曲：") + SongsText(verified);
  text += Gbk(u8"\r\n没有能读回检查的：") + SongsText(unreadable);
  if (!error.empty()) text += Gbk(u8"\r\n\r\n") + error;
  return text + Gbk(u8"\r\n\r\n请插好U盘再加歌一次。");
}

std::string ListCopyFailed(const std::string& reason) {
  return Gbk(u8"不能在这台电脑上保存U盘上原来的歌曲列表（以便需要时恢复），本次加歌没有写入任何文件"
             u8"。\r\n") +
         reason;
}

std::string TooFewEntries(std::int64_t needed, std::int64_t free) {
  return Gbk(u8"目标磁盘还能建立 ") + std::to_string(free) + Gbk(u8" 个文件，本次加歌需要 ") +
         std::to_string(needed) + Gbk(u8" 个。请删除部分文件后再试。");
}

std::string TextOf(const std::exception& error) {
  return gbk::Printable(error.what());
}
}  // namespace msg
