// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: creation, the grid's rules, deleting and clearing rows,
// the status line and the song list's notifications.
#include "ui/ufrmMain.h"

#include <algorithm>
#include <set>

#include "formats/product_lines.h"
#include "model/messages.h"
#include "platform/env.h"
#include "text/pycode.h"
#include "text/uStroke.h"
#include "text/unread_chars.h"
#include "ui/grid_rules.h"
#include "ui/product_columns.h"
#include "ui/ui_texts.h"

TfrmMain::TfrmMain(IMainView& view, platform::Env* env)
    : view_(view),
      env_(env != nullptr ? env : platform::Env::Default()),
      marks_(lvList, [this](const std::string& path) { return env_->FileSize(path); }) {
  lvList.OnChange = [this](int col, int row) { lvListChange(col, row); };
  lvList.OnAfterEdit = [this](int col, int row, const std::string& text) {
    lvListAfterEdit(col, row, text);
  };
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::ShowError(const std::exception& error) {
  view_.ShowBox(ui_text::ToolCaption(), msg::TextOf(error), kMsgError);
}

// ---- Creation ----

void TfrmMain::FormCreate() {
  FTotalSize = 0;
  FSizeText = "0 M";

  std::uint8_t choice = 0;
  bool quit = true;
  bool load = false;
  {
    TDialogUse login(frmLogin, env_);
    login->FormCreate();
    view_.ShowModal(*login);
    choice = login->FChoice;
    quit = login->FQuit;
    load = login->FLoadVod;
    FVodPath = login->FVodFile;
  }
  // Leaving the program, or a start-up that yields no product line: the
  // window never gets a song list and the program ends.
  if (quit || TProductGrid::Of(choice) == nullptr || FindProductLine(choice) == nullptr) return;

  CreateSongList(choice);
  Caption = ui_text::MainCaptionPrefix() + FSongList->ToolTitle();
  view_.SetCaption(Caption);
  StatusText = ui_text::InitialCount();
  view_.SetStatusText(StatusText);
  view_.SetButtonEnabled(TMainButton::kComplete, false);
  if (load) {
    Guarded([&] {
      FSongList->LoadVodFile([this] { return FVodPath; });
      // The start-up window told the owner of the lines it cannot read, who
      // chose to go on: they stay at the end of the list.
      FSongList->KeepUnreadLines();
    });
  }
  LookAtStick();
}

void TfrmMain::CreateSongList(std::uint8_t product) {
  FSongList = FindProductLine(product)->create(env_);
  product_ = TProductGrid::Of(product);
  for (int col = 0; col < kGridColumns; ++col) {
    if (!product_->Shows(col)) lvList.SetColumnVisible(col, false);
  }
  FSongList->FHandle = this;
  FillAccompList(false);
  if (Shows(kColVocal)) FillOrigList(false);
  product_->FillLists(lvList, *FSongList);
}

void TfrmMain::FormResize() {
  lvList.ScrollToColumn(kColFolder);
}

void TfrmMain::btnCloseClick() {
  view_.CloseWindow();
}

bool TfrmMain::FormCloseQuery() {
  // The owner said yes during the copy; the run has told what it copied.
  if (closeNow_) return true;
  if (!copying_) {
    // Songs that no finished run copied are the owner's work: asked first.
    if (Busy()) return false;
    if (!uncopied_ || lvList.RowCount() == 0) return true;
    const TQuestion question{TQuestion::Id::kCloseUncopied,
                             ui_text::CloseCaption(),
                             ui_text::CloseUncopiedQuestion(lvList.RowCount()),
                             {ui_text::YesButton(), ui_text::NoButton()}};
    return view_.Ask(question) == 0;
  }
  // Asked already: the window closes once the run has told what it copied.
  if (closeAfterRun_) return false;
  const TQuestion question{TQuestion::Id::kCloseDuringCopy,
                           ui_text::ConfirmCloseCaption(),
                           ui_text::ConfirmCloseText(),
                           {ui_text::YesButton(), ui_text::NoButton()}};
  if (view_.Ask(question) == 0) {
    closeAfterRun_ = true;
    CancelCopy();
  }
  return false;
}

bool TfrmMain::Shows(int col) const {
  return product_ != nullptr && product_->Shows(col);
}

// ---- Lists ----

void TfrmMain::FillAccompList(bool dvd) {
  FillColumn(
      lvList, kColAccomp,
      dvd ? FSongList->Table(TTableId::kDvdTracks) : FSongList->Table(TTableId::kAudioTracks));
}

void TfrmMain::FillOrigList(bool dvd) {
  FillColumn(
      lvList, kColVocal,
      dvd ? FSongList->Table(TTableId::kDvdTracks) : FSongList->Table(TTableId::kAudioTracks));
}

// ---- The grid's rules ----

void TfrmMain::lvListChange(int col, int row) {
  if (FSongList == nullptr) return;
  if (col == kColTitle) TitleRule(row);
  // A pinyin or stroke text set other than from the title is the owner's
  // (or the loaded song's): nothing about it is doubtful any more. The
  // title rule marks its own afterwards.
  if ((col == kColPinyin || col == kColStrokes) &&
      lvList.Mark(col, row).kind == TCellMark::kDoubtful) {
    lvList.SetMark(col, row, TCellMark::kNone);
  }
  // What a loaded song lacked is filled now.
  if (lvList.Mark(col, row).tip == ui_text::KeptWithoutFieldTip()) {
    lvList.SetMark(col, row, TCellMark::kNone);
  }
  // What the file told of the tracks is the owner's call once the owner
  // changes them.
  TracksChangedByOwner(col, row);
  // The media type switches the track columns where the grid shows it.
  if (col == kColMedia && Shows(kColMedia)) MediaTypeRule(row);
  MarkMissing(row);
  if (col == kColNumber || col == kColTitle || col == kColSinger || col == kColVideo) {
    marks_.Duplicates();
  }
  if (col == kColNumber) marks_.Numbers();
}

std::set<int> TfrmMain::EmptyColumns(int row) {
  std::set<int> empty;
  const auto record = product_->RowToRecord(lvList, row, *FSongList);
  for (const std::string& field : FSongList->BlankFields(*record)) {
    if (const int col = ColumnOfField(field); col >= 0) empty.insert(col);
  }
  return empty;
}

void TfrmMain::MarkMissing(int row) {
  // A loaded song left as it was goes back as its line: what it lacks is
  // told, and refuses nothing.
  if (lvList.Unchanged(row)) {
    marks_.Missing(row, {});
    for (const int col : EmptyColumns(row)) {
      marks_.Doubtful(col, row, ui_text::KeptWithoutFieldTip());
    }
    return;
  }
  marks_.Missing(row, EmptyColumns(row));
}

void TfrmMain::MarkAllRows() {
  for (int row = 0; row < lvList.RowCount(); ++row) MarkMissing(row);
  marks_.Duplicates();
  marks_.Numbers();
}

void TfrmMain::TitleRule(int row) {
  const std::string title = Trim(lvList.Cell(kColTitle, row));
  lvList.SetCell(kColPinyin, row, TitleInitials(title, pinyinReading_));
  if (Shows(kColStrokes)) lvList.SetCell(kColStrokes, row, StrokeText(title));
  int words = 0;
  try {
    words = CountTitleWords(title);
  } catch (const std::exception&) {
    words = 0;
  }
  lvList.SetInt(kColWords, row, words);
  // Characters without a reading, and polyphones the reading only guessed.
  std::string pinyinTip;
  if (const std::string unread = CharactersWithoutPinyin(title); !unread.empty()) {
    pinyinTip = ui_text::NoPinyinTip(unread);
  }
  if (const std::string guessed = GuessedPolyphones(title, pinyinReading_); !guessed.empty()) {
    pinyinTip += (pinyinTip.empty() ? "" : "\n") + ui_text::PolyphoneTip(guessed);
  }
  marks_.Doubtful(kColPinyin, row, pinyinTip);
  if (Shows(kColStrokes)) {
    const std::string uncounted = CharactersWithoutStrokes(title);
    marks_.Doubtful(kColStrokes, row, uncounted.empty() ? "" : ui_text::NoStrokesTip(uncounted));
  }
}

void TfrmMain::MediaTypeRule(int row) {
  const bool dvd = NamesDvd(*FSongList, lvList.Cell(kColMedia, row));
  FillAccompList(dvd);
  FillOrigList(dvd);
  const TBmTable& tracks =
      dvd ? FSongList->Table(TTableId::kDvdTracks) : FSongList->Table(TTableId::kAudioTracks);
  // DVD: tracks 0 and 1; VCD: accompaniment 2 and vocal 3. A cell is written
  // only when its table has the code.
  const std::pair<int, const char*> defaults[] = {{kColAccomp, dvd ? "0" : "2"},
                                                  {kColVocal, dvd ? "1" : "3"}};
  for (const auto& [col, code] : defaults) {
    if (tracks.IndexOf(code) >= 0) lvList.SetCell(col, row, NameOfCode(tracks, code));
  }
}

void TfrmMain::lvListCellClick(int /*col*/, int row) {
  if (!Shows(kColMedia) || !lvList.Enabled() || row < 0 || row >= lvList.RowCount()) return;
  const bool dvd = NamesDvd(*FSongList, lvList.Cell(kColMedia, row));
  FillAccompList(dvd);
  FillOrigList(dvd);
}

void TfrmMain::lvListAfterEdit(int col, int row, const std::string& text) {
  if (col != kColNumber || FSongList == nullptr || quietNumbers_) return;
  Guarded([&] {
    if (!IsSongNumber(text)) {
      ShowMsg(this, ui_text::NumberErrorCaption(), ui_text::BadNumberAfterEdit(), kMsgError);
      lvList.SetCurrent(kColNumber, row);
    }
    if (!IsNumberUnique(Trim(text))) {
      ShowMsg(this, ui_text::NumberErrorCaption(), ui_text::DuplicateAfterEdit(text), kMsgError);
      lvList.SetCurrent(kColNumber, row);
    }
  });
}

void TfrmMain::EditCell(int col, int row, const std::string& text) {
  if (!lvList.Enabled() || !lvList.Column(col).editable) return;
  if (const std::string why = Refusal(col, row, text); !why.empty()) {
    ShowMsg(this, ui_text::ToolCaption(), why, kMsgWarning);
    return;
  }
  Guarded([&] {
    TUndoStep step(*this, ui_text::EditStep());
    if (lvList.UserEdit(col, row, text)) {
      uncopied_ = true;
    } else if ((col == kColPinyin || col == kColStrokes) &&
               lvList.Mark(col, row).kind == TCellMark::kDoubtful) {
      // The owner looked at the derived text and kept it.
      lvList.SetMark(col, row, TCellMark::kNone);
    }
  });
}

void TfrmMain::CheckCell(int col, int row, bool checked) {
  if (!lvList.Enabled()) return;
  Guarded([&] {
    TUndoStep step(*this, ui_text::EditStep());
    if (lvList.Checked(col, row) != checked) uncopied_ = true;
    lvList.UserCheck(col, row, checked);
  });
}

std::string TfrmMain::ChoiceOf(int col, int row, const std::string& value) const {
  const TStringList& items = lvList.Column(col).items;
  if (std::find(items.begin(), items.end(), value) != items.end()) return value;
  if (product_ == nullptr || FSongList == nullptr) return "";
  return product_->NameOfCodeIn(col, value, lvList, row, *FSongList);
}

const std::string& TfrmMain::SourceFolder() const {
  static const std::string none;
  return FSongList ? FSongList->FSourceDir : none;
}

void TfrmMain::SetSourceFolder(const std::string& folder) {
  if (FSongList) FSongList->FSourceDir = folder;
}

void TfrmMain::RefuseTypedText() {
  ShowMsg(this, ui_text::ToolCaption(), ui_text::TextNotGbk(), kMsgWarning);
}

bool TfrmMain::IsNumberUnique(const std::string& number) {
  TBusy busy(*this);
  int count = 0;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    PumpMessages();
    if (Trim(lvList.Cell(kColNumber, row)) == number) ++count;
  }
  return count <= 1;
}

