// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows desktop program's windows, made for real in the test process
// and driven through their controls' messages as a user drives them: buttons
// clicked, text put into the grid's editors, the list view's cells read
// back. Message boxes and the file dialogs are answered by FakePrompts; the
// forms' own dialogs are answered through the modal hook. The rules
// themselves are the forms' tests' (tests/ui): these check the wiring.
#include <gtest/gtest.h>

#include "win32/win_api.h"
// After <windows.h>: DROPFILES.
#include <shlobj.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>

#include "formats/product_lines.h"
#include "support/fake_probe.h"
#include "support/mapped_drives.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/test_env.h"
#include "support/video_file.h"
#include "text/gbk.h"
#include "ui/owner_help.h"
#include "ui/ufrmBatchEdit.h"
#include "ui/ui_texts.h"
#include "win32/app_setup.h"
#include "win32/copy_panel.h"
#include "win32/dialogs.h"
#include "win32/grid_view.h"
#include "win32/main_window.h"
#include "win32/prompts.h"
#include "win32/settings.h"
#include "win32/win_text.h"

namespace {

namespace fs = std::filesystem;
using w32ui::Wide;

const wchar_t* const kTestSettings = L"Software\\addsongs-window-tests";

struct Box {
  std::wstring caption, text;
  int kind;
};

class FakePrompts final : public w32ui::IPrompts {
 public:
  std::vector<Box> boxes;
  std::vector<std::wstring> asked;  // the questions' captions, each answered with its first button
  std::vector<std::wstring> files;
  std::wstring folder;
  std::wstring saveFile;  // the save dialog's answer
  void Message(HWND, const std::wstring& caption, const std::wstring& text, int kind) override {
    boxes.push_back({caption, text, kind});
  }
  void Notice(HWND, const std::wstring& caption, const std::wstring& text) override {
    boxes.push_back({caption, text, -1});
  }
  int Ask(HWND, const std::wstring& caption, const std::wstring&,
          const std::vector<std::wstring>&) override {
    asked.push_back(caption);
    return 0;
  }
  std::wstring OpenFile(HWND, const std::wstring&, const std::wstring&,
                        const std::wstring&) override {
    return files.empty() ? std::wstring() : files.front();
  }
  std::vector<std::wstring> OpenFiles(HWND, const std::wstring&, const std::wstring&) override {
    return files;
  }
  std::wstring SaveFile(HWND, const std::wstring&, const std::wstring&, const std::wstring&,
                        const std::wstring&) override {
    return saveFile;
  }
  std::wstring Folder(HWND, const std::wstring&, const std::wstring&) override { return folder; }
};

// Answers the forms' dialogs as they show: in the dialog of a caption, the
// control of the id is clicked (posted, so the dialog's own loop runs it).
class DialogAnswers {
 public:
  std::map<std::wstring, int> clicks;  // caption -> control id
  std::function<void(HWND)> seen;      // every modal window shown
  DialogAnswers() {
    w32ui::ModalHook() = [this](HWND dialog) {
      if (seen) seen(dialog);
      const auto found = clicks.find(w32ui::TextOf(dialog));
      if (found != clicks.end()) {
        PostMessageW(GetDlgItem(dialog, found->second), BM_CLICK, 0, 0);
      }
    };
  }
  ~DialogAnswers() { w32ui::ModalHook() = nullptr; }
};

// A thread timer that calls back while the window's loop turns.
std::function<void()> tick;
void CALLBACK Ticked(HWND, UINT, UINT_PTR, DWORD) {
  if (tick) tick();
}

void Pump() {
  MSG msg;
  for (int i = 0; i < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::wstring CellText(HWND list, int col, int row) {
  wchar_t text[512] = {};
  LVITEMW item = {};
  item.iSubItem = col;
  item.pszText = text;
  item.cchTextMax = 512;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

const std::wstring& Caption(const std::string& gbk) {
  static std::map<std::string, std::wstring> wide;
  return wide[gbk] = Wide(gbk);
}

// The middle of a cell of the list view, as a mouse message's lParam.
LPARAM MiddleOf(HWND list, int col, int row) {
  RECT cell = {};
  cell.top = col;
  cell.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
  if (col == 0)
    cell.right = cell.left + static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
  return MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
}

// A click of the mouse at the middle of a cell of the list view, with the
// keys (MK_SHIFT, MK_CONTROL) the mouse message says are held.
void ClickCell(HWND list, int col, int row, WPARAM keys = 0) {
  const LPARAM at = MiddleOf(list, col, row);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
  SendMessageW(list, WM_LBUTTONUP, keys, at);
  Pump();
}

// Keys held down in the thread's keyboard state while it lives, as
// GetKeyState reads them.
class HeldKeys {
 public:
  explicit HeldKeys(const std::vector<int>& keys) {
    GetKeyboardState(saved_);
    BYTE now[256];
    std::copy(std::begin(saved_), std::end(saved_), now);
    for (int key : keys) now[key] = 0x80;
    SetKeyboardState(now);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256] = {};
};

// A key pressed on a window with the others held, then the loop turned.
void Press(HWND window, WPARAM key, std::initializer_list<int> held = {}) {
  {
    HeldKeys keys(held);
    SendMessageW(window, WM_KEYDOWN, key, 0);
  }
  Pump();
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::copy(text.c_str(), text.c_str() + text.size() + 1,
            static_cast<wchar_t*>(GlobalLock(memory)));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return L"(clipboard not opened)";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::wstring MenuText(HMENU menu, UINT id) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, id, text, 128, MF_BYCOMMAND);
  return text;
}

bool MenuEnabled(HMENU menu, UINT id) {
  return (GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

class WindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { w32ui::SetUpProcess(); }

  // A main window started on the product line, shown.
  std::unique_ptr<w32ui::MainWindow> Start(std::uint8_t product, platform::Env* env = nullptr) {
    auto window = std::make_unique<w32ui::MainWindow>(prompts_, env, kTestSettings);
    DialogAnswers answers;
    answers.clicks[Caption(ui_text::ToolCaption())] = w32ui::kIdProductButton + product - 1;
    if (!window->Start()) return nullptr;
    ShowWindow(window->hwnd(), SW_SHOW);
    Pump();
    return window;
  }
  // Closes the window as the owner does (WM_CLOSE) and takes the quit
  // message it leaves, so that the next window starts afresh.
  static void Close(w32ui::MainWindow& w) {
    SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(w.hwnd()));
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  std::wstring Video(const std::string& name, std::size_t size) {
    return dir_.Write(name, std::string(size, 'v')).wstring();
  }
  // A video the console program's probe takes as well, for the tests that
  // hand the window's files to addsongs-cli too.
  std::wstring PlayableVideo(const std::string& name, std::size_t size, unsigned seed) {
    return dir_.Write(name, VideoFile(size, seed)).wstring();
  }
  // "添加歌曲" with the files, keeping the proposed number; the number box's text.
  // choose: a control of the dialog clicked first (a name order), or 0.
  std::wstring AddFiles(w32ui::MainWindow& w, const std::vector<std::wstring>& files,
                        int choose = 0) {
    prompts_.files = files;
    std::wstring number;
    DialogAnswers answers;
    answers.clicks[Caption(TfrmAddNewSong().Caption)] = w32ui::kIdBtnFile;
    answers.seen = [&](HWND dialog) {
      number = w32ui::TextOf(GetDlgItem(dialog, w32ui::kIdEdtNum));
      checkedOrder_ =
          SendDlgItemMessageW(dialog, w32ui::kIdRbSingerTitle, BM_GETCHECK, 0, 0) == BST_CHECKED
              ? w32ui::kIdRbSingerTitle
              : w32ui::kIdRbTitleSinger;
      if (choose != 0) PostMessageW(GetDlgItem(dialog, choose), BM_CLICK, 0, 0);
    };
    SendMessageW(w.button(TMainButton::kAdd), BM_CLICK, 0, 0);
    Pump();
    return number;
  }
  // Clicks 开始加歌 and, while the run goes on, calls watch every few
  // milliseconds from the window's loop; returns once the run has ended.
  static void RunWatching(w32ui::MainWindow& w, std::function<void()> watch) {
    tick = std::move(watch);
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, Ticked);
    SendMessageW(w.button(TMainButton::kComplete), BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    tick = nullptr;
    Pump();
  }
  // Puts text into the cell's editor and presses Enter.
  static void Type(w32ui::MainWindow& w, int col, int row, const std::wstring& text) {
    w.grid().BeginEdit(col, row);
    HWND editor = w.grid().Editor();
    ASSERT_NE(editor, nullptr);
    HWND line = FindWindowExW(editor, nullptr, L"Edit", nullptr);
    if (line == nullptr) line = editor;
    SendMessageW(line, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(line, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_EQ(w.grid().Editor(), nullptr);
  }

  FakePrompts prompts_;
  TempDir dir_;
  int checkedOrder_ = 0;  // the name order the new-song dialog showed checked
};

TEST_F(WindowTest, StartUpButtonsChooseTheProductLine) {
  for (const TProductLineInfo& product : ProductLines()) {
    SCOPED_TRACE(product.name);
    auto w = Start(product.code);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->form().ProductLine(), product.code);
    EXPECT_EQ(w32ui::TextOf(w->hwnd()), Wide(ui_text::MainCaptionPrefix() + product.Title()));
    EXPECT_FALSE(IsWindowEnabled(w->button(TMainButton::kComplete)));
    // Each column is as wide as the form says, none where it is hidden.
    for (int col = 0; col < kGridColumns; ++col) {
      const TGridColumn& column = w->form().Grid().Column(col);
      const auto width = SendMessageW(w->grid().hwnd(), LVM_GETCOLUMNWIDTH, col, 0);
      EXPECT_EQ(width == 0, !column.visible) << "column " << col;
    }
  }
}

TEST_F(WindowTest, LeavingFromTheStartUpWindowEndsTheProgram) {
  w32ui::MainWindow w(prompts_, nullptr, kTestSettings);
  DialogAnswers answers;
  answers.clicks[Caption(ui_text::ToolCaption())] = w32ui::kIdBtnClose;
  EXPECT_FALSE(w.Start());
}

TEST_F(WindowTest, NewSongDialogAddsTheChosenFilesToTheGrid) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  const std::wstring number = AddFiles(*w, {Video("a-b.mpg", 10), Video("c-d.mpg", 10)});
  EXPECT_EQ(number, L"0000");
  HWND list = w->grid().hwnd();
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < kGridColumns; ++col) {
      if (w->form().Grid().Column(col).kind == TColumnKind::kCheck) continue;
      EXPECT_EQ(CellText(list, col, row), Wide(w->form().Grid().Cell(col, row)))
          << "cell " << col << "," << row;
    }
  }
  EXPECT_EQ(CellText(list, 2, 1), L"c");
  EXPECT_EQ(w->paneText(1), Wide(w->form().StatusLine()));
  EXPECT_TRUE(IsWindowEnabled(w->button(TMainButton::kComplete)));
}

TEST_F(WindowTest, TheNameOrderChosenInTheDialogFillsTheGridAndIsKept) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  const struct {
    int choose;   // clicked before the files are chosen (0: none)
    int checked;  // the choice the dialog showed when it opened
    std::string file;
    std::wstring title, singer;
  } steps[] = {
      {w32ui::kIdRbSingerTitle, w32ui::kIdRbTitleSinger, "Jacky-Kiss.mpg", L"Kiss", L"Jacky"},
      {0, w32ui::kIdRbSingerTitle, "Faye-Red.mpg", L"Red", L"Faye"},
      {w32ui::kIdRbTitleSinger, w32ui::kIdRbSingerTitle, "Honey-Teresa.mpg", L"Honey", L"Teresa"},
  };
  for (int row = 0; row < 3; ++row) {
    const auto& step = steps[row];
    AddFiles(*w, {Video(step.file, 10)}, step.choose);
    EXPECT_EQ(checkedOrder_, step.checked) << step.file;
    EXPECT_EQ(CellText(w->grid().hwnd(), kColTitle, row), step.title);
    EXPECT_EQ(CellText(w->grid().hwnd(), kColSinger, row), step.singer);
  }
  // The rows already added keep their order.
  EXPECT_EQ(CellText(w->grid().hwnd(), kColTitle, 0), L"Kiss");
}

TEST_F(WindowTest, AMarkedCellsTooltipSaysWhyAndTheCellIsFilled) {
  const struct {
    std::vector<std::string> files;
    int col, row;
  } cases[] = {
      {{"nosinger.mpg"}, kColSinger, 0},                       // empty
      {{"Kiss-Jacky.mpg", "Kiss - Jacky.avi"}, kColTitle, 1},  // caught twice
  };
  for (const auto& c : cases) {
    auto w = Start(kProductOru);
    ASSERT_NE(w, nullptr);
    std::vector<std::wstring> files;
    for (const auto& file : c.files) files.push_back(Video(file, 10));
    AddFiles(*w, files);
    const TMark& mark = w->form().Grid().Mark(c.col, c.row);
    ASSERT_FALSE(mark.tip.empty()) << c.files.front();
    RECT cell = {};
    cell.top = c.col;
    cell.left = LVIR_BOUNDS;
    SendMessageW(w->grid().hwnd(), LVM_GETSUBITEMRECT, c.row, reinterpret_cast<LPARAM>(&cell));
    const POINT middle = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    EXPECT_EQ(w->grid().TipAt(middle).substr(0, Wide(mark.tip).size()), Wide(mark.tip));
  }
}

TEST_F(WindowTest, CellsAreEditedInPlaceByTheirColumnsEditor) {
  const struct {
    std::uint8_t product;
    int col;
    std::wstring typed;
    int shownCol;
    std::wstring shown;
  } cases[] = {
      {kProductTarvel, kColTitle, L"海风", kColPinyin, L"HF"},      // a line
      {kProductTarvel, kColTitle, L"海风", kColStrokes, L"104"},    // derived
      {kProductOru, kColNumber, L"1a2b345", kColNumber, L"1234"},   // digits only
      {kProductOru, kColWords, L"5", kColWords, L"5"},              // an integer
      {kProductDovan, kColMedia, L"DVD", kColAccomp, L"DVD 0 轨"},  // a drop-down
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.product) << " column " << c.col);
    auto w = Start(c.product);
    ASSERT_NE(w, nullptr);
    AddFiles(*w, {Video("a-b.mpg", 10)});
    Type(*w, c.col, 0, c.typed);
    EXPECT_EQ(CellText(w->grid().hwnd(), c.shownCol, 0), c.shown);
  }
}

