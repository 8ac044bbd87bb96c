// SPDX-License-Identifier: GPL-3.0-or-later
// The main window without a window: the song grid and every rule of it, the
// start-up choice, adding songs from files and the add-songs run. A front
// end (qt/, the console, a test double) implements IMainView, draws the
// grid (TGrid) and the copy panel, and calls the handlers below when the
// user acts; it holds no rule of its own.
//
// All texts are GBK. The form is the window side of its song list
// (TWindowSide): the list's notifications come back through the view's
// message queue to HandleMessage, its message boxes go to the view.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/song_file_name.h"
#include "model/uclsSong.h"
#include "model/window_side.h"
#include "ui/duplicates.h"
#include "ui/grid.h"
#include "ui/grid_history.h"
#include "ui/grid_marks.h"
#include "ui/media_queue.h"
#include "ui/pinyin_reading.h"
#include "ui/run_progress.h"
#include "ui/run_report.h"
#include "ui/song_export.h"
#include "ui/stick_view.h"
#include "ui/uAddNewSong.h"
#include "ui/ufrmBatchEdit.h"
#include "ui/ufrmDiskFree.h"
#include "ui/ufrmLogin.h"
#include "ui/ufrmSaveHint.h"
#include "ui/views.h"

namespace platform {
class Env;
}
class TProductGrid;

class TfrmMain : public TWindowSide {
 public:
  // The most new songs one run takes.
  static constexpr int kMaxSongs = 99;
  // The most songs one list holds that every product line's jukebox reads:
  // the stick's songs and the new ones together.
  static constexpr int kListSongs = 99;
  // A video this size or larger is not added: the jukebox reads FAT32
  // sticks, whose files hold at most 4 GiB less one byte.
  static constexpr std::int64_t kLargestVideo = std::int64_t{1} << 32;

  // How the last run ended (ui/run_report.h).
  using TRunResult = ::TRunResult;

  // env: the system for files and volumes (null: the real one).
  TfrmMain(IMainView& view, platform::Env* env = nullptr);
  ~TfrmMain() override;

  // ---- Creation and life ----
  // Shows the start-up window modally, then creates the chosen product
  // line's song list, shapes the grid, sets the caption and, when a vod.txt
  // was opened, loads it (its songs appear once HandleMessage gets 2048).
  // When the user left the program, or no product line was chosen, the
  // window has no song list and Terminated() is true: the front end ends.
  void FormCreate();
  bool Terminated() const { return FSongList == nullptr; }
  // Frees the song list (the window is going away).
  void FormDestroy() { FSongList.reset(); }
  // Scrolls the grid so that column 0 is in view.
  void FormResize();
  // "关闭": closes the window, which ends the program.
  void btnCloseClick();
  // The user closes the window another way: true to let it close now.
  // During a copy the user is asked first (once); yes cancels the copy, the
  // run tells what it copied, and the window closes (CloseWindow, after
  // which this returns true without asking).
  bool FormCloseQuery();

  // ---- The grid ----
  // The song grid the front end draws and edits through the handlers.
  TGrid& Grid() { return lvList; }
  const TGrid& Grid() const { return lvList; }
  // The text of a cell changed: the title rule (column 2), and where the
  // grid shows it the media-type rule (column 7). Connected to lvList.OnChange.
  void lvListChange(int col, int row);
  // The user changed a cell: the number check (column 1). Connected to
  // lvList.OnAfterEdit.
  void lvListAfterEdit(int col, int row, const std::string& text);
  // The user clicked a cell: where the grid shows the media type, the track
  // lists follow the row's.
  void lvListCellClick(int col, int row);
  // The user's own edit of a cell, from the front end: lvList.UserEdit (and
  // so the change and after-edit rules), with any error shown in a box. A
  // doubtful pinyin or stroke text the user confirms unchanged is doubtful
  // no more.
  void EditCell(int col, int row, const std::string& text);
  // The user ticked or cleared a check box.
  void CheckCell(int col, int row, bool checked);
  // Text the user typed has no GBK form: the message, nothing stored.
  void RefuseTypedText();

