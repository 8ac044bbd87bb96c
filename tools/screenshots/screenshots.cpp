// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the desktop program's windows as an owner would and saves a
// picture of the screen at each step: the start-up window, the main window
// of every product line with a few songs, the new-song dialog, the save
// hint, the copy panel and the closing message.
//   addsongs-screenshots OUTPUT_FOLDER
// Run it on a display (tools/screenshots.sh starts a virtual one).
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <fstream>
#include <functional>
#include <thread>

#include "platform/env.h"
#include "qt/app_setup.h"
#include "qt/copy_panel.h"
#include "qt/dialogs.h"
#include "qt/main_window.h"
#include "qt/prompts.h"
#include "qt/qt_text.h"
#include "ui/ui_texts.h"

namespace {

QString out;        // the folder the pictures go to
int messages = 0;   // message boxes photographed so far
int questions = 0;  // questions photographed so far

void Shoot(const QString& name) {
  QCoreApplication::processEvents();
  QApplication::primaryScreen()->grabWindow(0).save(out + "/" + name + ".png");
}

// Answers each modal dialog once: takes a picture of it, then clicks a button.
class Answers : public QObject {
 public:
  struct Answer {
    QString picture;  // "" for none
    QString button;
  };
  std::map<QString, Answer> answers;
  std::function<void()> onTick;
  Answers() {
    connect(&timer_, &QTimer::timeout, this, [this] {
      if (onTick) onTick();
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || modal == done_) return;
      const auto found = answers.find(modal->objectName());
      if (found == answers.end()) return;
      // The first turns after it appears, the dialog is still being drawn.
      if (modal != seen_) {
        seen_ = modal;
        ticks_ = 0;
      }
      if (++ticks_ < 6) return;
      done_ = modal;
      if (!found->second.picture.isEmpty()) Shoot(found->second.picture);
      if (auto* button = modal->findChild<QPushButton*>(found->second.button)) {
        QTimer::singleShot(0, button, &QPushButton::click);
      }
    });
    timer_.start(50);
  }

 private:
  QTimer timer_;
  // Guarded: a dialog shown later may take the place in memory of one gone.
  QPointer<QWidget> done_;
  QPointer<QWidget> seen_;
  int ticks_ = 0;
};

// The real message boxes, each photographed and closed again.
class ShotPrompts final : public qtui::StandardPrompts {
 public:
  QString folder;
  QStringList files;
  void Message(QWidget* parent, const QString& caption, const QString& text, int kind) override {
    QTimer::singleShot(300, [] {
      Shoot(QString("message-%1").arg(++messages));
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    StandardPrompts::Message(parent, caption, text, kind);
  }
  // The buttons to answer the next questions with, by index; a question
  // beyond them is answered with its cancelling button.
  std::vector<int> replies;
  // The real question box, photographed and answered.
  int Ask(QWidget* parent, const QString& caption, const QString& text,
          const QStringList& buttons) override {
    QString wanted;  // the text of the button to click; none: the cancelling one
    if (!replies.empty()) {
      if (replies.front() >= 0 && replies.front() < buttons.size())
        wanted = buttons[replies.front()];
      replies.erase(replies.begin());
    }
    QTimer::singleShot(300, [wanted] {
      Shoot(QString("question-%1").arg(++questions));
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        for (QAbstractButton* button : box->buttons()) {
          if (!wanted.isEmpty() && button->text() == wanted) {
            button->click();
            return;
          }
        }
        box->escapeButton()->click();
      }
    });
    return StandardPrompts::Ask(parent, caption, text, buttons);
  }
  QStringList OpenFiles(QWidget*, const QString&, const QString&) override { return files; }
  QString Folder(QWidget*, const QString&, const QString&) override { return folder; }
};

// A USB stick that writes slowly, so that the copy panel can be seen: every
// file made in a folder held open waits 3 ms per chunk.
class SlowFile final : public platform::WritableFile {
 public:
  explicit SlowFile(std::unique_ptr<platform::WritableFile> inner) : inner_(std::move(inner)) {}
  void Append(const char* data, std::size_t n) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    inner_->Append(data, n);
  }
  void Sync() override { inner_->Sync(); }
  void Close() override { inner_->Close(); }

 private:
  std::unique_ptr<platform::WritableFile> inner_;
};

class SlowFolder final : public platform::FolderWrapper {
 public:
  using FolderWrapper::FolderWrapper;
  std::unique_ptr<platform::Folder> OpenFolder(const std::string& name, bool create) override {
    return std::make_unique<SlowFolder>(target()->OpenFolder(name, create));
  }
  std::unique_ptr<platform::WritableFile> CreateNew(const std::string& name) override {
    return std::make_unique<SlowFile>(target()->CreateNew(name));
  }
};

class SlowStick final : public platform::EnvWrapper {
 public:
  SlowStick() : EnvWrapper(platform::Env::Default()) {}
  // The USB disks the system lists: one folder standing for a stick.
  std::vector<std::string> usb;
  std::vector<std::string> UsbVolumes() override { return usb; }
  std::unique_ptr<platform::Folder> OpenFolder(const std::string& path) override {
    return std::make_unique<SlowFolder>(target()->OpenFolder(path));
  }
};

std::string Gbk(const QString& text) {
  return qtui::FromQt(text).value_or("");
}

}  // namespace

