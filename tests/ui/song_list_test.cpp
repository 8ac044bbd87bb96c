// SPDX-License-Identifier: GPL-3.0-or-later
// The list out (the CSV table, the song book) and the owner's corrections
// back in.
#include <string>
#include <vector>

#include "ui/delimited_text.h"
#include "ui/song_export.h"
#include "ui_fixture.h"

namespace {

struct SongList : MainForm {
  void StartWith(const std::vector<std::string>& names) {
    Start(kProductOru);
    std::vector<std::string> files;
    for (const std::string& name : names) files.push_back(Video(name));
    AddFiles(files);
  }
  std::string Said() {
    std::string text = view.boxes.empty() ? "" : gbk::ToUtf8(view.boxes.back().text);
    view.boxes.clear();
    return text;
  }
};

TEST_F(SongList, TheCsvHasTheGridsCaptionsInUtf8WithAMarkAndComesBackAsCorrections) {
  StartWith({"青花瓷-周杰伦.mpg", "a,b-x.mpg"});
  view.answers[TQuestion::Id::kExportKind] = 0;
  view.savePath = dir.Gbk() + "list.csv";
  form.ExportClick();
  EXPECT_NE(Said().find("已把 2 首歌曲导出到"), std::string::npos);
  const std::string csv = TempDir::Read(dir.path() / "list.csv");
  ASSERT_TRUE(csv.starts_with("\xEF\xBB\xBF")) << "Excel opens UTF-8 right with the mark";
  const std::vector<TTextRow> rows = ParseCsv(csv);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].front(), "编号");
  EXPECT_EQ(rows[0].back(), "视频文件");
  EXPECT_EQ(std::count(rows[0].begin(), rows[0].end(), "文件夹"), 0);
  EXPECT_EQ(rows[1][1], "青花瓷");
  EXPECT_EQ(rows[2][1], "a,b") << "quoted, not split";

  // The owner changes the table in a spreadsheet, and it comes back.
  std::vector<TTextRow> changed = rows;
  changed[1][2] = "周董";
  changed[2][1] = "甲乙";
  dir.Write("changed.csv", WriteDelimited(changed, ','));
  view.openPath = dir.Gbk() + "changed.csv";
  form.ImportClick();
  EXPECT_EQ(Said(), "");
  EXPECT_EQ(Cell(kColSinger, 0), Gbk(u8"周董"));
  EXPECT_EQ(Cell(kColTitle, 1), Gbk(u8"甲乙"));
  EXPECT_EQ(Cell(kColPinyin, 1), "JY") << "derived as after an edit";
  EXPECT_EQ(gbk::ToUtf8(form.UndoItemText()), "撤销导入修改");
  form.Undo();
  EXPECT_EQ(Cell(kColSinger, 0), Gbk(u8"周杰伦"));
  EXPECT_EQ(Cell(kColTitle, 1), "a,b");
}

