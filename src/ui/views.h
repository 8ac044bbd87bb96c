// SPDX-License-Identifier: GPL-3.0-or-later
// What the forms need of a front end, and nothing more. A form decides; its
// view only draws what it is told and hands the user's actions back to the
// form's handlers. The Qt front end, the console and the tests' doubles each
// implement these.
//
// All texts are GBK. Paths a view returns are GBK too; a view that cannot
// express the user's choice in GBK refuses it itself (a message, no choice).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TfrmLogin;
class TfrmAddNewSong;
class TfrmSaveHint;
class TfrmDiskFree;
class TfrmBatchEdit;

// A question with buttons of its own. The front end shows it modally; a
// console answers it from its command line, by what it asks.
struct TQuestion {
  enum class Id : std::uint8_t {
    kCloseDuringCopy,  // closing while songs are copied: yes, no
    kCloseUncopied,    // closing with songs no finished run copied: yes, no
    kClearGrid,        // "清空" with songs in the grid: yes, no
    kExistingSongs,    // the target holds songs: keep them, replace them, cancel
    kRenumber,         // new songs' numbers clash with kept songs: renumber, cancel
    kUnreadLines,      // a vod.txt has lines that cannot be read: go on, cancel
    kDuplicates,      // the run meets songs that are in the grid twice: go on, skip repeats, cancel
    kConfirmReplace,  // replacing the target's songs, asked once more: keep, replace, cancel
    kRestoreList,     // a copy of the target's earlier list to put back: one per copy, cancel
    kCleanStrays,     // song files no list names on the target: keep them, remove them
    kVodFolderChosen,  // the folder chosen is a stick's vod folder: store here, cancel
    kNumberRows,       // number the selected rows one after another: number, cancel
    kExportKind,       // what to export: the CSV table, a song book by pinyin, by number, cancel
  };
  Id id;
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;  // the first is the default; the last is cancelling
};

// Every small dialog: shown modally by the main view, closed by its form.
class IDialogView {
 public:
  virtual ~IDialogView() = default;
  // Ends the modal showing; the form's fields hold the result.
  virtual void Close() = 0;
};

class ILoginView : public IDialogView {
 public:
  // The open-file dialog (title, filter "name|pattern"): the chosen path, or
  // nothing when the user cancelled.
  // The dialog starts in folder start ("" where the system chooses).
  virtual std::optional<std::string> ChooseFile(const std::string& title, const std::string& filter,
                                                const std::string& start) = 0;
  // A modal message box of kind 0-3 (see model/window_side.h).
  virtual void ShowBox(const std::string& caption, const std::string& text, int kind) = 0;
  // The question: the index of the button chosen; -1 when the window was
  // closed without one (as the cancelling button).
  virtual int Ask(const TQuestion& question) = 0;
};

class IAddNewSongView : public IDialogView {
 public:
  // Puts the text into the number box (edtNum) / gives the box the focus.
  virtual void SetNumberText(const std::string& text) = 0;
  virtual void FocusNumber() = 0;
  // A plain message with one OK button and no icon.
  virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
  // The multi-select open-file dialog in folder: the chosen paths in the
  // order the dialog gives them, or nothing when the user cancelled.
  virtual std::optional<std::vector<std::string>> ChooseFiles(const std::string& folder,
                                                              const std::string& filter) = 0;
};

class IDiskFreeView : public IDialogView {
 public:
  // The form's labels changed.
  virtual void LabelsChanged() = 0;
};

// The copy panel of the main window, as the main form keeps it.
struct TCopyPanel {
  bool visible = false;
  bool animating = false;
  std::string from;         // source path (Label1)
  std::string to;           // destination path (Label2)
  int percent = 0;          // progress bar 0-100: the current file
  int song = 0;             // the song being copied, 1-based
  int songs = 0;            // songs in the run
  int overall = 0;          // 0-100: the whole run, by bytes
  std::string timeLeft;     // "剩余约 3 分钟", "" while it cannot be told yet
  bool checking = false;    // the files written are being read back (song counts those)
  bool cancelling = false;  // the user asked to stop

  // What a front end shows of the state above, the same in every window
  // (GBK texts):
  // the title strip: "正在复制歌曲，请稍候..." or, while checking, the
  // read-back's title;
  const std::string& Title() const;
  // which song of how many: "第 3/10 首", or "校验 第 3/10 首" while checking;
  std::string SongCount() const;
  // the line under the file's bar: SongCount (none while the run has no
  // songs), then timeLeft after four spaces when it can be told;
  std::string SongLine() const;
  // whether the animation runs, and whether "取消" takes a click.
  bool Animates() const { return visible && animating; }
  bool CanCancel() const { return !cancelling; }
};

