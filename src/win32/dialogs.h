// SPDX-License-Identifier: GPL-3.0-or-later
// The small modal dialogs, each drawing its form (ui/) and handing the
// user's clicks to the form's handlers. Places and sizes are those of the
// Qt program's windows, in pixels of a 96-dpi screen at the 14-pixel font.
#pragma once

#include <string>
#include <vector>

#include "ui/uAddNewSong.h"
#include "ui/ufrmBatchEdit.h"
#include "ui/ufrmDiskFree.h"
#include "ui/ufrmLogin.h"
#include "ui/ufrmSaveHint.h"
#include "win32/window.h"

namespace w32ui {

class IPrompts;

// The controls' ids, by which tests find them.
enum DialogControl : int {
  kIdProductButton = 200,  // + the product button's index in the form's list
  kIdBtnVod = 230,
  kIdBtnClose = 231,
  kIdEdtNum = 300,
  kIdBtnFile = 301,
  kIdRbTitleSinger = 302,  // the name order's two choices
  kIdRbSingerTitle = 303,
  kIdRzButton1 = 400,
  kIdRzButton2 = 401,
  kIdBitBtn1 = 500,
  kIdDiskLabel2 = 502,  // Label2 to Label5: 502-505
  kIdBatchPreview = 900,
  kIdBatchOk = 901,
  kIdBatchCancel = 902,
  kIdBatchField = 910,  // + the field's index in the form's list
  kIdHelpText = 950,
  kIdHelpClose = 951,
};

// The GBK paths of files or folders the user chose, in order. Names with no
// GBK form are left out and named in one warning.
std::vector<std::string> GbkPaths(const std::vector<std::wstring>& files, IPrompts& prompts,
                                  HWND owner);

// The start-up window: the product-line buttons, opening a vod.txt, leaving.
class LoginDialog final : public Dialog, public ILoginView {
 public:
  // lastFolder: where the open dialog starts; updated to the chosen file's folder.
  LoginDialog(TfrmLogin& form, IPrompts& prompts, std::wstring& lastFolder, HWND owner);
  ~LoginDialog() override;
  void Close() override { EndModal(); }
  std::optional<std::string> ChooseFile(const std::string& title, const std::string& filter,
                                        const std::string& start) override;
  void ShowBox(const std::string& caption, const std::string& text, int kind) override;
  int Ask(const TQuestion& question) override;

 private:
  void OnCommand(int id, int code, HWND control) override;
  void OnCancel() override;

  TfrmLogin& form_;
  IPrompts& prompts_;
  std::wstring& lastFolder_;
};

// The new-song dialog: the start number and the video files.
class AddSongDialog final : public Dialog, public IAddNewSongView {
 public:
  AddSongDialog(TfrmAddNewSong& form, IPrompts& prompts, HWND owner);
  ~AddSongDialog() override;
  void Close() override { EndModal(); }
  void SetNumberText(const std::string& text) override;
  void FocusNumber() override;
  void ShowMessage(const std::string& caption, const std::string& text) override;
  std::optional<std::vector<std::string>> ChooseFiles(const std::string& folder,
                                                      const std::string& filter) override;

 private:
  void OnCommand(int id, int code, HWND control) override;
  static LRESULT CALLBACK NumberBox(HWND box, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR self);

  TfrmAddNewSong& form_;
  IPrompts& prompts_;
  HWND edtNum_ = nullptr;
  bool filtering_ = false;
};

// The save-hint dialog: the USB disk or another folder; closing it (its
// close box, Escape) cancels the run.
class SaveHintDialog final : public Dialog, public IDialogView {
 public:
  SaveHintDialog(TfrmSaveHint& form, HWND owner);
  ~SaveHintDialog() override;
  void Close() override { EndModal(); }

 private:
  void OnCommand(int id, int code, HWND control) override;
  TfrmSaveHint& form_;
};

// The disk-space dialog.
class DiskFreeDialog final : public Dialog, public IDiskFreeView {
 public:
  DiskFreeDialog(TfrmDiskFree& form, HWND owner);
  ~DiskFreeDialog() override;
  void Close() override { EndModal(); }
  void LabelsChanged() override;

 private:
  void OnCommand(int id, int code, HWND control) override;
  void Layout();

  TfrmDiskFree& form_;
  HWND need_ = nullptr;
  HWND labels_[4] = {};  // Label2 to Label5
  HWND ok_ = nullptr;
};

// The batch dialog: the hint, a line per field (a box for text, where blank
// leaves the column as it is; a list for a drop-down or a check box, whose
// first entry leaves it as it is), the preview of what would change, and
// 确定 / 取消.
class BatchEditDialog final : public Dialog, public IBatchEditView {
 public:
  BatchEditDialog(TfrmBatchEdit& form, IPrompts& prompts, HWND owner);
  ~BatchEditDialog() override;
  void Close() override { EndModal(); }
  void PreviewChanged() override;

 private:
  void OnCommand(int id, int code, HWND control) override;
  void OnCancel() override;
  // The field's control changed: its value goes to the form.
  void FieldChanged(std::size_t field);

  TfrmBatchEdit& form_;
  IPrompts& prompts_;
  std::vector<HWND> fields_;
  std::vector<bool> notGbk_;  // the field's text has no GBK form
  HWND preview_ = nullptr;
};

// The owner's instructions (ui/owner_help.h) in a read-only box to scroll.
class HelpDialog final : public Dialog {
 public:
  explicit HelpDialog(HWND owner);
  ~HelpDialog() override;

 private:
  void OnCommand(int id, int code, HWND control) override;
};

}  // namespace w32ui
