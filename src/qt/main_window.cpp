// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "qt/copy_panel.h"
#include "qt/dialogs.h"
#include "qt/grid_delegates.h"
#include "qt/grid_model.h"
#include "qt/prompts.h"
#include "qt/qt_text.h"
#include "qt/settings_store.h"
#include "ui/owner_help.h"
#include "ui/settings.h"
#include "ui/ui_texts.h"

namespace qtui {
namespace {

// A message the form posted to its own window (2048-2050).
class NotifyEvent final : public QEvent {
 public:
  static QEvent::Type Kind() {
    static const auto kind = static_cast<QEvent::Type>(QEvent::registerEventType());
    return kind;
  }
  NotifyEvent(unsigned message, std::int64_t lparam)
      : QEvent(Kind()), message(message), lparam(lparam) {}
  const unsigned message;
  const std::int64_t lparam;
};

// The stick's strip: one line, cut short with "…" where the window is
// narrower than the text, so that it never widens the window.
class StripLabel final : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
  }
};

// How often the form is asked whether USB disks came or went.
constexpr int kUsbPollMs = 2000;

// The song grid's view. A click on a cell of a selection of many selects
// that cell alone, as a spreadsheet does (Qt would keep the selection and
// start editing the cell); a double click there edits the cell with the
// selection kept, and a check box clicked there is set on every selected
// row. A drop-down opened by a double click or F2 shows its list at once.
class GridView final : public QTableView {
 public:
  GridView(const TGrid& grid, QWidget* parent) : QTableView(parent), grid_(grid) {}
  using QTableView::edit;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    held_ = QItemSelection();
    const QModelIndex at = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier && at.isValid() &&
        selectionModel()->isSelected(at) && SelectsMany()) {
      held_ = selectionModel()->selection();
      heldAt_ = at;
    }
    QTableView::mousePressEvent(event);
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    if (!held_.isEmpty() && indexAt(event->position().toPoint()) == heldAt_) {
      selectionModel()->select(held_, QItemSelectionModel::ClearAndSelect);
    }
    held_ = QItemSelection();
    QTableView::mouseDoubleClickEvent(event);
  }
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override {
    const bool editable = (model()->flags(index) & Qt::ItemIsEditable) != 0;
    if (trigger == SelectedClicked && !held_.isEmpty() && editable) return false;
    const bool editing = QTableView::edit(index, trigger, event);
    const bool opened = trigger == DoubleClicked || trigger == EditKeyPressed;
    if (editing && opened && grid_.Column(index.column()).kind == TColumnKind::kDropDown) {
      if (auto* combo = qobject_cast<QComboBox*>(indexWidget(index))) {
        QTimer::singleShot(0, combo, [combo] { combo->showPopup(); });
      }
    }
    return editing;
  }

 private:
  bool SelectsMany() const {
    const QItemSelection selection = selectionModel()->selection();
    return selection.size() > 1 ||
           (selection.size() == 1 && (selection[0].width() > 1 || selection[0].height() > 1));
  }
  const TGrid& grid_;
  QItemSelection held_;  // the selection a press on it may take back
  QPersistentModelIndex heldAt_;
};

}  // namespace

