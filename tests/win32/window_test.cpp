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
#include <map>

#include "formats/product_lines.h"
#include "support/mapped_drives.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "support/test_env.h"
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
  const std::wstring first = Video("情歌-歌手甲.mpg", 200000);
  const std::wstring second = Video("夜曲-歌手乙.avi", 30000);
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
  EXPECT_EQ(TempDir::Read(vod / "660000.dat"), std::string(200000, 'v'));
  fs::remove_all(vod, ec);
}

TEST_F(WindowTest, CancelStopsTheCopyHalfWayAndTellsWhatWasCopied) {
  // A stick that takes a millisecond per chunk, so the copy can be stopped.
  TestEnv slowStick;
  slowStick.writeDelay = std::chrono::milliseconds(1);
  auto w = Start(kProductOru, &slowStick);
  ASSERT_NE(w, nullptr);
  const std::wstring first = Video("a-b.mpg", 100000);
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

// A click of the mouse at the middle of a cell of the list view.
void ClickCell(HWND list, int col, int row) {
  RECT cell = {};
  cell.top = col;
  cell.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
  const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  Pump();
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

TEST_F(WindowTest, TheGridsMenuOffersUndoWhenTheFormCanAndCtrlZUndoes) {
  auto w = Start(kProductOru);
  ASSERT_NE(w, nullptr);
  AddFiles(*w, {Video("a-b.mpg", 10), Video("c-d.mpg", 10)});
  HWND list = w->grid().hwnd();
  auto rows = [&] { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); };
  {
    HMENU menu = w->GridMenu();
    const int ids[] = {w32ui::kIdMenuDelete, w32ui::kIdMenuClear, w32ui::kIdMenuUndoDelete};
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(GetMenuItemID(menu, i), static_cast<UINT>(ids[i]));
    wchar_t text[64] = {};
    GetMenuStringW(menu, 2, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), Wide(ui_text::UndoDeleteItem()));
    DestroyMenu(menu);
  }
  auto undoEnabled = [&] {
    HMENU menu = w->GridMenu();
    const UINT state = GetMenuState(menu, w32ui::kIdMenuUndoDelete, MF_BYCOMMAND);
    DestroyMenu(menu);
    return (state & (MF_GRAYED | MF_DISABLED)) == 0;
  };
  // Ctrl+Z on the grid, the Control key held as the keyboard tells it.
  auto ctrlZ = [&] {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(list, WM_KEYDOWN, 'Z', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    Pump();
  };
  EXPECT_FALSE(w->form().CanUndoDelete());
  EXPECT_FALSE(undoEnabled());
  ctrlZ();
  EXPECT_EQ(rows(), 2) << "nothing to undo";

  ClickCell(list, kColTitle, 0);
  SendMessageW(list, WM_KEYDOWN, VK_DELETE, 0);  // 删除
  Pump();
  ASSERT_EQ(rows(), 1);
  EXPECT_TRUE(undoEnabled());
  ctrlZ();
  EXPECT_EQ(rows(), 2);
  EXPECT_EQ(CellText(list, kColTitle, 0), L"a") << "back where it was";
  EXPECT_FALSE(undoEnabled());

  const int before = rows();
  SendMessageW(w->hwnd(), WM_COMMAND, w32ui::kIdMenuClear, 0);  // 清空, answered yes
  Pump();
  ASSERT_EQ(rows(), 0);
  EXPECT_TRUE(undoEnabled());
  SendMessageW(w->hwnd(), WM_COMMAND, w32ui::kIdMenuUndoDelete, 0);
  Pump();
  EXPECT_EQ(rows(), before);
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

TEST(DialogFilter, TheFormsFilterBecomesTheOpenDialogs) {
  using namespace std::string_literals;
  EXPECT_EQ(w32ui::DialogFilter(L"视频|*.mpg *.avi;全部|*.*"),
            L"视频\0*.mpg;*.avi\0全部\0*.*\0\0"s);
}

}  // namespace