TEST_F(WindowTest, TheIntegerEditorKeepsToTheColumnsRange) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  AddFiles(*w, {Video("a-b.mpg", 10)});
  const TGridColumn& words = w->form().Grid().Column(kColWords);
  Type(*w, kColWords, 0, std::to_wstring(words.maximum + 1));
  EXPECT_EQ(CellText(w->grid().hwnd(), kColWords, 0), std::to_wstring(words.maximum));
}

TEST_F(WindowTest, AWholeRunOntoTheUsbDriveWritesWhatTheConsoleWrites) {
  const std::string usb = MappedDrive(kUsbDriveVariable);
  if (usb.empty()) GTEST_SKIP() << "no removable drive mapped: run scripts/wine-test.sh";
  const fs::path vod = usb + "\\vod";
  std::error_code ec;
  fs::remove_all(vod, ec);
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  const std::wstring first = PlayableVideo("情歌-歌手甲.mpg", 200000, 1);
  const std::wstring second = PlayableVideo("夜曲-歌手乙.avi", 30000, 2);
  AddFiles(*w, {first, second});
  DialogAnswers answers;
  answers.clicks[Caption(TfrmSaveHint().Caption)] = w32ui::kIdRzButton1;
  bool panelSeen = false;
  RunWatching(*w, [&] { panelSeen = panelSeen || IsWindowVisible(w->copyPanelWindow()); });
  ASSERT_FALSE(prompts_.boxes.empty());
  EXPECT_EQ(prompts_.boxes.back().text.rfind(Wide(ui_text::DoneText()), 0), 0u)
      << "the run ends done";
  EXPECT_FALSE(IsWindowVisible(w->copyPanelWindow()));
  EXPECT_TRUE(IsWindowEnabled(w->button(TMainButton::kAdd)));

  // The console program (whose files scripts/cross-check.sh finds equal to
  // the Linux program's) given the same songs.
  TempDir expected;
  const auto r = RunCli({"add", "--line", "oru", "--start", "0000", "--to", Utf8(expected.path()),
                         Utf8(first), Utf8(second)});
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  for (const char* name : {"vod.txt", "660000.dat", "660001.dat"}) {
    EXPECT_EQ(TempDir::Read(vod / name), TempDir::Read(expected.path() / "vod" / name)) << name;
  }
  EXPECT_EQ(TempDir::Read(vod / "660000.dat"), TempDir::Read(first));
  fs::remove_all(vod, ec);
}