  // Why corrections given as a table were refused (ApplyCorrections).
  struct TCorrectionFault {
    enum class Why : std::uint8_t {
      kNone,
      kEmptyTable,
      kUnknownColumn,  // column: a caption no shown, editable column has
      kNoFileColumn,   // no column names the file (column: its caption)
      kFieldCount,     // the row has another number of fields
      kNoSuchFile,     // value: no added file has this path or name
      kNotACheck,      // value: a check box takes 1 or 0
      kBreaksList,     // value: ';', a line break or a control character
      kNotAChoice,     // value: none of allowed (nor their codes)
      kOutOfRange,     // value: no whole number from allowed[0] to allowed[1]
    };
    Why why = Why::kNone;
    int tableRow = 0;    // 1-based, the captions being row 1
    std::string column;  // the column's caption
    std::string value;
    TStringList allowed;
  };
  // Corrections to the added songs, applied as the owner's own edits of the
  // grid: the table's first row holds column captions (one of them the
  // video file's, naming the file by its full path, or by its name when
  // only one row has it), each other row a file's corrections; an empty
  // cell keeps what is there. Applied in grid order, so a title comes before
  // the pinyin it derives. Drop-down cells take a name of their list or a
  // code of its table, check boxes 1 or 0; text that would break vod.txt is
  // refused. All texts are GBK. Stops at the first fault and returns it.
  TCorrectionFault ApplyCorrections(const std::vector<TStringList>& table);

  // The product line of the window (0 before FormCreate chose one), and the
  // folder songs were last added from (the new-song dialog opens there).
  std::uint8_t ProductLine() const { return FSongList ? FSongList->FProductLine : 0; }
  const std::string& SourceFolder() const;
  void SetSourceFolder(const std::string& folder);
  // How the owner's files are named: the new-song dialog starts with it and
  // leaves its choice here; files dropped onto the grid follow it. A front
  // end that remembers settings keeps it as it keeps SourceFolder.
  TNameOrder NameOrder() const { return nameOrder_; }
  void SetNameOrder(TNameOrder order) { nameOrder_ = order; }
  // How the title rule fills 拼音: by words (the default) or character by
  // character. Rows filled afterwards follow it; the rows already there keep
  // their cells until their title changes. A front end that remembers
  // settings keeps it as it keeps NameOrder.
  TPinyinReading PinyinReading() const { return pinyinReading_; }
  void SetPinyinReading(TPinyinReading reading) { pinyinReading_ = reading; }
  // "删除": deletes the current row (the last one: as "清空").
  void N1Click();
  // "清空": removes every row; the next proposed number is "0000", or the
  // one after the stick's highest.
  void N2Click();

  // ---- Many cells at once: the grid's selection ----
  // The user set cell (col, row) by a drop-down, a check box, or typed text
  // and pressed Ctrl+Enter. When the selection holds the row and other rows,
  // the column is set on every selected row as one step, each cell through
  // the rules of EditCell without a box per cell, what is refused told in
  // one message; else as EditCell / CheckCell. "编号" on several rows offers
  // numbering them from the value on (a question); "视频文件" and "文件夹"
  // are refused with a message.
  void EditSelected(int col, int row, const std::string& text);
  void CheckSelected(int col, int row, bool checked);
  // Ctrl+D: the first selected row's cells go to the other selected rows,
  // in the selected columns, as one step. "编号" alone offers numbering the
  // rows from the first one's number on; the columns that stay per row are
  // left out, and a message tells when nothing else was selected.
  void FillDown();
  // "批量修改…": the batch dialog (ui/ufrmBatchEdit.h) for the selected
  // rows; what it sets is applied as one step, as EditSelected applies.
  void BatchEditClick();
  // Ctrl+C: the selected cells as a spreadsheet takes them (UTF-8): the rows
  // and shown columns the selection touches, tab-separated, lines ending in
  // CR LF, drop-downs by the names shown, check boxes 1 or 0; cells outside
  // the selection's ranges empty. "" when nothing is selected.
  std::string CopyText() const;
  // Ctrl+V: a spreadsheet's block (UTF-8 tab-separated text, as CopyText
  // gives) put in from the current cell right over the shown columns and
  // down, as one step; one value with several cells selected goes into each
  // of them. Every cell goes through the rules of EditCell (a drop-down takes
  // a name of its list or a code, a check box 1 or 0); an empty value keeps
  // what is there; rows are never added. What is not pasted is told in one
  // message with its row and column.
  void Paste(const std::string& utf8);

