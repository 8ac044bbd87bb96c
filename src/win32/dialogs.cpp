// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/dialogs.h"

#include <algorithm>
#include <optional>

#include "model/window_side.h"
#include "ui/grid_rules.h"
#include "ui/owner_help.h"
#include "ui/ui_texts.h"
#include "win32/prompts.h"
#include "win32/win_text.h"

namespace w32ui {

std::vector<std::string> GbkPaths(const std::vector<std::wstring>& files, IPrompts& prompts,
                                  HWND owner) {
  std::vector<std::string> utf8;
  for (const std::wstring& file : files) utf8.push_back(Utf8(file));
  TChosenPaths paths = GbkPathsOf(utf8);
  if (!paths.refused.empty()) {
    prompts.Message(owner, Wide(ui_text::ToolCaption()),
                    WideOfUtf8(RefusedPathsMessage(paths.refused)), kMsgWarning);
  }
  return std::move(paths.gbk);
}

namespace {
// The folder of a path: what comes before its last separator.
std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}
}  // namespace

// ---- Start-up window ----

LoginDialog::LoginDialog(TfrmLogin& form, IPrompts& prompts, std::wstring& lastFolder, HWND owner)
    : form_(form), prompts_(prompts), lastFolder_(lastFolder) {
  CreateDialogWindow(owner, Wide(form.Caption), 266, 256, false);
  // A button per product line from the top, 40 pixels apart, then the open
  // button and the one that leaves.
  int top = 8;
  auto add = [&](const TfrmLogin::TButton& b, int id) {
    HWND button =
        Control(L"Button", Wide(b.caption), WS_TABSTOP | BS_PUSHBUTTON, 16, top, 225, 25, id);
    ShowWindow(button, b.visible ? SW_SHOW : SW_HIDE);
    top += 40;
  };
  for (std::size_t i = 0; i < form.ProductButtons.size(); ++i)
    add(form.ProductButtons[i], kIdProductButton + static_cast<int>(i));
  add(form.btnVod, kIdBtnVod);
  add(form.btnClose, kIdBtnClose);
  form_.SetView(this);
}

LoginDialog::~LoginDialog() {
  form_.SetView(nullptr);
}

void LoginDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return;
  if (id == kIdBtnVod) {
    form_.btnVodClick();
  } else if (id == kIdBtnClose) {
    form_.btnCloseClick();
  } else if (id >= kIdProductButton &&
             id < kIdProductButton + static_cast<int>(form_.ProductButtons.size())) {
    form_.ChooseProduct(
        form_.ProductButtons[static_cast<std::size_t>(id - kIdProductButton)].product);
  }
}

void LoginDialog::OnCancel() {
  form_.FormClose();
  EndModal();
}

std::optional<std::string> LoginDialog::ChooseFile(const std::string& title,
                                                   const std::string& filter,
                                                   const std::string& start) {
  const std::wstring folder = start.empty() ? lastFolder_ : Wide(start);
  const std::wstring file = prompts_.OpenFile(hwnd_, Wide(title), folder, Wide(filter));
  if (file.empty()) return std::nullopt;
  lastFolder_ = FolderOf(file);
  const auto paths = GbkPaths({file}, prompts_, hwnd_);
  if (paths.empty()) return std::nullopt;
  return paths.front();
}

void LoginDialog::ShowBox(const std::string& caption, const std::string& text, int kind) {
  prompts_.Message(hwnd_, Wide(caption), Wide(text), kind);
}

int LoginDialog::Ask(const TQuestion& question) {
  return AskQuestion(prompts_, hwnd_, question);
}

// ---- New-song dialog ----

AddSongDialog::AddSongDialog(TfrmAddNewSong& form, IPrompts& prompts, HWND owner)
    : form_(form), prompts_(prompts) {
  CreateDialogWindow(owner, Wide(form.Caption), 334, 193, true);
  Control(L"Static", Wide(form.Label2), SS_NOPREFIX, 16, 13, 310, 18, -1);
  Control(L"Static", Wide(form.Label1), SS_NOPREFIX, 16, 37, 150, 18, -1);
  edtNum_ =
      Control(L"Edit", L"", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 168, 32, 145, 22, kIdEdtNum);
  // How the chosen files are named: two choices under the number box. The
  // number, then the files, then the name order in the tab order.
  Control(L"Static", Wide(form.lblNameOrder), SS_NOPREFIX, 16, 65, 80, 18, -1);
  Control(L"Button", Wide(form.btnFile), WS_TABSTOP | BS_PUSHBUTTON, 96, 96, 137, 25, kIdBtnFile);
  const HWND orders[] = {
      Control(L"Button", Wide(form.rbTitleSinger), WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 96,
              62, 100, 20, kIdRbTitleSinger),
      Control(L"Button", Wide(form.rbSingerTitle), BS_AUTORADIOBUTTON, 200, 62, 100, 20,
              kIdRbSingerTitle)};
  const bool singerFirst = form.FNameOrder == TNameOrder::kSingerTitle;
  SendMessageW(orders[singerFirst ? 1 : 0], BM_SETCHECK, BST_CHECKED, 0);
  SetWindowSubclass(edtNum_, NumberBox, 1, reinterpret_cast<DWORD_PTR>(this));
  form_.SetView(this);
}

