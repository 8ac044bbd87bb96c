// SPDX-License-Identifier: GPL-3.0-or-later
// The standard dialogs the windows ask the user with: message boxes, the
// open-file dialogs and the folder browser. The windows reach them only
// through this interface, so widget tests replace them with answers of
// their own. Texts are QStrings; paths are native Qt paths.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;
struct TQuestion;

namespace qtui {

class IPrompts {
 public:
  virtual ~IPrompts() = default;
  // A modal box with one OK button and the icon of kind 0 warning, 1 error,
  // 2 information, 3 question.
  virtual void Message(QWidget* parent, const QString& caption, const QString& text, int kind) = 0;
  // A modal message with one OK button and no icon.
  virtual void Notice(QWidget* parent, const QString& caption, const QString& text) = 0;
  // A modal question with the buttons (the first the default, the last
  // cancelling, also for Escape): the index of the one chosen, -1 when the
  // box was closed without one.
  virtual int Ask(QWidget* parent, const QString& caption, const QString& text,
                  const QStringList& buttons) = 0;
  // One existing file, or "" when cancelled. filter: Qt's "Name (*.a *.b);;..." form.
  virtual QString OpenFile(QWidget* parent, const QString& title, const QString& folder,
                           const QString& filter) = 0;
  // Several existing files in the dialog's order, or none when cancelled.
  virtual QStringList OpenFiles(QWidget* parent, const QString& folder, const QString& filter) = 0;
  // A file to write, starting at path (a folder and the name proposed), an
  // existing one's replacing confirmed; "" when cancelled.
  virtual QString SaveFile(QWidget* parent, const QString& title, const QString& path,
                           const QString& filter) = 0;
  // A folder, or "" when cancelled.
  virtual QString Folder(QWidget* parent, const QString& prompt, const QString& folder) = 0;
};

// QMessageBox and QFileDialog.
class StandardPrompts : public IPrompts {
 public:
  void Message(QWidget* parent, const QString& caption, const QString& text, int kind) override;
  void Notice(QWidget* parent, const QString& caption, const QString& text) override;
  int Ask(QWidget* parent, const QString& caption, const QString& text,
          const QStringList& buttons) override;
  QString OpenFile(QWidget* parent, const QString& title, const QString& folder,
                   const QString& filter) override;
  QStringList OpenFiles(QWidget* parent, const QString& folder, const QString& filter) override;
  QString SaveFile(QWidget* parent, const QString& title, const QString& path,
                   const QString& filter) override;
  QString Folder(QWidget* parent, const QString& prompt, const QString& folder) override;
};

// A form's question put to the prompts: its caption, text and buttons.
int AskQuestion(IPrompts& prompts, QWidget* parent, const TQuestion& question);

// The forms' filter "Name|pattern pattern;Name|pattern" in Qt's form
// "Name (pattern pattern);;Name (pattern)"; a name that shows its patterns
// already ("CSV 表格 (*.csv)|*.csv") keeps them once.
QString QtFilter(const QString& formsFilter);

}  // namespace qtui