  // ---- Undo and redo ----
  // Every edit of the owner's (a cell, a batch change, a fill, a paste, an
  // import, "删除", "清空", songs added) and the run's own changes to the
  // grid are steps. Undo puts the grid back as it was before the last step
  // (cells, marks, the next proposed number, the songs a run removes from
  // the stick); never the stick itself: a step that would bring back a song
  // whose file a run removed from the stick is refused with a message.
  // The history starts when a list was loaded.
  bool CanUndo() const;
  bool CanRedo() const;
  // The menu entries: "撤销" / "重做" with the step's name ("撤销删除").
  std::string UndoItemText() const;
  std::string RedoItemText() const;
  void Undo();
  void Redo();

  // ---- The list in and out ----
  // The grid as a table (GBK): the captions of the shown columns but
  // "文件夹", then each row's cells as the grid shows them (check boxes 1
  // or 0). ApplyCorrections takes it back.
  std::vector<TStringList> ListTable() const;
  // The list as the CSV file and as the song book that "导出歌曲列表…"
  // writes (UTF-8).
  std::string ListCsv() const;
  std::string SongBook(TBookOrder order) const;
  // The fault of ApplyCorrections in the owner's words (GBK).
  static std::string FaultText(const TCorrectionFault& fault);
  // "导出歌曲列表…": asks what to write (the CSV table, a song book sorted
  // by pinyin or by number) and where, and writes it (ui/song_export.h).
  void ExportClick();
  // "导入修改…": a CSV table the owner chooses, applied as ApplyCorrections
  // applies it, as one step; a fault puts the grid back as it was and is
  // told in a message.
  void ImportClick();

  // ---- The stick ----
  // Looks at the stick again: the USB disk's vod folder, else the folder
  // the last run went to. A front end calls it when the system tells that a
  // disk came or went; the form calls it when it opens, after each run and
  // when a target folder was chosen. Reads the list and the free space,
  // writes nothing, and shows the result (IMainView::StickChanged).
  void LookAtStick();
  // Cheap, for a timer: looks at the stick again (LookAtStick) when the USB
  // disks the system lists changed since the last look; nothing while the
  // window is busy.
  void PollUsb();
  const TStickView& Stick() const { return shownStick_; }

  // ---- Adding songs (the new-song dialog) ----
  void btnAddClick();
  // Video files dropped onto the grid: added as "添加歌曲" adds them with the
  // proposed number kept (the folder of the last one is remembered).
  void AddDroppedFiles(const TStringList& files);
  // Appends one row for a video file (number, title and singer from the name,
  // derived columns, the line's defaults) and posts the row count. A row that
  // cannot be filled is removed again.
  void AddSongFile(const std::string& path);

