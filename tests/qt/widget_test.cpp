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
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "qt/copy_panel.h"
#include "qt/dialogs.h"
#include "qt/main_window.h"
#include "qt/prompts.h"
#include "qt/qt_text.h"
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
  // The editor the grid opened (a combo box, a spin box or a line).
  static QWidget* Editor(QTableView* table) {
    if (auto* combo = table->viewport()->findChild<QComboBox*>()) return combo;
    if (auto* spin = table->viewport()->findChild<QAbstractSpinBox*>()) return spin;
    return table->viewport()->findChild<QLineEdit*>();
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

  // The grid's menu has 撤销删除 after 删除 and 清空, enabled when the form
  // can undo; Ctrl+Z on the grid and the menu entry undo as the form says.
  void theGridsMenuOffersUndoWhenTheFormCan() {
    auto w = Start("btnOru");
    AddFiles(*w, prompts_, {Video("a-b.mpg", 10), Video("c-d.mpg", 10)});
    QTableView* table = w->grid();
    auto* menu = table->findChild<QMenu*>();
    QVERIFY(menu != nullptr);
    QStringList names;
    for (const QAction* action : menu->actions()) names << action->objectName();
    QCOMPARE(names, QStringList({"N1", "N2", "N3"}));
    QAction* undo = menu->actions()[2];
    QCOMPARE(undo->text(), Utf8(u8"撤销删除"));
    // The menu as a right click on the grid shows it.
    auto undoShown = [&] {
      emit table->customContextMenuRequested(QPoint(5, 5));
      const bool shown = menu->isVisible();
      const bool enabled = undo->isEnabled();
      menu->hide();
      return shown && enabled;
    };
    auto rows = [&] { return table->model()->rowCount(); };
    QVERIFY(!w->form().CanUndoDelete());
    QVERIFY(!undoShown());

    QApplication::setActiveWindow(w.get());
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, 2));
    QTest::keyClick(table, Qt::Key_Delete);  // 删除
    Settle();
    QCOMPARE(rows(), 1);
    QVERIFY(w->form().CanUndoDelete());
    QVERIFY(undoShown());
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
    Settle();
    QCOMPARE(rows(), 2);
    QCOMPARE(Text(*w, 2, 0), QString("a"));  // back where it was
    QVERIFY(!undoShown());

    const int before = rows();
    w->form().N2Click();  // 清空, answered yes
    Settle();
    QCOMPARE(rows(), 0);
    QVERIFY(undoShown());
    undo->trigger();  // chosen in the menu as it was shown
    Settle();
    QCOMPARE(rows(), before);
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
};

}  // namespace

QTEST_MAIN(WidgetTest)
#include "widget_test.moc"