MainWindow::MainWindow(IPrompts& prompts, platform::Env* env, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), form_(*this, env) {
  setObjectName("frmMain");
  setWindowTitle(ToQt(ui_text::ToolCaption()));

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* tools = new QWidget(central);
  tools->setObjectName("ToolPanel");
  auto* toolLayout = new QHBoxLayout(tools);
  toolLayout->setContentsMargins(6, 4, 6, 4);
  const std::pair<const char*, const std::string*> names[] = {
      {"btnAdd", &ui_text::AddButton()},
      {"btnComplete", &ui_text::CompleteButton()},
      {"btnClose", &ui_text::CloseButton()},
  };
  for (int i = 0; i < 3; ++i) {
    buttons_[i] = new QPushButton(ToQt(*names[i].second), tools);
    buttons_[i]->setObjectName(names[i].first);
    buttons_[i]->setMinimumSize(96, 30);
    toolLayout->addWidget(buttons_[i]);
  }
  verify_ = new QCheckBox(ToQt(ui_text::VerifySetting()), tools);
  verify_->setObjectName("chkVerify");
  verify_->setChecked(true);
  connect(verify_, &QCheckBox::toggled, this, [this](bool on) { form_.SetVerifyCopies(on); });
  toolLayout->addSpacing(12);
  toolLayout->addWidget(verify_);
  toolLayout->addSpacing(12);
  buttons_[3] = new QPushButton(ToQt(ui_text::RestoreButton()), tools);
  buttons_[3]->setObjectName("btnRestore");
  buttons_[3]->setMinimumSize(buttons_[3]->sizeHint().width() + 16, 30);
  toolLayout->addWidget(buttons_[3]);
  toolLayout->addSpacing(12);
  auto* readingLabel = new QLabel(ToQt(ui_text::PinyinReadingLabel()), tools);
  pinyinReading_ = new QComboBox(tools);
  pinyinReading_->setObjectName("cbPinyinReading");
  for (TPinyinReading reading : kPinyinReadings) {
    pinyinReading_->addItem(ToQt(ui_text::PinyinReadingName(reading)));
  }
  readingLabel->setBuddy(pinyinReading_);
  connect(pinyinReading_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) form_.SetPinyinReading(kPinyinReadings[index]);
  });
  toolLayout->addWidget(readingLabel);
  toolLayout->addWidget(pinyinReading_);
  toolLayout->addStretch();
  connect(buttons_[0], &QPushButton::clicked, this, [this] { form_.btnAddClick(); });
  connect(buttons_[1], &QPushButton::clicked, this, [this] { form_.btnCompleteClick(); });
  connect(buttons_[2], &QPushButton::clicked, this, [this] { form_.btnCloseClick(); });
  connect(buttons_[3], &QPushButton::clicked, this, [this] { form_.btnRestoreClick(); });
  layout->addWidget(tools);

  // The stick's strip, between the tool panel and the grid.
  strip_ = new StripLabel(central);
  strip_->setObjectName("lblStick");
  strip_->setContentsMargins(6, 2, 6, 2);
  strip_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  strip_->setFixedHeight(strip_->fontMetrics().height() + 6);
  stripColours_ = strip_->palette();
  layout->addWidget(strip_);

  BuildGrid();
  BuildActions();
  BuildMenus();
  layout->addWidget(table_, 1);
  setCentralWidget(central);

  auto* fixed = new QLabel(ToQt(ui_text::FixedPane()), this);
  songCount_ = new QLabel(ToQt(ui_text::InitialCount()), this);
  songCount_->setObjectName("edtSongCount");
  for (QLabel* pane : {fixed, songCount_}) {
    pane->setStyleSheet("color: red;");
    statusBar()->addWidget(pane, pane == fixed ? 0 : 1);
  }
  // What the current row's video holds.
  mediaPane_ = new QLabel(this);
  mediaPane_->setObjectName("lblMedia");
  statusBar()->addWidget(mediaPane_, 2);

  panel_ = new CopyPanel(central);
  panel_->hide();
  // Un-maximized, the buttons, a few rows of the grid, the status bar and
  // the copy panel stay in view.
  setMinimumSize(panel_->width() + 80, panel_->height() + 160);
  connect(panel_, &CopyPanel::cancelClicked, this, [this] { form_.CancelCopy(); });

  // Started once the form is made (Start); the form looks only when the
  // disks changed and nothing while the window is busy.
  usbTimer_ = new QTimer(this);
  usbTimer_->setInterval(kUsbPollMs);
  connect(usbTimer_, &QTimer::timeout, this, [this] { form_.PollUsb(); });
}

MainWindow::~MainWindow() {
  // No probe may post to the window while it goes.
  form_.SetMediaProbe(nullptr, 0);
  // The grid model goes before the form's grid it watches.
  table_->setModel(nullptr);
  delete model_;
  model_ = nullptr;
}

