// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/dialogs.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "model/window_side.h"
#include "qt/prompts.h"
#include "qt/qt_text.h"
#include "ui/grid_rules.h"
#include "ui/ui_texts.h"

namespace qtui {
namespace {

// The start-up window's frame: a caption without buttons. The other dialogs
// add the close button.
constexpr Qt::WindowFlags kCaptionOnly = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
constexpr Qt::WindowFlags kCaptionAndClose = kCaptionOnly | Qt::WindowCloseButtonHint;

QPushButton* Button(QWidget* parent, const char* name, const std::string& caption, QRect place) {
  auto* button = new QPushButton(ToQt(caption), parent);
  button->setObjectName(name);
  button->setGeometry(place);
  button->setAutoDefault(false);
  return button;
}

QLabel* Label(QWidget* parent, const char* name, const std::string& text, QPoint at) {
  auto* label = new QLabel(ToQt(text), parent);
  label->setObjectName(name);
  label->move(at);
  label->adjustSize();
  return label;
}

QFont PixelFont(const QFont& base, int pixels) {
  QFont font = base;
  font.setPixelSize(pixels);
  return font;
}

}  // namespace

std::vector<std::string> GbkPaths(const QStringList& files, IPrompts& prompts, QWidget* parent) {
  std::vector<std::string> utf8;
  for (const QString& file : files)
    utf8.push_back(QFileInfo(file).absoluteFilePath().toStdString());
  TChosenPaths paths = GbkPathsOf(utf8);
  if (!paths.refused.empty()) {
    prompts.Message(parent, ToQt(ui_text::ToolCaption()),
                    QString::fromStdString(RefusedPathsMessage(paths.refused)), kMsgWarning);
  }
  return std::move(paths.gbk);
}

FormValidator::FormValidator(std::function<std::string(const std::string&)> keep, QObject* parent)
    : QValidator(parent), keep_(std::move(keep)) {}

QValidator::State FormValidator::validate(QString& input, int& pos) const {
  const QString kept = ToQt(keep_(FromQt(input).value_or("")));
  if (kept != input) {
    input = kept;
    pos = std::min<int>(pos, static_cast<int>(kept.size()));
  }
  return Acceptable;
}

// ---- Start-up window ----

LoginDialog::LoginDialog(TfrmLogin& form, IPrompts& prompts, QString& lastFolder, QWidget* parent)
    : QDialog(parent, kCaptionOnly), form_(form), prompts_(prompts), lastFolder_(lastFolder) {
  setObjectName("frmLogin");
  setWindowTitle(ToQt(form.Caption));
  setFixedSize(266, 256);
  // A button per product line from the top, 40 pixels apart, then the open
  // button (offered, so the others leave it room) and the one that leaves.
  std::vector<const TfrmLogin::TButton*> buttons;
  for (const auto& b : form.ProductButtons) buttons.push_back(&b);
  buttons.push_back(&form.btnVod);
  buttons.push_back(&form.btnClose);
  const QFont font = PixelFont(this->font(), 14);
  int top = 8;
  for (const TfrmLogin::TButton* b : buttons) {
    QPushButton* button = Button(this, b->name.c_str(), b->caption, QRect(16, top, 225, 25));
    top += 40;
    button->setFont(font);
    button->setVisible(b->visible);
    connect(button, &QPushButton::clicked, this, [this, b] {
      if (b == &form_.btnVod) {
        form_.btnVodClick();
      } else if (b == &form_.btnClose) {
        form_.btnCloseClick();
      } else {
        form_.ChooseProduct(b->product);
      }
    });
  }
  form_.SetView(this);
}

LoginDialog::~LoginDialog() {
  form_.SetView(nullptr);
}

std::optional<std::string> LoginDialog::ChooseFile(const std::string& title,
                                                   const std::string& filter,
                                                   const std::string& start) {
  const QString folder = start.empty() ? lastFolder_ : ToQt(start);
  const QString file = prompts_.OpenFile(this, ToQt(title), folder, QtFilter(ToQt(filter)));
  if (file.isEmpty()) return std::nullopt;
  lastFolder_ = QFileInfo(file).absolutePath();
  const auto paths = GbkPaths({file}, prompts_, this);
  if (paths.empty()) return std::nullopt;
  return paths.front();
}

void LoginDialog::ShowBox(const std::string& caption, const std::string& text, int kind) {
  prompts_.Message(this, ToQt(caption), ToQt(text), kind);
}

int LoginDialog::Ask(const TQuestion& question) {
  return AskQuestion(prompts_, this, question);
}

void LoginDialog::reject() {
  form_.FormClose();
  QDialog::reject();
}

// ---- New-song dialog ----

AddSongDialog::AddSongDialog(TfrmAddNewSong& form, IPrompts& prompts, QWidget* parent)
    : QDialog(parent, kCaptionAndClose), form_(form), prompts_(prompts) {
  setObjectName("frmAddNewSong");
  setWindowTitle(ToQt(form.Caption));
  setFixedSize(334, 193);
  setFont(PixelFont(font(), 14));
  Label(this, "Label2", form.Label2, {16, 13});
  Label(this, "Label1", form.Label1, {16, 37});
  edtNum_ = new QLineEdit(this);
  edtNum_->setObjectName("edtNum");
  edtNum_->setGeometry(168, 32, 145, 22);
  // Typed and pasted text keeps what the form keeps of it: its digits, four
  // at most (no length of the editor's own, which would cut a paste first).
  edtNum_->setValidator(new FormValidator(
      [](const std::string& text) { return TfrmAddNewSong::NumberOfPaste(text); }, edtNum_));
  edtNum_->installEventFilter(this);
  connect(edtNum_, &QLineEdit::textChanged, this,
          [this](const QString& text) { form_.edtNumChange(FromQt(text).value_or("")); });
  // How the chosen files are named: two choices under the number box.
  Label(this, "lblNameOrder", form.lblNameOrder, {16, 65});
  QRadioButton* orders[2] = {};
  const std::pair<const char*, const std::string*> choices[] = {
      {"rbTitleSinger", &form.rbTitleSinger}, {"rbSingerTitle", &form.rbSingerTitle}};
  for (int i = 0; i < 2; ++i) {
    const TNameOrder order = i == 0 ? TNameOrder::kTitleSinger : TNameOrder::kSingerTitle;
    orders[i] = new QRadioButton(ToQt(*choices[i].second), this);
    orders[i]->setObjectName(choices[i].first);
    orders[i]->move(i == 0 ? 96 : 200, 62);
    orders[i]->adjustSize();
    orders[i]->setChecked(form.FNameOrder == order);
    connect(orders[i], &QRadioButton::toggled, this, [this, order](bool on) {
      if (on) form_.rbNameOrderClick(order);
    });
  }
  QPushButton* file = Button(this, "btnFile", form.btnFile, QRect(96, 96, 137, 25));
  connect(file, &QPushButton::clicked, this, [this] { form_.btnFileClick(); });
  // The number, then the files (the order of the dialog's first two
  // controls), then the name order.
  setTabOrder(edtNum_, file);
  setTabOrder(file, orders[0]);
  setTabOrder(orders[0], orders[1]);
  form_.SetView(this);
}

AddSongDialog::~AddSongDialog() {
  edtNum_->removeEventFilter(this);
  form_.SetView(nullptr);
}

bool AddSongDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtNum_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // A key that types a printable character is kept only when the form
    // keeps it; Tab, Escape, Backspace and the editing shortcuts (Ctrl+A,
    // Ctrl+C, Ctrl+V) are the window's.
    const bool printable = text.size() == 1 && text[0].unicode() >= 0x20 &&
                           text[0].unicode() != 0x7F &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable && (text[0].unicode() >= 0x80 ||
                      !TfrmAddNewSong::edtNumKeyPress(static_cast<char>(text[0].unicode())))) {
      return true;
    }
  }
  if (watched == edtNum_ && event->type() == QEvent::FocusOut) {
    // Leaving the box for another control of the dialog, not closing it.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::MouseFocusReason) {
      form_.edtNumExit();
    }
  }
  return QDialog::eventFilter(watched, event);
}

