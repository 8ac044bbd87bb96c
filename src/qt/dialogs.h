// SPDX-License-Identifier: GPL-3.0-or-later
// The small modal dialogs, each drawing its form (ui/) and handing the
// user's clicks to the form's handlers. Positions and sizes are the
// windows' own layout, in pixels at the 14-pixel font.
#pragma once

#include <QDialog>
#include <QValidator>
#include <functional>
#include <string>

#include "ui/uAddNewSong.h"
#include "ui/ufrmBatchEdit.h"
#include "ui/ufrmDiskFree.h"
#include "ui/ufrmLogin.h"
#include "ui/ufrmSaveHint.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace qtui {

class IPrompts;

// The GBK paths (absolute) of files or folders the user chose, in order.
// Names with no GBK form are left out and named in one warning.
std::vector<std::string> GbkPaths(const QStringList& files, IPrompts& prompts, QWidget* parent);

// A line editor's text as a form keeps it: keep(text) is what stays of
// what was typed or pasted (GBK).
class FormValidator final : public QValidator {
 public:
  FormValidator(std::function<std::string(const std::string&)> keep, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  std::function<std::string(const std::string&)> keep_;
};

// The start-up window: the product-line buttons, opening a vod.txt, leaving.
class LoginDialog final : public QDialog, public ILoginView {
 public:
  // lastFolder: where the open dialog starts; updated to the chosen file's folder.
  LoginDialog(TfrmLogin& form, IPrompts& prompts, QString& lastFolder, QWidget* parent = nullptr);
  ~LoginDialog() override;
  void Close() override { accept(); }
  std::optional<std::string> ChooseFile(const std::string& title, const std::string& filter,
                                        const std::string& start) override;
  void ShowBox(const std::string& caption, const std::string& text, int kind) override;
  int Ask(const TQuestion& question) override;

 protected:
  void reject() override;  // Escape or the system's close: FormClose

 private:
  TfrmLogin& form_;
  IPrompts& prompts_;
  QString& lastFolder_;
};

// The new-song dialog: the start number and the video files.
class AddSongDialog final : public QDialog, public IAddNewSongView {
 public:
  // The file dialog opens in the form's FFolder.
  AddSongDialog(TfrmAddNewSong& form, IPrompts& prompts, QWidget* parent = nullptr);
  ~AddSongDialog() override;
  void Close() override { accept(); }
  void SetNumberText(const std::string& text) override;
  void FocusNumber() override;
  void ShowMessage(const std::string& caption, const std::string& text) override;
  std::optional<std::vector<std::string>> ChooseFiles(const std::string& folder,
                                                      const std::string& filter) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TfrmAddNewSong& form_;
  IPrompts& prompts_;
  QLineEdit* edtNum_;
};

// The save-hint dialog: the USB disk or another folder; closing it (its
// close box, Escape) cancels the run.
class SaveHintDialog final : public QDialog, public IDialogView {
 public:
  SaveHintDialog(TfrmSaveHint& form, QWidget* parent = nullptr);
  ~SaveHintDialog() override;
  void Close() override { accept(); }

 private:
  TfrmSaveHint& form_;
};

// The disk-space dialog.
class DiskFreeDialog final : public QDialog, public IDiskFreeView {
 public:
  DiskFreeDialog(TfrmDiskFree& form, QWidget* parent = nullptr);
  ~DiskFreeDialog() override;
  void Close() override { accept(); }
  void LabelsChanged() override;

 private:
  TfrmDiskFree& form_;
  QLabel* label2_;
  QLabel* label3_;
  QLabel* label4_;
  QLabel* label5_;
};

// The batch dialog ("批量修改"): a field per column the form offers (a
// line for text and numbers, blank for unchanged; a list for a drop-down or
// a check box, its first entry unchanged), what would change below them, and
// 确定 / 取消. Each field is named "field<column>".
class BatchEditDialog final : public QDialog, public IBatchEditView {
 public:
  BatchEditDialog(TfrmBatchEdit& form, IPrompts& prompts, QWidget* parent = nullptr);
  ~BatchEditDialog() override;
  void Close() override;
  void PreviewChanged() override;

 protected:
  void reject() override;  // Escape or the close box: 取消

 private:
  TfrmBatchEdit& form_;
  IPrompts& prompts_;
  QListWidget* preview_;
};

// The owner's instructions (ui/owner_help.h, Markdown) in a window of their
// own, beside the main window. A line break inside a paragraph joins two
// Chinese characters without the space Markdown would put there.
class HelpWindow final : public QDialog {
 public:
  explicit HelpWindow(const QString& markdown, QWidget* parent = nullptr);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace qtui