void MainWindow::BuildGrid() {
  model_ = new GridModel(form_, this);
  table_ = new GridView(form_.Grid(), this);
  table_->setObjectName("lvList");
  table_->setModel(model_);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setSelectionBehavior(QAbstractItemView::SelectItems);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  table_->setContextMenuPolicy(Qt::CustomContextMenu);
  table_->verticalHeader()->setDefaultSectionSize(24);
  for (int col = 0; col < kGridColumns; ++col) {
    const TGridColumn& column = form_.Grid().Column(col);
    table_->setColumnWidth(col, column.width);
    CellDelegate* delegate = nullptr;
    if (column.kind == TColumnKind::kInteger) {
      delegate = new IntegerDelegate(form_.Grid(), table_);
    } else if (column.kind == TColumnKind::kText) {
      delegate = new TextDelegate(form_.Grid(), table_);
    } else if (column.kind == TColumnKind::kDropDown) {
      delegate = new DropDownDelegate(form_.Grid(), table_);
    }
    if (delegate == nullptr) continue;
    table_->setItemDelegateForColumn(col, delegate);
    // After the editor has gone.
    connect(delegate, &CellDelegate::blockPasted, this, &MainWindow::PasteCells,
            Qt::QueuedConnection);
  }
  table_->horizontalHeader()->setStretchLastSection(true);

  connect(model_, &GridModel::columnVisibilityChanged, table_,
          [this](int col, bool visible) { table_->setColumnHidden(col, !visible); });
  connect(model_, &GridModel::enabledChanged, table_, &QWidget::setEnabled);
  connect(model_, &GridModel::repaintRequested, table_->viewport(), qOverload<>(&QWidget::update));
  connect(model_, &GridModel::scrollToColumn, table_, [this](int col) {
    table_->horizontalScrollBar()->setValue(table_->columnViewportPosition(col) +
                                            table_->horizontalScrollBar()->value());
  });
  connect(model_, &GridModel::currentCellChanged, table_, [this](int col, int row) {
    // The current cell moves alone; the selection follows the grid's own.
    followingCurrent_ = true;
    table_->selectionModel()->setCurrentIndex(row < 0 ? QModelIndex() : model_->index(row, col),
                                              QItemSelectionModel::NoUpdate);
    followingCurrent_ = false;
  });
  connect(model_, &GridModel::gridSelectionChanged, this, &MainWindow::ShowSelection);
  connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (followingCurrent_ || model_->ChangingRows()) return;
            // The grid selects a current cell outside its selection alone;
            // the view's selection is the one that stands.
            pushingSelection_ = true;
            form_.Grid().SetCurrent(current.isValid() ? current.column() : 0,
                                    current.isValid() ? current.row() : -1);
            pushingSelection_ = false;
            PushSelection();
          });
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &MainWindow::PushSelection);
  connect(table_, &QTableView::clicked, this,
          [this](const QModelIndex& at) { form_.lvListCellClick(at.column(), at.row()); });

  // Video files dropped from a file manager.
  table_->setAcceptDrops(true);
  table_->viewport()->setAcceptDrops(true);
  table_->setDragDropMode(QAbstractItemView::DropOnly);
  table_->viewport()->installEventFilter(this);
}

void MainWindow::BuildActions() {
  // An action's keys work where the grid itself has the focus; in a cell's
  // editor they stay the editor's own (Ctrl+Z, Ctrl+C ...).
  const auto add = [this](const char* name, const std::string& text,
                          const QList<QKeySequence>& keys, auto handler) {
    auto* action = new QAction(ToQt(text), this);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, handler);
    table_->addAction(action);
    gridActions_ << action;
    return action;
  };
  QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
  for (const QKeySequence& key :
       {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
    if (!redoKeys.contains(key)) redoKeys << key;
  }
  undo_ = add("actUndo", ui_text::UndoItem(), QKeySequence::keyBindings(QKeySequence::Undo),
              [this] { form_.Undo(); });
  redo_ = add("actRedo", ui_text::RedoItem(), redoKeys, [this] { form_.Redo(); });
  add("actCopy", ui_text::CopyItem(), QKeySequence::keyBindings(QKeySequence::Copy),
      [this] { CopyCells(); });
  add("actPaste", ui_text::PasteItem(), QKeySequence::keyBindings(QKeySequence::Paste),
      [this] { PasteCells(); });
  add("actFillDown", ui_text::FillDownItem(), {QKeySequence(Qt::CTRL | Qt::Key_D)},
      [this] { form_.FillDown(); });
  add("actBatchEdit", ui_text::BatchEditItem(), {}, [this] { form_.BatchEditClick(); });
  add("actSelectAll", ui_text::SelectAllItem(), QKeySequence::keyBindings(QKeySequence::SelectAll),
      [this] { form_.Grid().SelectAll(); });
  // The Delete key deletes the current row, as "删除" does.
  add("N1", ui_text::DeleteItem(), QKeySequence::keyBindings(QKeySequence::Delete),
      [this] { form_.N1Click(); });
  add("N2", ui_text::ClearItem(), {}, [this] { form_.N2Click(); });
  add("actExport", ui_text::ExportItem(), {}, [this] { form_.ExportClick(); });
  add("actImport", ui_text::ImportItem(), {}, [this] { form_.ImportClick(); });
}

