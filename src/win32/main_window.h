// SPDX-License-Identifier: GPL-3.0-or-later
// The main window of the desktop program: the menu bar, the tool panel, the
// stick's strip, the song grid, the red status panes and the copy panel. It
// draws the main form (TfrmMain) and hands every click, edit, key, menu
// command and dropped file to it; the form decides.
// The form's messages 2048-2050 are posted to this window as window
// messages of those numbers and handed back to TfrmMain::HandleMessage.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "ui/ufrmMain.h"
#include "ui/views.h"
#include "win32/window.h"

namespace platform {
class Env;
}

namespace w32ui {

class CopyPanel;
class GridView;
class IPrompts;

// The controls' ids, by which tests find them.
enum MainControl : int {
  kIdBtnAdd = 700,
  kIdBtnComplete = 701,
  kIdBtnCloseMain = 702,
  kIdChkVerify = 703,
  kIdGrid = 704,
  kIdStatusBar = 705,
  kIdBtnRestore = 706,
  kIdCbPinyinReading = 707,  // 拼音首字母: kPinyinReadings by index
  kIdStickStrip = 708,       // the line above the grid that tells what the stick holds
  // The commands of the menu bar and the grid's menu.
  kIdMenuDelete = 710,     // 删除 (N1)
  kIdMenuClear = 711,      // 清空 (N2)
  kIdMenuUndo = 712,       // 撤销 and the step's name
  kIdMenuRedo = 713,       // 重做 and the step's name
  kIdMenuCopy = 714,       // 复制
  kIdMenuPaste = 715,      // 粘贴
  kIdMenuFillDown = 716,   // 向下填充
  kIdMenuBatchEdit = 717,  // 批量修改…
  kIdMenuSelectAll = 718,  // 全选
  kIdMenuExport = 719,     // 导出歌曲列表…
  kIdMenuImport = 720,     // 导入修改…
  kIdMenuHelp = 721,       // 使用说明
};

class MainWindow final : public Window, public IMainView {
 public:
  // prompts: the message boxes and file dialogs (tests hand in their own);
  // env: the system (null: the real one); settingsKey: where the last
  // folders are remembered, below HKEY_CURRENT_USER.
  MainWindow(IPrompts& prompts, platform::Env* env, std::wstring settingsKey);
  ~MainWindow() override;

  // Runs the form's creation, with its start-up window. False when the
  // program ends there (the user left, or chose no product line).
  bool Start();

  TfrmMain& form() { return form_; }
  GridView& grid() { return *grid_; }
  CopyPanel& copyPanel() { return *panel_; }
  HWND copyPanelWindow() const;
  HWND button(TMainButton which) const { return buttons_[static_cast<int>(which)]; }
  // The status bar's panes: the fixed one (0) and the song count (1).
  const std::wstring& paneText(int pane) const { return panes_[pane]; }
  HWND stickStrip() const { return strip_; }
  // The grid's context menu as it pops up now; the caller destroys it.
  HMENU GridMenu() const;
  // The menu bar's menus: 编辑, 歌曲列表, 帮助.
  HMENU editMenu() const { return editMenu_; }
  HMENU listMenu() const { return listMenu_; }
  HMENU helpMenu() const { return helpMenu_; }
  // The help window (F1), shown modally.
  void ShowHelp();

  // IMainView
  void SetCaption(const std::string& text) override;
  void SetStatusText(const std::string& text) override;
  void SetMediaText(const std::string& text) override;
  void SetButtonEnabled(TMainButton button, bool enabled) override;
  void CopyPanelChanged(const TCopyPanel& panel) override;
  void CloseWindow() override;
  void PostMessage(unsigned message, std::int64_t lparam) override;
  void ProcessMessages() override;
  void ShowBox(const std::string& caption, const std::string& text, int kind) override;
  int Ask(const TQuestion& question) override;
  std::optional<std::string> ChooseFolder(const std::string& prompt,
                                          const std::string& start) override;
  void StickChanged(const TStickView& stick) override;
  void ShowModal(TfrmLogin& form) override;
  void ShowModal(TfrmAddNewSong& form) override;
  void ShowModal(TfrmSaveHint& form) override;
  void ShowModal(TfrmDiskFree& form) override;
  void ShowModal(TfrmBatchEdit& form) override;
  std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter,
                                            const std::string& name) override;
  std::optional<std::string> ChooseOpenFile(const std::string& title,
                                            const std::string& filter) override;

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // A button, the menu or the reading list (WM_COMMAND).
  void OnCommand(WPARAM wparam);
  void OnDpiChanged(WPARAM wparam, LPARAM lparam);
  // The system tells that a disk came or went (WM_DEVICECHANGE).
  void OnDeviceChange(WPARAM wparam, LPARAM lparam);
  void Layout();
  void MakeMenus();
  // The edit commands' texts and states as they are now (WM_INITMENUPOPUP).
  void UpdateEditMenu(HMENU menu) const;
  void PlacePanel();
  void ContextMenu(POINT at);
  void DropFiles(HDROP drop);
  void LoadSettings();
  void SaveSettings();
  void DrawPane(const DRAWITEMSTRUCT& item);
  // Shows the reading in the 拼音首字母 box and hands it to the form.
  void ChoosePinyinReading(TPinyinReading reading);

  IPrompts& prompts_;
  TfrmMain form_;
  std::wstring settingsKey_;
  HWND buttons_[4] = {};  // by TMainButton: 添加歌曲, 开始加歌, 关闭, 恢复以前的歌曲列表…
  HWND verify_ = nullptr;
  HWND readingLabel_ = nullptr;  // "拼音首字母："
  HWND pinyinReading_ = nullptr;
  HWND status_ = nullptr;
  HWND strip_ = nullptr;       // the stick's strip
  bool stripTrouble_ = false;  // drawn in red: the stick could not be read as it should
  std::wstring panes_[3];      // fixed, song count, the current row's video
  std::unique_ptr<GridView> grid_;
  std::unique_ptr<CopyPanel> panel_;
  bool panelShown_ = false;
  std::wstring vodFolder_;     // where the vod.txt open dialog starts
  std::wstring targetFolder_;  // where the folder browser starts
  std::wstring listFolder_;    // where the list was last exported or imported
  HMENU editMenu_ = nullptr;
  HMENU listMenu_ = nullptr;
  HMENU helpMenu_ = nullptr;
  std::chrono::steady_clock::time_point pumped_;  // the last turn of the message loop
  bool closed_ = false;
  bool helpShown_ = false;
};

// Runs the program's message loop until the main window is gone.
int RunMessageLoop();

}  // namespace w32ui
