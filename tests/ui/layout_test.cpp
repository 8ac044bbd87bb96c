// The windows' fixed texts and the grid's shape, per product line, written
// out as the owner sees them: captions, kinds, widths, which columns show and
// what their lists offer; the dialogs' captions and labels.
#include <utility>

#include "formats/product_lines.h"
#include "ui/uAddNewSong.h"
#include "ui/ufrmDiskFree.h"
#include "ui/ufrmLogin.h"
#include "ui/ufrmSaveHint.h"
#include "ui/ui_texts.h"
#include "ui_fixture.h"

namespace {

using Names = std::vector<const char8_t*>;

std::vector<std::string> GbkAll(const Names& names) {
  std::vector<std::string> out;
  for (const char8_t* name : names) out.push_back(Gbk(name));
  return out;
}

const Names kLanguages = {u8"国语", u8"英语", u8"粤语", u8"闽南语", u8"日语", u8"韩语", u8"其他"};
const Names kVcdTracks = {u8"VCD伴唱", u8"VCD原唱"};
const Names kAllTracks = {u8"VCD伴唱", u8"VCD原唱", u8"DVD(12)",
                          u8"DVD(21)", u8"DVD(23)", u8"DVD(32)"};

TEST_F(MainForm, EveryProductLineDrawsTheEighteenColumnsWithTheirCaptionsKindsAndWidths) {
  using K = TColumnKind;
  const struct {
    const char8_t* caption;
    K kind;
    int width;
    bool editable;
  } columns[kGridColumns] = {
      {u8"文件夹", K::kText, 60, false},      {u8"编号", K::kText, 65, true},
      {u8"歌曲名称", K::kText, 150, true},    {u8"歌星", K::kText, 90, true},
      {u8"拼音", K::kText, 65, true},         {u8"笔划", K::kText, 80, true},
      {u8"字数", K::kInteger, 65, true},      {u8"音轨类型", K::kDropDown, 80, true},
      {u8"伴唱音轨", K::kDropDown, 80, true}, {u8"原唱音轨", K::kDropDown, 80, true},
      {u8"语种", K::kDropDown, 90, true},     {u8"分类", K::kDropDown, 90, true},
      {u8"风景类型", K::kDropDown, 80, true}, {u8"新歌", K::kCheck, 50, true},
      {u8"排行", K::kCheck, 50, true},        {u8"新歌", K::kDropDown, 99, true},
      {u8"排行", K::kDropDown, 100, true},    {u8"视频文件", K::kText, 100, false},
  };
  for (std::uint8_t product = kProductOru; product <= kProductDovan; ++product) {
    Window w(&env);
    w.Start(product);
    for (int col = 0; col < kGridColumns; ++col) {
      const TGridColumn& c = w.form.lvList.Column(col);
      const auto where = ::testing::Message() << "product " << int(product) << ", column " << col;
      EXPECT_EQ(c.caption, Gbk(columns[col].caption)) << where;
      EXPECT_EQ(c.kind, columns[col].kind) << where;
      EXPECT_EQ(c.width, columns[col].width) << where;
      EXPECT_EQ(c.editable, columns[col].editable) << where;
      EXPECT_EQ(c.shaded, col == kColFolder) << where;
    }
    const TGridColumn& number = w.form.lvList.Column(kColNumber);
    EXPECT_TRUE(number.digitsOnly);
    EXPECT_EQ(number.maxLength, 4u);
    const TGridColumn& words = w.form.lvList.Column(kColWords);
    EXPECT_EQ(words.minimum, 0);
    EXPECT_EQ(words.maximum, 9999);
  }
}

TEST_F(MainForm, EachProductLineShowsItsTitleAndTheListsOfItsShownColumns) {
  Names dovanCategories = {u8"未知"};
  for (const char8_t* name :
       {u8"情歌对唱", u8"军歌", u8"喜庆歌曲", u8"舞曲", u8"校园歌曲", u8"戏曲", u8"儿歌", u8"迪曲",
        u8"民族歌曲", u8"电影", u8"小品", u8"二人转", u8"相声", u8"轻音乐"}) {
    dovanCategories.push_back(name);
  }
  std::vector<std::string> dovanStyles = {Gbk(u8"未知")};
  for (int n = 1; n <= 14; ++n) dovanStyles.push_back(Gbk(u8"风景") + std::to_string(n));

  const struct {
    std::uint8_t product;
    const char8_t* title;
    std::vector<int> hidden;
    std::vector<std::pair<int, std::vector<std::string>>> lists;  // every shown drop-down
  } cases[] = {
      {kProductOru,
       u8"ORU 2.0 版本加歌工具",
       {5, 7, 9, 12, 15, 16},
       {{kColAccomp, GbkAll(kVcdTracks)},
        {kColLanguage, GbkAll(kLanguages)},
        {kColCategory, GbkAll({u8"情歌对唱", u8"军歌", u8"儿歌", u8"生日歌曲", u8"影视插曲",
                               u8"舞曲", u8"迪曲", u8"抒情歌曲", u8"电影", u8"小品", u8"相声",
                               u8"戏曲", u8"二人转", u8"祝福歌曲"})}}},
      {kProductTarvel,
       u8"Tarvel版本加歌工具",
       {7, 9, 12, 13, 14},
       {{kColAccomp, GbkAll(kAllTracks)},
        {kColLanguage, GbkAll(kLanguages)},
        {kColCategory, GbkAll({u8"未知", u8"情歌对唱", u8"军歌", u8"喜庆", u8"嗨曲", u8"校园",
                               u8"戏曲", u8"迪曲", u8"电影", u8"民歌"})},
        {kColNewKind,
         GbkAll({u8"未知", u8"国语新歌", u8"粤语新歌", u8"闽语新歌", u8"校园新歌", u8"网络新歌"})},
        {kColRankKind, GbkAll({u8"未知", u8"新歌排行", u8"国语排行", u8"粤语排行", u8"闽语排行",
                               u8"对唱排行", u8"校园排行", u8"其他"})}}},
      {kProductMirel,
       u8"Mirel系列版本加歌工具",
       {7, 9, 12, 14, 15, 16},
       {{kColAccomp, GbkAll(kAllTracks)},
        {kColLanguage, GbkAll(kLanguages)},
        {kColCategory, GbkAll({u8"未知", u8"情歌对唱", u8"军歌", u8"喜庆", u8"舞曲", u8"校园",
                               u8"戏曲", u8"网络歌曲", u8"电影小品", u8"民歌", u8"流行歌曲"})}}},
      {kProductDovan,
       u8"Dovan加歌工具",
       {14, 15, 16},
       {{kColMedia, GbkAll({u8"VCD", u8"DVD"})},
        {kColAccomp, GbkAll(kVcdTracks)},
        {kColVocal, GbkAll(kVcdTracks)},
        {kColLanguage, GbkAll(kLanguages)},
        {kColCategory, GbkAll(dovanCategories)},
        {kColStyle, dovanStyles}}},
  };
  for (const auto& c : cases) {
    Window w(&env);
    w.Start(c.product);
    const TGrid& grid = w.form.lvList;
    EXPECT_EQ(w.view.caption, Gbk(u8"用户加歌工具(V5.0)--") + Gbk(c.title)) << int(c.product);
    int lists = 0;
    for (int col = 0; col < kGridColumns; ++col) {
      const bool hidden = std::find(c.hidden.begin(), c.hidden.end(), col) != c.hidden.end();
      EXPECT_EQ(grid.Column(col).visible, !hidden) << int(c.product) << ", column " << col;
      if (!hidden && grid.Column(col).kind == TColumnKind::kDropDown) ++lists;
    }
    EXPECT_EQ(lists, static_cast<int>(c.lists.size())) << int(c.product);
    for (const auto& [col, items] : c.lists) {
      EXPECT_EQ(grid.Column(col).items, items) << int(c.product) << ", column " << col;
      EXPECT_EQ(grid.Column(col).dropDownCount, static_cast<int>(items.size()))
          << int(c.product) << ", column " << col;
    }
  }
}

TEST(WindowTexts, TheStartUpMainAndDialogWindowsCarryTheirCaptionsAndLabels) {
  TfrmLogin login;
  login.FormCreate();
  TfrmAddNewSong addNew;
  TfrmSaveHint saveHint;
  TfrmDiskFree diskFree;
  const std::pair<std::string, const char8_t*> texts[] = {
      {login.Caption, u8"用户加歌工具(V5.0)"},
      {login.btnVod.caption, u8"打开vod.txt文档"},
      {login.btnClose.caption, u8"退出加歌曲程序"},
      {ui_text::VodFilter(), u8"vod.txt|*.txt"},
      {ui_text::AddButton(), u8"添加歌曲"},
      {ui_text::CompleteButton(), u8"开始加歌"},
      {ui_text::CloseButton(), u8"关闭"},
      {ui_text::DeleteItem(), u8"删除"},
      {ui_text::ClearItem(), u8"清空"},
      {ui_text::FixedPane(), u8"U盘加歌工具,限于99首"},
      {ui_text::InitialCount(), u8"您目前已加入 0 首歌曲"},
      {addNew.Caption, u8"用户添加歌曲"},
      {addNew.Label2, u8"新加歌曲文件夹为“66”"},
      {addNew.Label1, u8"歌曲开始编号(长度4位)"},
      {addNew.btnFile, u8"添加歌曲文件"},
      {saveHint.Caption, u8"保存歌曲提示信息"},
      {saveHint.Label1, u8"您要把歌曲存入U盘吗？"},
      {saveHint.RzButton1, u8"我要将歌曲存入U盘"},
      {saveHint.RzButton2, u8"我要将歌曲存入其它地方"},
      {diskFree.Caption, u8"目标磁盘空间不足"},
      {diskFree.Label5, u8"Label5"},
      {diskFree.Label1, u8"歌曲所需空间："},
      {diskFree.Label3, u8"Label3"},
      {diskFree.Label2, u8"可用空间："},
      {diskFree.Label4, u8"Label4"},
      {diskFree.BitBtn1, u8"确认"},
  };
  for (const auto& [shown, expected] : texts) EXPECT_EQ(shown, Gbk(expected));

  // The start-up window's product buttons, top to bottom, then btnVod (offered:
  // it loads the list already on a stick) and btnClose.
  const struct {
    const char* name;
    const char8_t* caption;
    std::uint8_t product;
  } buttons[] = {
      {"btnOru", u8"ORU2.0系列 U 盘加歌", kProductOru},
      {"btnTarvel", u8"Tarvel系列 U 盘加歌", kProductTarvel},
      {"btnMirel", u8"Mirel(滑屏)系列 U 盘加歌", kProductMirel},
      {"BitBtn1", u8"Dovan U 盘加歌", kProductDovan},
  };
  ASSERT_EQ(login.ProductButtons.size(), std::size(buttons));
  for (std::size_t i = 0; i < std::size(buttons); ++i) {
    EXPECT_EQ(login.ProductButtons[i].name, buttons[i].name);
    EXPECT_EQ(login.ProductButtons[i].caption, Gbk(buttons[i].caption));
    EXPECT_EQ(login.ProductButtons[i].product, buttons[i].product);
    EXPECT_TRUE(login.ProductButtons[i].visible);
  }
  EXPECT_TRUE(login.btnVod.visible);
  EXPECT_TRUE(login.btnClose.visible);
  EXPECT_EQ(TfrmAddNewSong::kNumberLength, 4u);
}

}  // namespace