TEST_F(WindowTest, CancelStopsTheCopyHalfWayAndTellsWhatWasCopied) {
  // A stick that takes a millisecond per chunk, so the copy can be stopped.
  TestEnv slowStick;
  slowStick.writeDelay = std::chrono::milliseconds(1);
  auto w = Start(kProductOru, &slowStick);
  ASSERT_NE(w, nullptr);
  const std::wstring first = PlayableVideo("a-b.mpg", 100000, 1);
  AddFiles(*w, {first, Video("c-d.mpg", 3000000), Video("e-f.mpg", 100000)});
  TempDir out;
  prompts_.folder = out.path().wstring();
  DialogAnswers answers;
  answers.clicks[Caption(TfrmSaveHint().Caption)] = w32ui::kIdRzButton2;
  HWND panel = w->copyPanelWindow();
  RunWatching(*w, [&] {
    HWND cancel = GetDlgItem(panel, w32ui::kIdPanelCancel);
    const std::wstring song = w32ui::TextOf(GetDlgItem(panel, w32ui::kIdPanelSong));
    const auto percent = SendMessageW(GetDlgItem(panel, w32ui::kIdPanelBar), PBM_GETPOS, 0, 0);
    if (IsWindowVisible(panel) && song.find(L"2/3") != std::wstring::npos && percent > 0 &&
        IsWindowEnabled(cancel)) {
      SendMessageW(cancel, BM_CLICK, 0, 0);
    }
  });
  ASSERT_FALSE(prompts_.boxes.empty());
  EXPECT_EQ(prompts_.boxes.back().caption, Wide(ui_text::FailedCaption()));
  const fs::path copied = out.path() / "vod";
  EXPECT_TRUE(fs::exists(copied / "660000.dat"));
  EXPECT_FALSE(fs::exists(copied / "660001.dat"));
  // vod.txt lists the one song copied, as the console writes it for that song.
  TempDir expected;
  const auto r = RunCli(
      {"add", "--line", "oru", "--start", "0000", "--to", Utf8(expected.path()), Utf8(first)});
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(TempDir::Read(copied / "vod.txt"), TempDir::Read(expected.path() / "vod/vod.txt"));
}

TEST_F(WindowTest, TheFormsMessagesArriveAsPostedWindowMessages) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  w->PostMessage(WM_SONGCOUNT, 7);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, w->hwnd(), WM_SONGCOUNT, WM_SONGCOUNT, PM_NOREMOVE));
  EXPECT_EQ(msg.lParam, 7);
  Pump();
  EXPECT_FALSE(PeekMessageW(&msg, w->hwnd(), WM_SONGCOUNT, WM_SONGCOUNT, PM_NOREMOVE));
}

TEST_F(WindowTest, TheGridsKeysMenuAndCheckBoxesReachTheForm) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  AddFiles(*w, {Video("a-b.mpg", 10), Video("c-d.mpg", 10), Video("e-f.mpg", 10)});
  HWND list = w->grid().hwnd();
  const TGrid& grid = w->form().Grid();

  ClickCell(list, kColNewFlag, 1);
  EXPECT_EQ(grid.CurrentRow(), 1);
  EXPECT_EQ(grid.CurrentCol(), kColNewFlag);
  EXPECT_FALSE(grid.Checked(kColNewFlag, 1)) << "a click on a check box turns it";
  ClickCell(list, kColTitle, 0);
  EXPECT_EQ(grid.CurrentCol(), kColTitle);
  EXPECT_TRUE(grid.Checked(kColNewFlag, 0));

  SendMessageW(list, WM_CHAR, L'7', 0);  // typing on a cell edits it
  ASSERT_NE(w->grid().Editor(), nullptr);
  EXPECT_EQ(w32ui::TextOf(w->grid().Editor()), L"7");
  SendMessageW(w->grid().Editor(), WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_EQ(w->grid().Editor(), nullptr);
  EXPECT_EQ(CellText(list, kColTitle, 0), L"a") << "Escape keeps the cell as it was";

  SendMessageW(list, WM_KEYDOWN, VK_DELETE, 0);  // 删除 on the current row
  Pump();
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(CellText(list, kColTitle, 0), L"c");

  SendMessageW(w->hwnd(), WM_COMMAND, w32ui::kIdMenuClear, 0);  // 清空, answered yes
  Pump();
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(WindowTest, FilesDroppedOnTheWindowAreAdded) {
  auto w = Start(kProductTarvel);
  ASSERT_NE(w, nullptr);
  std::wstring names = Video("a-b.mpg", 10) + L'\0' + Video("c-d.avi", 10) + L'\0' + L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(drop + 1));
  GlobalUnlock(memory);
  SendMessageW(w->hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  Pump();
  EXPECT_EQ(SendMessageW(w->grid().hwnd(), LVM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(WindowTest, ATurnOfTheLoopComesAtMostOncePerLoopInterval) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  w->ProcessMessages();
  w->PostMessage(WM_SONGCOUNT, 0);
  w->ProcessMessages();  // right after a turn: the message waits
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, w->hwnd(), WM_SONGCOUNT, WM_SONGCOUNT, PM_NOREMOVE));
  Sleep(static_cast<DWORD>(3 * kMessageLoopInterval.count()));
  w->ProcessMessages();
  EXPECT_FALSE(PeekMessageW(&msg, w->hwnd(), WM_SONGCOUNT, WM_SONGCOUNT, PM_NOREMOVE));
}

TEST_F(WindowTest, TheLastFoldersAreRememberedAcrossStarts) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kTestSettings);
  const std::wstring song = Video("a-b.mpg", 10);
  {
    auto w = Start(kProductOru);
    ASSERT_NE(w, nullptr);
    AddFiles(*w, {song});
    Close(*w);  // the songs are not copied: answered yes
  }
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Wide(w->form().SourceFolder()), dir_.path().wstring() + L"\\");
  RegDeleteTreeW(HKEY_CURRENT_USER, kTestSettings);
}

TEST_F(WindowTest, TheSettingsAnOwnerHasAreReadAndKeptUnderTheirValues) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kTestSettings);
  {
    w32ui::RegistrySettings stored(kTestSettings);  // as an earlier version left them
    stored.SetNumber(L"run", L"verify", 0);
    stored.SetText(L"files", L"nameOrder", L"singer-title");
    stored.SetText(L"folders", L"target", L"C:\\\uB178\uB798");  // no GBK form: kept all the same
  }
  {
    auto w = Start(kProductOru);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->form().VerifyCopies());
    EXPECT_EQ(SendMessageW(GetDlgItem(w->hwnd(), w32ui::kIdChkVerify), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
    EXPECT_EQ(w->form().NameOrder(), TNameOrder::kSingerTitle);
    Close(*w);
  }
  const w32ui::RegistrySettings kept(kTestSettings);
  EXPECT_EQ(kept.Number(L"run", L"verify"), std::optional<unsigned long>(0));
  EXPECT_EQ(kept.Text(L"files", L"nameOrder"), std::optional<std::wstring>(L"singer-title"));
  EXPECT_EQ(kept.Text(L"folders", L"target"), std::optional<std::wstring>(L"C:\\\uB178\uB798"));
  RegDeleteTreeW(HKEY_CURRENT_USER, kTestSettings);
}

