// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ui_texts.h"

#include <algorithm>

#include "text/gbk.h"
#include "text/gbk_texts.h"
#include "text/phrase_pinyin.h"

namespace ui_text {
namespace {
// Puts the arguments in place of the "%s" and "%d" of a GBK pattern, in order.
std::string Fill(const std::string& pattern, std::initializer_list<std::string> args) {
  std::string out;
  auto arg = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const auto c = static_cast<unsigned char>(pattern[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < pattern.size()) {
      out += pattern.substr(i++, 2);  // a double-byte character, never a '%'
    } else if (c == '%' && i + 1 < pattern.size() &&
               (pattern[i + 1] == 's' || pattern[i + 1] == 'd') && arg != args.end()) {
      out += *arg++;
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}
}  // namespace

ADDSONGS_TEXT(ToolCaption, u8"用户加歌工具(V5.0)")
ADDSONGS_TEXT(MainCaptionPrefix, u8"用户加歌工具(V5.0)--")
ADDSONGS_TEXT(OpenVodButton, u8"打开vod.txt文档")
ADDSONGS_TEXT(QuitButton, u8"退出加歌曲程序")
ADDSONGS_TEXT(VodFilter, u8"vod.txt|*.txt")
ADDSONGS_TEXT(AddButton, u8"添加歌曲")
ADDSONGS_TEXT(CompleteButton, u8"开始加歌")
ADDSONGS_TEXT(CloseButton, u8"关闭")
ADDSONGS_TEXT(DeleteItem, u8"删除")
ADDSONGS_TEXT(ClearItem, u8"清空")
const std::string& GridCaption(int col) {
  static const std::string captions[] = {
      Gbk(u8"文件夹"), Gbk(u8"编号"), Gbk(u8"歌曲名称"), Gbk(u8"歌星"),     Gbk(u8"拼音"),
      Gbk(u8"笔划"),   Gbk(u8"字数"), Gbk(u8"音轨类型"), Gbk(u8"伴唱音轨"), Gbk(u8"原唱音轨"),
      Gbk(u8"语种"),   Gbk(u8"分类"), Gbk(u8"风景类型"), Gbk(u8"新歌"),     Gbk(u8"排行"),
      Gbk(u8"新歌"),   Gbk(u8"排行"), Gbk(u8"视频文件")};
  return captions[col];
}
ADDSONGS_TEXT(FixedPane, u8"U盘加歌工具,限于99首")
ADDSONGS_TEXT(InitialCount, u8"您目前已加入 0 首歌曲")
ADDSONGS_TEXT(NumberErrorCaption, u8"编号错误提示")
ADDSONGS_TEXT(BadNumberAfterEdit, u8"歌曲编号错误")
ADDSONGS_TEXT(RunErrorCaption, u8"加歌错误提示")
ADDSONGS_TEXT(TooManySongs, u8"用户加歌数量不能超过99首")
ADDSONGS_TEXT(DoneCaption, u8"加歌完成")
ADDSONGS_TEXT(DoneText, u8"用户加歌完成")
ADDSONGS_TEXT(FailedCaption, u8"加歌未完成")
ADDSONGS_TEXT(CopyTitle, u8"正在复制歌曲，请稍候...")
ADDSONGS_TEXT(CopyFrom, u8"从")
ADDSONGS_TEXT(CopyTo, u8"到")
ADDSONGS_TEXT(CancelButton, u8"取消")
ADDSONGS_TEXT(ChooseFolderPrompt, u8"保存歌曲目录:")
ADDSONGS_TEXT(ConfirmCloseCaption, u8"正在复制歌曲")
ADDSONGS_TEXT(ConfirmCloseText, u8"歌曲正在复制中。要取消复制并关闭程序吗？")
ADDSONGS_TEXT(TextNotGbk, u8"输入的文字含有不能保存的字符（只能使用简体中文GBK字符），请修改。")
ADDSONGS_TEXT(AddSongCaption, u8"用户添加歌曲")
ADDSONGS_TEXT(FolderLabel, u8"新加歌曲文件夹为“66”")
ADDSONGS_TEXT(StartNumberLabel, u8"歌曲开始编号(长度4位)")
ADDSONGS_TEXT(AddFilesButton, u8"添加歌曲文件")
ADDSONGS_TEXT(NumberLengthError, u8"歌曲编号错误，长度必须是4位")
ADDSONGS_TEXT(VideoFilter,
              u8"视频文件|*.mpg *.mpeg *.dat *.vob *.avi *.mp4 *.mkv *.ts *.wmv *.rmvb *.mov")
ADDSONGS_TEXT(SaveHintCaption, u8"保存歌曲提示信息")
ADDSONGS_TEXT(SaveHintQuestion, u8"您要把歌曲存入U盘吗？")
ADDSONGS_TEXT(SaveToUsbButton, u8"我要将歌曲存入U盘")
ADDSONGS_TEXT(SaveElsewhereButton, u8"我要将歌曲存入其它地方")
ADDSONGS_TEXT(DiskFreeCaption, u8"目标磁盘空间不足")
ADDSONGS_TEXT(NeedLabel, u8"歌曲所需空间：")
ADDSONGS_TEXT(FreeLabel, u8"可用空间：")
ADDSONGS_TEXT(ConfirmButton, u8"确认")
ADDSONGS_TEXT(DriveTooSmall, u8" 盘可用空间不足,请删除部分歌曲")
ADDSONGS_TEXT(DriveFree, u8" 盘可用空间:")
ADDSONGS_TEXT(YesButton, u8"是")
ADDSONGS_TEXT(NoButton, u8"否")
ADDSONGS_TEXT(GoOnButton, u8"继续")
ADDSONGS_TEXT(ExistingSongsCaption, u8"目标文件夹中已有歌曲")
ADDSONGS_TEXT(KeepSongsButton, u8"保留原有歌曲，添加新歌")
ADDSONGS_TEXT(ReplaceSongsButton, u8"替换原有歌曲")
ADDSONGS_TEXT(RenumberCaption, u8"歌曲编号重复")
ADDSONGS_TEXT(ConfirmReplaceCaption, u8"确实要替换原有歌曲吗？")
ADDSONGS_TEXT(RestoreButton, u8"恢复以前的歌曲列表…")
ADDSONGS_TEXT(RestoreCaption, u8"恢复以前的歌曲列表")
ADDSONGS_TEXT(RenumberButton, u8"重新编号")
ADDSONGS_TEXT(UnreadCaption, u8"vod.txt 中有不能读取的行")
ADDSONGS_TEXT(UnreadNotGbk, u8"不是 GBK 文字")
ADDSONGS_TEXT(UnreadControl, u8"含有控制字符")
ADDSONGS_TEXT(UnreadNoSlot, u8"超出了 100 首歌曲的上限")
ADDSONGS_TEXT(MissingTip, u8"不能为空")
ADDSONGS_TEXT(NotAVideo, u8"不是视频文件")
ADDSONGS_TEXT(AddedBefore, u8"已经添加过")
ADDSONGS_TEXT(NameBreaksList, u8"文件名中的歌名或歌星含有分号（;）或控制字符")
ADDSONGS_TEXT(ClearCaption, u8"清空歌曲")
ADDSONGS_TEXT(CloseCaption, u8"关闭程序")
ADDSONGS_TEXT(StickCanBeRemoved, u8"现在可以拔下U盘了。")
ADDSONGS_TEXT(CheckTitle, u8"正在从U盘读回校验歌曲，请稍候...")
ADDSONGS_TEXT(VerifySetting, u8"复制后读回校验")
ADDSONGS_TEXT(PinyinReadingLabel, u8"拼音首字母：")
ADDSONGS_TEXT(NameOrderLabel, u8"文件名格式")
ADDSONGS_TEXT(TitleSingerChoice, u8"歌名-歌手")
ADDSONGS_TEXT(SingerTitleChoice, u8"歌手-歌名")
ADDSONGS_TEXT(DuplicatesCaption, u8"歌曲重复")
ADDSONGS_TEXT(FileNamesNotGbk,
              u8"以下文件的名字含有不能保存的字符（只能使用简体中文GBK字符），没有添加：\r\n")
ADDSONGS_TEXT(NoStick, u8"没有找到U盘")
ADDSONGS_TEXT(CleanStraysCaption, u8"没有列出的歌曲文件")
ADDSONGS_TEXT(KeepFilesButton, u8"保留这些文件")
ADDSONGS_TEXT(CleanFilesButton, u8"清理")
ADDSONGS_TEXT(VodFolderChosenQuestion, u8"这是U盘上的 vod 文件夹，要把歌曲存在这里吗？")
ADDSONGS_TEXT(StoreHereButton, u8"存在这里")
ADDSONGS_TEXT(ProblemsCaption, u8"不能开始加歌")
ADDSONGS_TEXT(NotANumberProblem, u8"编号要是4位数字")
ADDSONGS_TEXT(EmptyProblem, u8"不能为空")
ADDSONGS_TEXT(NoVideoProblem, u8"视频文件不存在或读不出来")
ADDSONGS_TEXT(KeptWithoutFieldTip, u8"原有歌曲缺少这一项，照原样保留")
ADDSONGS_TEXT(SkipDuplicatesButton, u8"跳过重复的歌曲")

std::string NoLineRecognised(const std::string& file) {
  return Fill(Gbk(u8"文件 %s 中没有可识别的歌曲行，无法判断加歌系列。"), {file});
}

std::string SongCount(int count, const std::string& sizeText) {
  return Fill(Gbk(u8"您目前已加入 %d 首歌曲, 所需空间 %s"), {std::to_string(count), sizeText});
}

std::string DuplicateAfterEdit(const std::string& number) {
  return Fill(Gbk(u8"编号%s重复，请更改"), {number});
}

std::string SongOfSongs(int song, int songs) {
  return Fill(Gbk(u8"第 %d/%d 首"), {std::to_string(song), std::to_string(songs)});
}

std::string NotInRange(const std::string& caption, int minimum, int maximum) {
  return Fill(Gbk(u8"“%s”只能填 %d 到 %d 之间的整数。"),
              {caption, std::to_string(minimum), std::to_string(maximum)});
}

std::string VideoTooLarge(const std::string& size) {
  return Fill(Gbk(u8"文件有 %s，太大：点歌机读的 FAT32 格式U盘放不下 4G 以上的文件"), {size});
}

std::string NoListCopies(const std::string& folder) {
  return Fill(Gbk(u8"这台电脑上没有保存过 %s 的歌曲列表。加歌程序每次改动U盘上的歌曲列表以前，"
                  u8"都会把原来的列表保存在这台电脑上。"),
              {folder});
}

std::string ListCopyChoice(const std::string& when, int songs) {
  return Fill(Gbk(u8"%s（%d 首）"), {when, std::to_string(songs)});
}

std::string RestoreQuestion(const std::string& folder, int songsNow, const std::string& copies) {
  return Fill(Gbk(u8"%s 中的歌曲列表现在列出 %d 首歌曲。这台电脑上保存了它以前的歌曲列表：%s"
                  u8"\r\n\r\n请选择要放回U盘的列表。现在的列表也会先保存在这台电脑上；"
                  u8"视频文件后来被换掉或删除的歌曲不会放回列表。"),
              {folder, std::to_string(songsNow), copies});
}

std::string ListRestored(const std::string& when, int songs, const std::string& folder,
                         const std::vector<std::string>& leftOut) {
  std::string text = Fill(Gbk(u8"已经把 %s 的歌曲列表（%d 首歌曲）放回 %s。"),
                          {when, std::to_string(songs), folder});
  if (!leftOut.empty()) {
    text += Gbk(u8"\r\n\r\n这些歌曲的视频文件后来被换掉或删除了，没有放回列表：");
    for (const std::string& line : leftOut) text += "\r\n  " + line;
  }
  return text;
}

std::string RestoreFailed(const std::string& reason) {
  return Gbk(u8"没有能把以前的歌曲列表放回U盘，U盘上的歌曲列表没有改动。\r\n\r\n") + reason;
}

std::string ConfirmReplace(int leaving) {
  return Fill(Gbk(u8"替换以后，U盘上的歌曲列表 vod.txt 不再列出原有的 %d 首歌曲，点歌机上也就找不到"
                  u8"它们了（它们的视频文件仍留在U盘上；原来的歌曲列表已经保存在这台电脑上，"
                  u8"可以用“恢复以前的歌曲列表…”放回去）。\r\n\r\n"
                  u8"保留原有歌曲：原有歌曲留在列表中，新歌加在后面。\r\n"
                  u8"替换原有歌曲：列表只列出本窗口中的歌曲。"),
              {std::to_string(leaving)});
}

std::string ListFromPart(const std::string& folder, const std::string& listName,
                         const std::string& partName) {
  return Fill(Gbk(u8"目标文件夹 %s 中的歌曲列表 %s 不见了、是空的或读不出来（上次加歌可能在写入时"
                  u8"被打断或U盘被拔出）。上次加歌留下的完整列表 %s 将作为歌曲列表。"),
              {folder, listName, partName});
}

std::string ExistingSongs(const std::string& folder, int listed, int files) {
  std::string songs;
  if (listed > 0) songs = Fill(Gbk(u8"vod.txt 列出的 %d 首"), {std::to_string(listed)});
  if (listed > 0 && files > 0) songs += Gbk(u8"，以及 ");
  if (files > 0) {
    songs += Fill(Gbk(u8"vod.txt 没有列出的歌曲文件（66NNNN.dat）%d 个"), {std::to_string(files)});
  }
  return Fill(
      Gbk(u8"目标文件夹 %s 中已经有本窗口中没有的歌曲：%s。\r\n\r\n"
          u8"保留原有歌曲：它们留在 vod.txt 中，新歌加在后面，原有的歌曲文件不会被覆盖。\r\n"
          u8"替换原有歌曲：新的 vod.txt 只列出本窗口中的歌曲，原来的歌曲列表被替换。\r\n"
          u8"取消：不写入任何文件。"),
      {folder, songs});
}

std::string OtherProductLine(const std::string& file, const std::string& productName) {
  return Fill(Gbk(u8"%s 是 %s 系列的歌曲列表，与现在的加歌系列不同，不能保留其中的歌曲。"
                  u8"没有写入任何文件。"),
              {file, productName});
}

std::string RenumberQuestion(const std::string& numbers, const std::string& first) {
  return Fill(Gbk(u8"新歌的编号 %s 与保留的歌曲重复。\r\n"
                  u8"要把新歌从 %s 开始依次重新编号吗？取消则不写入任何文件。"),
              {numbers, first});
}

std::string UnreadQuestion(const std::string& file, int count, const std::string& report) {
  return Fill(Gbk(u8"%s 中有 %d 行不能作为歌曲读取：\r\n%s\r\n"
                  u8"继续：这些行原样保留在新 vod.txt 的末尾（点歌机以前就有它们）。\r\n"
                  u8"取消：不读入这个文件。"),
              {file, std::to_string(count), report});
}

std::string SameSongTip(int row, const std::string& number) {
  return Fill(Gbk(u8"与第 %d 行（编号 %s）是同一首歌"), {std::to_string(row), number});
}

std::string SameVideoTip(int row, const std::string& number) {
  return Fill(Gbk(u8"与第 %d 行（编号 %s）是同一个视频文件"), {std::to_string(row), number});
}

std::string NoPinyinTip(const std::string& characters) {
  return Fill(Gbk(u8"这些字没有拼音，请核对：%s"), {characters});
}

const std::string& PinyinReadingName(TPinyinReading reading) {
  static const std::string phrases = Gbk(u8"按词组读音");
  static const std::string characters = Gbk(u8"逐字读音");
  return reading == TPinyinReading::kPerCharacter ? characters : phrases;
}

std::string PolyphoneTip(const std::string& characters) {
  std::string tip = Gbk(u8"这些字有几种读音，请核对拼音：");
  for (std::size_t i = 0; i + 1 < characters.size(); i += 2) {
    const std::string character = characters.substr(i, 2);
    tip += "\n" + Fill(Gbk(u8"%s：%s"), {character, std::string(PolyphoneReadings(character))});
  }
  return tip;
}

std::string NoStrokesTip(const std::string& characters) {
  return Fill(Gbk(u8"这些字没有笔划数，请核对：%s"), {characters});
}

std::string DuplicateLine(int row, const std::string& number, const std::string& title,
                          const std::string& singer, int otherRow) {
  return Fill(Gbk(u8"第 %d 行（编号 %s）%s-%s 与第 %d 行重复"),
              {std::to_string(row), number, title, singer, std::to_string(otherRow)});
}

std::string DuplicatesQuestion(const std::string& lines) {
  return Fill(Gbk(u8"下列歌曲在列表中出现了两次：\r\n%s\r\n"
                  u8"继续：照样加歌。\r\n取消：不写入任何文件，回到列表修改。"),
              {lines});
}

std::string UnreadLine(int number, const std::string& why) {
  return Fill(Gbk(u8"第 %d 行：%s"), {std::to_string(number), why});
}

std::string UnreadFieldCount(int fields, int expected) {
  return Fill(Gbk(u8"有 %d 个字段，应为 %d 个"),
              {std::to_string(fields), std::to_string(expected)});
}

std::string UnreadFlag(int position, const std::string& field) {
  return Fill(Gbk(u8"第 %d 个字段（%s）不是 0 或 1"), {std::to_string(position), field});
}

std::string UnreadSongNo(int position) {
  return Fill(Gbk(u8"第 %d 个字段（歌曲编号）不以 66 开头"), {std::to_string(position)});
}

std::string UnreadInteger(int position, const std::string& field) {
  return Fill(Gbk(u8"第 %d 个字段（%s）不是整数"), {std::to_string(position), field});
}

std::string GbkBehindMark(const std::string& file) {
  return Fill(Gbk(u8"%s 以 UTF-8 标记（BOM）开头，内容却是 GBK 文字，已按 GBK 读取。"), {file});
}

std::string UsbDiskIs(const std::string& volume) {
  return Fill(Gbk(u8"U盘：%s"), {volume});
}

std::string CheckOfSongs(int song, int songs) {
  return Fill(Gbk(u8"校验 第 %d/%d 首"), {std::to_string(song), std::to_string(songs)});
}

std::string TimeLeft(int seconds) {
  if (seconds < 60) return Fill(Gbk(u8"剩余约 %d 秒"), {std::to_string(std::max(seconds, 1))});
  return Fill(Gbk(u8"剩余约 %d 分钟"), {std::to_string((seconds + 59) / 60)});
}

std::string SongWhere(int row, const std::string& number, const std::string& file) {
  return Fill(Gbk(u8"第 %d 行（编号 %s，%s）"), {std::to_string(row), number, file});
}

std::string EmptyColumn(const std::string& caption) {
  return Fill(Gbk(u8"：“%s”是空的。"), {caption});
}

std::string TextBreaksList(const std::string& text) {
  return Fill(Gbk(u8"输入的文字不能含有分号（;）、换行或其它控制字符，没有保存：%s"),
              {gbk::Printable(text)});
}

std::string FilesNotAdded(const std::string& lines) {
  return Fill(Gbk(u8"以下文件没有添加：\r\n%s"), {lines});
}

std::string RefusedFile(const std::string& name, const std::string& why) {
  return Fill(Gbk(u8"%s（%s）"), {name, why});
}

std::string ClearQuestion(int songs) {
  return Fill(Gbk(u8"要清空表格中的 %d 首歌曲吗？"), {std::to_string(songs)});
}

std::string CloseUncopiedQuestion(int songs) {
  return Fill(Gbk(u8"表格中有 %d 首歌曲，还没有全部复制完成。要关闭程序吗？"),
              {std::to_string(songs)});
}

std::string CopyFailureReport(const TCopyReport& r) {
  std::string text;
  if (r.checking) {
    text = Gbk(u8"复制以后的读回校验已被取消。");
  } else if (r.song.empty()) {
    text = Fill(Gbk(u8"写入歌曲列表 vod.txt 失败：\r\n%s"), {r.reason});
  } else if (r.cancelled) {
    text = Fill(Gbk(u8"复制歌曲 %s 时已取消。"), {r.song});
  } else {
    text = Fill(Gbk(u8"复制歌曲 %s 失败：\r\n%s"), {r.song, r.reason});
  }
  auto numbers = [](const std::string& list) { return list.empty() ? Gbk(u8"无") : list; };
  text += Fill(Gbk(u8"\r\n\r\n已复制并列入歌曲列表的歌曲：%s"), {numbers(r.listed)});
  if (!r.unlisted.empty()) {
    text += Fill(Gbk(u8"\r\n已复制但没有读回校验、没有列入歌曲列表的歌曲：%s"), {r.unlisted});
  }
  text += Fill(Gbk(u8"\r\n没有复制的歌曲：%s\r\n\r\n"), {numbers(r.notCopied)});
  switch (r.list) {
    case TCopyReport::TList::kCompleteSongs:
      text += Gbk(u8"歌曲列表 vod.txt 只列出已完整复制到目标目录的歌曲。");
      break;
    case TCopyReport::TList::kShortened:
      text += Gbk(u8"歌曲列表 vod.txt 去掉了将被新歌替换的原有歌曲，其它原有歌曲仍在列表中。");
      break;
    case TCopyReport::TList::kWithoutRemoved:
      text += Gbk(u8"歌曲列表 vod.txt 去掉了已删除的歌曲，其它原有歌曲仍在列表中。");
      break;
    case TCopyReport::TList::kUnchanged:
      text += Gbk(u8"目标目录中的歌曲列表 vod.txt 没有改动。");
      break;
  }
  return text;
}

// ---- The stick ----

std::string StickLine(bool usb, const std::string& where, int songs, const std::string& freeText,
                      const std::string& next, int unlisted) {
  std::string text = Fill(Gbk(usb ? u8"U盘 %s：" : u8"文件夹 %s："), {where});
  text +=
      songs > 0 ? Fill(Gbk(u8"列表有 %d 首歌曲"), {std::to_string(songs)}) : Gbk(u8"还没有歌曲");
  if (!freeText.empty()) text += Fill(Gbk(u8"，可用 %s"), {freeText});
  text += Fill(Gbk(u8"，下一个编号 %s"), {next});
  if (unlisted > 0) {
    text += Fill(Gbk(u8"，另有没有列出的歌曲文件 %d 个"), {std::to_string(unlisted)});
  }
  return text;
}

std::string StickTrouble(bool usb, const std::string& where, const std::string& why) {
  return Fill(Gbk(usb ? u8"U盘 %s 读不出来：%s" : u8"文件夹 %s 读不出来：%s"), {where, why});
}

std::string StickFull(int kept, int more) {
  return Fill(Gbk(u8"U盘上已有 %d 首，这次最多还能添加 %d 首"),
              {std::to_string(kept), std::to_string(std::max(more, 0))});
}

std::string SongCountWithKept(int count, const std::string& sizeText, int kept) {
  std::string text = SongCount(count, sizeText);
  if (kept > 0) text += Fill(Gbk(u8"（另有原有歌曲 %d 首）"), {std::to_string(kept)});
  return text;
}

std::string CleanStraysQuestion(int files, const std::string& sizeText) {
  return Fill(Gbk(u8"清理U盘上没有列出的歌曲文件（%d 个，共 %s）?"),
              {std::to_string(files), sizeText});
}

std::string ProblemsText(const std::string& lines, int more) {
  std::string text = Gbk(u8"以下问题改正后才能开始加歌：\r\n") + lines;
  if (more > 0) text += Fill(Gbk(u8"……还有 %d 个问题"), {std::to_string(more)});
  return text;
}

std::string ProblemLine(int row, const std::string& number, const std::string& caption,
                        const std::string& what) {
  return Fill(Gbk(u8"第 %d 行（编号 %s）%s：%s"), {std::to_string(row), number, caption, what});
}

std::string NumberTwiceProblem(int otherRow) {
  return Fill(Gbk(u8"与第 %d 行编号相同"), {std::to_string(otherRow)});
}

std::string AlreadyThereLine(const std::string& songs) {
  return Fill(Gbk(u8"已在U盘上，不再复制：%s"), {songs});
}

std::string RemovedLine(int files, const std::string& sizeText) {
  return Fill(Gbk(u8"已从U盘删除 %d 个歌曲文件（共 %s）"), {std::to_string(files), sizeText});
}

std::string NotRemovedLine(const std::string& numbers) {
  return Fill(Gbk(u8"这些歌曲文件没能删除：%s"), {numbers});
}

ADDSONGS_TEXT(UndoItem, u8"撤销")
ADDSONGS_TEXT(RedoItem, u8"重做")
ADDSONGS_TEXT(EditStep, u8"修改")
ADDSONGS_TEXT(AddStep, u8"添加歌曲")
ADDSONGS_TEXT(RunStep, u8"加歌时的改动")
ADDSONGS_TEXT(BatchStep, u8"批量修改")
ADDSONGS_TEXT(FillStep, u8"向下填充")
ADDSONGS_TEXT(PasteStep, u8"粘贴")
ADDSONGS_TEXT(NumberStep, u8"依次编号")
ADDSONGS_TEXT(ImportStep, u8"导入修改")
ADDSONGS_TEXT(UndoRemovedSong,
              u8"这一步和更早的改动不能撤销：它会把一首歌曲放回列表，而这首歌曲的文件已在加歌时从U"
              u8"盘上删除了。")
ADDSONGS_TEXT(BatchEditItem, u8"批量修改…")
ADDSONGS_TEXT(CopyItem, u8"复制")
ADDSONGS_TEXT(PasteItem, u8"粘贴")
ADDSONGS_TEXT(FillDownItem, u8"向下填充")
ADDSONGS_TEXT(SelectAllItem, u8"全选")
ADDSONGS_TEXT(ExportItem, u8"导出歌曲列表…")
ADDSONGS_TEXT(ImportItem, u8"导入修改…")
ADDSONGS_TEXT(HelpItem, u8"使用说明")
ADDSONGS_TEXT(EditMenu, u8"编辑")
ADDSONGS_TEXT(ListMenu, u8"歌曲列表")
ADDSONGS_TEXT(HelpMenu, u8"帮助")

const std::string& ColumnTip(int col) {
  static const std::string tips[] = {
      Gbk(u8"文件夹：歌曲文件在U盘上的文件夹，总是 66"),
      Gbk(u8"编号：四位数字，歌曲文件名 66编号.dat，在点歌机上按它点歌"),
      Gbk(u8"歌曲名称：点歌机上显示的歌名"),
      Gbk(u8"歌星：演唱的歌星"),
      Gbk(u8"拼音：歌名每个字的拼音首字母，按拼音点歌时用"),
      Gbk(u8"笔划：歌名第一个字的笔划数，按笔划点歌时用"),
      Gbk(u8"字数：歌名的字数，按字数点歌时用"),
      Gbk(u8"音轨类型：视频是 VCD（一条音轨，左右声道分伴唱和原唱）还是 DVD（几条音轨）"),
      Gbk(u8"伴唱音轨：放伴奏（没有人声）的声道或音轨"),
      Gbk(u8"原唱音轨：放原唱（带人声）的声道或音轨"),
      Gbk(u8"语种：歌曲的语言，按语种点歌时用"),
      Gbk(u8"分类：歌曲的类别，按分类点歌时用"),
      Gbk(u8"风景类型：视频画面的类型"),
      Gbk(u8"新歌：勾选的歌曲列在新歌里"),
      Gbk(u8"排行：勾选的歌曲列在排行榜里"),
      Gbk(u8"新歌：歌曲列在哪一类新歌里"),
      Gbk(u8"排行：歌曲列在哪一个排行榜里"),
      Gbk(u8"视频文件：要复制到U盘上的视频文件（从U盘读入的歌曲没有）")};
  return tips[col];
}

std::string CellProblem(int row, const std::string& caption, const std::string& why) {
  return Fill(Gbk(u8"第 %d 行“%s”：%s"), {std::to_string(row), caption, why});
}

std::string NotChanged(const std::vector<std::string>& lines) {
  constexpr std::size_t kShown = 20;
  std::string text = Gbk(u8"以下内容没有改动：");
  for (std::size_t i = 0; i < lines.size() && i < kShown; ++i) text += "\r\n" + lines[i];
  if (lines.size() > kShown) {
    text += "\r\n" + Fill(Gbk(u8"……还有 %d 处"), {std::to_string(lines.size() - kShown)});
  }
  return text;
}

ADDSONGS_TEXT(NotEditable, u8"这一列不能修改")

std::string NotAChoice(const std::string& value) {
  return Fill(Gbk(u8"“%s”不是这一列可选的内容"), {gbk::Printable(value)});
}

ADDSONGS_TEXT(NotACheck, u8"勾选框只能填 1 或 0")
ADDSONGS_TEXT(NoGbkForm, u8"文字中有点歌机不能显示的字符")

std::string RowsBeyondGrid(int rows) {
  return Fill(Gbk(u8"还有 %d 行超出了表格的最后一行，没有粘贴（粘贴不会添加歌曲）"),
              {std::to_string(rows)});
}

std::string ColumnsBeyondGrid(int columns) {
  return Fill(Gbk(u8"每行还有 %d 列超出了表格的最后一列，没有粘贴"), {std::to_string(columns)});
}

std::string PerRowColumn(const std::string& caption) {
  return Fill(Gbk(u8"“%s”每首歌曲各不相同，不能一起修改。"), {caption});
}

ADDSONGS_TEXT(NothingToFill, u8"选中的列每首歌曲各不相同，没有可以向下填充的内容。")

std::string NumberRowsQuestion(int rows, const std::string& start) {
  return Fill(Gbk(u8"编号每首歌曲各不相同。要给选中的 %d 首歌曲从 %s 起依次编号吗？"
                  u8"（别的歌曲已用的编号会跳过）"),
              {std::to_string(rows), start});
}

ADDSONGS_TEXT(NumberRowsButton, u8"依次编号")
ADDSONGS_TEXT(NumberRowsCaption, u8"依次编号")

std::string NoNumberToStart(const std::string& value) {
  return Fill(Gbk(u8"“%s”不是四位数字的编号，不能从它起编号。"), {gbk::Printable(value)});
}

std::string NoNumberLeft(const std::string& start) {
  return Fill(Gbk(u8"从 %s 起到 9999 的编号不够选中的歌曲用，没有编号。"), {start});
}

ADDSONGS_TEXT(BatchCaption, u8"批量修改")

std::string BatchHint(int rows) {
  return Fill(Gbk(u8"将修改选中的 %d 首歌曲。空着的项不改。"), {std::to_string(rows)});
}

ADDSONGS_TEXT(Unchanged, u8"（不改）")
ADDSONGS_TEXT(NumberFrom, u8"依次编号，从")
ADDSONGS_TEXT(CheckOn, u8"勾选")
ADDSONGS_TEXT(CheckOff, u8"不勾选")
ADDSONGS_TEXT(PreviewLabel, u8"将要改动：")
ADDSONGS_TEXT(NothingChanges, u8"（没有要改动的）")

std::string PreviewLine(int row, const std::string& caption, const std::string& from,
                        const std::string& to) {
  return Fill(Gbk(u8"第 %d 行 %s：%s → %s"), {std::to_string(row), caption, from, to});
}

std::string PreviewMore(int lines) {
  return Fill(Gbk(u8"……还有 %d 处改动"), {std::to_string(lines)});
}

ADDSONGS_TEXT(OkButton, u8"确定")
ADDSONGS_TEXT(ExportCaption, u8"导出歌曲列表")
ADDSONGS_TEXT(ExportQuestion,
              u8"导出成什么？表格（CSV）可以用 Excel 或 WPS 打开、修改后再导入；"
              u8"歌本是可以打印的网页。")
ADDSONGS_TEXT(ExportCsvButton, u8"表格（CSV）")
ADDSONGS_TEXT(ExportBookByPinyinButton, u8"歌本（按拼音）")
ADDSONGS_TEXT(ExportBookByNumberButton, u8"歌本（按编号）")
ADDSONGS_TEXT(CsvFilter, u8"CSV 表格|*.csv")
ADDSONGS_TEXT(HtmlFilter, u8"网页|*.html")
ADDSONGS_TEXT(CsvFileName, u8"歌曲列表.csv")
ADDSONGS_TEXT(BookFileName, u8"歌本.html")

std::string Exported(const std::string& path, int songs) {
  return Fill(Gbk(u8"已把 %d 首歌曲导出到 %s。"), {std::to_string(songs), path});
}

std::string NotWritten(const std::string& path, const std::string& why) {
  return Fill(Gbk(u8"没能写入 %s：%s"), {path, why});
}

std::string NotRead(const std::string& path, const std::string& why) {
  return Fill(Gbk(u8"没能读取 %s：%s"), {path, why});
}

ADDSONGS_TEXT(ImportCaption, u8"导入修改")

std::string ImportFault(int tableRow, const std::string& why) {
  return Fill(Gbk(u8"表格第 %d 行：%s\r\n什么都没有改动。"), {std::to_string(tableRow), why});
}

std::string ImportCellFault(int tableRow, const std::string& caption, const std::string& why) {
  return Fill(Gbk(u8"表格第 %d 行“%s”：%s\r\n什么都没有改动。"),
              {std::to_string(tableRow), caption, why});
}

ADDSONGS_TEXT(EmptyTable, u8"表格是空的")

std::string UnknownColumn(const std::string& caption) {
  return Fill(Gbk(u8"这个机型的表格没有可以修改的“%s”一列"), {caption});
}

std::string NoFileColumn(const std::string& caption) {
  return Fill(Gbk(u8"表格没有“%s”一列"), {caption});
}

ADDSONGS_TEXT(FieldCount, u8"这一行的项数和第一行不同")

std::string NoSuchFile(const std::string& file) {
  return Fill(Gbk(u8"加入的歌曲中没有这个文件或编号：%s"), {gbk::Printable(file)});
}

ADDSONGS_TEXT(BookTitle, u8"歌曲列表")

std::string BookCount(int songs) {
  return Fill(Gbk(u8"共 %d 首歌曲"), {std::to_string(songs)});
}

ADDSONGS_TEXT(HelpCaption, u8"使用说明")
#undef ADDSONGS_TEXT
}  // namespace ui_text
