// SPDX-License-Identifier: GPL-3.0-or-later
// The main window of the desktop program: the menus, the tool panel, the
// stick's strip, the song grid, the red status panes and the copy panel. It
// draws the main form (TfrmMain) and hands every click, edit, key and
// dropped file to it; the form decides. The grid selects as a spreadsheet
// does, and its selection is the form's grid's (TGrid::Selection).
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPalette>
#include <QPointer>
#include <memory>

#include "ui/ufrmMain.h"
#include "ui/views.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace platform {
class Env;
}

namespace qtui {

class CopyPanel;
class GridModel;
class HelpWindow;
class IPrompts;

class MainWindow final : public QMainWindow, public IMainView {
  Q_OBJECT

 public:
  // prompts: the message boxes and file dialogs (tests hand in their own);
  // env: the system (null: the real one).
  explicit MainWindow(IPrompts& prompts, platform::Env* env = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Runs the form's creation, with its start-up window. False when the
  // program ends there (the user left, or chose no product line).
  bool Start();

  TfrmMain& form() { return form_; }
  QTableView* grid() const { return table_; }
  CopyPanel* copyPanel() const { return panel_; }
  QLabel* songCountPane() const { return songCount_; }
  // The status bar's pane of what the current row's video holds.
  QLabel* mediaPane() const { return mediaPane_; }
  // The line above the grid that tells what the stick holds.
  QLabel* stickStrip() const { return strip_; }
  QPushButton* button(TMainButton which) const;
  QComboBox* pinyinReadingBox() const { return pinyinReading_; }
  // The instructions' window while it is open (F1, 帮助 > 使用说明).
  HelpWindow* helpWindow() const;

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

 protected:
  void customEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildGrid();
  // The grid's commands as actions (named "act..."), their keys working
  // where the grid has the focus; the menu bar's menus and the grid's menu.
  void BuildActions();
  void BuildMenus();
  // The view's selection to the form's grid, and back.
  void PushSelection();
  void ShowSelection();
  void CopyCells();
  void PasteCells();
  void ShowHelp();
  // Where the export and import dialogs start, and the file one chose (GBK;
  // its folder is where they start next).
  QString ListFolder() const;
  std::optional<std::string> ListFile(const QString& file);
  void PlacePanel();
  void LoadSettings();
  void SaveSettings();

  IPrompts& prompts_;
  TfrmMain form_;
  GridModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QPushButton* buttons_[4] = {};  // by TMainButton
  QLabel* songCount_ = nullptr;
  QLabel* mediaPane_ = nullptr;
  QLabel* strip_ = nullptr;
  QPalette stripColours_;               // the strip's colours when the stick is in order
  QTimer* usbTimer_ = nullptr;          // asks the form every 2 s whether USB disks came or went
  QCheckBox* verify_ = nullptr;         // the run reads back what it wrote
  QComboBox* pinyinReading_ = nullptr;  // how 拼音 is read: kPinyinReadings by index
  CopyPanel* panel_ = nullptr;
  bool followingCurrent_ = false;  // the form moves the current cell: do not echo it back
  bool pushingSelection_ = false;  // the view's selection goes to the grid: not shown back
  bool showingSelection_ = false;  // the grid's selection is shown: not pushed back
  QAction* undo_ = nullptr;        // 撤销 / 重做, their texts naming the step
  QAction* redo_ = nullptr;
  QList<QAction*> gridActions_;  // what changes or reads the grid: off while it is
  QPointer<QDialog> help_;       // a HelpWindow
  QString listFolder_;           // where the export and import dialogs start
  QString vodFolder_;            // where the vod.txt open dialog starts
  QString targetFolder_;         // where the folder browser starts
  QElapsedTimer pumped_;         // since the last turn of the event loop
};

}  // namespace qtui