void MainWindow::BuildMenus() {
  const auto action = [this](const char* name) { return findChild<QAction*>(name); };
  // Undo and redo name the step they take, and each entry is offered while
  // the grid takes it; the keys work again once the menu has gone.
  const auto follow = [this](QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this] {
      const bool enabled = form_.Grid().Enabled();
      for (QAction* a : gridActions_) a->setEnabled(enabled);
      undo_->setText(ToQt(form_.UndoItemText()));
      redo_->setText(ToQt(form_.RedoItemText()));
      undo_->setEnabled(enabled && form_.CanUndo());
      redo_->setEnabled(enabled && form_.CanRedo());
    });
    connect(menu, &QMenu::aboutToHide, this, [this] {
      for (QAction* a : gridActions_) a->setEnabled(true);
    });
  };

  QMenu* list = menuBar()->addMenu(ToQt(ui_text::ListMenu()));
  list->setObjectName("mnuList");
  list->addAction(action("actExport"));
  list->addAction(action("actImport"));
  follow(list);

  QMenu* edit = menuBar()->addMenu(ToQt(ui_text::EditMenu()));
  edit->setObjectName("mnuEdit");
  for (const char* name : {"actUndo", "actRedo", "", "actCopy", "actPaste", "actFillDown",
                           "actBatchEdit", "", "actSelectAll"}) {
    if (*name == '\0') {
      edit->addSeparator();
    } else {
      edit->addAction(action(name));
    }
  }
  follow(edit);

  QMenu* help = menuBar()->addMenu(ToQt(ui_text::HelpMenu()));
  help->setObjectName("mnuHelp");
  QAction* instructions = help->addAction(ToQt(ui_text::HelpItem()));
  instructions->setObjectName("actHelp");
  instructions->setShortcut(QKeySequence::HelpContents);
  instructions->setShortcutContext(Qt::WindowShortcut);
  addAction(instructions);
  connect(instructions, &QAction::triggered, this, &MainWindow::ShowHelp);

  // The grid's own menu, on a right click.
  auto* menu = new QMenu(table_);
  menu->setObjectName("mnuGrid");
  for (const char* name : {"actBatchEdit", "", "actCopy", "actPaste", "actFillDown", "", "actUndo",
                           "actRedo", "", "N1", "N2"}) {
    if (*name == '\0') {
      menu->addSeparator();
    } else {
      menu->addAction(action(name));
    }
  }
  follow(menu);
  connect(table_, &QWidget::customContextMenuRequested, this, [this, menu](const QPoint& at) {
    if (form_.Grid().Enabled()) menu->popup(table_->viewport()->mapToGlobal(at));
  });
}

void MainWindow::PushSelection() {
  if (showingSelection_ || model_->ChangingRows()) return;
  std::vector<TCellRange> ranges;
  for (const QItemSelectionRange& range : table_->selectionModel()->selection()) {
    ranges.push_back({range.left(), range.top(), range.right(), range.bottom()});
  }
  if (ranges == form_.Grid().Selection().Ranges()) return;
  pushingSelection_ = true;
  form_.Grid().SetSelection(ranges);
  pushingSelection_ = false;
}