void TfrmMain::N1Click() {
  if (Busy() || FSongList == nullptr || lvList.RowCount() == 0) return;
  const int row = lvList.CurrentRow();
  if (row < 0 || row >= lvList.RowCount()) return;
  TUndoStep step(*this, ui_text::DeleteItem());
  RememberDeleted({row});
  lvList.DeleteRow(row);
  marks_.Duplicates();
  marks_.Numbers();
  lvList.Repaint();
  if (lvList.RowCount() > 0) {
    PostNotify(WM_SONGCOUNT, lvList.RowCount());
  } else {
    ClearGrid();
  }
}

void TfrmMain::N2Click() {
  if (Busy() || FSongList == nullptr) return;
  if (lvList.RowCount() > 0) {
    const TQuestion question{TQuestion::Id::kClearGrid,
                             ui_text::ClearCaption(),
                             ui_text::ClearQuestion(lvList.RowCount()),
                             {ui_text::YesButton(), ui_text::NoButton()}};
    if (view_.Ask(question) != 0) return;
  }
  std::vector<int> rows(static_cast<std::size_t>(lvList.RowCount()));
  for (int row = 0; row < lvList.RowCount(); ++row) rows[static_cast<std::size_t>(row)] = row;
  TUndoStep step(*this, ui_text::ClearItem());
  RememberDeleted(rows);
  ClearGrid();
}