TEST_F(WindowTest, ThePinyinReadingIsChosenInTheToolBarAndRemembered) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kTestSettings);
  {
    auto w = Start(kProductOru);
    ASSERT_NE(w, nullptr);
    HWND box = GetDlgItem(w->hwnd(), w32ui::kIdCbPinyinReading);
    ASSERT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 2);
    for (int i = 0; i < 2; ++i) {
      wchar_t text[64] = {};
      SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      EXPECT_EQ(std::wstring(text), Wide(ui_text::PinyinReadingName(kPinyinReadings[i])));
    }
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), 0);
    AddFiles(*w, {Video("重庆森林-王菲.mpg", 10)});
    EXPECT_EQ(CellText(w->grid().hwnd(), kColPinyin, 0), L"CQSL");
    // The owner picks 逐字读音: the list tells its window, as a click would.
    SendMessageW(box, CB_SETCURSEL, 1, 0);
    SendMessageW(w->hwnd(), WM_COMMAND, MAKEWPARAM(w32ui::kIdCbPinyinReading, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(w->form().PinyinReading(), TPinyinReading::kPerCharacter);
    AddFiles(*w, {Video("长城谣-周小燕.mpg", 10)});
    EXPECT_EQ(CellText(w->grid().hwnd(), kColPinyin, 1), L"ZCY");
    EXPECT_EQ(CellText(w->grid().hwnd(), kColPinyin, 0), L"CQSL");
    Close(*w);  // the songs are not copied: answered yes
  }
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(SendMessageW(GetDlgItem(w->hwnd(), w32ui::kIdCbPinyinReading), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(w->form().PinyinReading(), TPinyinReading::kPerCharacter);
  RegDeleteTreeW(HKEY_CURRENT_USER, kTestSettings);
}

TEST_F(WindowTest, TheCopyPanelShowsWhatTheFormSays) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  HWND panel = w->copyPanelWindow();
  auto text = [&](int id) { return w32ui::TextOf(GetDlgItem(panel, id)); };
  auto position = [&](int id) { return SendMessageW(GetDlgItem(panel, id), PBM_GETPOS, 0, 0); };
  const struct {
    bool checking, cancelling;
    std::string title, song;
  } cases[] = {
      {false, false, ui_text::CopyTitle(), ui_text::SongOfSongs(2, 3)},
      {true, true, ui_text::CheckTitle(), ui_text::CheckOfSongs(2, 3)},
  };
  for (const auto& c : cases) {
    TCopyPanel shown;
    shown.visible = true;
    shown.from = "C:\\songs\\a-b.mpg";
    shown.to = "R:\\vod\\660001.dat";
    shown.percent = 40;
    shown.overall = 55;
    shown.song = 2;
    shown.songs = 3;
    shown.timeLeft = ui_text::TimeLeft(40);
    shown.checking = c.checking;
    shown.cancelling = c.cancelling;
    w->CopyPanelChanged(shown);
    EXPECT_TRUE(IsWindowVisible(panel));
    EXPECT_EQ(text(w32ui::kIdPanelTitle), Wide(c.title));
    EXPECT_EQ(text(w32ui::kIdPanelFrom), L"C:\\songs\\a-b.mpg");
    EXPECT_EQ(text(w32ui::kIdPanelTo), L"R:\\vod\\660001.dat");
    EXPECT_EQ(text(w32ui::kIdPanelSong), Wide(c.song) + L"    " + Wide(ui_text::TimeLeft(40)));
    EXPECT_EQ(position(w32ui::kIdPanelBar), 40);
    EXPECT_EQ(position(w32ui::kIdPanelOverall), 55);
    EXPECT_EQ(IsWindowEnabled(GetDlgItem(panel, w32ui::kIdPanelCancel)) != FALSE, !c.cancelling);
  }
  w->CopyPanelChanged(TCopyPanel{});
  EXPECT_FALSE(IsWindowVisible(panel));
}

TEST_F(WindowTest, TheNumberBoxKeepsWhatTheFormKeeps) {
  TfrmAddNewSong form;
  form.FormCreate();
  form.FNumber = "0000";
  const struct {
    std::wstring put;
    std::wstring kept;
  } cases[] = {{L"0042", L"0042"}, {L" 00a42x", L"0042"}, {L"123456", L"1234"}};
  std::vector<std::wstring> kept;
  std::wstring afterLetter;
  int messagesOnLeaving = 0;
  DialogAnswers answers;
  answers.seen = [&](HWND dialog) {
    HWND number = GetDlgItem(dialog, w32ui::kIdEdtNum);
    for (const auto& c : cases) {
      SendMessageW(number, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.put.c_str()));
      kept.push_back(w32ui::TextOf(number));
    }
    SendMessageW(number, WM_CHAR, L'x', 0);
    afterLetter = w32ui::TextOf(number);
    SendMessageW(number, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
    SetFocus(GetDlgItem(dialog, w32ui::kIdBtnFile));  // leaving the box with two digits
    messagesOnLeaving = static_cast<int>(prompts_.boxes.size());
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  };
  w32ui::AddSongDialog dialog(form, prompts_, nullptr);
  form.FormActivate();
  dialog.Run(nullptr);
  ASSERT_EQ(kept.size(), std::size(cases));
  for (std::size_t i = 0; i < kept.size(); ++i) EXPECT_EQ(kept[i], cases[i].kept) << i;
  EXPECT_EQ(afterLetter, L"1234");
  EXPECT_EQ(form.FNumber, "1234");
  EXPECT_EQ(messagesOnLeaving, 1) << "歌曲编号错误，长度必须是4位";
  EXPECT_EQ(form.FileCount(), 0) << "closed without files";
}

TEST_F(WindowTest, ClosingTheSaveHintCancelsTheRun) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  AddFiles(*w, {Video("a-b.mpg", 10)});
  DialogAnswers answers;
  answers.seen = [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); };
  SendMessageW(w->button(TMainButton::kComplete), BM_CLICK, 0, 0);
  EXPECT_EQ(w->form().LastRun(), TfrmMain::TRunResult::kRefused);
  EXPECT_TRUE(prompts_.boxes.empty());
}

TEST_F(WindowTest, TheSystemsBoxesAndTheQuestionAnswerThroughTheHook) {
  w32ui::StandardPrompts standard;
  // A box of each kind shows its caption and text; another kind shows nothing.
  for (int kind : {0, 1, 2, 3, 4}) {
    std::wstring caption;
    DialogAnswers answers;
    answers.seen = [&](HWND box) {
      caption = w32ui::TextOf(box);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
    standard.Message(nullptr, L"标题", L"正文", kind);
    EXPECT_EQ(caption, kind <= 3 ? L"标题" : L"") << kind;
  }
  // The question's buttons are its own; Escape is the last (cancelling) one.
  const std::vector<std::wstring> buttons = {L"保留", L"替换", L"取消"};
  for (int click : {0, 1, 2, -1}) {
    std::vector<std::wstring> shown;
    DialogAnswers answers;
    answers.seen = [&](HWND dialog) {
      for (int i = 0; i < 3; ++i)
        shown.push_back(w32ui::TextOf(GetDlgItem(dialog, w32ui::kFirstAnswerId + i)));
      if (click < 0) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
      } else {
        PostMessageW(GetDlgItem(dialog, w32ui::kFirstAnswerId + click), BM_CLICK, 0, 0);
      }
    };
    EXPECT_EQ(standard.Ask(nullptr, L"问题", L"要怎么办？", buttons), click < 0 ? 2 : click);
    EXPECT_EQ(shown, buttons);
  }
}

// A child's place in its parent's client area.
RECT PlaceIn(HWND parent, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(WindowTest, TheStickStripShowsWhatTheFormSaysInRedWhenInTrouble) {
  auto w = Start(kProductTarvel);
  ASSERT_NE(w, nullptr);
  HWND strip = GetDlgItem(w->hwnd(), w32ui::kIdStickStrip);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip, w->stickStrip());
  const struct {
    std::wstring text;
    bool trouble;
  } cases[] = {
      {L"U盘 R:\\：歌曲列表 30 首，可用 1.20G，下一个编号 0030", false},
      {L"U盘 R:\\ 的 vod.txt 读不出", true},
      {L"没有找到U盘", false},  // in order again: the colour too
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(w32ui::Utf8(c.text));
    TStickView stick;
    stick.text = w32ui::FromWide(c.text).value();
    stick.trouble = c.trouble;
    w->StickChanged(stick);
    Pump();
    EXPECT_EQ(w32ui::TextOf(strip), c.text);
    // The colours the window gives the strip as it is drawn.
    HDC dc = GetDC(strip);
    SendMessageW(w->hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(strip));
    EXPECT_EQ(GetTextColor(dc) == RGB(255, 0, 0), c.trouble);
    ReleaseDC(strip, dc);
  }
  // Below the tool bar, above the grid, inside the window, and as tall as
  // a line of its font at the window's DPI.
  RECT client;
  GetClientRect(w->hwnd(), &client);
  const RECT place = PlaceIn(w->hwnd(), strip);
  for (HWND tool : {w->button(TMainButton::kAdd), w->button(TMainButton::kRestore),
                    GetDlgItem(w->hwnd(), w32ui::kIdCbPinyinReading)}) {
    EXPECT_GE(place.top, PlaceIn(w->hwnd(), tool).bottom);
  }
  EXPECT_LE(place.bottom, PlaceIn(w->hwnd(), w->grid().hwnd()).top);
  EXPECT_GE(place.left, 0);
  EXPECT_LE(place.right, client.right);
  HDC dc = GetDC(strip);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(strip, WM_GETFONT, 0, 0)));
  SIZE line = {};
  GetTextExtentPoint32W(dc, L"U盘", 2, &line);
  SelectObject(dc, old);
  ReleaseDC(strip, dc);
  EXPECT_LE(line.cy, place.bottom - place.top);
}

