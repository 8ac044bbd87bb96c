// SPDX-License-Identifier: GPL-3.0-or-later
// The standard dialogs the windows ask the user with: message boxes,
// questions with their own buttons, the open- and save-file dialogs and the
// folder browser. The windows reach them only through this interface, so window
// tests replace them with answers of their own. Texts are UTF-16; paths are
// the system's own (absolute, UTF-16).
#pragma once

#include <string>
#include <vector>

#include "win32/win_api.h"

struct TQuestion;

namespace w32ui {

class IPrompts {
 public:
  virtual ~IPrompts() = default;
  // A modal box with one OK button and the icon of kind 0 warning, 1 error,
  // 2 information, 3 question; other kinds show nothing.
  virtual void Message(HWND owner, const std::wstring& caption, const std::wstring& text,
                       int kind) = 0;
  // A modal message with one OK button and no icon.
  virtual void Notice(HWND owner, const std::wstring& caption, const std::wstring& text) = 0;
  // A modal question with the buttons (the first the default, the last
  // cancelling, also for Escape): the index of the one chosen, -1 when the
  // window was closed without one.
  virtual int Ask(HWND owner, const std::wstring& caption, const std::wstring& text,
                  const std::vector<std::wstring>& buttons) = 0;
  // One existing file, or "" when cancelled. filter: the forms' "Name|*.a *.b;..." form.
  virtual std::wstring OpenFile(HWND owner, const std::wstring& title, const std::wstring& folder,
                                const std::wstring& filter) = 0;
  // Several existing files in the dialog's order, or none when cancelled.
  virtual std::vector<std::wstring> OpenFiles(HWND owner, const std::wstring& folder,
                                              const std::wstring& filter) = 0;
  // A file to write, proposed under name in folder, an existing one's
  // replacing confirmed by the user; "" when cancelled.
  virtual std::wstring SaveFile(HWND owner, const std::wstring& title, const std::wstring& folder,
                                const std::wstring& filter, const std::wstring& name) = 0;
  // A folder, or "" when cancelled; the prompt is shown above the folders.
  virtual std::wstring Folder(HWND owner, const std::wstring& prompt,
                              const std::wstring& folder) = 0;
};

// MessageBoxW, the program's own question dialog, GetOpenFileNameW,
// GetSaveFileNameW and SHBrowseForFolderW.
class StandardPrompts : public IPrompts {
 public:
  void Message(HWND owner, const std::wstring& caption, const std::wstring& text,
               int kind) override;
  void Notice(HWND owner, const std::wstring& caption, const std::wstring& text) override;
  int Ask(HWND owner, const std::wstring& caption, const std::wstring& text,
          const std::vector<std::wstring>& buttons) override;
  std::wstring OpenFile(HWND owner, const std::wstring& title, const std::wstring& folder,
                        const std::wstring& filter) override;
  std::vector<std::wstring> OpenFiles(HWND owner, const std::wstring& folder,
                                      const std::wstring& filter) override;
  std::wstring SaveFile(HWND owner, const std::wstring& title, const std::wstring& folder,
                        const std::wstring& filter, const std::wstring& name) override;
  std::wstring Folder(HWND owner, const std::wstring& prompt, const std::wstring& folder) override;
};

// A form's question put to the prompts: its caption, text and buttons.
int AskQuestion(IPrompts& prompts, HWND owner, const TQuestion& question);

// The forms' filter "Name|pattern pattern;Name|pattern" as the open dialog
// takes it: "Name\0pattern;pattern\0Name\0pattern\0\0".
std::wstring DialogFilter(const std::wstring& formsFilter);
// The extension the save dialog adds to a name typed without one: that of
// the filter's first pattern ("csv" of "表格|*.csv"), "" for "*.*".
std::wstring DefaultExtension(const std::wstring& formsFilter);

// The folder browser's tree of folders (a grandchild of the dialog on
// Windows, a child under Wine); null when it has none.
HWND FolderTree(HWND browser);

// The control ids of the question dialog's buttons: kFirstAnswerId + index.
inline constexpr int kFirstAnswerId = 100;

}  // namespace w32ui
