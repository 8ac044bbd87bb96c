// SPDX-License-Identifier: GPL-3.0-or-later
// Many cells at once, as in a spreadsheet: a column set on every selected
// row, a fill down, the batch dialog, copy and paste. Each cell goes through
// the rules of the owner's own edit: derived columns, marks, refused texts.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ui/ufrmBatchEdit.h"
#include "ui_fixture.h"

namespace {

struct ManyCells : MainForm {
  // The Oru line with n songs "t0-x" .. "t{n-1}-x", numbered from 0000.
  void StartWith(int n) {
    Start(kProductOru);
    std::vector<std::string> files;
    for (int i = 0; i < n; ++i) files.push_back(Video("t" + std::to_string(i) + "-x.mpg"));
    AddFiles(files);
  }
  void SelectRows(int first, int last) {
    form.Grid().ClickRowHeader(first, false, false);
    form.Grid().ClickRowHeader(last, true, false);
  }
  std::vector<std::string> Column(int col) const {
    std::vector<std::string> cells;
    for (int row = 0; row < form.Grid().RowCount(); ++row) cells.push_back(Cell(col, row));
    return cells;
  }
  // The text of the one box shown since the last call, UTF-8 ("" when none).
  std::string Box() {
    std::string text;
    if (!view.boxes.empty()) text = gbk::ToUtf8(view.boxes.back().text);
    EXPECT_LE(view.boxes.size(), 1u) << "one message for all problems";
    view.boxes.clear();
    return text;
  }
};

TEST_F(ManyCells, ADropDownChoiceWithFifteenRowsSelectedSetsEveryOneAsOneStep) {
  StartWith(20);
  SelectRows(2, 16);
  form.EditSelected(kColLanguage, 2, Gbk(u8"粤语"));
  for (int row = 0; row < 20; ++row) {
    EXPECT_EQ(Cell(kColLanguage, row), row >= 2 && row <= 16 ? Gbk(u8"粤语") : Gbk(u8"国语"))
        << row;
  }
  EXPECT_EQ(Box(), "");
  EXPECT_EQ(gbk::ToUtf8(form.UndoItemText()), "撤销批量修改");
  form.Undo();
  EXPECT_EQ(Column(kColLanguage), std::vector<std::string>(20, Gbk(u8"国语")));
  form.Redo();
  EXPECT_EQ(Cell(kColLanguage, 16), Gbk(u8"粤语"));

  // A row outside the selection is edited alone.
  form.EditSelected(kColLanguage, 19, Gbk(u8"英语"));
  EXPECT_EQ(Cell(kColLanguage, 19), Gbk(u8"英语"));
  EXPECT_EQ(Cell(kColLanguage, 18), Gbk(u8"国语"));
}

TEST_F(ManyCells, EveryCellOfABatchGoesThroughTheRulesOfAnEdit) {
  StartWith(3);
  SelectRows(0, 2);
  form.EditSelected(kColTitle, 0, Gbk(u8"青花瓷"));
  EXPECT_EQ(Column(kColTitle), std::vector<std::string>(3, Gbk(u8"青花瓷")));
  EXPECT_EQ(Column(kColPinyin), std::vector<std::string>(3, "QHC")) << "derived";
  EXPECT_EQ(Column(kColWords), std::vector<std::string>(3, "3"));
  EXPECT_EQ(form.Grid().Mark(kColTitle, 1).kind, TCellMark::kDuplicate) << "marked twice";

  form.EditSelected(kColSinger, 0, "a;b");
  EXPECT_EQ(Cell(kColSinger, 1), "x") << "refused";
  EXPECT_NE(Box().find("不能含有分号"), std::string::npos);

  form.CheckSelected(kColRankFlag, 0, false);
  EXPECT_EQ(Column(kColRankFlag), std::vector<std::string>(3, "0"));
}

TEST_F(ManyCells, ColumnsThatStayPerRowAreRefusedOrNumbered) {
  StartWith(4);
  form.EditCell(kColNumber, 3, "0011");
  SelectRows(0, 2);
  view.answers[TQuestion::Id::kNumberRows] = 1;  // cancel
  form.EditSelected(kColNumber, 0, "0010");
  EXPECT_EQ(Column(kColNumber), (std::vector<std::string>{"0000", "0001", "0002", "0011"}));
  ASSERT_EQ(view.questions.size(), 1u);
  EXPECT_NE(gbk::ToUtf8(view.questions[0].text).find("从 0010 起依次编号"), std::string::npos);

  view.answers[TQuestion::Id::kNumberRows] = 0;
  form.EditSelected(kColNumber, 0, "0010");
  EXPECT_EQ(Column(kColNumber), (std::vector<std::string>{"0010", "0012", "0013", "0011"}))
      << "the other row's number is passed over";
  form.Undo();
  EXPECT_EQ(Cell(kColNumber, 0), "0000");

  form.EditSelected(kColNumber, 0, "12");
  EXPECT_NE(Box().find("不是四位数字的编号"), std::string::npos);
  form.EditSelected(kColVideo, 0, "x.mpg");
  EXPECT_NE(Box().find("“视频文件”每首歌曲各不相同"), std::string::npos);
}

TEST_F(ManyCells, FillDownCopiesTheFirstRowIntoTheSelectedColumns) {
  struct Case {
    const char* what;
    int col0, col1;
    std::vector<std::string> titles, numbers;
    const char* box;  // part of the message, "" none
  };
  const std::vector<std::string> titles{"t0", "t1", "t2", "t3"};
  const std::vector<std::string> numbers{"0000", "0001", "0002", "0003"};
  const Case cases[] = {
      {"titles", kColTitle, kColTitle, {"t0", "t0", "t0", "t3"}, numbers, ""},
      {"the row's number is left out",
       kColNumber,
       kColTitle,
       {"t0", "t0", "t0", "t3"},
       numbers,
       ""},
      {"number alone: numbered",
       kColNumber,
       kColNumber,
       titles,
       {"0000", "0001", "0002", "0003"},
       ""},
      {"the file alone", kColVideo, kColVideo, titles, numbers, "没有可以向下填充"},
  };
  for (const Case& c : cases) {
    TestEnv e;
    Window w(&e);
    w.Start(kProductOru);
    w.AddFiles({Video("t0-x.mpg"), Video("t1-x.mpg"), Video("t2-x.mpg"), Video("t3-x.mpg")});
    w.form.Grid().ClickCell(c.col0, 0, false, false);
    w.form.Grid().ClickCell(c.col1, 2, true, false);
    w.form.FillDown();
    for (int row = 0; row < 4; ++row) {
      EXPECT_EQ(w.form.Grid().Cell(kColTitle, row), c.titles[row]) << c.what << row;
      EXPECT_EQ(w.form.Grid().Cell(kColNumber, row), c.numbers[row]) << c.what << row;
    }
    const std::string box = w.view.boxes.empty() ? "" : gbk::ToUtf8(w.view.boxes[0].text);
    EXPECT_EQ(box.find(c.box) != std::string::npos && (*c.box != 0) == !box.empty(), true)
        << c.what << ": " << box;
  }
}

TEST_F(ManyCells, PasteFillsFromTheCurrentCellAndTellsWhatItLeftInOneMessage) {
  struct Case {
    const char* what;
    int col, row;                                 // the current cell
    const char* clip;                             // UTF-8, as a spreadsheet puts it
    std::vector<std::string> singers, languages;  // UTF-8, rows 0..2
    std::vector<const char*> told;                // parts of the message
  };
  const std::vector<std::string> x3{"x", "x", "x"};
  const std::vector<std::string> guo3{"国语", "国语", "国语"};
  const Case cases[] = {
      {"a column from Excel", kColSinger, 0, "甲\r\n乙\r\n", {"甲", "乙", "x"}, guo3, {}},
      {"a block over singer and pinyin",
       kColSinger,
       1,
       "甲\tJ\r\n乙\tY\r\n",
       {"x", "甲", "乙"},
       guo3,
       {}},
      {"an empty cell keeps the cell",
       kColSinger,
       0,
       "甲\r\n\r\n丙\r\n",
       {"甲", "x", "丙"},
       guo3,
       {}},
      {"ragged rows", kColSinger, 0, "甲\r\n乙\tYI\r\n", {"甲", "乙", "x"}, guo3, {}},
      {"too long",
       kColSinger,
       1,
       "甲\n乙\n丙\n丁\n",
       {"x", "甲", "乙"},
       guo3,
       {"还有 2 行超出了表格"}},
      {"names and codes of a drop-down",
       kColLanguage,
       0,
       "粤语\n2\n火星语\n",
       x3,
       {"粤语", "英语", "国语"},
       {"第 3 行“语种”：“火星语”不是这一列可选的内容"}},
      {"refused texts",
       kColSinger,
       0,
       "a;b\n\"c\x01"
       "d\"\n好\n",
       {"x", "x", "好"},
       guo3,
       {"第 1 行“歌星”", "不能含有分号", "第 2 行“歌星”"}},
      {"no GBK form", kColSinger, 0, "\xF0\x9F\x98\x80\n", x3, guo3, {"不能显示的字符"}},
      {"a quoted cell with a line break",
       kColSinger,
       0,
       "\"甲\n乙\"\r\n",
       x3,
       guo3,
       {"不能含有分号（;）、换行"}},
      {"columns beyond the last",
       kColVideo,
       0,
       "a\tb\r\n",
       x3,
       guo3,
       {"每行还有 1 列超出了表格", "这一列不能修改"}},
  };
  for (const Case& c : cases) {
    TestEnv e;
    Window w(&e);
    w.Start(kProductOru);
    w.AddFiles({Video("a-x.mpg"), Video("b-x.mpg"), Video("c-x.mpg")});
    w.form.Grid().ClickCell(c.col, c.row, false, false);
    w.form.Paste(c.clip);
    for (int row = 0; row < 3; ++row) {
      EXPECT_EQ(gbk::ToUtf8(w.form.Grid().Cell(kColSinger, row)), c.singers[row]) << c.what;
      EXPECT_EQ(gbk::ToUtf8(w.form.Grid().Cell(kColLanguage, row)), c.languages[row]) << c.what;
    }
    ASSERT_EQ(w.view.boxes.size(), c.told.empty() ? 0u : 1u) << c.what;
    for (const char* part : c.told) {
      EXPECT_NE(gbk::ToUtf8(w.view.boxes[0].text).find(part), std::string::npos)
          << c.what << ": " << gbk::ToUtf8(w.view.boxes[0].text);
    }
    EXPECT_EQ(w.form.Grid().RowCount(), 3) << "no row is added";
  }
}

TEST_F(ManyCells, OneValuePastedGoesIntoEverySelectedCell) {
  StartWith(4);
  SelectRows(1, 2);
  form.Grid().ClickCell(kColCategory, 1, false, false);
  form.Grid().ClickCell(kColCategory, 3, true, false);
  const std::string name = form.Grid().Column(kColCategory).items.at(1);
  form.Paste(gbk::ToUtf8(name) + "\r\n");
  EXPECT_NE(Cell(kColCategory, 0), name);
  for (int row = 1; row <= 3; ++row) EXPECT_EQ(Cell(kColCategory, row), name) << row;
}

TEST_F(ManyCells, CopyGivesTheSelectionAsASpreadsheetTakesItAndPasteTakesItBack) {
  StartWith(3);
  form.EditCell(kColTitle, 1, Gbk(u8"说\"爱\"你"));
  form.Grid().ClickCell(kColTitle, 0, false, false);
  form.Grid().ClickCell(kColSinger, 1, true, false);
  EXPECT_EQ(form.CopyText(), "t0\tx\r\n\"说\"\"爱\"\"你\"\tx\r\n");
  form.Grid().ClickCell(kColNewFlag, 0, false, false);
  form.CheckCell(kColNewFlag, 0, true);
  EXPECT_EQ(form.CopyText(), "1\r\n");

  form.Grid().ClickCell(kColTitle, 0, false, false);
  form.Grid().ClickCell(kColSinger, 1, true, false);
  const std::string copied = form.CopyText();
  form.Grid().ClickCell(kColTitle, 2, false, false);
  form.Paste(copied);
  EXPECT_EQ(Cell(kColTitle, 2), "t0");
  EXPECT_EQ(form.Grid().RowCount(), 3);

  form.Grid().ClickCell(kColTitle, 0, false, false);
  form.Grid().ClickCell(kColWords, 0, false, true);  // two ranges: the gap is empty
  EXPECT_EQ(form.CopyText(), "t0\t1\r\n") << "the columns the ranges touch";
}

TEST_F(ManyCells, TheBatchDialogShowsWhatChangesAndBlankMeansUnchanged) {
  StartWith(3);
  SelectRows(0, 1);
  std::vector<int> cols;
  TStringList preview;
  view.onBatchEdit = [&](TfrmBatchEdit& d) {
    for (const auto& field : d.Fields()) cols.push_back(field.col);
    auto field = [&](int col) {
      for (std::size_t i = 0; i < d.Fields().size(); ++i) {
        if (d.Fields()[i].col == col) return i;
      }
      ADD_FAILURE() << "no field for " << col;
      return std::size_t{0};
    };
    d.SetValue(field(kColLanguage), Gbk(u8"粤语"));
    d.SetValue(field(kColNewFlag), "0");
    d.SetValue(field(kColNumber), "0020");
    preview = d.Preview();
    d.btnOkClick();
  };
  form.BatchEditClick();
  EXPECT_EQ(std::count(cols.begin(), cols.end(), kColVideo), 0);
  EXPECT_EQ(std::count(cols.begin(), cols.end(), kColFolder), 0);
  EXPECT_EQ(std::count(cols.begin(), cols.end(), kColTitle), 1);
  ASSERT_EQ(preview.size(), 6u);
  EXPECT_EQ(gbk::ToUtf8(preview[0]), "第 1 行 编号：0000 → 0020");
  EXPECT_EQ(gbk::ToUtf8(preview[2]), "第 1 行 语种：国语 → 粤语");
  EXPECT_EQ(gbk::ToUtf8(preview[5]), "第 2 行 新歌：勾选 → 不勾选");
  EXPECT_EQ(Column(kColNumber), (std::vector<std::string>{"0020", "0021", "0002"}));
  EXPECT_EQ(Cell(kColLanguage, 1), Gbk(u8"粤语"));
  EXPECT_EQ(Cell(kColLanguage, 2), Gbk(u8"国语"));
  EXPECT_EQ(Cell(kColTitle, 0), "t0") << "blank: unchanged";
  EXPECT_EQ(view.previews, 3);
  form.Undo();
  EXPECT_EQ(Column(kColNumber), (std::vector<std::string>{"0000", "0001", "0002"}));
  EXPECT_EQ(Cell(kColNewFlag, 0), "1");

  view.onBatchEdit = [](TfrmBatchEdit& d) {
    d.SetValue(0, "0050");
    d.btnCancelClick();
  };
  form.BatchEditClick();
  EXPECT_EQ(Cell(kColNumber, 0), "0000");
}

TEST_F(ManyCells, EachKindOfStepIsUndoneAndRedoneWithItsDerivedColumnsAndMarks) {
  struct Case {
    const char* what;
    std::function<void(Window&)> step;
    const char* name;
  };
  const std::string added = Video("d-y.mpg");
  const Case cases[] = {
      {"a cell", [](Window& w) { w.form.EditCell(kColTitle, 1, Gbk(u8"青花瓷")); }, "修改"},
      {"an emptied cell", [](Window& w) { w.form.EditCell(kColSinger, 0, ""); }, "修改"},
      {"a check box", [](Window& w) { w.form.CheckCell(kColNewFlag, 2, false); }, "修改"},
      {"a paste",
       [](Window& w) {
         w.form.Grid().ClickCell(kColTitle, 0, false, false);
         w.form.Paste("甲\n乙\n");
       },
       "粘贴"},
      {"a fill",
       [](Window& w) {
         w.form.Grid().ClickRowHeader(0, false, false);
         w.form.Grid().ClickRowHeader(2, true, false);
         w.form.FillDown();
       },
       "向下填充"},
      {"a delete",
       [](Window& w) {
         w.form.Grid().SetCurrent(kColTitle, 1);
         w.form.N1Click();
       },
       "删除"},
      {"a clear", [](Window& w) { w.form.N2Click(); }, "清空"},
      {"songs added", [&](Window& w) { w.AddFiles({added}); }, "添加歌曲"},
  };
  for (const Case& c : cases) {
    TestEnv e;
    Window w(&e);
    w.Start(kProductOru);
    w.AddFiles({Video("a-x.mpg"), Video("b-x.mpg"), Video("c-x.mpg")});
    w.form.EditCell(kColSinger, 1, "");  // a mark that must come and go with its row
    const std::vector<TGrid::TRow> before = w.form.Grid().Rows();
    c.step(w);
    const std::vector<TGrid::TRow> after = w.form.Grid().Rows();
    ASSERT_TRUE(w.form.CanUndo()) << c.what;
    EXPECT_EQ(gbk::ToUtf8(w.form.UndoItemText()), std::string("撤销") + c.name) << c.what;
    w.form.Undo();
    const std::vector<TGrid::TRow>& undone = w.form.Grid().Rows();
    ASSERT_EQ(undone.size(), before.size()) << c.what;
    for (std::size_t r = 0; r < before.size(); ++r) {
      EXPECT_EQ(undone[r].cells, before[r].cells) << c.what << " row " << r;
      EXPECT_EQ(undone[r].marks, before[r].marks) << c.what << " row " << r;
    }
    EXPECT_EQ(w.form.Grid().Mark(kColSinger, 1).kind, TCellMark::kMissing) << c.what;
    ASSERT_TRUE(w.form.CanRedo()) << c.what;
    EXPECT_EQ(gbk::ToUtf8(w.form.RedoItemText()), std::string("重做") + c.name) << c.what;
    w.form.Redo();
    const std::vector<TGrid::TRow>& redone = w.form.Grid().Rows();
    ASSERT_EQ(redone.size(), after.size()) << c.what;
    for (std::size_t r = 0; r < after.size(); ++r) {
      EXPECT_EQ(redone[r].cells, after[r].cells) << c.what << " row " << r;
    }
    EXPECT_FALSE(w.form.CanRedo()) << c.what;
  }
}

TEST_F(ManyCells, AnEditAfterAnUndoLeavesNothingToRedoAndTheHistoryIsBounded) {
  StartWith(1);
  form.EditCell(kColSinger, 0, "a");
  form.Undo();
  form.EditCell(kColSinger, 0, "b");
  EXPECT_FALSE(form.CanRedo());
  for (int i = 0; i < 60; ++i) form.EditCell(kColSinger, 0, "s" + std::to_string(i));
  int undone = 0;
  while (form.CanUndo() && undone < 100) {
    form.Undo();
    ++undone;
  }
  EXPECT_EQ(undone, 50);
  EXPECT_EQ(Cell(kColSinger, 0), "s9");
}

TEST_F(ManyCells, TheNextProposedNumberFollowsAnUndoneAdd) {
  StartWith(2);
  AddFiles({Video("n-y.mpg")});
  EXPECT_EQ(Cell(kColNumber, 2), "0002");
  form.Undo();
  EXPECT_EQ(form.Grid().RowCount(), 2);
  AddFiles({Video("m-y.mpg")});
  EXPECT_EQ(Cell(kColNumber, 2), "0002");
}

}  // namespace