int main(int argc, char** argv) {
  qtui::PreferChineseLocale();
  QApplication app(argc, argv);
  qtui::SetUpApplication(app);
  if (argc < 2) return 2;
  out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);

  QTemporaryDir work;
  const QString songs = work.path() + QString::fromUtf8("/新歌");
  QDir().mkpath(songs);
  QStringList files;
  const char* names[] = {"情歌-歌手甲.mpg", "夜曲-歌手乙.mpg", "海风-林一.avi",
                         "小河淌水-歌手丙.vob"};
  for (const char* name : names) {
    const QString path = songs + "/" + QString::fromUtf8(name);
    std::ofstream(path.toStdString()) << std::string(1 << 20, 'v');
    files << path;
  }

  const struct {
    const char* button;
    const char* picture;
  } lines[] = {{"btnOru", "main-oru"},
               {"btnTarvel", "main-tarvel"},
               {"btnMirel", "main-mirel"},
               {"BitBtn1", "main-dovan"}};
  SlowStick stick;
  // A stick with last week's three songs and a file no list names: the
  // strip above the grid tells them.
  const QString usb = work.path() + "/usb/";
  QDir().mkpath(usb + "vod");
  {
    std::ofstream list((usb + "vod/vod.txt").toStdString(), std::ios::binary);
    for (int n = 0; n < 3; ++n) {
      list << "s" << n << ";x;1;S;66000" << n << ";2;1;1;1;0\r\n";
      std::ofstream((usb + "vod/66000" + QString::number(n) + ".dat").toStdString()) << "old";
    }
    std::ofstream((usb + "vod/660007.dat").toStdString()) << "left";
  }
  stick.usb = {Gbk(usb)};
  for (const auto& line : lines) {
    ShotPrompts prompts;
    prompts.files = files;
    qtui::MainWindow window(prompts, &stick);
    Answers answers;
    answers.answers["frmLogin"] = {line.picture == QString("main-oru") ? "startup" : "",
                                   line.button};
    if (!window.Start()) return 1;
    window.showMaximized();
    for (const QString& file : files) window.form().AddSongFile(Gbk(file));
    if (QString(line.button) == "BitBtn1") window.form().EditCell(7, 1, "DVD");
    QTimer::singleShot(500, [] { QCoreApplication::exit(); });
    QApplication::exec();
    Shoot(line.picture);

    if (QString(line.button) == "btnOru") {
      // A song without singer, a number twice and one that is no number:
      // marked in the grid, and the run tells them all at once.
      window.form().EditCell(3, 1, "");
      window.form().Grid().SetCell(1, 2, window.form().Grid().Cell(1, 0));
      window.form().Grid().SetCell(1, 3, "12a4");
      answers.answers["frmSaveHint"] = {"", "RzButton2"};
      window.form().btnCompleteClick();
      QTimer::singleShot(300, [] { QCoreApplication::exit(); });
      QApplication::exec();
      Shoot("main-oru-missing");
      continue;
    }
    if (QString(line.button) != "btnTarvel") continue;
    // The new-song dialog, the save hint and a run with its copy panel.
    answers.answers["frmAddNewSong"] = {"new-song-dialog", "btnFile"};
    prompts.files.clear();
    for (const char* name : {"月亮代表我的心-邓丽君.mpg", "甜蜜蜜-邓丽君.mpg"}) {
      const QString path = songs + "/" + QString::fromUtf8(name);
      std::ofstream(path.toStdString()) << std::string(1 << 20, 'v');
      prompts.files << path;
    }
    window.form().btnAddClick();
    prompts.folder = work.path() + "/stick";
    QDir().mkpath(prompts.folder);
    answers.answers["frmSaveHint"] = {"save-hint", "RzButton2"};
    bool shot = false;
    answers.onTick = [&] {
      qtui::CopyPanel* panel = window.copyPanel();
      if (!shot && panel->isVisible() && panel->progressBar()->value() >= 40 &&
          panel->songLabel()->text().contains("3/")) {
        shot = true;
        Shoot("copy-panel");
      }
    };
    window.form().btnCompleteClick();

    // A second window onto the same stick: the songs there are asked about
    // (the question is closed: nothing written).
    qtui::MainWindow again(prompts, &stick);
    Answers startAgain;
    startAgain.answers["frmLogin"] = {"", "btnTarvel"};
    if (!again.Start()) return 1;
    again.showMaximized();
    again.form().AddSongFile(Gbk(files[0]));
    again.form().SetSourceFolder(ExtractFolder(Gbk(files[0])));
    startAgain.answers["frmSaveHint"] = {"", "RzButton2"};
    again.form().btnCompleteClick();
    // Replacing them is asked once more; after a replace, the list that was
    // there is offered back (both questions closed: nothing written).
    prompts.replies = {1};
    again.form().btnCompleteClick();
    prompts.replies = {1, 1};
    again.form().btnCompleteClick();
    again.form().btnRestoreClick();
  }

  // The open-file dialog as the new-song dialog shows it.
  QFileDialog picker(nullptr, QString(), songs, qtui::QtFilter(qtui::ToQt(ui_text::VideoFilter())));
  picker.setFileMode(QFileDialog::ExistingFiles);
  picker.setViewMode(QFileDialog::Detail);
  QTimer::singleShot(600, [&] {
    Shoot("file-dialog");
    picker.reject();
  });
  picker.exec();

  // The disk-space dialog with a long mount point.
  TfrmDiskFree diskFree;
  diskFree.SetDrive("/media/owner/KINGSTON DataTraveler 3.0/");
  diskFree.SetNeedText(FormatDiskSize(1230LL << 20));
  diskFree.SetFreeText("300M");
  qtui::DiskFreeDialog dialog(diskFree);
  dialog.show();
  QTimer::singleShot(400, [&] {
    Shoot("disk-free");
    dialog.accept();
  });
  dialog.exec();
  return 0;
}
