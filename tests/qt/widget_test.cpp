// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's windows, driven as a user drives them: buttons
// clicked, text typed into the grid, dialogs answered. Message boxes and
// file dialogs are answered by FakePrompts; everything else is the real
// program on Qt's offscreen platform.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "qt/copy_panel.h"
#include "qt/dialogs.h"
#include "qt/main_window.h"
#include "qt/prompts.h"
#include "qt/qt_text.h"
#include "support/fake_probe.h"
#include "support/temp_dir.h"
#include "support/test_env.h"
#include "ui/ui_texts.h"

namespace {

struct Box {
  QString caption;
  QString text;
  int kind;
};

class FakePrompts final : public qtui::IPrompts {
 public:
  std::vector<Box> boxes;
  QStringList asked;  // the captions of the questions, each answered with its first button
  QStringList files;
  QString folder;
  void Message(QWidget*, const QString& caption, const QString& text, int kind) override {
    boxes.push_back({caption, text, kind});
  }
  void Notice(QWidget*, const QString& caption, const QString& text) override {
    boxes.push_back({caption, text, -1});
  }
  int Ask(QWidget*, const QString& caption, const QString&, const QStringList&) override {
    asked << caption;
    return 0;
  }
  QString OpenFile(QWidget*, const QString&, const QString&, const QString&) override {
    return files.value(0);
  }
  QStringList OpenFiles(QWidget*, const QString&, const QString&) override { return files; }
  QString saved;      // the file the save dialog gives
  QString savedFrom;  // where it was asked to start
  QString SaveFile(QWidget*, const QString&, const QString& path, const QString&) override {
    savedFrom = path;
    return saved;
  }
  QString Folder(QWidget*, const QString&, const QString&) override { return folder; }
};

// Answers the modal dialogs as they come up: for the dialog of each object
// name, the button of the given name is clicked (once per showing).
class DialogAnswers : public QObject {
 public:
  std::map<QString, QString> clicks;  // dialog name -> button name
  std::function<void()> onTick;       // runs on every turn, e.g. to watch the copy panel
  DialogAnswers() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] {
      if (onTick) onTick();
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || modal == answered_) return;
      const auto found = clicks.find(modal->objectName());
      if (found == clicks.end()) return;
      if (auto* button = modal->findChild<QPushButton*>(found->second)) {
        answered_ = modal;
        QTimer::singleShot(0, button, &QPushButton::click);
      }
    });
    timer_.start();
  }

 private:
  QTimer timer_;
  QWidget* answered_ = nullptr;
};

QString Utf8(const char8_t* text) {
  return QString::fromUtf8(reinterpret_cast<const char*>(text));
}

class WidgetTest : public QObject {
  Q_OBJECT

 private:
  FakePrompts prompts_;
  std::unique_ptr<TempDir> dir_;
  // A stick that takes a millisecond per chunk, so that a copy lasts long
  // enough to be watched and stopped.
  TestEnv slowStick_;

