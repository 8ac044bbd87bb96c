// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

#include "qt/qt_text.h"
#include "ui/ui_texts.h"
#include "ui/views.h"

namespace qtui {

namespace {
// A message box sizes itself to its text; a short text and a long caption
// would cut the caption ("编号…提示"). It is made wide enough for both.
void FitCaption(QMessageBox& box, const QString& caption) {
  auto* layout = qobject_cast<QGridLayout*>(box.layout());
  if (layout == nullptr) return;
  const int width = QFontMetrics(box.font()).horizontalAdvance(caption) * 5 / 4 + 140;
  layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  layout->rowCount(), 0, 1, layout->columnCount());
}
}  // namespace

void StandardPrompts::Message(QWidget* parent, const QString& caption, const QString& text,
                              int kind) {
  static const QMessageBox::Icon icons[] = {QMessageBox::Warning, QMessageBox::Critical,
                                            QMessageBox::Information, QMessageBox::Question};
  if (kind < 0 || kind > 3) return;
  QMessageBox box(icons[kind], caption, text, QMessageBox::Ok, parent);
  FitCaption(box, caption);
  box.exec();
}

void StandardPrompts::Notice(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
  FitCaption(box, caption);
  box.exec();
}

int StandardPrompts::Ask(QWidget* parent, const QString& caption, const QString& text,
                         const QStringList& buttons) {
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
  QList<QAbstractButton*> added;
  for (qsizetype i = 0; i < buttons.size(); ++i) {
    const bool last = i + 1 == buttons.size();
    added << box.addButton(buttons[i], last ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
  }
  if (!added.isEmpty()) box.setDefaultButton(static_cast<QPushButton*>(added.front()));
  if (!added.isEmpty()) box.setEscapeButton(added.back());
  FitCaption(box, caption);
  box.exec();
  return static_cast<int>(added.indexOf(box.clickedButton()));
}

int AskQuestion(IPrompts& prompts, QWidget* parent, const TQuestion& question) {
  QStringList buttons;
  for (const std::string& b : question.buttons) buttons << ToQt(b);
  return prompts.Ask(parent, ToQt(question.caption), ToQt(question.text), buttons);
}

QString StandardPrompts::OpenFile(QWidget* parent, const QString& title, const QString& folder,
                                  const QString& filter) {
  return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QStringList StandardPrompts::OpenFiles(QWidget* parent, const QString& folder,
                                       const QString& filter) {
  return QFileDialog::getOpenFileNames(parent, QString(), folder, filter);
}

QString StandardPrompts::SaveFile(QWidget* parent, const QString& title, const QString& path,
                                  const QString& filter) {
  QFileDialog dialog(parent, title, path, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // A name typed without its ending gets the proposed one's.
  dialog.setDefaultSuffix(QFileInfo(path).suffix());
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles().value(0);
}

QString StandardPrompts::Folder(QWidget* parent, const QString& prompt, const QString& folder) {
  return QFileDialog::getExistingDirectory(parent, prompt, folder);
}

QString QtFilter(const QString& formsFilter) {
  QStringList parts;
  for (const QString& entry : formsFilter.split(';', Qt::SkipEmptyParts)) {
    const qsizetype bar = entry.indexOf('|');
    if (bar < 0) continue;
    const QString name = entry.left(bar);
    const QString patterns = " (" + entry.mid(bar + 1) + ")";
    parts << (name.endsWith(patterns) ? name : name + patterns);
  }
  return parts.join(";;");
}

}  // namespace qtui