AddSongDialog::~AddSongDialog() {
  RemoveWindowSubclass(edtNum_, NumberBox, 1);
  form_.SetView(nullptr);
}

LRESULT CALLBACK AddSongDialog::NumberBox(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<AddSongDialog*>(data);
  if (message == WM_CHAR) {
    // A printable character is kept only when the form keeps it; the
    // control keys (Backspace, the editing shortcuts) are the box's.
    const auto ch = static_cast<wchar_t>(wparam);
    if (ch >= 0x20 && ch != 0x7F &&
        (ch >= 0x80 || !TfrmAddNewSong::edtNumKeyPress(static_cast<char>(ch)))) {
      return 0;
    }
  }
  if (message == WM_KILLFOCUS) {
    // Leaving the box for another control of the dialog, not closing it
    // nor another window showing.
    const auto next = reinterpret_cast<HWND>(wparam);
    const LRESULT result = DefSubclassProc(box, message, wparam, lparam);
    if (next != nullptr && IsChild(self->hwnd_, next) && self->running()) self->form_.edtNumExit();
    return result;
  }
  return DefSubclassProc(box, message, wparam, lparam);
}

void AddSongDialog::OnCommand(int id, int code, HWND) {
  if (id == kIdBtnFile && code == BN_CLICKED) {
    form_.btnFileClick();
  } else if ((id == kIdRbTitleSinger || id == kIdRbSingerTitle) && code == BN_CLICKED) {
    form_.rbNameOrderClick(id == kIdRbTitleSinger ? TNameOrder::kTitleSinger
                                                  : TNameOrder::kSingerTitle);
  } else if (id == kIdEdtNum && code == EN_CHANGE && !filtering_) {
    // Typed and pasted text keeps what the form keeps of it.
    const std::string typed = FromWide(TextOf(edtNum_)).value_or("");
    const std::string kept = TfrmAddNewSong::NumberOfPaste(typed);
    if (kept != typed) {
      filtering_ = true;
      SetWindowTextW(edtNum_, Wide(kept).c_str());
      SendMessageW(edtNum_, EM_SETSEL, kept.size(), kept.size());
      filtering_ = false;
    }
    form_.edtNumChange(kept);
  }
}

void AddSongDialog::SetNumberText(const std::string& text) {
  SetWindowTextW(edtNum_, Wide(text).c_str());
}

void AddSongDialog::FocusNumber() {
  SetFocus(edtNum_);
}

void AddSongDialog::ShowMessage(const std::string& caption, const std::string& text) {
  prompts_.Notice(hwnd_, Wide(caption), Wide(text));
}

std::optional<std::vector<std::string>> AddSongDialog::ChooseFiles(const std::string& folder,
                                                                   const std::string& filter) {
  const std::vector<std::wstring> files = prompts_.OpenFiles(hwnd_, Wide(folder), Wide(filter));
  if (files.empty()) return std::nullopt;
  return GbkPaths(files, prompts_, hwnd_);
}

// ---- Save-hint dialog ----

SaveHintDialog::SaveHintDialog(TfrmSaveHint& form, HWND owner) : form_(form) {
  CreateDialogWindow(owner, Wide(form.Caption), 363, 234, true);
  SetWindowPos(hwnd_, nullptr, S(210), S(114), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Control(L"Static", Wide(form.Label1), SS_NOPREFIX, 32, 40, 320, 40, -1, 29);
  Control(L"Button", Wide(form.RzButton1), WS_TABSTOP | BS_PUSHBUTTON, 40, 96, 281, 33,
          kIdRzButton1, 20);
  Control(L"Button", Wide(form.RzButton2), WS_TABSTOP | BS_PUSHBUTTON, 40, 144, 281, 33,
          kIdRzButton2, 20);
  form_.SetView(this);
}

SaveHintDialog::~SaveHintDialog() {
  form_.SetView(nullptr);
}

void SaveHintDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return;
  if (id == kIdRzButton1) form_.RzButton1Click();
  if (id == kIdRzButton2) form_.RzButton2Click();
}

// ---- Disk-space dialog ----