TEST_F(WindowTest, TheGridsMenuOffersTheEditCommandsAsTheFormAllowsThem) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  AddFiles(*w, {Video("a-b.mpg", 10), Video("c-d.mpg", 10)});
  HWND list = w->grid().hwnd();
  auto rows = [&] { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); };
  {
    HMENU menu = w->GridMenu();
    const UINT ids[] = {w32ui::kIdMenuUndo,
                        w32ui::kIdMenuRedo,
                        0,
                        w32ui::kIdMenuCopy,
                        w32ui::kIdMenuPaste,
                        w32ui::kIdMenuFillDown,
                        w32ui::kIdMenuBatchEdit,
                        0,
                        w32ui::kIdMenuDelete,
                        w32ui::kIdMenuClear};
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(std::size(ids)));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      if (ids[i] != 0) {
        EXPECT_EQ(GetMenuItemID(menu, i), ids[i]) << i;
      }
    }
    const std::pair<UINT, std::wstring> texts[] = {
        {w32ui::kIdMenuCopy, Wide(ui_text::CopyItem()) + L"\tCtrl+C"},
        {w32ui::kIdMenuPaste, Wide(ui_text::PasteItem()) + L"\tCtrl+V"},
        {w32ui::kIdMenuFillDown, Wide(ui_text::FillDownItem()) + L"\tCtrl+D"},
        {w32ui::kIdMenuBatchEdit, Wide(ui_text::BatchEditItem())},
        {w32ui::kIdMenuDelete, Wide(ui_text::DeleteItem())},
        {w32ui::kIdMenuClear, Wide(ui_text::ClearItem())}};
    for (const auto& [id, text] : texts) EXPECT_EQ(MenuText(menu, id), text) << id;
    DestroyMenu(menu);
  }
  // Undo and redo, in the grid's menu and in the menu bar's 编辑 as it opens.
  auto expectUndo = [&](const char* when) {
    SCOPED_TRACE(when);
    HMENU grid = w->GridMenu();
    SendMessageW(w->hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(w->editMenu()), 0);
    for (HMENU menu : {grid, w->editMenu()}) {
      EXPECT_EQ(MenuText(menu, w32ui::kIdMenuUndo), Wide(w->form().UndoItemText()) + L"\tCtrl+Z");
      EXPECT_EQ(MenuText(menu, w32ui::kIdMenuRedo), Wide(w->form().RedoItemText()) + L"\tCtrl+Y");
      EXPECT_EQ(MenuEnabled(menu, w32ui::kIdMenuUndo), w->form().CanUndo());
      EXPECT_EQ(MenuEnabled(menu, w32ui::kIdMenuRedo), w->form().CanRedo());
    }
    DestroyMenu(grid);
  };
  expectUndo("after adding");
  ASSERT_TRUE(w->form().CanUndo());

  ClickCell(list, kColTitle, 0);
  Press(list, VK_DELETE);  // 删除
  ASSERT_EQ(rows(), 1);
  EXPECT_EQ(w->form().UndoItemText(), ui_text::UndoItem() + ui_text::DeleteItem());
  expectUndo("after a delete");
  Press(list, 'Z', {VK_CONTROL});
  EXPECT_EQ(rows(), 2);
  EXPECT_EQ(CellText(list, kColTitle, 0), L"a") << "back where it was";
  expectUndo("after an undo");
  EXPECT_TRUE(w->form().CanRedo());

  SendMessageW(w->hwnd(), WM_COMMAND, w32ui::kIdMenuClear, 0);  // 清空, answered yes
  Pump();
  ASSERT_EQ(rows(), 0);
  SendMessageW(w->hwnd(), WM_COMMAND, w32ui::kIdMenuUndo, 0);
  Pump();
  EXPECT_EQ(rows(), 2);
  SendMessageW(w->hwnd(), WM_COMMAND, w32ui::kIdMenuRedo, 0);
  Pump();
  EXPECT_EQ(rows(), 0);
}

