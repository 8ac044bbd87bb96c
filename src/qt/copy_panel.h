// SPDX-License-Identifier: GPL-3.0-or-later
// The copy panel of the main window: a title strip, an animation while a
// file is being copied, "从" and "到" with the two paths, the song being
// copied (then read back) of how many with the time left, the progress of
// the file and of the whole phase, and a button to stop. It draws a TCopyPanel; the form decides
// its contents.
#pragma once

#include <QFrame>

#include "ui/views.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace qtui {

class CopyAnimation;

class CopyPanel final : public QFrame {
  Q_OBJECT

 public:
  explicit CopyPanel(QWidget* parent = nullptr);
  // Shows the panel's state (not its visibility: the window places it).
  void Show(const TCopyPanel& panel);

  QProgressBar* progressBar() const { return pb_; }
  QProgressBar* overallBar() const { return overall_; }
  QPushButton* cancelButton() const { return cancel_; }
  QLabel* songLabel() const { return song_; }

 signals:
  void cancelClicked();

 private:
  QLabel* title_;
  CopyAnimation* animation_;
  QLabel* from_;
  QLabel* to_;
  QLabel* song_;
  QProgressBar* pb_;
  QProgressBar* overall_;
  QPushButton* cancel_;
};

}  // namespace qtui