void AddSongDialog::SetNumberText(const std::string& text) {
  edtNum_->setText(ToQt(text));
}

void AddSongDialog::FocusNumber() {
  edtNum_->setFocus(Qt::OtherFocusReason);
}

void AddSongDialog::ShowMessage(const std::string& caption, const std::string& text) {
  prompts_.Notice(this, ToQt(caption), ToQt(text));
}

std::optional<std::vector<std::string>> AddSongDialog::ChooseFiles(const std::string& folder,
                                                                   const std::string& filter) {
  const QStringList files = prompts_.OpenFiles(this, ToQt(folder), QtFilter(ToQt(filter)));
  if (files.isEmpty()) return std::nullopt;
  return GbkPaths(files, prompts_, this);
}

// ---- Save-hint dialog ----

SaveHintDialog::SaveHintDialog(TfrmSaveHint& form, QWidget* parent)
    : QDialog(parent, kCaptionAndClose), form_(form) {
  setObjectName("frmSaveHint");
  setWindowTitle(ToQt(form.Caption));
  setFixedSize(363, 234);
  setFont(PixelFont(font(), 14));
  QLabel* question = Label(this, "Label1", form.Label1, {32, 40});
  question->setFont(PixelFont(font(), 29));
  question->adjustSize();
  QPushButton* usb = Button(this, "RzButton1", form.RzButton1, QRect(40, 96, 281, 33));
  QPushButton* elsewhere = Button(this, "RzButton2", form.RzButton2, QRect(40, 144, 281, 33));
  for (QPushButton* b : {usb, elsewhere}) b->setFont(PixelFont(font(), 20));
  connect(usb, &QPushButton::clicked, this, [&form] { form.RzButton1Click(); });
  connect(elsewhere, &QPushButton::clicked, this, [&form] { form.RzButton2Click(); });
  setTabOrder(usb, elsewhere);
  form.SetView(this);
}