TEST_F(WindowTest, ClosingDuringACopyAsksOnceAndClosesOnceTheRunHasTold) {
  TestEnv slowStick;
  slowStick.writeDelay = std::chrono::milliseconds(1);
  auto w = Start(kProductOru, &slowStick);
  ASSERT_NE(w, nullptr);
  AddFiles(*w, {Video("a-b.mpg", 100000), Video("c-d.mpg", 3000000), Video("e-f.mpg", 100000)});
  TempDir out;
  prompts_.folder = out.path().wstring();
  DialogAnswers answers;
  answers.clicks[Caption(TfrmSaveHint().Caption)] = w32ui::kIdRzButton2;
  HWND window = w->hwnd();
  HWND panel = w->copyPanelWindow();
  bool closeTried = false;
  bool keptOpen = false;
  RunWatching(*w, [&] {
    const std::wstring song = w32ui::TextOf(GetDlgItem(panel, w32ui::kIdPanelSong));
    const auto percent = SendMessageW(GetDlgItem(panel, w32ui::kIdPanelBar), PBM_GETPOS, 0, 0);
    if (!closeTried && IsWindowVisible(panel) && song.find(L"2/3") != std::wstring::npos &&
        percent > 0) {
      closeTried = true;
      SendMessageW(window, WM_CLOSE, 0, 0);  // the close box, answered yes
      keptOpen = IsWindow(window) != FALSE;
    }
  });
  EXPECT_TRUE(closeTried);
  EXPECT_TRUE(keptOpen) << "until the run has told what it copied";
  EXPECT_EQ(prompts_.asked, std::vector<std::wstring>{Wide(ui_text::ConfirmCloseCaption())});
  ASSERT_FALSE(prompts_.boxes.empty());
  EXPECT_EQ(prompts_.boxes.back().caption, Wide(ui_text::FailedCaption()));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(fs::exists(out.path() / "vod" / "660000.dat"));
  EXPECT_FALSE(fs::exists(out.path() / "vod" / "660001.dat"));
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(WindowTest, TheFolderBrowserStartsInTheFolderGivenAndShowsIt) {
  // A folder on the USB disk, as the form hands it (the temporary folder is
  // hidden from the browser's tree).
  const std::string usb = MappedDrive(kUsbDriveVariable);
  if (usb.empty()) GTEST_SKIP() << "no removable drive mapped: run scripts/wine-test.sh";
  const TempDir stick(usb + "\\");
  const fs::path start = stick.path() / L"新歌";
  fs::create_directories(start);
  std::wstring selected;
  bool inView = false;
  DialogAnswers answers;
  answers.seen = [&](HWND browser) {
    PostMessageW(browser, WM_COMMAND, IDOK, 0);  // chosen as it opened: the folder it started in
    HWND tree = w32ui::FolderTree(browser);
    HTREEITEM item = tree != nullptr ? TreeView_GetSelection(tree) : nullptr;
    if (item == nullptr) return;
    wchar_t text[MAX_PATH] = {};
    TVITEMW shown = {};
    shown.mask = TVIF_TEXT;
    shown.hItem = item;
    shown.pszText = text;
    shown.cchTextMax = MAX_PATH;
    TreeView_GetItem(tree, &shown);
    selected = text;
    RECT r = {}, area = {};
    GetClientRect(tree, &area);
    inView = TreeView_GetItemRect(tree, item, &r, TRUE) && r.top >= 0 && r.bottom <= area.bottom;
  };
  w32ui::StandardPrompts standard;
  const std::wstring chosen = standard.Folder(nullptr, L"请选择文件夹", start.wstring());
  EXPECT_EQ(selected, L"新歌");
  EXPECT_TRUE(inView);
  EXPECT_EQ(fs::path(chosen), start);
}

TEST_F(WindowTest, TheDiskSpaceDialogFitsALongMountPointAndShowsBothSizes) {
  TfrmDiskFree form;
  form.SetDrive("/media/owner/KINGSTON DataTraveler 3.0/");
  form.SetNeedText("1.20G");
  form.SetFreeText("300M");
  w32ui::DiskFreeDialog dialog(form, nullptr);
  RECT client;
  GetClientRect(dialog.hwnd(), &client);
  for (int i = 0; i < 4; ++i) {
    HWND label = GetDlgItem(dialog.hwnd(), w32ui::kIdDiskLabel2 + i);
    RECT r;
    GetWindowRect(label, &r);
    MapWindowPoints(nullptr, dialog.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_LE(r.right, client.right) << "Label" << i + 2;
    EXPECT_LE(r.bottom, client.bottom) << "Label" << i + 2;
  }
  EXPECT_EQ(w32ui::TextOf(GetDlgItem(dialog.hwnd(), w32ui::kIdDiskLabel2 + 1)), L"1.20G");
  EXPECT_EQ(w32ui::TextOf(GetDlgItem(dialog.hwnd(), w32ui::kIdDiskLabel2 + 2)), L"300M");
}

// The colour the grid's custom draw gives a cell's background.
COLORREF DrawnBack(w32ui::MainWindow& w, int col, int row) {
  NMLVCUSTOMDRAW draw = {};
  draw.nmcd.hdr.hwndFrom = w.grid().hwnd();
  draw.nmcd.hdr.idFrom = w32ui::kIdGrid;
  draw.nmcd.hdr.code = NM_CUSTOMDRAW;
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
  draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
  draw.iSubItem = col;
  SendMessageW(w.hwnd(), WM_NOTIFY, w32ui::kIdGrid, reinterpret_cast<LPARAM>(&draw));
  return draw.clrTextBk;
}

TEST_F(WindowTest, TheMouseAndTheKeysSelectAsTheGridSaysAndTheSelectionIsDrawn) {
  constexpr int kLast = kGridColumns - 1;
  // A step of the owner's: a click on a cell (column 0: the rows' header)
  // with the mouse message's keys, a drag from one cell to another, or a
  // key with the keys held.
  struct Step {
    enum { kClick, kDrag, kKey } kind;
    int col = 0, row = 0;
    WPARAM mouseKeys = 0;
    int toCol = 0, toRow = 0;
    WPARAM key = 0;
    std::vector<int> held;
  };
  const auto click = [](int col, int row, WPARAM keys = 0) {
    return Step{Step::kClick, col, row, keys, 0, 0, 0, {}};
  };
  const auto drag = [](int col, int row, int toCol, int toRow) {
    return Step{Step::kDrag, col, row, 0, toCol, toRow, 0, {}};
  };
  const auto key = [](WPARAM vk, std::vector<int> held) {
    return Step{Step::kKey, 0, 0, 0, 0, 0, vk, std::move(held)};
  };
  const struct {
    const char* what;
    std::vector<Step> steps;
    std::vector<TCellRange> selected;
    int currentCol, currentRow;
  } cases[] = {
      {"a click", {click(kColTitle, 1)}, {{kColTitle, 1, kColTitle, 1}}, kColTitle, 1},
      {"shift+click",
       {click(kColTitle, 0), click(kColSinger, 2, MK_SHIFT)},
       {{kColTitle, 0, kColSinger, 2}},
       kColTitle,
       0},
      {"ctrl+click",
       {click(kColTitle, 0), click(kColSinger, 2, MK_CONTROL)},
       {{kColTitle, 0, kColTitle, 0}, {kColSinger, 2, kColSinger, 2}},
       kColSinger,
       2},
      {"a row's header", {click(kColTitle, 0), click(0, 1)}, {{0, 1, kLast, 1}}, kColTitle, 1},
      {"shift+the header", {click(0, 1), click(0, 3, MK_SHIFT)}, {{0, 1, kLast, 3}}, kColTitle, 1},
      {"a drag",
       {drag(kColTitle, 0, kColPinyin, 2)},
       {{kColTitle, 0, kColPinyin, 2}},
       kColTitle,
       0},
      {"shift+arrows",
       {click(kColTitle, 1), key(VK_DOWN, {VK_SHIFT}), key(VK_RIGHT, {VK_SHIFT})},
       {{kColTitle, 1, kColSinger, 2}},
       kColTitle,
       1},
      {"an arrow",
       {click(kColTitle, 1), key(VK_DOWN, {})},
       {{kColTitle, 2, kColTitle, 2}},
       kColTitle,
       2},
      {"ctrl+a", {click(kColTitle, 1), key('A', {VK_CONTROL})}, {{0, 0, kLast, 3}}, kColTitle, 1},
  };
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  AddFiles(
      *w, {Video("a-b.mpg", 10), Video("c-d.mpg", 10), Video("e-f.mpg", 10), Video("g-h.mpg", 10)});
  HWND list = w->grid().hwnd();
  const TGrid& grid = w->form().Grid();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const Step& step : c.steps) {
      if (step.kind == Step::kClick) {
        ClickCell(list, step.col, step.row, step.mouseKeys);
      } else if (step.kind == Step::kDrag) {
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MiddleOf(list, step.col, step.row));
        SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MiddleOf(list, step.toCol, step.toRow));
        SendMessageW(list, WM_LBUTTONUP, 0, MiddleOf(list, step.toCol, step.toRow));
        Pump();
      } else {
        HeldKeys held(step.held);
        SendMessageW(list, WM_KEYDOWN, step.key, 0);
      }
      Pump();
    }
    EXPECT_EQ(grid.Selection().Ranges(), c.selected);
    EXPECT_EQ(grid.CurrentCol(), c.currentCol);
    EXPECT_EQ(grid.CurrentRow(), c.currentRow);
    // Every selected cell, and only those, in the selection's colour.
    for (int row = 0; row < grid.RowCount(); ++row) {
      for (int col = 0; col < kGridColumns; ++col) {
        if (!grid.Column(col).visible || grid.Mark(col, row).kind != TCellMark::kNone) continue;
        EXPECT_EQ(DrawnBack(*w, col, row) == GetSysColor(COLOR_HIGHLIGHT), grid.Selected(col, row))
            << "cell " << col << "," << row;
      }
    }
  }
}

TEST_F(WindowTest, CtrlCPutsTheSelectedCellsOnTheClipboardAsText) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  AddFiles(*w, {Video("a-b.mpg", 10), Video("c-d.mpg", 10), Video("e-f.mpg", 10)});
  HWND list = w->grid().hwnd();
  PutOnClipboard(list, L"old");
  ClickCell(list, kColTitle, 0);
  ClickCell(list, kColSinger, 1, MK_SHIFT);
  Press(list, 'C', {VK_CONTROL});
  EXPECT_EQ(ClipboardText(list), L"a\tb\r\nc\td\r\n");
  EXPECT_EQ(ClipboardText(list), w32ui::WideOfUtf8(w->form().CopyText()));
}

TEST_F(WindowTest, CtrlVPastesABlockIntoTheGridAlsoFromAnOpenEditor) {
  const struct {
    const char* what;
    std::wstring clipboard;
    bool editorOpen;                         // Ctrl+V in the cell's editor, else on the grid
    std::vector<std::pair<int, int>> cells;  // (col, row) from the current cell (title, 1) on
    std::vector<std::wstring> shown;         // their texts afterwards
    bool editorStays;
  } cases[] = {
      {"a 2x2 block on the grid",
       L"x\ty\r\nz\tw\r\n",
       false,
       {{kColTitle, 1}, {kColSinger, 1}, {kColTitle, 2}, {kColSinger, 2}},
       {L"x", L"y", L"z", L"w"},
       false},
      {"a block in the editor",
       L"p\tq\r\nr\ts",
       true,
       {{kColTitle, 1}, {kColSinger, 1}, {kColTitle, 2}, {kColSinger, 2}},
       {L"p", L"q", L"r", L"s"},
       false},
      {"one line in the editor",
       L"solo",
       true,
       {{kColTitle, 1}, {kColTitle, 2}},
       {L"c", L"e"},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto w = Start(kProductOru);
    ASSERT_NE(w, nullptr);
    AddFiles(*w, {Video("a-b.mpg", 10), Video("c-d.mpg", 10), Video("e-f.mpg", 10)});
    HWND list = w->grid().hwnd();
    PutOnClipboard(list, c.clipboard);
    ClickCell(list, kColTitle, 1);
    if (c.editorOpen) {
      w->grid().BeginEdit(kColTitle, 1);
      ASSERT_NE(w->grid().Editor(), nullptr);
      SendMessageW(w->grid().Editor(), WM_CHAR, 0x16, 0);  // Ctrl+V's character
      Pump();
    } else {
      Press(list, 'V', {VK_CONTROL});
    }
    EXPECT_EQ(w->grid().Editor() != nullptr, c.editorStays);
    if (c.editorStays) {
      EXPECT_NE(w32ui::TextOf(w->grid().Editor()).find(c.clipboard), std::wstring::npos);
    }
    for (std::size_t i = 0; i < c.cells.size(); ++i) {
      EXPECT_EQ(CellText(list, c.cells[i].first, c.cells[i].second), c.shown[i]) << i;
    }
    EXPECT_EQ(CellText(list, kColTitle, 0), L"a") << "above the current cell";
  }
}

TEST_F(WindowTest, CtrlZAndCtrlYUndoAndRedoAnEdit) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  AddFiles(*w, {Video("a-b.mpg", 10)});
  HWND list = w->grid().hwnd();
  Type(*w, kColTitle, 0, L"海风");
  ASSERT_EQ(CellText(list, kColTitle, 0), L"海风");
  ASSERT_EQ(CellText(list, kColPinyin, 0), L"HF");
  const struct {
    WPARAM key;
    std::initializer_list<int> held;
    std::wstring title, pinyin;
  } presses[] = {
      {'Z', {VK_CONTROL}, L"a", L"A"},
      {'Y', {VK_CONTROL}, L"海风", L"HF"},
      {'Z', {VK_CONTROL}, L"a", L"A"},
      {'Z', {VK_CONTROL, VK_SHIFT}, L"海风", L"HF"},
  };
  for (const auto& p : presses) {
    Press(list, p.key, p.held);
    EXPECT_EQ(CellText(list, kColTitle, 0), p.title) << char(p.key) << " " << p.held.size();
    EXPECT_EQ(CellText(list, kColPinyin, 0), p.pinyin);
  }
}