void TfrmMain::RememberDeleted(const std::vector<int>& rows) {
  for (const int row : rows) {
    // A song of the stick's list leaves the stick with the next run there.
    const std::string number = Trim(lvList.Cell(kColNumber, row));
    if (IsSongNumber(number)) deletedNumbers_.insert("66" + number);
  }
}

void TfrmMain::ClearGrid() {
  lvList.Clear();
  lvList.Repaint();
  FSongList->SetStartNumber("0000");
  PostNotify(WM_SONGCOUNT, 0);
}

// ---- Status line and notifications ----

void TfrmMain::UpdateTotalSize() {
  TBusy busy(*this);
  FSizeText = "0 M";
  FTotalSize = 0;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    PumpMessages();
    // A file that does not exist (or is no file) has no size: it adds nothing.
    const std::string path = Trim(lvList.Cell(kColVideo, row));
    const std::int64_t size = path.empty() ? -1 : env_->FileSize(path);
    if (size > 0) FTotalSize += size;
  }
  FSizeText = FormatDiskSize(FTotalSize);
}

void TfrmMain::HandleMessage(unsigned message, std::int64_t lparam) {
  if (FSongList == nullptr) return;
  switch (message) {
    case WM_LOADDONE:
      Guarded([&] { WMLoadDone(); });
      break;
    case WM_SONGCOUNT:
      Guarded([&] { WMSongCount(lparam); });
      break;
    case WM_COPYPROGRESS:
      // The newest percent, whichever 2050 brings it.
      progressQueued_ = false;
      Guarded([&] { WMCopyProgress(newestPercent_); });
      break;
    case WM_MEDIAFACTS:
      Guarded([&] { WMMediaFacts(); });
      break;
    default:
      break;
  }
}