DiskFreeDialog::DiskFreeDialog(TfrmDiskFree& form, HWND owner) : form_(form) {
  CreateDialogWindow(owner, Wide(form.Caption), 400, 183, true);
  need_ = Control(L"Static", Wide(form.Label1), SS_NOPREFIX, 0, 0, 10, 10, -1);
  for (int i = 0; i < 4; ++i) {
    // The two sizes (Label3, Label4) stand right of their labels.
    const DWORD align = (i == 1 || i == 2) ? SS_RIGHT : SS_LEFT;
    labels_[i] = Control(L"Static", L"", SS_NOPREFIX | align, 0, 0, 10, 10, kIdDiskLabel2 + i);
  }
  ok_ = Control(L"Button", Wide(form.BitBtn1), WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 75, 25,
                kIdBitBtn1);
  form_.SetView(this);
  LabelsChanged();
}

DiskFreeDialog::~DiskFreeDialog() {
  form_.SetView(nullptr);
}

void DiskFreeDialog::OnCommand(int id, int code, HWND) {
  if ((id == kIdBitBtn1 && code == BN_CLICKED) || id == IDOK) form_.BitBtn1Click();
}

void DiskFreeDialog::LabelsChanged() {
  const std::string* texts[] = {&form_.Label2, &form_.Label3, &form_.Label4, &form_.Label5};
  for (int i = 0; i < 4; ++i) SetWindowTextW(labels_[i], Wide(*texts[i]).c_str());
  Layout();
}

void DiskFreeDialog::Layout() {
  // A long mount point wraps; the two sizes always stay in view.
  const int width = 400;
  const int inner = width - 16 - 20;
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, UiFont(14, dpi()));
  auto heightOf = [&](HWND label, int w) {
    const std::wstring text = TextOf(label);
    RECT r = {0, 0, S(w), 0};
    DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    return MulDiv(r.bottom, 96, dpi()) + 2;
  };
  int y = 10;
  const int h5 = heightOf(labels_[3], inner);
  Place(labels_[3], 16, y, inner, h5);
  y += h5 + 10;
  const int sizeW = 90;
  const int h1 = heightOf(need_, inner - sizeW);
  Place(need_, 16, y, inner - sizeW, h1);
  Place(labels_[1], 16 + inner - sizeW, y, sizeW, h1);
  y += h1 + 10;
  const int h2 = heightOf(labels_[0], inner - sizeW);
  Place(labels_[0], 16, y, inner - sizeW, h2);
  Place(labels_[2], 16 + inner - sizeW, y, sizeW, h2);
  y += h2 + 10;
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  const int height = std::max(183, y + 10 + 25 + 16);
  Place(ok_, width - 20 - 75, height - 16 - 25, 75, 25);
  RECT frame = {0, 0, S(width), S(height)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Batch dialog ----

namespace {
constexpr int kBatchWidth = 680;
constexpr int kFieldTop = 44;
constexpr int kFieldStep = 30;
constexpr int kPreviewLeft = 340;
constexpr int kPreviewHeight = 260;  // at least
}  // namespace

BatchEditDialog::BatchEditDialog(TfrmBatchEdit& form, IPrompts& prompts, HWND owner)
    : form_(form), prompts_(prompts) {
  const auto& fields = form.Fields();
  const int fieldsBottom = kFieldTop + static_cast<int>(fields.size()) * kFieldStep;
  const int previewBottom = std::max(fieldsBottom, kFieldTop + 20 + kPreviewHeight);
  const int buttonTop = previewBottom + 12;
  CreateDialogWindow(owner, Wide(form.Caption()), kBatchWidth, buttonTop + 25 + 12, true);
  Control(L"Static", Wide(form.Hint()), SS_NOPREFIX, 16, 14, kBatchWidth - 32, 20, -1);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const TfrmBatchEdit::TField& field = fields[i];
    const int top = kFieldTop + static_cast<int>(i) * kFieldStep;
    const int id = kIdBatchField + static_cast<int>(i);
    Control(L"Static", Wide(field.caption), SS_NOPREFIX | SS_RIGHT | SS_CENTERIMAGE, 16, top, 106,
            24, -1);
    HWND control = nullptr;
    if (field.kind == TColumnKind::kDropDown || field.kind == TColumnKind::kCheck) {
      control = Control(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 130, top,
                        190, 240, id);
      std::vector<std::string> entries = {ui_text::Unchanged()};
      if (field.kind == TColumnKind::kCheck) {
        entries.push_back(ui_text::CheckOn());
        entries.push_back(ui_text::CheckOff());
      } else {
        entries.insert(entries.end(), field.items.begin(), field.items.end());
      }
      for (const std::string& entry : entries) {
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
      }
      SendMessageW(control, CB_SETCURSEL, 0, 0);
    } else {
      const DWORD digits = field.kind == TColumnKind::kInteger ? ES_NUMBER : 0;
      control = Control(L"Edit", L"", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | digits, 130, top,
                        190, 24, id);
    }
    fields_.push_back(control);
  }
  notGbk_.assign(fields.size(), false);
  Control(L"Static", Wide(ui_text::PreviewLabel()), SS_NOPREFIX, kPreviewLeft, kFieldTop,
          kBatchWidth - kPreviewLeft - 16, 18, -1);
  preview_ =
      Control(L"Edit", L"",
              WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
              kPreviewLeft, kFieldTop + 20, kBatchWidth - kPreviewLeft - 16,
              previewBottom - kFieldTop - 20, kIdBatchPreview);
  Control(L"Button", Wide(ui_text::OkButton()), WS_TABSTOP | BS_DEFPUSHBUTTON,
          kBatchWidth - 16 - 2 * 80 - 8, buttonTop, 80, 25, kIdBatchOk);
  Control(L"Button", Wide(ui_text::CancelButton()), WS_TABSTOP | BS_PUSHBUTTON,
          kBatchWidth - 16 - 80, buttonTop, 80, 25, kIdBatchCancel);
  form_.SetView(this);
  PreviewChanged();
}