SaveHintDialog::~SaveHintDialog() {
  form_.SetView(nullptr);
}

// ---- Disk-space dialog ----

DiskFreeDialog::DiskFreeDialog(TfrmDiskFree& form, QWidget* parent)
    : QDialog(parent, kCaptionAndClose), form_(form) {
  setObjectName("frmDiskFree");
  setWindowTitle(ToQt(form.Caption));
  setFont(PixelFont(font(), 14));
  // A long mount point wraps (the whole path as tip); the two sizes always
  // stay in view, right of their labels.
  label5_ = new QLabel(this);
  label5_->setObjectName("Label5");
  label5_->setWordWrap(true);
  auto* need = new QLabel(ToQt(form.Label1), this);
  need->setObjectName("Label1");
  label3_ = new QLabel(this);
  label3_->setObjectName("Label3");
  label2_ = new QLabel(this);
  label2_->setObjectName("Label2");
  label2_->setWordWrap(true);
  label4_ = new QLabel(this);
  label4_->setObjectName("Label4");
  for (QLabel* size : {label3_, label4_}) {
    size->setAlignment(Qt::AlignRight | Qt::AlignTop);
    size->setMinimumWidth(72);
  }
  auto* sizes = new QGridLayout;
  sizes->setColumnStretch(0, 1);
  sizes->addWidget(need, 0, 0);
  sizes->addWidget(label3_, 0, 1);
  sizes->addWidget(label2_, 1, 0);
  sizes->addWidget(label4_, 1, 1);
  QPushButton* ok = Button(this, "BitBtn1", form.BitBtn1, QRect(0, 0, 75, 25));
  ok->setFixedSize(75, 25);
  connect(ok, &QPushButton::clicked, this, [this] { form_.BitBtn1Click(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 10, 20, 16);
  layout->setSpacing(10);
  layout->addWidget(label5_);
  layout->addLayout(sizes);
  layout->addStretch();
  layout->addLayout(buttons);
  setMinimumWidth(351);
  setMaximumWidth(460);
  form_.SetView(this);
  LabelsChanged();
}

DiskFreeDialog::~DiskFreeDialog() {
  form_.SetView(nullptr);
}

void DiskFreeDialog::LabelsChanged() {
  const std::pair<QLabel*, const std::string*> labels[] = {{label2_, &form_.Label2},
                                                           {label3_, &form_.Label3},
                                                           {label4_, &form_.Label4},
                                                           {label5_, &form_.Label5}};
  for (const auto& [label, text] : labels) {
    label->setText(ToQt(*text));
    label->setToolTip(ToQt(*text));
  }
  adjustSize();
  setFixedHeight(std::max(183, sizeHint().height()));
}

// ---- Batch dialog ----

BatchEditDialog::BatchEditDialog(TfrmBatchEdit& form, IPrompts& prompts, QWidget* parent)
    : QDialog(parent, kCaptionAndClose), form_(form), prompts_(prompts) {
  setObjectName("frmBatchEdit");
  setWindowTitle(ToQt(form.Caption()));
  auto* hint = new QLabel(ToQt(form.Hint()), this);
  hint->setObjectName("lblHint");
  hint->setWordWrap(true);

  // The fields in two columns of caption and editor, down then across.
  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(8);
  fields->setColumnMinimumWidth(2, 16);
  const std::vector<TfrmBatchEdit::TField>& list = form.Fields();
  const std::size_t perColumn = (list.size() + 1) / 2;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TfrmBatchEdit::TField& field = list[i];
    QWidget* editor = nullptr;
    if (field.kind == TColumnKind::kDropDown || field.kind == TColumnKind::kCheck) {
      // Each entry holds the value it stands for (GBK); the first, none.
      auto* combo = new QComboBox(this);
      combo->addItem(ToQt(ui_text::Unchanged()), QByteArray());
      if (field.kind == TColumnKind::kCheck) {
        combo->addItem(ToQt(ui_text::CheckOn()), QByteArray("1"));
        combo->addItem(ToQt(ui_text::CheckOff()), QByteArray("0"));
      } else {
        for (const std::string& name : field.items)
          combo->addItem(ToQt(name), QByteArray::fromStdString(name));
      }
      combo->setMaxVisibleItems(16);
      connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, i](int at) {
        form_.SetValue(i, combo->itemData(at).toByteArray().toStdString());
      });
      editor = combo;
    } else {
      auto* line = new QLineEdit(this);
      connect(line, &QLineEdit::textEdited, this, [this, line, i](const QString& text) {
        if (const auto gbk = FromQt(text)) {
          form_.SetValue(i, *gbk);
          return;
        }
        // What has no GBK form does not get in: the field stays as it was.
        line->setText(ToQt(form_.Fields()[i].value));
        prompts_.Message(this, ToQt(ui_text::ToolCaption()), ToQt(ui_text::TextNotGbk()),
                         kMsgWarning);
      });
      editor = line;
    }
    editor->setObjectName(QString("field%1").arg(field.col));
    editor->setMinimumWidth(150);
    auto* caption = new QLabel(ToQt(field.caption), this);
    caption->setBuddy(editor);
    const int row = static_cast<int>(i % perColumn);
    const int pair = static_cast<int>(i / perColumn) * 3;
    fields->addWidget(caption, row, pair);
    fields->addWidget(editor, row, pair + 1);
  }

  auto* previewLabel = new QLabel(ToQt(ui_text::PreviewLabel()), this);
  preview_ = new QListWidget(this);
  preview_->setObjectName("lstPreview");
  preview_->setSelectionMode(QAbstractItemView::NoSelection);
  preview_->setMinimumHeight(150);
  previewLabel->setBuddy(preview_);

  QPushButton* ok = Button(this, "btnOk", ui_text::OkButton(), QRect(0, 0, 80, 28));
  QPushButton* cancel = Button(this, "btnCancel", ui_text::CancelButton(), QRect(0, 0, 80, 28));
  for (QPushButton* b : {ok, cancel}) b->setMinimumSize(80, 28);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { form_.btnOkClick(); });
  connect(cancel, &QPushButton::clicked, this, [this] { form_.btnCancelClick(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 12);
  layout->setSpacing(8);
  layout->addWidget(hint);
  layout->addLayout(fields);
  layout->addSpacing(4);
  layout->addWidget(previewLabel);
  layout->addWidget(preview_, 1);
  layout->addLayout(buttons);
  setMinimumWidth(600);
  form_.SetView(this);
  PreviewChanged();
}

BatchEditDialog::~BatchEditDialog() {
  form_.SetView(nullptr);
}

void BatchEditDialog::Close() {
  done(form_.Accepted() ? Accepted : Rejected);
}

void BatchEditDialog::PreviewChanged() {
  preview_->clear();
  for (const std::string& line : form_.Preview()) preview_->addItem(ToQt(line));
}

void BatchEditDialog::reject() {
  form_.btnCancelClick();
}

// ---- Help window ----

namespace {
// The instructions' pictures belong to the project's pages; one that is not
// beside the program is left out rather than drawn as a broken image.
class HelpBrowser final : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;
  QVariant loadResource(int type, const QUrl& name) override {
    QVariant found = QTextBrowser::loadResource(type, name);
    if (type == QTextDocument::ImageResource && !found.isValid()) {
      QImage none(1, 1, QImage::Format_ARGB32);
      none.fill(Qt::transparent);
      return none;
    }
    return found;
  }
};

// The Markdown with the line breaks between two Chinese characters (and the
// indent of the next line) taken out.
QString JoinedChineseLines(QString markdown) {
  static const QString kChinese =
      "[\\x{2018}-\\x{201D}\\x{3000}-\\x{303F}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]";
  static const QRegularExpression kBreak("(?<=" + kChinese + ")\\r?\\n[ \\t]*(?=" + kChinese + ")");
  return markdown.replace(kBreak, QString());
}
}  // namespace

HelpWindow::HelpWindow(const QString& markdown, QWidget* parent)
    : QDialog(parent, kCaptionAndClose | Qt::WindowMaximizeButtonHint) {
  setObjectName("frmHelp");
  setWindowTitle(ToQt(ui_text::HelpCaption()));
  browser_ = new HelpBrowser(this);
  browser_->setObjectName("helpText");
  browser_->setOpenExternalLinks(true);
  browser_->setMarkdown(JoinedChineseLines(markdown));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(760, 640);
}

}  // namespace qtui
