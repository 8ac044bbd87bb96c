// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
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
  layout->addWidget(table_, 1);
  setCentralWidget(central);

  auto* fixed = new QLabel(ToQt(ui_text::FixedPane()), this);
  songCount_ = new QLabel(ToQt(ui_text::InitialCount()), this);
  songCount_->setObjectName("edtSongCount");
  for (QLabel* pane : {fixed, songCount_}) {
    pane->setStyleSheet("color: red;");
    statusBar()->addWidget(pane, pane == fixed ? 0 : 1);
  }

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
  // The grid model goes before the form's grid it watches.
  table_->setModel(nullptr);
  delete model_;
  model_ = nullptr;
}

void MainWindow::BuildGrid() {
  model_ = new GridModel(form_, this);
  table_ = new QTableView(this);
  table_->setObjectName("lvList");
  table_->setModel(model_);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  table_->setContextMenuPolicy(Qt::CustomContextMenu);
  table_->verticalHeader()->setDefaultSectionSize(24);
  for (int col = 0; col < kGridColumns; ++col) {
    const TGridColumn& column = form_.Grid().Column(col);
    table_->setColumnWidth(col, column.width);
    if (column.kind == TColumnKind::kInteger) {
      table_->setItemDelegateForColumn(col, new IntegerDelegate(form_.Grid(), table_));
    } else if (column.kind == TColumnKind::kText && column.digitsOnly) {
      table_->setItemDelegateForColumn(col, new TextDelegate(form_.Grid(), table_));
    } else if (column.kind == TColumnKind::kDropDown) {
      table_->setItemDelegateForColumn(col, new DropDownDelegate(form_.Grid(), table_));
    }
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
    followingCurrent_ = true;
    table_->setCurrentIndex(row < 0 ? QModelIndex() : model_->index(row, col));
    followingCurrent_ = false;
  });
  connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (followingCurrent_) return;
            form_.Grid().SetCurrent(current.isValid() ? current.column() : 0,
                                    current.isValid() ? current.row() : -1);
          });
  connect(table_, &QTableView::clicked, this,
          [this](const QModelIndex& at) { form_.lvListCellClick(at.column(), at.row()); });

  auto* menu = new QMenu(table_);
  QAction* remove = menu->addAction(ToQt(ui_text::DeleteItem()));
  remove->setObjectName("N1");
  QAction* clear = menu->addAction(ToQt(ui_text::ClearItem()));
  clear->setObjectName("N2");
  QAction* undo = menu->addAction(ToQt(ui_text::UndoDeleteItem()));
  undo->setObjectName("N3");
  connect(remove, &QAction::triggered, this, [this] { form_.N1Click(); });
  connect(clear, &QAction::triggered, this, [this] { form_.N2Click(); });
  connect(undo, &QAction::triggered, this, [this] { form_.UndoDelete(); });
  connect(menu, &QMenu::aboutToShow, this,
          [this, undo] { undo->setEnabled(form_.CanUndoDelete()); });
  connect(table_, &QWidget::customContextMenuRequested, this, [this, menu](const QPoint& at) {
    if (form_.Grid().Enabled()) menu->popup(table_->viewport()->mapToGlobal(at));
  });
  // The Delete key deletes the current row, as "删除" does.
  auto* del = new QShortcut(QKeySequence::Delete, table_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(del, &QShortcut::activated, this, [this] { form_.N1Click(); });
  // Ctrl+Z on the grid brings back what the last "删除" or "清空" removed; in
  // a cell's editor it stays the editor's own.
  auto* undoKey = new QShortcut(QKeySequence::Undo, table_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(undoKey, &QShortcut::activated, this, [this] { form_.UndoDelete(); });

  // Video files dropped from a file manager.
  table_->setAcceptDrops(true);
  table_->viewport()->setAcceptDrops(true);
  table_->setDragDropMode(QAbstractItemView::DropOnly);
  table_->viewport()->installEventFilter(this);
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