  // ---- What the videos hold (ufrmMain_media.cpp) ----
  // The probe that looks at every video added (null, as at first: none is
  // looked at), on workers threads (0: while the file is added). Set once
  // by the front end before anything is added; probe outlives the window.
  // A file the probe refuses leaves the grid again and is named in the one
  // "以下文件没有添加：" message of its add; one in a format some jukeboxes
  // cannot play is marked; Dovan's 音轨类型 follows the file's audio streams
  // (two or more: DVD); a track choice the file disagrees with is marked
  // doubtful until the owner changes the row's tracks.
  void SetMediaProbe(media::MediaProbe* probe, int workers);
  // Lets the message loop run until every video added has been looked at
  // and its facts are in the grid, then tells of the files refused. A run
  // starts with it.
  void AwaitMedia();
  // What is known of the row's video; null when it was not looked at (yet).
  const media::MediaFacts* MediaOf(int row) const;
  // The status bar's media part for the current row (GBK): what its video
  // holds, "" for a row without one.
  std::string MediaStatus() const;

  // ---- The run ----
  void btnCompleteClick();
  // "恢复以前的歌曲列表…": the copies this computer kept of the list of the
  // USB disk (or, without one, of the folder the owner chooses) are offered
  // and the one chosen put back (ui/ufrmRestoreList.h).
  void btnRestoreClick();
  // Asks a running copy to stop after the current chunk ("取消").
  void CancelCopy();
  TRunResult LastRun() const { return FLastRun; }
  // Whether a run reads back from the target what it wrote (on by default;
  // the window's setting, the console's --no-verify).
  bool VerifyCopies() const { return verifyCopies_; }
  void SetVerifyCopies(bool on) { verifyCopies_ = on; }

  // ---- Notifications ----
  // A message the view queued (PostMessage) is delivered: 2048-2051.
  void HandleMessage(unsigned message, std::int64_t lparam);

  // ---- Operations the rules share ----
  // FTotalSize := the sizes of the rows' video files that exist; FSizeText.
  void UpdateTotalSize();
  // Rebuilds the song records from the grid (FCount := 0, one per row).
  void GridToSongs();
  // The lines the grid's songs get in vod.txt now, in grid order (the
  // records rebuilt from the grid); what a run would write for them, before
  // the songs already on its target. Throws TSongRefused for a song that
  // lacks a mandatory field.
  TStringList ListLines();
  // The lines of the loaded list beyond the slots the grid shows: a run
  // keeps them after the grid's songs.
  const TStringList& LinesBeyondGrid() const { return FSongList->FKeptLines; }

  // The status line as last shown (edtSongCount).
  const std::string& StatusLine() const { return StatusText; }
  bool Busy() const { return busy_ > 0; }

  // ---- TWindowSide, for the song list ----
  void PostNotify(unsigned message, std::int64_t lparam) override;
  void PumpMessages() override;
  void ShowBox(const std::string& caption, const std::string& text, int kind) override;

 private:
  // ---- State ----
  TGrid lvList;
  std::unique_ptr<TBaseSong> FSongList;
  std::string FVodPath;
  std::int64_t FTotalSize = 0;
  std::string FSizeText;
  std::string Caption;
  std::string StatusText;  // edtSongCount
  TCopyPanel Panel;

  // The dialogs, each alive only while it is shown.
  std::unique_ptr<TfrmLogin> frmLogin;
  std::unique_ptr<TfrmAddNewSong> frmAddNewSong;
  std::unique_ptr<TfrmSaveHint> frmSaveHint;
  std::unique_ptr<TfrmDiskFree> frmDiskFree;
  std::unique_ptr<TfrmBatchEdit> frmBatchEdit;

  // ---- Operations the rules share ----
  // True when at most one row's trimmed "编号" equals number.
  bool IsNumberUnique(const std::string& number);
  // Column 8 / 9's list := the DVD tracks (dvd) or the audio tracks.
  void FillAccompList(bool dvd);
  void FillOrigList(bool dvd);

  // ---- What a run shows (the copy panel, the folder prompt, low space) ----
  std::string ChooseSaveFolder();
  // Where the folder browser starts: the stick shown (its root), "" when none.
  std::string StickStart() const;
  void ShowCopyFile(const std::string& source, const std::string& dest);
  // The run reads back the file at path (which of how many, its bytes and
  // those of all of them): the copy panel's check phase.
  void ShowReadBackFile(const std::string& path, int index, int count, std::int64_t bytes,
                        std::int64_t allBytes);
  void ShowLowSpace(const std::string& drive, const std::string& need, const std::string& free);

