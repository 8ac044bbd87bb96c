#include "model/messages.h"

#include "text/gbk.h"
#include "text/gbk_texts.h"

namespace msg {
ADDSONGS_TEXT(Incomplete, u8"加歌信息不完整,不能有空项")
ADDSONGS_TEXT(UsbDirFailed, u8"在U盘上创建目录失败")
ADDSONGS_TEXT(FindUsbCaption, u8"查找U盘")
ADDSONGS_TEXT(NoUsbDisk, u8"没有找到U盘")
ADDSONGS_TEXT(SaveFailedCaption, u8"保存信息失败")
ADDSONGS_TEXT(BadSongDirs, u8"歌曲文件目录错误")
ADDSONGS_TEXT(DiskTooSmall, u8"目标磁盘空间不足")
ADDSONGS_TEXT(CopyCancelled, u8"复制已被用户取消")
#undef ADDSONGS_TEXT

std::string TextOf(const std::exception& error) {
  return gbk::Printable(error.what());
}
}  // namespace msg