void MainWindow::ShowSelection() {
  if (pushingSelection_) return;
  const int rows = model_->rowCount();
  QItemSelection selection;
  for (const TCellRange& range : form_.Grid().Selection().Ranges()) {
    if (range.row0 >= rows) continue;
    selection.select(model_->index(range.row0, range.col0),
                     model_->index(std::min(range.row1, rows - 1), range.col1));
  }
  if (selection == table_->selectionModel()->selection()) return;
  showingSelection_ = true;
  table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  showingSelection_ = false;
}

void MainWindow::CopyCells() {
  const std::string text = form_.CopyText();
  if (!text.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void MainWindow::PasteCells() {
  form_.Paste(QGuiApplication::clipboard()->text().toStdString());
}

HelpWindow* MainWindow::helpWindow() const {
  return static_cast<HelpWindow*>(help_.data());
}

void MainWindow::ShowHelp() {
  // One window, kept when closed: it opens again where the owner was reading.
  if (help_ == nullptr) help_ = new HelpWindow(QString::fromStdString(OwnerHelpMarkdown()), this);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != table_->viewport()) return QMainWindow::eventFilter(watched, event);
  if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
    auto* drag = static_cast<QDropEvent*>(event);
    if (drag->mimeData()->hasUrls() && form_.Grid().Enabled()) {
      drag->acceptProposedAction();
      return true;
    }
  }
  if (event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    QStringList files;
    for (const QUrl& url : drop->mimeData()->urls()) {
      if (url.isLocalFile()) files << url.toLocalFile();
    }
    drop->acceptProposedAction();
    form_.AddDroppedFiles(GbkPaths(files, prompts_, this));
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::Start() {
  LoadSettings();
  form_.FormCreate();
  if (form_.Terminated()) return false;
  TSettings::LoadAfterStart(QtSettingsStore(), form_);
  // The form looked at the stick as it opened; from now on it is told when
  // USB disks come or go.
  usbTimer_->start();
  return true;
}

QPushButton* MainWindow::button(TMainButton which) const {
  return buttons_[static_cast<int>(which)];
}

// ---- IMainView ----

void MainWindow::SetCaption(const std::string& text) {
  setWindowTitle(ToQt(text));
}

void MainWindow::SetStatusText(const std::string& text) {
  songCount_->setText(ToQt(text));
  songCount_->repaint();
}

void MainWindow::SetMediaText(const std::string& text) {
  mediaPane_->setText(ToQt(text));
  mediaPane_->setToolTip(mediaPane_->text());
}

void MainWindow::SetButtonEnabled(TMainButton which, bool enabled) {
  button(which)->setEnabled(enabled);
}

void MainWindow::CopyPanelChanged(const TCopyPanel& panel) {
  if (panel.visible && !panel_->isVisible()) {
    PlacePanel();
    panel_->show();
    panel_->raise();
  } else if (!panel.visible) {
    panel_->hide();
  }
  // Drawn on the next turn of the event loop, with whatever else changed.
  panel_->Show(panel);
}

void MainWindow::PlacePanel() {
  // Centred across the window, above its vertical middle.
  const QWidget* area = centralWidget();
  panel_->move(std::max(0, (area->width() - panel_->width()) / 2),
               std::max(0, (area->height() - 2 * panel_->height()) / 2));
}

void MainWindow::CloseWindow() {
  close();
}

void MainWindow::PostMessage(unsigned message, std::int64_t lparam) {
  QCoreApplication::postEvent(this, new NotifyEvent(message, lparam));
}

void MainWindow::ProcessMessages() {
  // Turns come at most every kMessageLoopInterval (ui/views.h).
  if (pumped_.isValid() && pumped_.elapsed() < kMessageLoopInterval.count()) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  pumped_.start();
}

void MainWindow::customEvent(QEvent* event) {
  if (event->type() == NotifyEvent::Kind()) {
    const auto* notify = static_cast<NotifyEvent*>(event);
    form_.HandleMessage(notify->message, notify->lparam);
  }
}

void MainWindow::ShowBox(const std::string& caption, const std::string& text, int kind) {
  prompts_.Message(this, ToQt(caption), ToQt(text), kind);
}

int MainWindow::Ask(const TQuestion& question) {
  return AskQuestion(prompts_, this, question);
}

std::optional<std::string> MainWindow::ChooseFolder(const std::string& prompt,
                                                    const std::string& start) {
  const QString folder =
      prompts_.Folder(this, ToQt(prompt), start.empty() ? targetFolder_ : ToQt(start));
  if (folder.isEmpty()) return std::nullopt;
  const std::vector<std::string> path = GbkPaths({folder}, prompts_, this);
  if (path.empty()) return std::nullopt;
  targetFolder_ = folder;
  return path.front();
}

void MainWindow::StickChanged(const TStickView& stick) {
  strip_->setText(ToQt(stick.text));
  strip_->setToolTip(strip_->text());
  QPalette colours = stripColours_;
  if (stick.trouble) colours.setColor(QPalette::WindowText, Qt::red);
  strip_->setPalette(colours);
}

namespace {
// Places a dialog in the middle of its owner, or of the screen while the
// owner is not shown (the start-up window).
void CentreOn(QWidget& dialog, const QWidget& owner) {
  QRect area;
  if (owner.isVisible()) {
    area = owner.frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  } else {
    return;
  }
  dialog.move(area.center() - dialog.rect().center());
}
}  // namespace

void MainWindow::ShowModal(TfrmLogin& form) {
  LoginDialog dialog(form, prompts_, vodFolder_, this);
  CentreOn(dialog, *this);
  dialog.exec();
}

void MainWindow::ShowModal(TfrmAddNewSong& form) {
  AddSongDialog dialog(form, prompts_, this);
  CentreOn(dialog, *this);
  form.FormActivate();
  dialog.exec();
}

void MainWindow::ShowModal(TfrmSaveHint& form) {
  SaveHintDialog dialog(form, this);
  CentreOn(dialog, *this);
  dialog.exec();
}

void MainWindow::ShowModal(TfrmDiskFree& form) {
  DiskFreeDialog dialog(form, this);
  CentreOn(dialog, *this);
  dialog.exec();
}

void MainWindow::ShowModal(TfrmBatchEdit& form) {
  BatchEditDialog dialog(form, prompts_, this);
  dialog.adjustSize();  // centred at the size it shows with
  CentreOn(dialog, *this);
  dialog.exec();
}

std::optional<std::string> MainWindow::ChooseSaveFile(const std::string& title,
                                                      const std::string& filter,
                                                      const std::string& name) {
  return ListFile(prompts_.SaveFile(this, ToQt(title), QDir(ListFolder()).filePath(ToQt(name)),
                                    QtFilter(ToQt(filter))));
}

std::optional<std::string> MainWindow::ChooseOpenFile(const std::string& title,
                                                      const std::string& filter) {
  return ListFile(prompts_.OpenFile(this, ToQt(title), ListFolder(), QtFilter(ToQt(filter))));
}

QString MainWindow::ListFolder() const {
  return listFolder_.isEmpty() ? QDir::homePath() : listFolder_;
}

std::optional<std::string> MainWindow::ListFile(const QString& file) {
  if (file.isEmpty()) return std::nullopt;
  listFolder_ = QFileInfo(file).absolutePath();
  const std::vector<std::string> path = GbkPaths({file}, prompts_, this);
  if (path.empty()) return std::nullopt;
  return path.front();
}

// ---- Window events ----

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!form_.FormCloseQuery()) {
    event->ignore();
    return;
  }
  usbTimer_->stop();
  SaveSettings();
  form_.FormDestroy();
  event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  form_.FormResize();
  if (panel_->isVisible()) PlacePanel();
}

void MainWindow::LoadSettings() {
  TWindowFolders folders;
  TSettings::LoadBeforeStart(QtSettingsStore(), form_, folders);
  vodFolder_ = QString::fromStdString(folders.vod);
  targetFolder_ = QString::fromStdString(folders.target);
  // The tool panel shows what the form now holds.
  verify_->setChecked(form_.VerifyCopies());
  for (int i = 0; i < static_cast<int>(std::size(kPinyinReadings)); ++i) {
    if (kPinyinReadings[i] == form_.PinyinReading()) pinyinReading_->setCurrentIndex(i);
  }
}

void MainWindow::SaveSettings() {
  QtSettingsStore store;
  TSettings::Save(store, form_, {vodFolder_.toStdString(), targetFolder_.toStdString()});
}

}  // namespace qtui