// How often a long run lets the window's message loop turn (see
// IMainView::ProcessMessages): a run asks once per step, and a step (a
// 5120-byte chunk of a copy) takes microseconds, less than a turn costs. A
// window turns its loop at most this often, so it repaints and hears "取消"
// fifty times a second while the copy runs at the disk's speed.
inline constexpr std::chrono::milliseconds kMessageLoopInterval{20};

// What the main window shows of the stick: the USB disk's vod folder, or
// the folder a run last went to when no USB disk is there. Looking writes
// nothing.
struct TStickView {
  bool found = false;           // a USB disk or a folder is shown
  std::string where;            // the USB disk's root or the folder's path
  int songs = 0;                // the songs its list holds
  std::int64_t freeBytes = -1;  // free space; -1 unknown
  std::string nextNumber;       // the number the next new song gets ("0030")
  bool trouble = false;         // the stick could not be read as it should: text says why
  // The strip's line (GBK): "U盘 E:\：歌曲列表 30 首，可用 1.20G，下一个编号 0030",
  // "没有找到U盘" when nothing is shown.
  std::string text;
  bool operator==(const TStickView&) const = default;
};

// The main window's buttons.
enum class TMainButton : std::uint8_t { kAdd, kComplete, kClose, kRestore };

class IMainView {
 public:
  virtual ~IMainView() = default;

  virtual void SetCaption(const std::string& text) = 0;
  // edtSongCount: the song count pane of the status bar (repainted at once).
  virtual void SetStatusText(const std::string& text) = 0;
  // The status bar's second part: what the current row's video holds (GBK),
  // "" for nothing.
  virtual void SetMediaText(const std::string& /*text*/) {}
  virtual void SetButtonEnabled(TMainButton button, bool enabled) = 0;
  // The copy panel changed (shown, hidden, paths, progress).
  virtual void CopyPanelChanged(const TCopyPanel& panel) = 0;
  // Closes the main window, which ends the program.
  virtual void CloseWindow() = 0;
  // The run puts the songs on the USB disk at volume (its root): a window
  // shows it in its copy panel anyway; a console says which disk it took.
  virtual void UsbDiskChosen(const std::string& /*volume*/) {}

  // Queues a message for the window; the front end hands it to
  // TfrmMain::HandleMessage later, on the window's thread, never inside this
  // call. May be called from any thread (the media probes' WM_MEDIAFACTS).
  virtual void PostMessage(unsigned message, std::int64_t lparam) = 0;
  // Lets the message loop run once: queued messages are handled, the window
  // repaints, user actions are delivered.
  virtual void ProcessMessages() = 0;

  // A modal message box of kind 0-3 owned by the main window.
  virtual void ShowBox(const std::string& caption, const std::string& text, int kind) = 0;
  // The question (see ILoginView::Ask), owned by the main window.
  virtual int Ask(const TQuestion& question) = 0;
  // The folder browser with the prompt, starting at folder start ("" where
  // the system chooses): the chosen folder, or nothing.
  virtual std::optional<std::string> ChooseFolder(const std::string& prompt,
                                                  const std::string& start) = 0;
  // What the window shows of the stick changed (a strip above the grid).
  virtual void StickChanged(const TStickView& /*stick*/) {}

  // Shows the dialog of the form modally and returns when it is closed. The
  // view connects the dialog's window to the form (form.SetView) first and
  // calls the new-song dialog's FormActivate once its window shows.
  virtual void ShowModal(TfrmLogin& form) = 0;
  virtual void ShowModal(TfrmAddNewSong& form) = 0;
  virtual void ShowModal(TfrmSaveHint& form) = 0;
  virtual void ShowModal(TfrmDiskFree& form) = 0;
  virtual void ShowModal(TfrmBatchEdit& form) = 0;

  // The save-file dialog (title, filter "name|pattern", the name proposed):
  // the path chosen, an existing file's replacing confirmed; nothing when
  // the user cancelled.
  virtual std::optional<std::string> ChooseSaveFile(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& name) = 0;
  // The open-file dialog (as ILoginView::ChooseFile).
  virtual std::optional<std::string> ChooseOpenFile(const std::string& title,
                                                    const std::string& filter) = 0;
};
