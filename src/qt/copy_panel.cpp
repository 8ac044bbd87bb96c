// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/copy_panel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "qt/qt_text.h"
#include "ui/ui_texts.h"

namespace qtui {

// A sheet of paper flying from one folder to the other while a file is
// copied: the copy animation of a desktop's file manager, drawn by hand.
class CopyAnimation final : public QWidget {
 public:
  explicit CopyAnimation(QWidget* parent) : QWidget(parent) {
    setFixedSize(272, 60);
    timer_.setInterval(60);
    connect(&timer_, &QTimer::timeout, this, [this] {
      frame_ = (frame_ + 1) % 20;
      update();
    });
  }
  void SetRunning(bool running) {
    if (running && !timer_.isActive()) timer_.start();
    if (!running) timer_.stop();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    auto folder = [&](int x) {
      p.setPen(QColor(160, 120, 20));
      p.setBrush(QColor(240, 200, 80));
      p.drawRect(x, 22, 48, 32);
      p.drawRect(x, 16, 20, 8);
    };
    folder(8);
    folder(width() - 56);
    const double t = frame_ / 19.0;
    const int x = 40 + static_cast<int>(t * (width() - 120));
    const int y = 18 - static_cast<int>(14 * 4 * t * (1 - t));
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(x, y, 22, 28);
    for (int line = 0; line < 4; ++line)
      p.drawLine(x + 4, y + 6 + line * 5, x + 18, y + 6 + line * 5);
  }

 private:
  QTimer timer_;
  int frame_ = 0;
};

CopyPanel::CopyPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("Panel");
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setAutoFillBackground(true);
  setFixedSize(480, 260);

  title_ = new QLabel(ToQt(ui_text::CopyTitle()), this);
  title_->setStyleSheet("background: #0a246a; color: white; padding: 4px;");
  animation_ = new CopyAnimation(this);
  from_ = new QLabel(this);
  to_ = new QLabel(this);
  for (QLabel* path : {from_, to_}) {
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    path->setMinimumWidth(380);
  }
  from_->setObjectName("Label1");
  to_->setObjectName("Label2");
  song_ = new QLabel(this);
  pb_ = new QProgressBar(this);
  pb_->setObjectName("pb");
  pb_->setRange(0, 100);
  overall_ = new QProgressBar(this);
  overall_->setRange(0, 100);
  cancel_ = new QPushButton(ToQt(ui_text::CancelButton()), this);
  cancel_->setObjectName("btnCancel");
  connect(cancel_, &QPushButton::clicked, this, &CopyPanel::cancelClicked);

  auto* grid = new QGridLayout;
  grid->setContentsMargins(10, 0, 10, 0);
  grid->setColumnStretch(1, 1);
  grid->addWidget(new QLabel(ToQt(ui_text::CopyFrom()), this), 0, 0);
  grid->addWidget(from_, 0, 1);
  grid->addWidget(new QLabel(ToQt(ui_text::CopyTo()), this), 1, 0);
  grid->addWidget(to_, 1, 1);
  grid->addWidget(pb_, 2, 0, 1, 2);
  grid->addWidget(song_, 3, 0, 1, 2);
  grid->addWidget(overall_, 4, 0, 1, 2);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 8);
  layout->addWidget(title_);
  layout->addWidget(animation_, 0, Qt::AlignHCenter);
  layout->addLayout(grid);
  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(10, 0, 10, 0);
  buttons->addStretch();
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
}

void CopyPanel::Show(const TCopyPanel& panel) {
  animation_->SetRunning(panel.Animates());
  const QFontMetrics metrics(from_->font());
  from_->setText(metrics.elidedText(ToQt(panel.from), Qt::ElideMiddle, from_->width()));
  from_->setToolTip(ToQt(panel.from));
  to_->setText(metrics.elidedText(ToQt(panel.to), Qt::ElideMiddle, to_->width()));
  to_->setToolTip(ToQt(panel.to));
  pb_->setValue(panel.percent);
  overall_->setValue(panel.overall);
  title_->setText(ToQt(panel.Title()));
  song_->setText(ToQt(panel.SongLine()));
  cancel_->setEnabled(panel.CanCancel());
}

}  // namespace qtui
