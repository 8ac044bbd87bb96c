// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the song list out (a CSV table, a song book) and the
// owner's corrections in (the same CSV table).
#include <optional>

#include "platform/env.h"
#include "run/replacing_file.h"
#include "text/gbk.h"
#include "text/uPublic.h"
#include "ui/delimited_text.h"
#include "ui/ufrmMain.h"
#include "ui/ui_texts.h"

std::vector<TStringList> TfrmMain::ListTable() const {
  std::vector<int> cols;
  for (int col = 0; col < kGridColumns; ++col) {
    if (col != kColFolder && lvList.Column(col).visible) cols.push_back(col);
  }
  std::vector<TStringList> table(1);
  for (const int col : cols) table[0].push_back(lvList.Column(col).caption);
  for (int row = 0; row < lvList.RowCount(); ++row) {
    TStringList& line = table.emplace_back();
    for (const int col : cols) line.push_back(lvList.Cell(col, row));
  }
  return table;
}

std::string TfrmMain::ListCsv() const {
  return CsvOfTable(ListTable());
}

std::string TfrmMain::SongBook(TBookOrder order) const {
  const bool language = Shows(kColLanguage);
  std::vector<TBookSong> songs;
  for (int row = 0; row < lvList.RowCount(); ++row) {
    songs.push_back({lvList.Cell(kColNumber, row), lvList.Cell(kColTitle, row),
                     lvList.Cell(kColSinger, row), language ? lvList.Cell(kColLanguage, row) : "",
                     lvList.Cell(kColPinyin, row)});
  }
  return SongBookHtml(std::move(songs), order, language);
}

void TfrmMain::ExportClick() {
  if (FSongList == nullptr || Busy()) return;
  const TQuestion question{TQuestion::Id::kExportKind,
                           ui_text::ExportCaption(),
                           ui_text::ExportQuestion(),
                           {ui_text::ExportCsvButton(), ui_text::ExportBookByPinyinButton(),
                            ui_text::ExportBookByNumberButton(), ui_text::CancelButton()}};
  const int kind = view_.Ask(question);
  if (kind < 0 || kind > 2) return;
  const bool csv = kind == 0;
  const std::optional<std::string> path = view_.ChooseSaveFile(
      ui_text::ExportCaption(), csv ? ui_text::CsvFilter() : ui_text::HtmlFilter(),
      csv ? ui_text::CsvFileName() : ui_text::BookFileName());
  if (!path) return;
  const std::string bytes =
      csv ? ListCsv() : SongBook(kind == 1 ? TBookOrder::kPinyin : TBookOrder::kNumber);
  try {
    TReplacingFile::Write(*env_, *path, bytes);
  } catch (const std::exception& e) {
    ShowMsg(this, ui_text::ExportCaption(), ui_text::NotWritten(*path, e.what()), kMsgError);
    return;
  }
  ShowMsg(this, ui_text::ExportCaption(), ui_text::Exported(*path, lvList.RowCount()),
          kMsgInformation);
}

std::string TfrmMain::FaultText(const TCorrectionFault& fault) {
  using Why = TCorrectionFault::Why;
  const auto at = [&](const std::string& why) {
    return ui_text::ImportCellFault(fault.tableRow, fault.column, why);
  };
  switch (fault.why) {
    case Why::kNone:
      return "";
    case Why::kEmptyTable:
      return ui_text::EmptyTable();
    case Why::kUnknownColumn:
      return ui_text::ImportFault(1, ui_text::UnknownColumn(fault.column));
    case Why::kNoFileColumn:
      return ui_text::ImportFault(1, ui_text::NoFileColumn(fault.column));
    case Why::kFieldCount:
      return ui_text::ImportFault(fault.tableRow, ui_text::FieldCount());
    case Why::kNoSuchFile:
      return ui_text::ImportFault(fault.tableRow, ui_text::NoSuchFile(fault.value));
    case Why::kNotACheck:
      return at(ui_text::NotACheck());
    case Why::kBreaksList:
      return at(ui_text::TextBreaksList(fault.value));
    case Why::kNotAChoice:
      return at(ui_text::NotAChoice(fault.value));
    case Why::kOutOfRange:
      return at(ui_text::NotInRange(fault.column, StrToInt(fault.allowed.at(0)),
                                    StrToInt(fault.allowed.at(1))));
  }
  return "";
}

void TfrmMain::ImportClick() {
  if (FSongList == nullptr || Busy() || !lvList.Enabled()) return;
  const std::optional<std::string> path =
      view_.ChooseOpenFile(ui_text::ImportCaption(), ui_text::CsvFilter());
  if (!path) return;
  std::vector<TTextRow> rows;
  std::string bytes;
  try {
    bytes = platform::ReadWholeFile(*env_, *path);
    rows = ParseCsv(bytes);
  } catch (const std::exception& e) {
    ShowMsg(this, ui_text::ImportCaption(), ui_text::NotRead(*path, e.what()), kMsgError);
    return;
  }
  // Excel saves "CSV" in the system's code page (GBK on a Chinese Windows),
  // "CSV UTF-8" with a byte-order mark: a text that is no UTF-8 is GBK.
  const bool utf8 = bytes.starts_with("\xEF\xBB\xBF") || gbk::TryFromUtf8(bytes).has_value() ||
                    !gbk::TryToUtf8(bytes).has_value();
  std::vector<TStringList> table;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    TStringList& line = table.emplace_back();
    for (const std::string& field : rows[r]) {
      const std::optional<std::string> text = utf8 ? gbk::TryFromUtf8(field) : field;
      if (!text) {
        ShowMsg(this, ui_text::ImportCaption(),
                ui_text::ImportFault(static_cast<int>(r) + 1, ui_text::NoGbkForm()), kMsgWarning);
        return;
      }
      line.push_back(*text);
    }
  }
  Guarded([&] {
    TUndoStep step(*this, ui_text::ImportStep());
    const TGridState before = GridState();
    const TCorrectionFault fault = ApplyCorrections(table);
    if (fault.why != TCorrectionFault::Why::kNone) {
      // Nothing half done: the grid is put back as it was.
      PutGridState(before);
      ShowMsg(this, ui_text::ImportCaption(), FaultText(fault), kMsgWarning);
      return;
    }
    AfterManyCells({});
  });
}