  // A main window started on the product line whose button is named.
  std::unique_ptr<qtui::MainWindow> Start(const QString& button) {
    slowStick_.writeDelay = std::chrono::milliseconds(1);
    auto window = std::make_unique<qtui::MainWindow>(prompts_, &slowStick_);
    DialogAnswers answers;
    answers.clicks["frmLogin"] = button;
    if (!window->Start()) return nullptr;
    window->show();
    return window;
  }
  QString Video(const std::string& name, std::size_t size) {
    return QString::fromStdString(dir_->Write(name, std::string(size, 'v')).string());
  }
  static QString Text(qtui::MainWindow& w, int col, int row) {
    return w.grid()->model()->index(row, col).data().toString();
  }
  // The editor the grid has open (a combo box, a spin box or a line); one
  // closed is hidden until it is deleted.
  static QWidget* Editor(QTableView* table) {
    for (QWidget* editor : table->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const bool kind = qobject_cast<QComboBox*>(editor) != nullptr ||
                        qobject_cast<QAbstractSpinBox*>(editor) != nullptr ||
                        qobject_cast<QLineEdit*>(editor) != nullptr;
      if (kind && editor->isVisible()) return editor;
    }
    return nullptr;
  }
  // Types text into a cell's editor and presses Enter.
  static void Type(qtui::MainWindow& w, int col, int row, const QString& text) {
    QTableView* table = w.grid();
    const QModelIndex at = table->model()->index(row, col);
    table->setCurrentIndex(at);
    table->edit(at);
    QWidget* editor = Editor(table);
    QVERIFY(editor != nullptr);
    if (auto* combo = qobject_cast<QComboBox*>(editor)) editor = combo->lineEdit();
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
      QTest::keyClicks(editor, text);
    } else {
      // Chinese text arrives from the input method as one committed string.
      QInputMethodEvent typed;
      typed.setCommitString(text);
      QApplication::sendEvent(editor, &typed);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    Settle();
  }
  // The editor commits on the next turn, the form's rules on the one after and
  // the window's notices after that: each hop is a posted event, so a fixed
  // number of passes drains them however slowly the machine runs (a timed
  // wait did not, under the sanitizers on a busy machine).
  static void Settle() {
    for (int pass = 0; pass < 8; ++pass) {
      QCoreApplication::sendPostedEvents();
      QCoreApplication::processEvents();
    }
  }
  // "添加歌曲" with the files, keeping the proposed number.
  static void AddFiles(qtui::MainWindow& w, FakePrompts& prompts, const QStringList& files) {
    prompts.files = files;
    DialogAnswers answers;
    answers.clicks["frmAddNewSong"] = "btnFile";
    w.button(TMainButton::kAdd)->click();
    Settle();
  }
  // A main window with n songs "t<i>-s<i>.mpg" (title t<i>, singer s<i>),
  // large enough to show them all, the grid with the focus.
  std::unique_ptr<qtui::MainWindow> WithSongs(const QString& button, int n) {
    auto w = Start(button);
    QStringList files;
    for (int i = 0; i < n; ++i) files << Video(QString("t%1-s%1.mpg").arg(i).toStdString(), 10);
    AddFiles(*w, prompts_, files);
    w->resize(1280, 780);
    QApplication::setActiveWindow(w.get());
    w->grid()->setFocus();
    Settle();
    return w;
  }
  static QPoint CellAt(QTableView* table, int col, int row) {
    return table->visualRect(table->model()->index(row, col)).center();
  }
  static void ClickCell(QTableView* table, int col, int row, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseClick(table->viewport(), Qt::LeftButton, keys, CellAt(table, col, row));
  }
  // A double click as the system delivers it: a click, then a second press
  // that is a double click, then its release.
  static void DoubleClickCell(QTableView* table, int col, int row) {
    const QPoint at = CellAt(table, col, row);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, at);
  }
  static void ClickRowHeader(QTableView* table, int row, Qt::KeyboardModifiers keys = {}) {
    QHeaderView* header = table->verticalHeader();
    const QPoint at(header->width() / 2,
                    header->sectionViewportPosition(row) + header->sectionSize(row) / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, keys, at);
  }
  // The rows the form's grid holds selected.
  static std::vector<int> FormRows(qtui::MainWindow& w) {
    return w.form().Grid().Selection().RowList();
  }
  static std::vector<int> Span(int first, int last) {
    std::vector<int> rows;
    for (int row = first; row <= last; ++row) rows.push_back(row);
    return rows;
  }
  static void Trigger(qtui::MainWindow& w, const char* action) {
    QAction* found = w.findChild<QAction*>(action);
    QVERIFY2(found != nullptr, action);
    found->trigger();
    Settle();
  }

 private slots:
  void init() {
    QStandardPaths::setTestModeEnabled(true);
    prompts_ = FakePrompts();
    dir_ = std::make_unique<TempDir>();
  }

  void startUpButtonsChooseTheProductLine_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("product");
    QTest::addColumn<QString>("title");
    QTest::newRow("ORU") << "btnOru" << 1 << Utf8(u8"ORU 2.0 版本加歌工具");
    QTest::newRow("Tarvel") << "btnTarvel" << 2 << Utf8(u8"Tarvel版本加歌工具");
    QTest::newRow("Mirel") << "btnMirel" << 3 << Utf8(u8"Mirel系列版本加歌工具");
    QTest::newRow("Dovan") << "BitBtn1" << 4 << Utf8(u8"Dovan加歌工具");
  }
  void startUpButtonsChooseTheProductLine() {
    QFETCH(QString, button);
    QFETCH(int, product);
    QFETCH(QString, title);
    auto w = Start(button);
    QVERIFY(w != nullptr);
    QCOMPARE(int(w->form().ProductLine()), product);
    QCOMPARE(w->windowTitle(), Utf8(u8"用户加歌工具(V5.0)--") + title);
    QVERIFY(!w->button(TMainButton::kComplete)->isEnabled());
    QCOMPARE(w->grid()->isColumnHidden(5), product == 1);
  }

  void leavingFromTheStartUpWindowEndsTheProgram() {
    qtui::MainWindow w(prompts_);
    DialogAnswers answers;
    answers.clicks["frmLogin"] = "btnClose";
    QVERIFY(!w.Start());
  }

  void typingATitleFillsPinyinStrokesAndWordCount() {
    auto w = Start("btnTarvel");
    w->form().Grid().AppendRows(1);
    Type(*w, 2, 0, Utf8(u8"海风"));
    QCOMPARE(Text(*w, 4, 0), QString("HF"));
    QCOMPARE(Text(*w, 5, 0), QString("104"));
    QCOMPARE(Text(*w, 6, 0), QString("2"));
  }

  void thePinyinReadingIsChosenInTheToolPanelAndRemembered() {
    QSettings().remove("grid/pinyinReading");
    {
      auto w = Start("btnTarvel");
      QComboBox* box = w->pinyinReadingBox();
      QCOMPARE(box->count(), 2);
      QCOMPARE(box->itemText(0), Utf8(u8"按词组读音"));
      QCOMPARE(box->itemText(1), Utf8(u8"逐字读音"));
      QCOMPARE(box->currentIndex(), 0);
      w->form().Grid().AppendRows(2);
      Type(*w, 2, 0, Utf8(u8"重庆森林"));
      QCOMPARE(Text(*w, 4, 0), QString("CQSL"));
      box->setCurrentIndex(1);
      QVERIFY(w->form().PinyinReading() == TPinyinReading::kPerCharacter);
      Type(*w, 2, 1, Utf8(u8"重庆森林"));
      QCOMPARE(Text(*w, 4, 1), QString("ZQSL"));
      QCOMPARE(Text(*w, 4, 0), QString("CQSL"));  // filled before: kept
      w->form().N2Click();                        // nothing left to ask about when closing
      Settle();
      w->close();
    }
    QCOMPARE(QSettings().value("grid/pinyinReading").toString(), QString("characters"));
    auto w = Start("btnTarvel");
    QCOMPARE(w->pinyinReadingBox()->currentIndex(), 1);
    QVERIFY(w->form().PinyinReading() == TPinyinReading::kPerCharacter);
    QSettings().remove("grid/pinyinReading");
  }

  void theSettingsAnOwnerHasAreReadAndKeptUnderTheirKeys() {
    const QStringList keys = {"run/verify", "files/nameOrder", "folders/target"};
    {
      QSettings stored;  // as an earlier version left them
      stored.setValue("run/verify", false);
      stored.setValue("files/nameOrder", "singer-title");
      stored.setValue("folders/target", Utf8(u8"/media/노래"));  // no GBK form: kept all the same
    }
    {
      auto w = Start("btnTarvel");
      QVERIFY(!w->form().VerifyCopies());
      QVERIFY(!w->findChild<QCheckBox*>("chkVerify")->isChecked());
      QVERIFY(w->form().NameOrder() == TNameOrder::kSingerTitle);
      w->close();
    }
    const QSettings kept;
    QCOMPARE(kept.value("run/verify").toBool(), false);
    QCOMPARE(kept.value("files/nameOrder").toString(), QString("singer-title"));
    QCOMPARE(kept.value("folders/target").toString(), Utf8(u8"/media/노래"));
    for (const QString& key : keys) QSettings().remove(key);
  }

  void choosingDvdSwitchesBothTrackLists() {
    auto w = Start("BitBtn1");
    AddFiles(*w, prompts_, {Video("a-b.mpg", 10)});
    QCOMPARE(w->grid()->model()->rowCount(), 1);
    Type(*w, 7, 0, "DVD");
    QCOMPARE(Text(*w, 8, 0), Utf8(u8"DVD 0 轨"));
    QCOMPARE(Text(*w, 9, 0), Utf8(u8"DVD 1 轨"));
    QTableView* table = w->grid();
    table->edit(table->model()->index(0, 8));
    auto* combo = qobject_cast<QComboBox*>(Editor(table));
    QVERIFY(combo != nullptr);
    QCOMPARE(combo->count(), 8);
  }

  void numberCheckShowsItsMessages() {
    auto w = Start("btnOru");
    AddFiles(*w, prompts_, {Video("a-b.mpg", 10), Video("c-d.mpg", 10)});
    Type(*w, 1, 1, "12a4");
    QCOMPARE(prompts_.boxes.size(), std::size_t{1});
    QCOMPARE(prompts_.boxes[0].text, Utf8(u8"歌曲编号错误"));
    QCOMPARE(prompts_.boxes[0].kind, 1);
    Type(*w, 1, 1, "0000");
    QCOMPARE(prompts_.boxes.back().text, Utf8(u8"编号0000重复，请更改"));
    QCOMPARE(w->grid()->currentIndex().row(), 1);
  }

  void typedTextWithoutGbkFormIsRefused() {
    auto w = Start("btnOru");
    w->form().Grid().AppendRows(1);
    Type(*w, 3, 0, Utf8(u8"가수"));
    QCOMPARE(Text(*w, 3, 0), QString());
    QVERIFY(!prompts_.boxes.empty());
  }

  void fullRunShowsTheCopyPanelMovesTheBarAndEndsDone() {
    auto w = Start("btnOru");
    AddFiles(*w, prompts_, {Video("a-b.mpg", 200000), Video("c-d.mpg", 200000)});
    QVERIFY(w->button(TMainButton::kComplete)->isEnabled());
    std::filesystem::create_directory(dir_->path() / "out");
    prompts_.folder = QString::fromStdString((dir_->path() / "out").string());
    DialogAnswers answers;
    answers.clicks["frmSaveHint"] = "RzButton2";
    bool panelSeen = false;
    bool buttonsDisabled = false;
    std::set<int> values;
    answers.onTick = [&] {
      if (w->copyPanel()->isVisible()) panelSeen = true;
      if (!w->button(TMainButton::kAdd)->isEnabled()) buttonsDisabled = true;
      values.insert(w->copyPanel()->progressBar()->value());
    };
    // The copy lets the event loop run per chunk, so the sampler sees it.
    QTimer::singleShot(0, w->button(TMainButton::kComplete), &QPushButton::click);
    QTRY_VERIFY_WITH_TIMEOUT(!prompts_.boxes.empty(), 20000);
    QVERIFY(panelSeen);
    QVERIFY(buttonsDisabled);
    QVERIFY(values.size() > 3);
    QCOMPARE(prompts_.boxes.back().text, Utf8(u8"用户加歌完成"));
    QVERIFY(!w->copyPanel()->isVisible());
    QVERIFY(w->button(TMainButton::kAdd)->isEnabled());
    QVERIFY(std::filesystem::exists(dir_->path() / "out/vod/660001.dat"));
  }

  void cancelStopsTheCopyAndTellsWhatWasCopied() {
    auto w = Start("btnOru");
    AddFiles(*w, prompts_,
             {Video("a-b.mpg", 100000), Video("c-d.mpg", 400000), Video("e-f.mpg", 100000)});
    std::filesystem::create_directory(dir_->path() / "out");
    prompts_.folder = QString::fromStdString((dir_->path() / "out").string());
    DialogAnswers answers;
    answers.clicks["frmSaveHint"] = "RzButton2";
    answers.onTick = [&] {
      qtui::CopyPanel* panel = w->copyPanel();
      if (panel->isVisible() && panel->songLabel()->text().contains("2/3") &&
          panel->progressBar()->value() > 0 && panel->cancelButton()->isEnabled()) {
        panel->cancelButton()->click();
      }
    };
    QTimer::singleShot(0, w->button(TMainButton::kComplete), &QPushButton::click);
    QTRY_VERIFY_WITH_TIMEOUT(!prompts_.boxes.empty(), 20000);
    QCOMPARE(prompts_.boxes.back().caption, Utf8(u8"加歌未完成"));
    const auto out = dir_->path() / "out/vod";
    QVERIFY(std::filesystem::exists(out / "660000.dat"));
    QVERIFY(!std::filesystem::exists(out / "660001.dat"));
    QVERIFY(!std::filesystem::exists(out / "660001.dat.part"));
    QCOMPARE(QString::fromStdString(TempDir::Read(out / "vod.txt")),
             QString("a;b;1;A;660000;2;1;8;1;1\r\n"));
  }

  // The new-song dialog's number box: the editing keys work, pasted text
  // keeps its digits, Tab leaves the box, Escape cancels.
  void newSongDialogKeysWorkAsOwnersExpect() {
    TfrmAddNewSong form;
    form.FormCreate();
    form.FNumber = "0000";
    qtui::AddSongDialog dialog(form, prompts_);
    form.FormActivate();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    auto* number = dialog.findChild<QLineEdit*>("edtNum");
    QVERIFY(number != nullptr);
    number->setFocus();
    const struct {
      const char* what;
      QString clipboard;
      QString before;
      QString after;
    } pastes[] = {
        {"digits", "0042", "0000", "0042"},
        {"blanks and letters dropped", " 00a42x", "0000", "0042"},
        {"four at most", "123456", "0000", "1234"},
    };
    for (const auto& p : pastes) {
      number->setText(p.before);
      QTest::keyClick(number, Qt::Key_A, Qt::ControlModifier);  // select all
      QApplication::clipboard()->setText(p.clipboard);
      QTest::keyClick(number, Qt::Key_V, Qt::ControlModifier);
      QVERIFY2(number->text() == p.after, p.what);
    }
    QCOMPARE(form.FNumber, std::string("1234"));
    QTest::keyClicks(number, "x");
    QCOMPARE(number->text(), QString("1234"));
    QTest::keyClick(number, Qt::Key_Tab);
    QVERIFY(dialog.focusWidget() != nullptr);
    QCOMPARE(dialog.focusWidget()->objectName(), QString("btnFile"));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(form.FileCount(), 0);
  }

  void marksAreDrawnApartWithTheirTips() {
    auto w = Start("btnTarvel");
    AddFiles(*w, prompts_, {Video("a-b.mpg", 10), Video("a - b.avi", 10), Video("丆海-c.mpg", 10)});
    auto at = [&](int col, int row) { return w->grid()->model()->index(row, col); };
    const QVariant twice = at(2, 1).data(Qt::BackgroundRole);
    const QVariant doubtful = at(4, 2).data(Qt::BackgroundRole);
    QVERIFY(twice.isValid() && doubtful.isValid() && twice != doubtful);
    QVERIFY(!at(1, 0).data(Qt::BackgroundRole).isValid());
    QVERIFY(at(2, 1).data(Qt::ToolTipRole).toString().startsWith(Utf8(u8"与第 1 行（编号 0000）")));
    QVERIFY(at(4, 2).data(Qt::ToolTipRole).toString().contains(Utf8(u8"丆")));
    // The owner's own singer and pinyin: nothing is marked any more.
    Type(*w, 3, 1, "x");
    Type(*w, 4, 2, "XH");
    QVERIFY(!at(2, 0).data(Qt::BackgroundRole).isValid());
    QVERIFY(!at(4, 2).data(Qt::BackgroundRole).isValid());
  }

  void numberCellTakesFourDigitsOnly() {
    auto w = Start("btnOru");
    AddFiles(*w, prompts_, {Video("a-b.mpg", 10)});
    Type(*w, 1, 0, "1a2b345");
    QCOMPARE(Text(*w, 1, 0), QString("1234"));
  }

  void closingTheSaveHintCancelsTheRun() {
    auto w = Start("btnOru");
    AddFiles(*w, prompts_, {Video("a-b.mpg", 10)});
    prompts_.folder = QString::fromStdString((dir_->path() / "out").string());
    DialogAnswers answers;
    answers.onTick = [] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal != nullptr && modal->objectName() == "frmSaveHint") {
        QTest::keyClick(modal, Qt::Key_Escape);
      }
    };
    w->button(TMainButton::kComplete)->click();
    QCOMPARE(int(w->form().LastRun()), int(TfrmMain::TRunResult::kRefused));
    QVERIFY(prompts_.boxes.empty());
    QVERIFY(!std::filesystem::exists(dir_->path() / "out"));
  }

  // What the form tells of the stick shows in the strip between the tool
  // panel and the grid, in red when the stick is in trouble; a long line is
  // cut short rather than widen the window.
  void theStickStripShowsWhatTheFormSays() {
    auto w = Start("btnTarvel");
    QLabel* strip = w->stickStrip();
    QVERIFY(strip != nullptr);
    const QWidget* tools = w->findChild<QWidget*>("ToolPanel");
    const int width = w->width();
    const struct {
      QString text;
      bool trouble;
    } cases[] = {
        {Utf8(u8"U盘 E:\\：歌曲列表 30 首，可用 1.20G，下一个编号 0030"), false},
        {Utf8(u8"U盘 E:\\ 的 vod.txt 读不出"), true},
        {Utf8(u8"没有找到U盘"), false},  // in order again: the colour too
        {Utf8(u8"很长的文件夹名").repeated(40), false},
    };
    for (const auto& c : cases) {
      TStickView stick;
      stick.text = qtui::FromQt(c.text).value();
      stick.trouble = c.trouble;
      w->StickChanged(stick);
      Settle();
      QCOMPARE(strip->text(), c.text);
      QCOMPARE(strip->palette().color(QPalette::WindowText) == QColor(Qt::red), c.trouble);
      QVERIFY(strip->isVisible());
      QVERIFY(strip->geometry().top() > tools->geometry().bottom());
      QVERIFY(strip->geometry().bottom() < w->grid()->geometry().top());
      QVERIFY(strip->contentsRect().height() >= strip->fontMetrics().height());
      QCOMPARE(w->width(), width);
    }
  }

  // The grid's menu offers the grid's commands; undo and redo name their
  // step and are offered when the form can take it. Delete, Ctrl+Z on the
  // grid and the menu's entry do as the form says.
  void theGridsMenuOffersUndoWhenTheFormCan() {
    auto w = Start("btnOru");
    AddFiles(*w, prompts_, {Video("a-b.mpg", 10), Video("c-d.mpg", 10)});
    QTableView* table = w->grid();
    auto* menu = table->findChild<QMenu*>("mnuGrid");
    QVERIFY(menu != nullptr);
    QStringList names;
    for (const QAction* action : menu->actions()) {
      if (!action->isSeparator()) names << action->objectName();
    }
    QCOMPARE(names, QStringList({"actBatchEdit", "actCopy", "actPaste", "actFillDown", "actUndo",
                                 "actRedo", "N1", "N2"}));
    QAction* undo = w->findChild<QAction*>("actUndo");
    QAction* redo = w->findChild<QAction*>("actRedo");
    // The menu as a right click on the grid shows it: undo's and redo's
    // texts, "" when not offered.
    auto shown = [&] {
      emit table->customContextMenuRequested(QPoint(5, 5));
      const bool visible = menu->isVisible();
      const QStringList texts = {undo->isEnabled() ? undo->text() : QString(),
                                 redo->isEnabled() ? redo->text() : QString()};
      menu->hide();
      return visible ? texts : QStringList();
    };
    auto rows = [&] { return table->model()->rowCount(); };
    QCOMPARE(shown(), QStringList({Utf8(u8"撤销添加歌曲"), QString()}));

    QApplication::setActiveWindow(w.get());
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, 2));
    QTest::keyClick(table, Qt::Key_Delete);  // 删除
    Settle();
    QCOMPARE(rows(), 1);
    QCOMPARE(shown(), QStringList({Utf8(u8"撤销删除"), QString()}));
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
    Settle();
    QCOMPARE(rows(), 2);
    QCOMPARE(Text(*w, 2, 0), QString("a"));  // back where it was
    QCOMPARE(shown(), QStringList({Utf8(u8"撤销添加歌曲"), Utf8(u8"重做删除")}));

    const int before = rows();
    w->form().N2Click();  // 清空, answered yes
    Settle();
    QCOMPARE(rows(), 0);
    QCOMPARE(shown().value(0), Utf8(u8"撤销清空"));
    undo->trigger();  // chosen in the menu as it was shown
    Settle();
    QCOMPARE(rows(), before);
  }

  // Every way a spreadsheet selects reaches the form's grid, the current
  // cell in step with the view's.
  void theGridSelectsAsASpreadsheetAndTheFormFollows() {
    using Steps = std::function<void(QTableView*)>;
    const struct {
      const char* what;
      Steps steps;
      std::vector<int> rows;
      std::size_t columns;  // how many the selection touches
    } cases[] = {
        {"click", [](QTableView* t) { ClickCell(t, 2, 1); }, {1}, 1},
        {"shift+click",
         [](QTableView* t) {
           ClickCell(t, 2, 1);
           ClickCell(t, 3, 4, Qt::ShiftModifier);
         },
         Span(1, 4), 2},
        {"ctrl+click",
         [](QTableView* t) {
           ClickCell(t, 2, 1);
           ClickCell(t, 2, 3, Qt::ControlModifier);
         },
         {1, 3},
         1},
        {"ctrl+click takes a cell out again",
         [](QTableView* t) {
           ClickCell(t, 2, 1);
           ClickCell(t, 2, 3, Qt::ShiftModifier);
           ClickCell(t, 2, 2, Qt::ControlModifier);
         },
         {1, 3},
         1},
        {"row headers",
         [](QTableView* t) {
           ClickRowHeader(t, 1);
           ClickRowHeader(t, 3, Qt::ShiftModifier);
         },
         Span(1, 3), kGridColumns},
        {"shift+arrows",
         [](QTableView* t) {
           ClickCell(t, 2, 0);
           QTest::keyClick(t, Qt::Key_Down, Qt::ShiftModifier);
           QTest::keyClick(t, Qt::Key_Down, Qt::ShiftModifier);
         },
         Span(0, 2), 1},
        {"a drag",
         [](QTableView* t) {
           QTest::mousePress(t->viewport(), Qt::LeftButton, {}, CellAt(t, 2, 1));
           QTest::mouseMove(t->viewport(), CellAt(t, 3, 2));
           QTest::mouseMove(t->viewport(), CellAt(t, 3, 3));
           QTest::mouseRelease(t->viewport(), Qt::LeftButton, {}, CellAt(t, 3, 3));
         },
         Span(1, 3), 2},
        {"ctrl+a", [](QTableView* t) { QTest::keyClick(t, Qt::Key_A, Qt::ControlModifier); },
         Span(0, 5), kGridColumns},
    };
    auto w = WithSongs("btnOru", 6);
    QTableView* table = w->grid();
    for (const auto& c : cases) {
      c.steps(table);
      Settle();
      QVERIFY2(FormRows(*w) == c.rows, c.what);
      QVERIFY2(w->form().Grid().Selection().ColumnList().size() == c.columns, c.what);
      QVERIFY2(w->form().Grid().CurrentRow() == table->currentIndex().row(), c.what);
      QVERIFY2(w->form().Grid().CurrentCol() == table->currentIndex().column(), c.what);
    }
  }

  // What the form selects by itself shows in the view, and is not sent back
  // changed.
  void theFormsSelectionShowsInTheGrid() {
    auto w = WithSongs("btnOru", 5);
    QTableView* table = w->grid();
    auto selected = [&](int col, int row) {
      return table->selectionModel()->isSelected(table->model()->index(row, col));
    };
    const std::vector<TCellRange> block = {{2, 1, 4, 3}};
    w->form().Grid().SetSelection(block);
    Settle();
    QVERIFY(selected(2, 1) && selected(4, 3));
    QVERIFY(!selected(5, 1) && !selected(2, 0) && !selected(2, 4));
    QVERIFY(w->form().Grid().Selection().Ranges() == block);
    // The form moves the current cell outside the selection: it alone.
    w->form().Grid().SetCurrent(3, 4);
    Settle();
    QCOMPARE(table->currentIndex(), table->model()->index(4, 3));
    QCOMPARE(table->selectionModel()->selectedIndexes().size(), 1);
    QVERIFY(selected(3, 4));
  }

  void ctrlCPutsTheSelectedCellsOnTheClipboard() {
    auto w = WithSongs("btnOru", 3);
    QTableView* table = w->grid();
    QApplication::clipboard()->clear();
    ClickCell(table, 2, 0);
    ClickCell(table, 3, 1, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("t0\ts0\r\nt1\ts1\r\n"));
  }

  void ctrlVPastesABlockFromTheCurrentCell() {
    auto w = WithSongs("btnOru", 4);
    QTableView* table = w->grid();
    QApplication::clipboard()->setText(Utf8(u8"甲歌\t甲\r\n乙歌\t乙\r\n"));
    ClickCell(table, 2, 1);
    QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
    Settle();
    const QString expected[4][2] = {
        {"t0", "s0"}, {Utf8(u8"甲歌"), Utf8(u8"甲")}, {Utf8(u8"乙歌"), Utf8(u8"乙")}, {"t3", "s3"}};
    for (int row = 0; row < 4; ++row) {
      QCOMPARE(Text(*w, 2, row), expected[row][0]);
      QCOMPARE(Text(*w, 3, row), expected[row][1]);
    }
  }

  // Ctrl+V in a cell's editor: a block from a spreadsheet closes the editor
  // unchanged and pastes into the grid; one cell is typed into the editor,
  // without the line break after it.
  void ctrlVInAnEditorPastesABlockIntoTheGrid() {
    const struct {
      const char* what;
      QString clipboard;
      bool editorStays;
      QString editorText;
      QString titles[2];
    } cases[] = {
        {"a column", Utf8(u8"测试甲\n测试乙"), false, {}, {Utf8(u8"测试甲"), Utf8(u8"测试乙")}},
        {"a row", Utf8(u8"测试甲\t歌手"), false, {}, {Utf8(u8"测试甲"), "t1"}},
        {"one cell", Utf8(u8"测试甲\r\n"), true, Utf8(u8"测试甲"), {"t0", "t1"}},
    };
    for (const auto& c : cases) {
      auto w = WithSongs("btnOru", 2);
      QTableView* table = w->grid();
      ClickCell(table, 2, 0);
      QTest::keyClick(table, Qt::Key_F2);
      auto* line = qobject_cast<QLineEdit*>(Editor(table));
      QVERIFY2(line != nullptr, c.what);
      line->clear();
      QApplication::clipboard()->setText(c.clipboard);
      QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
      Settle();
      QVERIFY2((Editor(table) != nullptr) == c.editorStays, c.what);
      if (c.editorStays) QVERIFY2(line->text() == c.editorText, c.what);
      QVERIFY2(Text(*w, 2, 0) == c.titles[0], c.what);
      QVERIFY2(Text(*w, 2, 1) == c.titles[1], c.what);
    }
  }

  void undoAndRedoKeysTakeAnEditBackAndAgain_data() {
    QTest::addColumn<int>("redoKey");
    QTest::addColumn<int>("redoModifiers");
    QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Shift+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier | Qt::ShiftModifier);
  }
  void undoAndRedoKeysTakeAnEditBackAndAgain() {
    QFETCH(int, redoKey);
    QFETCH(int, redoModifiers);
    auto w = WithSongs("btnOru", 2);
    QTableView* table = w->grid();
    const QString pinyin = Text(*w, 4, 0);
    Type(*w, 2, 0, Utf8(u8"海风"));
    QCOMPARE(Text(*w, 4, 0), QString("HF"));  // the title rule ran
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
    Settle();
    QCOMPARE(Text(*w, 2, 0), QString("t0"));
    QCOMPARE(Text(*w, 4, 0), pinyin);  // the derived cells too
    QTest::keyClick(table, Qt::Key(redoKey), Qt::KeyboardModifiers(redoModifiers));
    Settle();
    QCOMPARE(Text(*w, 2, 0), Utf8(u8"海风"));
    QCOMPARE(Text(*w, 4, 0), QString("HF"));
  }

  void ctrlDFillsTheFirstSelectedRowDown() {
    auto w = WithSongs("btnOru", 4);
    QTableView* table = w->grid();
    ClickCell(table, 3, 0);
    ClickCell(table, 3, 2, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_D, Qt::ControlModifier);
    Settle();
    const QString singers[] = {"s0", "s0", "s0", "s3"};
    for (int row = 0; row < 4; ++row) QCOMPARE(Text(*w, 3, row), singers[row]);
    QCOMPARE(Text(*w, 2, 1), QString("t1"));  // only the column selected
  }

  // The owner's case: 15 songs to 粤语 with the row headers, a double click
  // on a language cell and the name chosen in the list that opens.
  void aDropDownChoiceSetsEverySelectedRow() {
    auto w = WithSongs("btnOru", 16);
    QTableView* table = w->grid();
    const QString cantonese = Utf8(u8"粤语");
    const TStringList& names = w->form().Grid().Column(kColLanguage).items;
    const auto found = std::find(names.begin(), names.end(), qtui::FromQt(cantonese).value_or(""));
    QVERIFY(found != names.end());
    ClickRowHeader(table, 0);
    ClickRowHeader(table, 14, Qt::ShiftModifier);
    QCOMPARE(FormRows(*w), Span(0, 14));
    DoubleClickCell(table, kColLanguage, 5);
    Settle();
    QCOMPARE(FormRows(*w), Span(0, 14));  // the double click kept the selection
    auto* combo = qobject_cast<QComboBox*>(Editor(table));
    QVERIFY(combo != nullptr);
    QVERIFY(combo->view()->isVisible());  // the list is open
    QAbstractItemView* list = combo->view();
    const QModelIndex item = list->model()->index(int(found - names.begin()), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    Settle();
    QVERIFY(Editor(table) == nullptr);
    for (int row = 0; row < 15; ++row) QCOMPARE(Text(*w, kColLanguage, row), cantonese);
    QVERIFY(Text(*w, kColLanguage, 15) != cantonese);
    QVERIFY(prompts_.boxes.empty());
    QCOMPARE(FormRows(*w), Span(0, 14));
  }

  // Enter keeps a typed text to its cell; Ctrl+Enter gives it to every
  // selected row.
  void ctrlEnterCommitsTypedTextToTheSelectedRows_data() {
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("changed");
    QTest::newRow("Enter") << int(Qt::NoModifier) << 1;
    QTest::newRow("Ctrl+Enter") << int(Qt::ControlModifier) << 3;
  }
  void ctrlEnterCommitsTypedTextToTheSelectedRows() {
    QFETCH(int, modifiers);
    QFETCH(int, changed);
    auto w = WithSongs("btnOru", 4);
    QTableView* table = w->grid();
    ClickCell(table, 3, 2);
    ClickCell(table, 3, 0, Qt::ShiftModifier);  // the current cell on the first row
    QTest::keyClick(table, Qt::Key_F2);
    auto* line = qobject_cast<QLineEdit*>(Editor(table));
    QVERIFY(line != nullptr);
    line->selectAll();
    QTest::keyClicks(line, "zz");
    QTest::keyClick(line, Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
    Settle();
    int zz = 0;
    for (int row = 0; row < 4; ++row) zz += Text(*w, 3, row) == "zz" ? 1 : 0;
    QCOMPARE(zz, changed);
    QCOMPARE(Text(*w, 3, 0), QString("zz"));
    QCOMPARE(Text(*w, 3, 3), QString("s3"));
  }

  // A check box clicked on a row of the selection is set on every selected
  // row, and the selection stays.
  void aCheckBoxClickedInTheSelectionSetsEveryRow() {
    auto w = WithSongs("btnOru", 5);
    QTableView* table = w->grid();
    auto checked = [&](int row) {
      return table->model()->index(row, kColNewFlag).data(Qt::CheckStateRole).toInt() ==
             Qt::Checked;
    };
    const bool was = checked(1);
    ClickRowHeader(table, 1);
    ClickRowHeader(table, 3, Qt::ShiftModifier);
    QStyleOptionViewItem option;
    option.initFrom(table->viewport());
    option.rect = table->visualRect(table->model()->index(2, kColNewFlag));
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        table->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, table);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, box.center());
    Settle();
    const bool expected[] = {was, !was, !was, !was, was};
    for (int row = 0; row < 5; ++row) QCOMPARE(checked(row), expected[row]);
    QCOMPARE(FormRows(*w), Span(1, 3));
  }

  // The batch dialog: a field per column, unchanged first; the preview
  // follows each field; 确定 applies to the selected rows, 取消 and Escape
  // change nothing.
  void theBatchDialogSetsColumnsOfTheSelectedRows_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("applied");
    QTest::newRow("ok") << "btnOk" << true;
    QTest::newRow("cancel") << "btnCancel" << false;
    QTest::newRow("escape") << "" << false;
  }
  void theBatchDialogSetsColumnsOfTheSelectedRows() {
    QFETCH(QString, answer);
    QFETCH(bool, applied);
    auto w = WithSongs("btnOru", 4);
    QTableView* table = w->grid();
    ClickRowHeader(table, 0);
    ClickRowHeader(table, 2, Qt::ShiftModifier);
    const QString cantonese = Utf8(u8"粤语");
    QString caption, hint, firstChoice;
    QStringList before, afterLanguage, afterSinger;
    int checkChoices = 0;
    bool seen = false;
    auto lines = [](QListWidget* list) {
      QStringList texts;
      for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
      return texts;
    };
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (seen || dialog == nullptr || dialog->objectName() != "frmBatchEdit") return;
      seen = true;
      caption = dialog->windowTitle();
      hint = dialog->findChild<QLabel*>("lblHint")->text();
      auto* preview = dialog->findChild<QListWidget*>("lstPreview");
      before = lines(preview);
      auto* language = dialog->findChild<QComboBox*>(QString("field%1").arg(kColLanguage));
      firstChoice = language->itemText(0);
      language->setCurrentIndex(language->findText(cantonese));
      afterLanguage = lines(preview);
      auto* singer = dialog->findChild<QLineEdit*>(QString("field%1").arg(kColSinger));
      QTest::keyClicks(singer, "x");
      afterSinger = lines(preview);
      checkChoices = dialog->findChild<QComboBox*>(QString("field%1").arg(kColNewFlag))->count();
      if (answer.isEmpty()) {
        QTest::keyClick(dialog, Qt::Key_Escape);
      } else {
        dialog->findChild<QPushButton*>(answer)->click();
      }
    });
    poll.start(5);
    Trigger(*w, "actBatchEdit");
    QVERIFY(seen);
    QCOMPARE(caption, Utf8(u8"批量修改"));
    QVERIFY(hint.contains("3"));
    QCOMPARE(firstChoice, Utf8(u8"（不改）"));
    QCOMPARE(checkChoices, 3);
    QCOMPARE(before, QStringList{Utf8(u8"（没有要改动的）")});
    QCOMPARE(afterLanguage.size(), 3);
    for (const QString& line : afterLanguage) QVERIFY(line.contains(cantonese));
    QCOMPARE(afterSinger.size(), 6);
    for (int row = 0; row < 4; ++row) {
      const bool set = applied && row < 3;
      QCOMPARE(Text(*w, kColLanguage, row) == cantonese, set);
      QCOMPARE(Text(*w, kColSinger, row) == "x", set);
    }
  }

  // F1 and 帮助 > 使用说明 open the one help window with the owner's text.
  void helpOpensTheInstructions() {
    auto w = WithSongs("btnOru", 1);
    QVERIFY(w->helpWindow() == nullptr);
    QTest::keyClick(w->grid(), Qt::Key_F1);
    Settle();
    qtui::HelpWindow* help = w->helpWindow();
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    QCOMPARE(help->windowTitle(), Utf8(u8"使用说明"));
    const QString text = help->browser()->toPlainText();
    QVERIFY(text.contains(Utf8(u8"开始加歌")));
    QVERIFY(!text.contains("##"));  // drawn as Markdown, not shown as its source
    help->close();
    Trigger(*w, "actHelp");
    QCOMPARE(w->helpWindow(), help);
    QVERIFY(help->isVisible());
  }

  // Markdown's soft line break is a space; between Chinese characters the
  // help window leaves none.
  void theHelpJoinsChineseLinesWithoutASpace_data() {
    QTest::addColumn<QString>("markdown");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a paragraph") << Utf8(u8"一行\n二行") << Utf8(u8"一行二行");
    QTest::newRow("a list item") << Utf8(u8"1. 甲行，\n   “乙行”") << Utf8(u8"甲行，“乙行”");
    QTest::newRow("two paragraphs") << Utf8(u8"一段\n\n二段") << Utf8(u8"一段\n二段");
    QTest::newRow("before a Latin word") << Utf8(u8"按\nCtrl+Z") << Utf8(u8"按 Ctrl+Z");
  }
  void theHelpJoinsChineseLinesWithoutASpace() {
    QFETCH(QString, markdown);
    QFETCH(QString, shown);
    qtui::HelpWindow help(markdown);
    QCOMPARE(help.browser()->toPlainText(), shown);
  }

  void columnCaptionsTellWhatTheColumnMeans() {
    auto w = Start("btnOru");
    QAbstractItemModel* model = w->grid()->model();
    QSet<QString> tips;
    for (int col = 0; col < kGridColumns; ++col) {
      const QString tip = model->headerData(col, Qt::Horizontal, Qt::ToolTipRole).toString();
      QCOMPARE(tip, qtui::ToQt(ui_text::ColumnTip(col)));
      tips << tip;
    }
    QCOMPARE(tips.size(), int(kGridColumns));
    QCOMPARE(model->headerData(kColLanguage, Qt::Horizontal, Qt::ToolTipRole).toString(),
             Utf8(u8"语种：歌曲的语言，按语种点歌时用"));
  }

  // 导出歌曲列表… asks where through the save dialog; 导入修改… takes the
  // table back, as one step.
  void theListGoesOutAndCorrectionsComeBack() {
    auto w = WithSongs("btnOru", 2);
    const QString file = QString::fromStdString((dir_->path() / "list.csv").string());
    prompts_.saved = file;
    Trigger(*w, "actExport");  // the question answered with its first button: the table
    QVERIFY(prompts_.savedFrom.endsWith(Utf8(u8"/歌曲列表.csv")));
    QString csv = QString::fromStdString(TempDir::Read(dir_->path() / "list.csv"));
    QVERIFY(csv.contains("0001,t1,s1,"));
    csv.replace("0001,t1,s1,", Utf8(u8"0001,新名,s1,"));
    dir_->Write("fixed.csv", csv.toStdString());
    prompts_.files = {QString::fromStdString((dir_->path() / "fixed.csv").string())};
    Trigger(*w, "actImport");
    QCOMPARE(Text(*w, 2, 1), Utf8(u8"新名"));
    QCOMPARE(Text(*w, 2, 0), QString("t0"));
    Trigger(*w, "actUndo");
    QCOMPARE(Text(*w, 2, 1), QString("t1"));
  }

  // The menu bar: the list, the grid's commands and the help.
  void theMenuBarOffersTheGridsCommands() {
    auto w = WithSongs("btnOru", 2);
    QStringList titles;
    for (QAction* menu : w->menuBar()->actions()) titles << menu->text();
    QCOMPARE(titles, QStringList({Utf8(u8"歌曲列表"), Utf8(u8"编辑"), Utf8(u8"帮助")}));
    auto* edit = w->menuBar()->findChild<QMenu*>("mnuEdit");
    QVERIFY(edit != nullptr);
    QStringList names;
    for (const QAction* action : edit->actions()) {
      if (!action->isSeparator()) names << action->objectName();
    }
    QCOMPARE(names, QStringList({"actUndo", "actRedo", "actCopy", "actPaste", "actFillDown",
                                 "actBatchEdit", "actSelectAll"}));
    Type(*w, 3, 0, "x");
    edit->popup(QPoint(0, 0));
    QCOMPARE(edit->actions()[0]->text(), Utf8(u8"撤销修改"));
    QVERIFY(edit->actions()[0]->isEnabled());
    QVERIFY(!edit->actions()[1]->isEnabled());
    edit->hide();
    QVERIFY(edit->actions()[1]->isEnabled());  // its keys work again
  }

  void theFormsFiltersAreShownAsQtsOwn_data() {
    QTest::addColumn<QString>("forms");
    QTest::addColumn<QString>("qt");
    QTest::newRow("one") << "vod.txt|*.txt"
                         << "vod.txt (*.txt)";
    QTest::newRow("several patterns") << "V|*.mpg *.avi"
                                      << "V (*.mpg *.avi)";
    QTest::newRow("two") << "A|*.a;B|*.b"
                         << "A (*.a);;B (*.b)";
    QTest::newRow("patterns in the name")
        << Utf8(u8"CSV 表格 (*.csv)|*.csv") << Utf8(u8"CSV 表格 (*.csv)");
  }
  void theFormsFiltersAreShownAsQtsOwn() {
    QFETCH(QString, forms);
    QFETCH(QString, qt);
    QCOMPARE(qtui::QtFilter(forms), qt);
  }

  // Closing the window during a copy asks once; yes stops the copy, the
  // run tells what it copied, and the window closes without asking again.
  void closingDuringACopyAsksOnceAndClosesAfterTheReport() {
    auto w = Start("btnOru");
    AddFiles(*w, prompts_,
             {Video("a-b.mpg", 100000), Video("c-d.mpg", 400000), Video("e-f.mpg", 100000)});
    std::filesystem::create_directory(dir_->path() / "out");
    prompts_.folder = QString::fromStdString((dir_->path() / "out").string());
    DialogAnswers answers;
    answers.clicks["frmSaveHint"] = "RzButton2";
    bool closeTried = false;
    bool keptOpen = false;
    answers.onTick = [&] {
      qtui::CopyPanel* panel = w->copyPanel();
      if (!closeTried && panel->isVisible() && panel->songLabel()->text().contains("2/3") &&
          panel->progressBar()->value() > 0) {
        closeTried = true;
        keptOpen = !w->close() && w->isVisible();
      }
    };
    QTimer::singleShot(0, w->button(TMainButton::kComplete), &QPushButton::click);
    QTRY_VERIFY_WITH_TIMEOUT(!prompts_.boxes.empty(), 20000);
    QVERIFY(closeTried);
    QVERIFY(keptOpen);  // until the run has told what it copied
    QCOMPARE(prompts_.asked, QStringList{qtui::ToQt(ui_text::ConfirmCloseCaption())});
    QCOMPARE(prompts_.boxes.back().caption, Utf8(u8"加歌未完成"));
    QTRY_VERIFY(!w->isVisible());
    QCOMPARE(prompts_.asked.size(), 1);
    const auto out = dir_->path() / "out/vod";
    QVERIFY(std::filesystem::exists(out / "660000.dat"));
    QVERIFY(!std::filesystem::exists(out / "660001.dat"));
  }

  // The folder browser opens in the folder it is given.
  void theFolderBrowserStartsInTheFolderGiven() {
    const QString start = QString::fromStdString((dir_->path() / "stick").string());
    QDir().mkpath(start);
    QString shown;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        shown = dialog->directory().absolutePath();
        static_cast<QDialog*>(dialog)->accept();  // as its Choose button does
      }
    });
    poll.start(10);
    qtui::StandardPrompts standard;
    const QString chosen = standard.Folder(nullptr, Utf8(u8"请选择文件夹"), start);
    QCOMPARE(shown, start);
    QCOMPARE(chosen, start);
  }

  void diskSpaceDialogFitsALongMountPointAndShowsBothSizes() {
    TfrmDiskFree form;
    form.SetDrive("/media/owner/KINGSTON DataTraveler 3.0/");
    form.SetNeedText("1.20G");
    form.SetFreeText("300M");
    qtui::DiskFreeDialog dialog(form);
    dialog.show();
    QCoreApplication::processEvents();
    for (const char* name : {"Label3", "Label4", "Label2", "Label5"}) {
      auto* label = dialog.findChild<QLabel*>(name);
      QVERIFY(label != nullptr);
      QVERIFY2(label->isVisible(), name);
      QVERIFY2(label->geometry().right() < dialog.width(), name);
      QVERIFY2(label->geometry().bottom() < dialog.height(), name);
    }
    QCOMPARE(dialog.findChild<QLabel*>("Label3")->text(), QString("1.20G"));
    QCOMPARE(dialog.findChild<QLabel*>("Label4")->text(), QString("300M"));
    QVERIFY(dialog.findChild<QLabel*>("Label5")->toolTip().contains("KINGSTON DataTraveler 3.0"));
  }

  void videosAreLookedAtOnThreadsAndToldInTheTipAndTheStatusBar() {
    FakeProbe probe;
    auto w = Start("btnTarvel");
    w->form().SetMediaProbe(&probe, 2);
    const QString good = Video("a-b.mpg", 10), cut = Video("c-d.mpg", 10);
    probe.Set(cut.toStdString(), FakeProbe::Refused(media::Verdict::kTruncated));
    probe.Set(good.toStdString(), FakeProbe::Vcd(2));
    AddFiles(*w, prompts_, {good, cut});
    // The facts come back as posted events from the probes' threads.
    for (int pass = 0; pass < 200 && w->form().Grid().RowCount() != 1; ++pass) {
      QTest::qWait(5);
    }
    Settle();
    QCOMPARE(w->form().Grid().RowCount(), 1);
    QCOMPARE(prompts_.boxes.size(), std::size_t{1});
    QVERIFY(prompts_.boxes[0].text.contains("c-d.mpg"));
    auto at = [&](int col, int row) { return w->grid()->model()->index(row, col); };
    const QString tip = at(17, 0).data(Qt::ToolTipRole).toString();
    QVERIFY2(tip.contains(Utf8(u8"视频：MPEG-1 352×240")), qPrintable(tip));
    // Two audio streams, a VCD channel chosen: the track cell says so.
    QVERIFY(at(8, 0).data(Qt::ToolTipRole).toString().contains(Utf8(u8"2 路音频")));
    ClickCell(w->grid(), 2, 0);
    Settle();
    QVERIFY2(w->mediaPane()->text().startsWith("MPEG-PS 3:35"), qPrintable(w->mediaPane()->text()));
    w.reset();  // the window and its probes' threads go before the probe
  }
};

}  // namespace

QTEST_MAIN(WidgetTest)
#include "widget_test.moc"