BatchEditDialog::~BatchEditDialog() {
  form_.SetView(nullptr);
}

void BatchEditDialog::PreviewChanged() {
  std::wstring text;
  for (const std::string& line : form_.Preview()) {
    if (!text.empty()) text += L"\r\n";
    text += Wide(line);
  }
  SetWindowTextW(preview_, text.c_str());
}

void BatchEditDialog::FieldChanged(std::size_t field) {
  const TfrmBatchEdit::TField& f = form_.Fields()[field];
  HWND control = fields_[field];
  if (f.kind == TColumnKind::kDropDown || f.kind == TColumnKind::kCheck) {
    const auto chosen =
        static_cast<std::size_t>(std::max<LRESULT>(SendMessageW(control, CB_GETCURSEL, 0, 0), 0));
    std::string value;  // the first entry: unchanged
    if (chosen > 0 && f.kind == TColumnKind::kCheck) value = chosen == 1 ? "1" : "0";
    if (chosen > 0 && f.kind == TColumnKind::kDropDown && chosen <= f.items.size()) {
      value = f.items[chosen - 1];
    }
    form_.SetValue(field, value);
    return;
  }
  const std::optional<std::string> text = FromWide(TextOf(control));
  notGbk_[field] = !text.has_value();
  form_.SetValue(field, text.value_or(""));
}

void BatchEditDialog::OnCommand(int id, int code, HWND) {
  const int field = id - kIdBatchField;
  if (field >= 0 && field < static_cast<int>(fields_.size())) {
    if (code == EN_CHANGE || code == CBN_SELCHANGE) FieldChanged(static_cast<std::size_t>(field));
    return;
  }
  if ((id == kIdBatchOk && code == BN_CLICKED) || id == IDOK) {
    if (std::find(notGbk_.begin(), notGbk_.end(), true) != notGbk_.end()) {
      prompts_.Message(hwnd_, Wide(ui_text::ToolCaption()), Wide(ui_text::TextNotGbk()),
                       kMsgWarning);
      return;
    }
    form_.btnOkClick();
  } else if (id == kIdBatchCancel && code == BN_CLICKED) {
    form_.btnCancelClick();
  }
}

void BatchEditDialog::OnCancel() {
  form_.btnCancelClick();
}

// ---- Help window ----

HelpDialog::HelpDialog(HWND owner) {
  constexpr int width = 720;
  constexpr int height = 540;
  CreateDialogWindow(owner, Wide(ui_text::HelpCaption()), width, height, true);
  // The edit box wants CR LF line ends.
  std::wstring text;
  for (const wchar_t c : WideOfUtf8(OwnerHelpText())) {
    if (c == L'\r') continue;
    if (c == L'\n') text += L'\r';
    text += c;
  }
  Control(L"Edit", text,
          WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 12, 12,
          width - 24, height - 24 - 25 - 12, kIdHelpText);
  Control(L"Button", Wide(ui_text::CloseButton()), WS_TABSTOP | BS_DEFPUSHBUTTON, width - 12 - 88,
          height - 12 - 25, 88, 25, kIdHelpClose);
}

HelpDialog::~HelpDialog() = default;

void HelpDialog::OnCommand(int id, int code, HWND) {
  if ((id == kIdHelpClose && code == BN_CLICKED) || id == IDOK) EndModal();
}

}  // namespace w32ui