  // What a drop-down cell (col, row) takes for value: the value when its
  // list offers it, the name of the code it is; "" when neither.
  std::string ChoiceOf(int col, int row, const std::string& value) const;

  // Keeps a second add, delete, clear or run from starting while a loop
  // that lets the message loop run is going on.
  class TBusy {
   public:
    explicit TBusy(TfrmMain& form) : form_(form) { ++form_.busy_; }
    ~TBusy() {
      if (--form_.busy_ == 0) form_.IdleAgain();
    }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

   private:
    TfrmMain& form_;
  };

  // A dialog made into its slot for one showing; the slot is emptied again
  // when the scope ends, also when a step fails.
  template <class TForm>
  class TDialogUse {
   public:
    template <class... Args>
    explicit TDialogUse(std::unique_ptr<TForm>& slot, Args&&... args) : slot_(slot) {
      slot_ = std::make_unique<TForm>(std::forward<Args>(args)...);
    }
    ~TDialogUse() { slot_.reset(); }
    TDialogUse(const TDialogUse&) = delete;
    TDialogUse& operator=(const TDialogUse&) = delete;
    TForm* operator->() const { return slot_.get(); }
    TForm& operator*() const { return *slot_; }

   private:
    std::unique_ptr<TForm>& slot_;
  };

  // Runs a handler; an error it does not catch is shown in the program's
  // error box, and the window stays usable.
  template <class F>
  void Guarded(F&& handler);
  void ShowError(const std::exception& error);

  void CreateSongList(std::uint8_t product);
  // Marks the mandatory cells of the row that are empty (and unmarks the
  // others).
  void MarkMissing(int row);
  // The columns of the row's mandatory fields that are empty.
  std::set<int> EmptyColumns(int row);
  // Every row's marks: empty fields, songs twice, numbers wrong or twice.
  void MarkAllRows();
  // Every problem of the grid that stops a run (row, number, column, what
  // is wrong), told in one message with the cursor on the first: false then.
  bool NoProblems();
  // Takes the new rows that repeat a loaded row or an earlier new row out of
  // the grid (as "删除" does, so they can be put back).
  void SkipRepeats();
  // The songs of the target that the run takes as copied already, and the
  // song files no list names: let go or kept (ufrmMain_target.cpp).
  // FSongList->FOnTarget := the new rows whose .dat the target holds byte
  // for byte: under the row's number (unless an unknown list names it as
  // one of its songs), or as a file no list names, whose number the row
  // then takes. named: the numbers the target's list names; theirs: the
  // list's songs stay (an unknown list kept), so its files are its own.
  void FindSongsOnTarget(const std::set<std::string>& named, bool theirs);
  bool AskAboutStrays(const std::vector<std::string>& strays, std::set<std::string>& keptFiles);
  // The steps of a run (btnCompleteClick). The grid's checks, the song
  // records rebuilt from it: false after telling the owner what stops it.
  bool GridReadyForRun();
  // The owner's choice of target, made ready and settled with the songs
  // already there: whether it is the USB disk; nullopt when the run ends
  // there, nothing written.
  std::optional<bool> ChooseTarget();
  // Copies onto the chosen target with the copy panel, and reports.
  void CopyAndReport(bool onUsb);
  // The run's check of every row's mandatory fields and line, before the
  // owner is asked where to: false after telling which song and column.
  bool SongsComplete();
  // The run's question about songs in the grid twice: true to go on (also
  // when there are none).
  bool DuplicatesAccepted();
  // What of the files the owner chose or dropped is added (ui/videos_to_add.h);
  // the others are told in one message.
  TStringList VideosToAdd(const TStringList& chosen);
  // False, after telling the owner, when more new rows would pass the 99 of
  // a run, or the stick's songs and the new ones what one list holds.
  bool RoomForRows(int more);
  // The rows with a video file (the run copies them), and the songs a run
  // keeps: the loaded rows and, when the window does not know the stick's
  // list, that list's songs.
  int NewSongCount() const;
  // False, after telling the owner, when the grid's songs (those kept from
  // the stick among them) pass what one list holds.
  bool ListHasRoom();
  int KeptSongCount() const;
  // Shows the stick as last looked at, with the number the next new song gets.
  void ShowStick();
  // Removes every row; the next proposed number is "0000".
  void ClearGrid();
  // The rows (in ascending order) are about to be deleted: their numbers
  // are kept for the run that removes their songs' files.
  void RememberDeleted(const std::vector<int>& rows);