void TfrmMain::WMLoadDone() {
  TBusy busy(*this);
  for (int i = 0; i < FSongList->FCount; ++i) {
    PumpMessages();
    InsertLoadedRow(lvList.RowCount(), i);
  }
  // A list from another tool may hold faults: each is marked where it is.
  MarkAllRows();
  lvList.Repaint();
  // What the owner can undo starts with the list loaded.
  history_.Clear();
  // The status line counts what the grid holds now.
  PostNotify(WM_SONGCOUNT, lvList.RowCount());
}

void TfrmMain::InsertLoadedRow(int at, int song) {
  const TBaseSongData* record = FSongList->SongAt(song);
  if (record == nullptr) return;
  lvList.InsertRows(at, 1);
  product_->RecordToRow(*record, lvList, at, *FSongList);
  const auto& lines = FSongList->FLoaded.songLines;
  auto origin = std::make_shared<TRowOrigin>();
  origin->line = song < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(song)] : "";
  origin->record = product_->CopyRecord(*record);
  origin->cells = lvList.Cells(at);
  lvList.SetOrigin(at, std::move(origin));
}

void TfrmMain::WMSongCount(std::int64_t count) {
  // A 2049 that arrives while one is handled (the recount lets the message
  // loop run) is handled right after it, not inside it.
  if (counting_) {
    pendingCount_ = count;
    return;
  }
  counting_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{counting_};
  for (;;) {
    UpdateTotalSize();
    // The songs this run adds; those kept from the stick are told apart.
    StatusText = ui_text::SongCountWithKept(NewSongCount(), FSizeText, KeptSongCount());
    view_.SetStatusText(StatusText);
    view_.SetButtonEnabled(TMainButton::kComplete, count > 0 && !copying_);
    ShowStick();  // the next number follows the grid
    if (pendingCount_ < 0) break;
    count = pendingCount_;
    pendingCount_ = -1;
  }
}

// ---- The window side of the song list ----

void TfrmMain::PostNotify(unsigned message, std::int64_t lparam) {
  if (message == WM_COPYPROGRESS) {
    // One per 5120-byte chunk: only the newest percent is worth drawing.
    newestPercent_ = lparam;
    if (progressQueued_) return;
    progressQueued_ = true;
  }
  view_.PostMessage(message, lparam);
}

void TfrmMain::PumpMessages() {
  view_.ProcessMessages();
}

void TfrmMain::ShowBox(const std::string& caption, const std::string& text, int kind) {
  view_.ShowBox(caption, text, kind);
}
