// A main window on the fake views, over the real file system below a
// temporary folder (with controllable volumes and free space).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_views.h"
#include "support/temp_dir.h"
#include "support/test_env.h"
#include "text/gbk.h"
#include "ui/ufrmMain.h"

struct MainForm : ::testing::Test {
  TempDir dir;
  TestEnv env;
  FakeMainView view;
  TfrmMain form{view, &env};

  MainForm() { view.form = &form; }

  // Starts the window on a product line chosen in the start-up window.
  void Start(std::uint8_t line) {
    view.onLogin = [line](TfrmLogin& login) {
      switch (line) {
        case 1:
          login.btnOruClick();
          break;
        case 2:
          login.btnTarvelClick();
          break;
        case 3:
          login.btnMirelClick();
          break;
        default:
          login.BitBtn1Click();
          break;
      }
    };
    form.FormCreate();
    view.Drain();
  }

  // A video file of the given size below src/, its GBK path.
  std::string Video(const std::string& utf8Name, std::size_t size = 10) {
    return gbk::FromUtf8(dir.Write("src/" + utf8Name, std::string(size, 'v')).string());
  }

  // "添加歌曲" with the proposed number (or number) and the files.
  void AddFiles(const std::vector<std::string>& files, const std::string& number = "") {
    view.chosenFiles = files;
    view.onAddNewSong = [number](TfrmAddNewSong& d) {
      if (!number.empty()) d.edtNumChange(number);
      d.btnFileClick();
    };
    form.btnAddClick();
    view.Drain();
  }

  std::string Cell(int col, int row) const { return form.lvList.Cell(col, row); }

  // A path with every separator written '/', to compare paths the same on
  // every system.
  static std::string Slashes(std::string path) {
    for (char& c : path) {
      if (c == '\\') c = '/';
    }
    return path;
  }
};
