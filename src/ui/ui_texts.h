// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' texts for the user, in GBK: captions, labels, messages. Every
// front end draws these; none writes a text of its own. Written once here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/pinyin_reading.h"

namespace ui_text {
// Titles
const std::string& ToolCaption();        // "用户加歌工具(V5.0)"
const std::string& MainCaptionPrefix();  // "用户加歌工具(V5.0)--"

// Start-up window
const std::string& OpenVodButton();  // also the open dialog's title
const std::string& QuitButton();
const std::string& VodFilter();  // "vod.txt|*.txt"
std::string NoLineRecognised(const std::string& file);

// Main window
const std::string& AddButton();
const std::string& CompleteButton();
const std::string& CloseButton();
const std::string& DeleteItem();
const std::string& ClearItem();
// The grid's column caption of column col (0 .. kGridColumns-1 of ui/grid.h).
const std::string& GridCaption(int col);
const std::string& FixedPane();     // "U盘加歌工具,限于99首"
const std::string& InitialCount();  // "您目前已加入 0 首歌曲"
std::string SongCount(int count, const std::string& sizeText);
const std::string& NumberErrorCaption();
const std::string& BadNumberAfterEdit();
std::string DuplicateAfterEdit(const std::string& number);
const std::string& RunErrorCaption();
const std::string& TooManySongs();
const std::string& DoneCaption();
const std::string& DoneText();
const std::string& FailedCaption();
const std::string& CopyTitle();  // "正在复制歌曲，请稍候..."
const std::string& CopyFrom();   // "从"
const std::string& CopyTo();     // "到"
const std::string& CancelButton();
std::string SongOfSongs(int song, int songs);      // "第 3/10 首"
std::string CheckOfSongs(int song, int songs);     // "校验 第 3/10 首"
const std::string& CheckTitle();                   // "正在校验U盘上的歌曲，请稍候..."
const std::string& VerifySetting();                // "复制后读回校验"
std::string TimeLeft(int seconds);                 // "剩余约 3 分钟", "剩余约 40 秒"
const std::string& ChooseFolderPrompt();           // "保存歌曲目录:"
std::string UsbDiskIs(const std::string& volume);  // "U盘：/media/usb/"
const std::string& ConfirmCloseCaption();
const std::string& ConfirmCloseText();
const std::string& TextNotGbk();
// How the grid fills 拼音: the setting's label and the name of each choice.
const std::string& PinyinReadingLabel();                       // "拼音首字母："
const std::string& PinyinReadingName(TPinyinReading reading);  // "按词组读音", "逐字读音"
// A song the run refused: its row (1-based), number and file name; the
// empty column's caption.
std::string SongWhere(int row, const std::string& number, const std::string& file);
std::string EmptyColumn(const std::string& caption);
const std::string& MissingTip();  // the tip of an empty mandatory cell
// Text with ';', a line break or another control character (shown as \xNN).
std::string TextBreaksList(const std::string& text);
// Files not added, one RefusedFile per line.
std::string FilesNotAdded(const std::string& lines);
std::string RefusedFile(const std::string& name, const std::string& why);  // "name（why）"
const std::string& NotAVideo();
const std::string& AddedBefore();
// The column (caption) takes only whole numbers from minimum to maximum.
std::string NotInRange(const std::string& caption, int minimum, int maximum);
// A video of size (as FormatDiskSize gives it) that no FAT32 stick holds.
std::string VideoTooLarge(const std::string& size);
const std::string& NameBreaksList();
// The marks of songs caught twice and of derived cells to look at again: the
// other row (1-based) and its number; the characters the tables lack.
std::string SameSongTip(int row, const std::string& number);
std::string SameVideoTip(int row, const std::string& number);
std::string NoPinyinTip(const std::string& characters);
std::string NoStrokesTip(const std::string& characters);
// Polyphones (GBK, each two bytes) whose reading was guessed: a line that
// asks for a look, then one line per character and its readings
// ("重：zhong / chong").
std::string PolyphoneTip(const std::string& characters);
// The run meets songs caught twice: one DuplicateLine per song (its row and
// number, title and singer, the other row), then go on or cancel.
const std::string& DuplicatesCaption();
std::string DuplicateLine(int row, const std::string& number, const std::string& title,
                          const std::string& singer, int otherRow);
std::string DuplicatesQuestion(const std::string& lines);
// Clearing the grid, closing with songs not copied.
const std::string& ClearCaption();
std::string ClearQuestion(int songs);
const std::string& CloseCaption();
std::string CloseUncopiedQuestion(int songs);
// Said after "用户加歌完成" when the songs went onto the USB disk.
const std::string& StickCanBeRemoved();
// Files whose names have no GBK form were not taken: the heading, ending in
// a line break, that the names follow one per line.
const std::string& FileNamesNotGbk();

// Buttons of questions
const std::string& YesButton();
const std::string& NoButton();
const std::string& GoOnButton();

// The songs already on the target
const std::string& ExistingSongsCaption();
// folder holds listed songs of a list this window does not hold and files
// .dat files that no list names.
std::string ExistingSongs(const std::string& folder, int listed, int files);
// Putting back an earlier list of a stick.
const std::string& RestoreButton();   // "恢复以前的歌曲列表…"
const std::string& RestoreCaption();  // "恢复以前的歌曲列表"
// This computer kept no list of the target at folder.
std::string NoListCopies(const std::string& folder);
// A copy to choose: when it was taken ("2026-12-09 15:30:12") and its songs.
std::string ListCopyChoice(const std::string& when, int songs);
// The question: the target, the songs its list names now, the copies (one
// per line, as ListCopyChoice gives them).
std::string RestoreQuestion(const std::string& folder, int songsNow, const std::string& copies);
// The copy taken when, of songs songs, is the list of folder now; the lines
// left out, because their song file changed since.
std::string ListRestored(const std::string& when, int songs, const std::string& folder,
                         const std::vector<std::string>& leftOut);
std::string RestoreFailed(const std::string& reason);

// Replacing the list, asked once more: how many songs leave it.
const std::string& ConfirmReplaceCaption();
std::string ConfirmReplace(int leaving);
// The target's list (listName in folder) was missing, empty or unreadable,
// and the whole list a stopped run left in partName is taken for it.
std::string ListFromPart(const std::string& folder, const std::string& listName,
                         const std::string& partName);
const std::string& KeepSongsButton();
const std::string& ReplaceSongsButton();
// The target's vod.txt is a list of another product line (its name).
std::string OtherProductLine(const std::string& file, const std::string& productName);
const std::string& RenumberCaption();
// New songs' numbers (space-separated) clash with kept songs; renumber from first?
std::string RenumberQuestion(const std::string& numbers, const std::string& first);
const std::string& RenumberButton();

// Lines of a vod.txt that are not loaded
const std::string& UnreadCaption();
// file has count lines that cannot be read; report names the first few.
std::string UnreadQuestion(const std::string& file, int count, const std::string& report);
// One line of that report: its number and why.
std::string UnreadLine(int number, const std::string& why);
const std::string& UnreadNotGbk();
const std::string& UnreadControl();
const std::string& UnreadNoSlot();
std::string UnreadFieldCount(int fields, int expected);
std::string UnreadFlag(int position, const std::string& field);
std::string UnreadSongNo(int position);
std::string UnreadInteger(int position, const std::string& field);
// A GBK list that began with a UTF-8 byte-order mark.
std::string GbkBehindMark(const std::string& file);

// What a run that did not complete left on the target.
struct TCopyReport {
  bool cancelled = false;  // the owner stopped it
  bool checking = false;   // ... while the files were read back
  std::string song;        // the song being copied when it stopped; "": the list was written
  std::string reason;      // the error
  // Song numbers, each separated by a blank: listed now, copied but not
  // listed (not read back), not copied.
  std::string listed, unlisted, notCopied;
  enum class TList : std::uint8_t {
    kUnchanged,       // the list is as it was
    kShortened,       // it lost the songs whose files new songs took
    kCompleteSongs,   // it names the songs complete (and read back) on the target
    kWithoutRemoved,  // it lost only the songs whose files the run removed
  } list = TList::kUnchanged;
};
std::string CopyFailureReport(const TCopyReport& report);

// The stick as the main window shows it (ui/stick_view.h)
const std::string& NoStick();  // "没有找到U盘"
// "U盘 E:\：列表有 30 首歌曲，可用 1.20G，下一个编号 0030" (a folder: "文件夹 ...");
// the song files no list names follow when there are any.
std::string StickLine(bool usb, const std::string& where, int songs, const std::string& freeText,
                      const std::string& next, int unlisted);
std::string StickTrouble(bool usb, const std::string& where, const std::string& why);
// The list of the stick and the new songs would pass what one list holds.
std::string StickFull(int kept, int more);  // "U盘上已有 95 首，这次最多还能添加 4 首"
// The status line with songs kept from the stick beside the new ones.
std::string SongCountWithKept(int count, const std::string& sizeText, int kept);
// Song files no list names: the owner lets them go or keeps them.
const std::string& CleanStraysCaption();
std::string CleanStraysQuestion(int files, const std::string& sizeText);
const std::string& KeepFilesButton();   // "保留这些文件"
const std::string& CleanFilesButton();  // "清理"
// The folder chosen is itself a stick's vod folder.
const std::string& VodFolderChosenQuestion();
const std::string& StoreHereButton();
// Every problem that stops a run, in one message: a ProblemLine each.
const std::string& ProblemsCaption();
std::string ProblemsText(const std::string& lines, int more);
std::string ProblemLine(int row, const std::string& number, const std::string& caption,
                        const std::string& what);
const std::string& NotANumberProblem();  // the 编号 is no four digits
std::string NumberTwiceProblem(int otherRow);
const std::string& EmptyProblem();
const std::string& NoVideoProblem();
// The marks of a loaded list's faults.
const std::string& KeptWithoutFieldTip();
const std::string& SkipDuplicatesButton();  // "跳过重复的歌曲"
// What the end of a run adds: songs found already on the stick, files removed.
std::string AlreadyThereLine(const std::string& songs);
std::string RemovedLine(int files, const std::string& sizeText);
std::string NotRemovedLine(const std::string& numbers);

// New-song dialog
const std::string& AddSongCaption();
const std::string& FolderLabel();
const std::string& StartNumberLabel();
const std::string& AddFilesButton();
// How the chosen files are named: the label and its two choices.
const std::string& NameOrderLabel();     // "文件名格式"
const std::string& TitleSingerChoice();  // "歌名-歌手"
const std::string& SingerTitleChoice();  // "歌手-歌名"
const std::string& NumberLengthError();
const std::string& VideoFilter();  // "视频文件|*.mpg *.mpeg ...": the videos the tool takes

// Save-hint dialog
const std::string& SaveHintCaption();
const std::string& SaveHintQuestion();
const std::string& SaveToUsbButton();
const std::string& SaveElsewhereButton();

// Disk-space dialog
const std::string& DiskFreeCaption();
const std::string& NeedLabel();
const std::string& FreeLabel();
const std::string& ConfirmButton();
const std::string& DriveTooSmall();  // " 盘可用空间不足,请删除部分歌曲"
const std::string& DriveFree();      // " 盘可用空间:"

// The grid as a spreadsheet: steps to undo, many cells at once, the list in
// and out, the columns' tips.
const std::string& UndoItem();    // "撤销", followed by the step's name
const std::string& RedoItem();    // "重做"
const std::string& EditStep();    // "修改"
const std::string& AddStep();     // "添加歌曲"
const std::string& RunStep();     // "加歌时的改动"
const std::string& BatchStep();   // "批量修改"
const std::string& FillStep();    // "向下填充"
const std::string& PasteStep();   // "粘贴"
const std::string& NumberStep();  // "依次编号"
const std::string& ImportStep();  // "导入修改"
const std::string& UndoRemovedSong();
const std::string& BatchEditItem();  // "批量修改…"
const std::string& CopyItem();
const std::string& PasteItem();
const std::string& FillDownItem();
const std::string& SelectAllItem();
const std::string& ExportItem();  // "导出歌曲列表…"
const std::string& ImportItem();  // "导入修改…"
const std::string& HelpItem();    // "使用说明"
const std::string& EditMenu();    // "编辑"
const std::string& ListMenu();    // "歌曲列表"
const std::string& HelpMenu();    // "帮助"
// What the column means, for the tip of its caption.
const std::string& ColumnTip(int col);
// A cell that did not take a value: "第 3 行“语种”：…" (row 1-based).
std::string CellProblem(int row, const std::string& caption, const std::string& why);
// The cells not changed, in one message: the first lines, then how many more.
std::string NotChanged(const std::vector<std::string>& lines);
const std::string& NotEditable();  // "这一列不能修改"
std::string NotAChoice(const std::string& value);
const std::string& NotACheck();  // "勾选框只能填 1 或 0"
const std::string& NoGbkForm();
std::string RowsBeyondGrid(int rows);
std::string ColumnsBeyondGrid(int columns);
std::string PerRowColumn(const std::string& caption);
const std::string& NothingToFill();
std::string NumberRowsQuestion(int rows, const std::string& start);
const std::string& NumberRowsButton();  // "依次编号"
const std::string& NumberRowsCaption();
std::string NoNumberToStart(const std::string& value);
std::string NoNumberLeft(const std::string& start);
// The batch dialog.
const std::string& BatchCaption();  // "批量修改"
std::string BatchHint(int rows);    // "将修改选中的 15 行。空着的项不改。"
const std::string& Unchanged();     // "（不改）"
const std::string& NumberFrom();    // "依次编号，从"
const std::string& CheckOn();       // "勾选"
const std::string& CheckOff();      // "不勾选"
const std::string& PreviewLabel();  // "将要改动："
const std::string& NothingChanges();
std::string PreviewLine(int row, const std::string& caption, const std::string& from,
                        const std::string& to);
std::string PreviewMore(int lines);
const std::string& OkButton();  // "确定"
// Export and import.
const std::string& ExportCaption();
const std::string& ExportQuestion();
const std::string& ExportCsvButton();
const std::string& ExportBookByPinyinButton();
const std::string& ExportBookByNumberButton();
const std::string& CsvFilter();     // "CSV 表格|*.csv"
const std::string& HtmlFilter();    // "网页|*.html"
const std::string& CsvFileName();   // "歌曲列表.csv"
const std::string& BookFileName();  // "歌本.html"
std::string Exported(const std::string& path, int songs);
std::string NotWritten(const std::string& path, const std::string& why);
std::string NotRead(const std::string& path, const std::string& why);
const std::string& ImportCaption();
std::string ImportFault(int tableRow, const std::string& why);
std::string ImportCellFault(int tableRow, const std::string& caption, const std::string& why);
const std::string& EmptyTable();
std::string UnknownColumn(const std::string& caption);
std::string NoFileColumn(const std::string& caption);
const std::string& FieldCount();
std::string NoSuchFile(const std::string& file);
const std::string& BookTitle();  // "歌曲列表"
std::string BookCount(int songs);
const std::string& HelpCaption();  // "使用说明"
}  // namespace ui_text