  // ---- Steps to undo (ufrmMain_history.cpp) ----
  TGridState GridState() const;
  void PutGridState(const TGridState& state);
  // The grid's cells differ from the grid as the history last knew it: a
  // change no step recorded.
  bool EditedSinceHistory() const;
  // Such a change is recorded as a step of its own.
  void RecordUnrecorded();
  // Undo (back) or Redo.
  void TakeStep(bool back);
  // Whether state holds a song of the stick's list whose file a run removed.
  bool BringsBackRemoved(const TGridState& state) const;
  // A scope that makes one step of what changes in the grid meanwhile;
  // scopes inside it fold into it. Nothing is recorded when nothing changed.
  class TUndoStep {
   public:
    TUndoStep(TfrmMain& form, const std::string& name);
    ~TUndoStep();
    TUndoStep(const TUndoStep&) = delete;
    TUndoStep& operator=(const TUndoStep&) = delete;

   private:
    TfrmMain& form_;
    std::string name_;
    std::optional<TGridState> before_;
  };

  // ---- Many cells (ufrmMain_batch.cpp) ----
  // Why cell (col, row) does not take value as the owner's edit ("" when it
  // does): not editable, a text that breaks vod.txt, out of range, no name
  // nor code of its list (GBK).
  std::string Refusal(int col, int row, const std::string& value) const;
  // Sets the cell as the owner's edit, quietly; the reason when refused.
  std::string PutValue(int col, int row, const std::string& value);
  // PutValue; a refusal becomes a line of problems with the row and column.
  void PutOrTell(int col, int row, const std::string& value, TStringList& problems);
  // Numbers the rows from start on (four digits), passing over the numbers
  // other rows hold; asks first. False when the owner declined.
  bool NumberRows(const std::vector<int>& rows, const std::string& start);
  // After many cells changed: marks, the track lists, the status line; the
  // problems (GBK lines) told in one message.
  void AfterManyCells(const TStringList& problems);
  // The rows a change of the column on row goes to: the selected rows when
  // they hold row and another, else row alone.
  std::vector<int> RowsFor(int row) const;
  bool quietNumbers_ = false;  // the number check's boxes are held back
  // Puts loaded song i (FSongList's record) into a new row before row at,
  // remembering what it was loaded from.
  void InsertLoadedRow(int at, int song);
  // The next proposed number follows the highest number in the grid and on
  // the stick (ProposedNo).
  void FollowGridNumbers();
  std::int32_t ProposedNo() const;
  // The run meets the songs already on its target (ufrmMain_target.cpp):
  // false when the run ends there, nothing written.
  bool SettleExistingSongs();
  // The target's list names listed songs the window lacks: 0 keep them, 1
  // replace them (asked twice), anything else cancels.
  int AskKeepOrReplace(int listed);
  bool KeepTargetList();
  bool KeepFilesOfKeptSongs(const std::set<std::string>& keptFiles);
  // The run's records and lines rebuilt from the grid when the run changed
  // it (changedByRun_): false after telling the owner what refuses them.
  bool RebuildRunLines();
  void WMLoadDone();
  void WMSongCount(std::int64_t count);
  void WMCopyProgress(std::int64_t percent);
  // Panel.overall and Panel.timeLeft for the current song at percent.
  void FollowRunProgress(int percent);
  void TitleRule(int row);
  void MediaTypeRule(int row);
  // Tells the owner how the run ended (FLastRun follows it).
  void ReportRun(const TRunOutcome& outcome, bool onUsb);
  class TCopyPanelRun;
  void SetControlsEnabled(bool enabled);
  void ChangePanel();
  // Whether the product line's grid shows the column.
  bool Shows(int col) const;