TEST_F(WindowTest, CtrlDFillsTheFirstSelectedRowDown) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  AddFiles(
      *w, {Video("a-b.mpg", 10), Video("c-d.mpg", 10), Video("e-f.mpg", 10), Video("g-h.mpg", 10)});
  HWND list = w->grid().hwnd();
  const std::wstring cantonese = L"粤语";
  w->form().EditCell(kColLanguage, 0, Gbk(u8"粤语"));
  const std::wstring before = CellText(list, kColLanguage, 3);
  ASSERT_NE(before, cantonese);
  ClickCell(list, kColLanguage, 0);
  ClickCell(list, kColSinger, 2, MK_SHIFT);
  Press(list, 'D', {VK_CONTROL});
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(CellText(list, kColLanguage, row), cantonese) << row;
    EXPECT_EQ(CellText(list, kColSinger, row), L"b") << row;
  }
  EXPECT_EQ(CellText(list, kColLanguage, 3), before) << "below the selection";
  EXPECT_EQ(w->form().UndoItemText(), ui_text::UndoItem() + ui_text::FillStep());
}

TEST_F(WindowTest, AValueChosenInAnEditorGoesToEverySelectedRow) {
  const struct {
    const char* what;
    int col;
    std::wstring value;  // what every row shows afterwards ("" for a check box)
    bool clicked;        // the drop-down's item clicked, else Enter
  } cases[] = {
      {"a drop-down's item, chosen with Enter in its open list", kColLanguage, L"粤语", false},
      {"a drop-down's item, clicked in its open list", kColLanguage, L"英语", true},
      {"a text with Ctrl+Enter", kColSinger, L"合唱团", false},
      {"Space on a check box", kColNewFlag, L"", false},
  };
  std::vector<std::wstring> files;
  for (int i = 0; i < 15; ++i) files.push_back(Video("s" + std::to_string(i) + "-x.mpg", 10));
  files.push_back(Video("last-y.mpg", 10));  // not selected
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto w = Start(kProductOru);
    ASSERT_NE(w, nullptr);
    AddFiles(*w, files);
    HWND list = w->grid().hwnd();
    const TGrid& grid = w->form().Grid();
    const std::wstring lastBefore = CellText(list, c.col, 15);
    const bool lastChecked = grid.Checked(c.col, 15);
    // Row 1 to row 15 of the column: a click, and a click with Shift.
    ClickCell(list, kColTitle, 0);
    ClickCell(list, c.col, 0, MK_CONTROL);
    ClickCell(list, c.col, 14, MK_SHIFT);
    ASSERT_EQ(grid.SelectedRows().size(), 15u);
    bool checkedTo = false;
    if (grid.Column(c.col).kind == TColumnKind::kCheck) {
      checkedTo = !grid.Checked(c.col, grid.CurrentRow());
      Press(list, VK_SPACE);
    } else {
      Press(list, VK_F2);
      HWND editor = w->grid().Editor();
      ASSERT_NE(editor, nullptr);
      HWND line = FindWindowExW(editor, nullptr, L"Edit", nullptr);
      if (grid.Column(c.col).kind == TColumnKind::kDropDown) {
        ASSERT_NE(line, nullptr);
        EXPECT_TRUE(SendMessageW(editor, CB_GETDROPPEDSTATE, 0, 0)) << "F2 opens the list";
        const LRESULT item = SendMessageW(editor, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(c.value.c_str()));
        ASSERT_NE(item, CB_ERR);
        if (c.clicked) {
          COMBOBOXINFO info = {};
          info.cbSize = sizeof info;
          GetComboBoxInfo(editor, &info);
          RECT r = {};
          SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(item),
                       reinterpret_cast<LPARAM>(&r));
          const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
          SendMessageW(info.hwndList, WM_MOUSEMOVE, 0, at);
          SendMessageW(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
          SendMessageW(info.hwndList, WM_LBUTTONUP, 0, at);
        } else {
          SendMessageW(editor, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
          SendMessageW(line, WM_KEYDOWN, VK_RETURN, 0);
          SendMessageW(line, WM_CHAR, L'\r', 0);
        }
      } else {
        SendMessageW(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.value.c_str()));
        HeldKeys ctrl({VK_CONTROL});
        SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
        SendMessageW(editor, WM_CHAR, L'\n', 0);
      }
      Pump();
      EXPECT_EQ(w->grid().Editor(), nullptr);
    }
    for (int row = 0; row < 15; ++row) {
      if (c.value.empty()) {
        EXPECT_EQ(grid.Checked(c.col, row), checkedTo) << row;
      } else {
        EXPECT_EQ(CellText(list, c.col, row), c.value) << row;
      }
    }
    EXPECT_EQ(CellText(list, c.col, 15), lastBefore);
    EXPECT_EQ(grid.Checked(c.col, 15), lastChecked);
    EXPECT_TRUE(prompts_.boxes.empty());
  }
}