TEST_F(SongList, AnImportThatFailsChangesNothingAndSaysWhere) {
  struct Case {
    const char* what;
    std::string csv;  // the file's bytes
    const char* says;
  };
  const Case cases[] = {
      {"a short row", "视频文件,歌星,语种\r\na-x.mpg,甲\r\nb-x.mpg,乙,火星语\r\n",
       "表格第 2 行：这一行的项数和第一行不同"},
      {"a choice", "视频文件,歌星,语种\r\na-x.mpg,甲,国语\r\nb-x.mpg,乙,火星语\r\n",
       "表格第 3 行“语种”：“火星语”不是这一列可选的内容"},
      {"no such file", "视频文件,歌星\r\na-x.mpg,甲\r\nz.mpg,乙\r\n",
       "加入的歌曲中没有这个文件或编号：z.mpg"},
      {"an unknown column", "视频文件,颜色\r\na-x.mpg,红\r\n", "没有可以修改的“颜色”一列"},
      {"a quote left open", "视频文件,歌星\r\n\"a-x.mpg,甲\r\n", "没能读取"},
  };
  for (const Case& c : cases) {
    TestEnv e;
    Window w(&e);
    w.Start(kProductOru);
    w.AddFiles({Video("a-x.mpg"), Video("b-x.mpg")});
    const std::vector<TGrid::TRow> before = w.form.Grid().Rows();
    dir.Write("in.csv", c.csv);
    w.view.openPath = dir.Gbk() + "in.csv";
    w.form.ImportClick();
    ASSERT_EQ(w.view.boxes.size(), 1u) << c.what;
    EXPECT_NE(gbk::ToUtf8(w.view.boxes[0].text).find(c.says), std::string::npos)
        << c.what << ": " << gbk::ToUtf8(w.view.boxes[0].text);
    for (std::size_t r = 0; r < before.size(); ++r) {
      EXPECT_EQ(w.form.Grid().Rows()[r].cells, before[r].cells) << c.what;
    }
    EXPECT_FALSE(w.form.CanUndo() && gbk::ToUtf8(w.form.UndoItemText()) == "撤销导入修改")
        << c.what;
  }
}

TEST_F(SongList, ACsvSavedByExcelInGbkIsReadAndLoadedSongsAreFoundByNumber) {
  dir.Write("stick/vod.txt", "s0;x;1;S;660000;2;1;1;1;0\r\ns1;x;1;S;660001;2;1;1;1;0\r\n");
  view.chosenFile = gbk::FromUtf8((dir.path() / "stick" / "vod.txt").string());
  view.onLogin = [](TfrmLogin& login) { login.btnVodClick(); };
  form.FormCreate();
  view.Drain();
  ASSERT_EQ(form.Grid().RowCount(), 2);
  dir.Write("gbk.csv", Gbk(u8"编号,歌星,视频文件\r\n0001,张三,\r\n"));
  view.openPath = dir.Gbk() + "gbk.csv";
  form.ImportClick();
  EXPECT_EQ(Said(), "");
  EXPECT_EQ(Cell(kColSinger, 1), Gbk(u8"张三"));
  EXPECT_EQ(Cell(kColSinger, 0), "x");
}

TEST(SongBook, IsSortedAsTheOwnerChoseAndEscapesItsTexts) {
  const std::vector<TBookSong> songs{
      {"0002", Gbk(u8"青花瓷"), Gbk(u8"周杰伦"), Gbk(u8"国语"), "QHC"},
      {"0000", "R&B <1>", "x", Gbk(u8"英语"), "RB1"},
      {"0001", Gbk(u8"爱"), "y", Gbk(u8"粤语"), "A"},
      {"0003", "123", "z", "", "123"},
  };
  const struct {
    TBookOrder order;
    std::vector<std::string> inOrder;  // as they stand on the page
    bool headings;
  } cases[] = {
      {TBookOrder::kPinyin,
       {"<h2>A</h2>", "爱", "<h2>Q</h2>", "青花瓷", "<h2>R</h2>", "R&amp;B &lt;1&gt;", "<h2>#</h2>",
        "123"},
       true},
      {TBookOrder::kNumber, {"0000", "0001", "0002", "0003"}, false},
  };
  for (const auto& c : cases) {
    const std::string page = SongBookHtml(songs, c.order, true);
    EXPECT_TRUE(page.starts_with("<!DOCTYPE html>"));
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(page.find("共 4 首歌曲"), std::string::npos);
    std::size_t at = 0;
    for (const std::string& part : c.inOrder) {
      const std::size_t found = page.find(part, at);
      ASSERT_NE(found, std::string::npos) << part;
      at = found + part.size();
    }
    EXPECT_EQ(page.find("<h2>") != std::string::npos, c.headings);
    EXPECT_EQ(page.find("R&B"), std::string::npos) << "escaped";
  }
  EXPECT_EQ(SongBookHtml(songs, TBookOrder::kNumber, false).find("<th>语种</th>"),
            std::string::npos);
}

}  // namespace