  IMainView& view_;
  platform::Env* env_;
  TGridMarks marks_;  // the marks of lvList's cells
  const TProductGrid* product_ = nullptr;
  int busy_ = 0;
  bool copying_ = false;
  bool cancelRequested_ = false;  // 取消 during the copy or the check
  bool closeAfterRun_ = false;
  bool closeNow_ = false;  // the run the owner closed the window in has ended
  // What the window shows of the stick, and the USB disks it saw last.
  TStickLook stickLook_;
  TStickView shownStick_;
  std::vector<std::string> usbSeen_;
  // The vod folder the last run went to (shown when no USB disk is there).
  std::string lastTarget_;
  // The vod folder of the run under way.
  std::string runTarget_;
  TGridHistory history_;
  int stepDepth_ = 0;
  // Song numbers ("660003") whose files a run removed from a stick.
  std::set<std::string> removedByRun_;
  // The numbers ("660003") of songs deleted from the grid: a run onto the
  // stick whose list this window knows removes their files when the list
  // names them and no row has the number.
  std::set<std::string> deletedNumbers_;
  bool counting_ = false;           // a 2049 is being handled
  std::int64_t pendingCount_ = -1;  // a 2049 that came meanwhile
  // Per target folder: song files no list names that the owner chose to keep.
  std::map<std::string, std::set<std::string>> keptFiles_;
  bool changedByRun_ = false;  // the run changed the grid: its records are rebuilt
  bool uncopied_ = false;      // songs were added or changed since a run ended done
  bool verifyCopies_ = true;
  TNameOrder nameOrder_ = TNameOrder::kTitleSinger;
  TPinyinReading pinyinReading_ = TPinyinReading::kPhrases;
  // The copy's progress messages coalesce: one 2050 is queued at a time and
  // hands over the newest percent when it is handled.
  std::int64_t newestPercent_ = 0;
  bool progressQueued_ = false;
  // The run's bytes, for the overall bar and the time left.
  TRunProgress progress_;
  TRunResult FLastRun = TRunResult::kNone;

  // ---- What the videos hold (ufrmMain_media.cpp) ----
  std::unique_ptr<TMediaQueue> media_;
  // The "name（why）" lines of files left out, told once no probe is going.
  std::string refusedFiles_;
  // Videos whose rows still take 音轨类型 from the file (Dovan); the owner's
  // own choice of it comes first.
  std::set<std::string> typeFromFile_;
  bool applyingMedia_ = false;  // the grid changes are the facts', not the owner's
  // Takes the facts that came in: refused files leave the grid (and every
  // state undo knows), the others' rows get their marks and media type.
  void WMMediaFacts();
  void ApplyMediaFacts(int row, const media::MediaFacts& facts);
  // The row's track cells marked doubtful where the file disagrees.
  void MarkTracks(int row, const media::MediaFacts& facts);
  // An owner's change of a track column (7-9): its doubt is the owner's call.
  void TracksChangedByOwner(int col, int row);
  // Shows the lines of refusedFiles_ in one message once no probe is going.
  void TellRefusedFiles();
  // The window is no longer busy: files refused meanwhile are told soon,
  // from the message loop.
  void IdleAgain();
  int RowOfVideo(const std::string& path) const;
  // What the row's video holds: the lines of its tip, or one line for the
  // status bar; "" without a video or facts.
  std::string MediaText(int row, bool oneLine) const;
  void ShowMediaStatus();
};

template <class F>
void TfrmMain::Guarded(F&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowError(error);
  }
}