TEST_F(WindowTest, TheBatchDialogShowsWhatWillChangeAndSetsTheColumn) {
  const struct {
    int button;
    bool changed;
  } cases[] = {{w32ui::kIdBatchOk, true}, {w32ui::kIdBatchCancel, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    auto w = Start(kProductOru);
    ASSERT_NE(w, nullptr);
    AddFiles(*w, {Video("a-b.mpg", 10), Video("c-d.mpg", 10), Video("e-f.mpg", 10),
                  Video("g-h.mpg", 10)});
    HWND list = w->grid().hwnd();
    const std::wstring before = CellText(list, kColLanguage, 0);
    // Rows 2 to 4 by their headers.
    ClickCell(list, 0, 1);
    ClickCell(list, 0, 3, MK_SHIFT);
    // What the dialog should show, from a form of its own for the same rows.
    TfrmBatchEdit expected(w->form().Grid(), {1, 2, 3});
    std::size_t field = 0;
    while (field < expected.Fields().size() && expected.Fields()[field].col != kColLanguage)
      ++field;
    ASSERT_LT(field, expected.Fields().size());
    const std::string cantonese = Gbk(u8"粤语");
    auto joined = [](const TStringList& lines) {
      std::wstring text;
      for (const std::string& line : lines) text += (text.empty() ? L"" : L"\r\n") + Wide(line);
      return text;
    };
    const std::wstring emptyPreview = joined(expected.Preview());
    expected.SetValue(field, cantonese);
    const std::wstring changesPreview = joined(expected.Preview());
    std::wstring caption, hint, firstEntry, previewBefore, previewAfter;
    DialogAnswers answers;
    answers.seen = [&](HWND dialog) {
      caption = w32ui::TextOf(dialog);
      HWND combo = GetDlgItem(dialog, w32ui::kIdBatchField + static_cast<int>(field));
      HWND preview = GetDlgItem(dialog, w32ui::kIdBatchPreview);
      wchar_t text[64] = {};
      SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
      firstEntry = text;
      previewBefore = w32ui::TextOf(preview);
      const std::wstring name = Wide(cantonese);
      SendMessageW(
          combo, CB_SETCURSEL,
          static_cast<WPARAM>(SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(name.c_str()))),
          0);
      SendMessageW(dialog, WM_COMMAND,
                   MAKEWPARAM(w32ui::kIdBatchField + static_cast<int>(field), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
      previewAfter = w32ui::TextOf(preview);
      PostMessageW(GetDlgItem(dialog, c.button), BM_CLICK, 0, 0);
    };
    // From the grid's menu, as a right click inside the selection leaves it.
    SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MiddleOf(list, kColTitle, 2));
    EXPECT_EQ(w->form().Grid().SelectedRows(), (std::vector<int>{1, 2, 3}));
    SendMessageW(w->hwnd(), WM_COMMAND, w32ui::kIdMenuBatchEdit, 0);
    Pump();
    EXPECT_EQ(caption, Wide(ui_text::BatchCaption()));
    EXPECT_EQ(firstEntry, Wide(ui_text::Unchanged()));
    EXPECT_EQ(previewBefore, emptyPreview);
    EXPECT_EQ(previewAfter, changesPreview);
    EXPECT_NE(previewAfter.find(
                  Wide(ui_text::PreviewLine(2, w->form().Grid().Column(kColLanguage).caption,
                                            w32ui::FromWide(before).value(), cantonese))),
              std::wstring::npos);
    EXPECT_EQ(CellText(list, kColLanguage, 0), before);
    for (int row = 1; row < 4; ++row) {
      EXPECT_EQ(CellText(list, kColLanguage, row), c.changed ? Wide(cantonese) : before) << row;
    }
  }
}

TEST_F(WindowTest, F1AndTheHelpMenuShowTheOwnersInstructions) {
  std::wstring expected;
  for (wchar_t ch : w32ui::WideOfUtf8(OwnerHelpText())) {
    if (ch == L'\n') expected += L'\r';
    if (ch != L'\r') expected += ch;
  }
  ASSERT_GT(expected.size(), 1000u);
  const struct {
    const char* what;
    std::function<void(w32ui::MainWindow&)> ask;
  } cases[] = {
      {"F1 on the grid", [](w32ui::MainWindow& w) { Press(w.grid().hwnd(), VK_F1); }},
      {"F1 in an editor",
       [](w32ui::MainWindow& w) {
         w.grid().BeginEdit(kColTitle, 0);
         Press(w.grid().Editor(), VK_F1);
       }},
      {"the help menu",
       [](w32ui::MainWindow& w) {
         ASSERT_EQ(GetMenuItemID(w.helpMenu(), 0), static_cast<UINT>(w32ui::kIdMenuHelp));
         EXPECT_EQ(MenuText(w.helpMenu(), w32ui::kIdMenuHelp), Wide(ui_text::HelpItem()) + L"\tF1");
         SendMessageW(w.hwnd(), WM_COMMAND, w32ui::kIdMenuHelp, 0);
       }},
  };
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  AddFiles(*w, {Video("a-b.mpg", 10)});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    int shown = 0;
    std::wstring caption, text;
    LONG_PTR style = 0;
    DialogAnswers answers;
    answers.seen = [&](HWND dialog) {
      ++shown;
      caption = w32ui::TextOf(dialog);
      HWND box = GetDlgItem(dialog, w32ui::kIdHelpText);
      text = w32ui::TextOf(box);
      style = GetWindowLongPtrW(box, GWL_STYLE);
      PostMessageW(GetDlgItem(dialog, w32ui::kIdHelpClose), BM_CLICK, 0, 0);
    };
    c.ask(*w);
    Pump();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(caption, Wide(ui_text::HelpCaption()));
    EXPECT_EQ(text, expected);
    const LONG_PTR wanted = ES_MULTILINE | ES_READONLY | WS_VSCROLL;
    EXPECT_EQ(style & wanted, wanted);
  }
}

TEST_F(WindowTest, EachColumnCaptionTellsWhatTheColumnMeans) {
  auto w = Start(kProductTarvel);
  ASSERT_NE(w, nullptr);
  HWND header = w->grid().header();
  ASSERT_NE(header, nullptr);
  for (int col = 0; col < kGridColumns; ++col) {
    w->grid().ScrollToColumn(col);  // its caption in view, where the mouse can be
    RECT item = {};
    SendMessageW(header, HDM_GETITEMRECT, col, reinterpret_cast<LPARAM>(&item));
    if (!w->form().Grid().Column(col).visible) {
      EXPECT_EQ(item.right - item.left, 0) << col;
      continue;
    }
    const POINT middle = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    EXPECT_EQ(w->grid().HeaderTipAt(middle), Wide(ui_text::ColumnTip(col))) << col;
  }
}

TEST_F(WindowTest, TheListMenuExportsTheListAndImportsCorrections) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  const std::wstring song = Video("a-b.mpg", 10);
  AddFiles(*w, {song});
  const UINT ids[] = {w32ui::kIdMenuExport, w32ui::kIdMenuImport};
  const std::string* texts[] = {&ui_text::ExportItem(), &ui_text::ImportItem()};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(GetMenuItemID(w->listMenu(), i), ids[i]);
    EXPECT_EQ(MenuText(w->listMenu(), ids[i]), Wide(*texts[i]));
  }
  // 导出: the question answered with its first button, the table.
  const fs::path csv = dir_.path() / L"歌曲列表.csv";
  prompts_.saveFile = csv.wstring();
  SendMessageW(w->hwnd(), WM_COMMAND, w32ui::kIdMenuExport, 0);
  Pump();
  ASSERT_TRUE(fs::exists(csv));
  EXPECT_EQ(TempDir::Read(csv), w->form().ListCsv());
  // 导入: a table that gives the song another title.
  const TGrid& grid = w->form().Grid();
  const std::string table = gbk::ToUtf8(grid.Column(kColVideo).caption) + "," +
                            gbk::ToUtf8(grid.Column(kColTitle).caption) + "\r\n" + Utf8(song) +
                            "," + gbk::ToUtf8(Gbk(u8"海风")) + "\r\n";
  prompts_.files = {dir_.Write("fix.csv", table).wstring()};
  SendMessageW(w->hwnd(), WM_COMMAND, w32ui::kIdMenuImport, 0);
  Pump();
  EXPECT_EQ(CellText(w->grid().hwnd(), kColTitle, 0), L"海风");
  EXPECT_EQ(CellText(w->grid().hwnd(), kColPinyin, 0), L"HF");
}

TEST(DialogFilter, TheFormsFilterBecomesTheOpenDialogs) {
  using namespace std::string_literals;
  EXPECT_EQ(w32ui::DialogFilter(L"视频|*.mpg *.avi;全部|*.*"),
            L"视频\0*.mpg;*.avi\0全部\0*.*\0\0"s);
}

TEST(DialogFilter, TheSaveDialogAddsTheFirstPatternsExtension) {
  const struct {
    std::wstring filter, extension;
  } cases[] = {
      {Wide(ui_text::CsvFilter()), L"csv"},
      {Wide(ui_text::HtmlFilter()), L"html"},
      {L"视频|*.mpg *.avi;全部|*.*", L"mpg"},
      {L"全部|*.*", L""},
      {L"vod.txt|vod.txt", L""},
      {L"no bar", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(w32ui::DefaultExtension(c.filter), c.extension) << w32ui::Utf8(c.filter);
  }
}

TEST_F(WindowTest, VideosAreLookedAtOnThreadsAndToldInTheTipAndTheStatusBar) {
  FakeProbe probe;
  auto w = Start(kProductTarvel);
  ASSERT_NE(w, nullptr);
  w->form().SetMediaProbe(&probe, 2);
  const std::wstring good = Video("a-b.mpg", 10), cut = Video("c-d.mpg", 10);
  probe.Set(gbk::FromUtf8(w32ui::Utf8(cut)), FakeProbe::Refused(media::Verdict::kTruncated));
  probe.Set(gbk::FromUtf8(w32ui::Utf8(good)), FakeProbe::Vcd(2));
  AddFiles(*w, {good, cut});
  // The facts come back as window messages posted from the probes' threads.
  for (int pass = 0; pass < 400 && prompts_.boxes.empty(); ++pass) {
    Sleep(5);
    Pump();
  }
  Pump();
  ASSERT_EQ(w->form().Grid().RowCount(), 1);
  ASSERT_EQ(prompts_.boxes.size(), 1u);
  EXPECT_NE(prompts_.boxes[0].text.find(L"c-d.mpg"), std::wstring::npos);
  RECT cell = {};
  cell.top = kColVideo;
  cell.left = LVIR_BOUNDS;
  SendMessageW(w->grid().hwnd(), LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
  const POINT middle = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  EXPECT_NE(w->grid().TipAt(middle).find(L"MPEG-1 352"), std::wstring::npos);
  w->form().Grid().SetCurrent(kColTitle, 0);
  EXPECT_EQ(w->paneText(2).substr(0, 12), L"MPEG-PS 3:35");
  w.reset();  // the window and its probes' threads go before the probe
}

}  // namespace
