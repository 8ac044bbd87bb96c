// SPDX-License-Identifier: GPL-3.0-or-later
// A main window on the fake views, over the real file system below a
// temporary folder (with controllable volumes and free space).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/product_lines.h"
#include "support/fake_views.h"
#include "support/temp_dir.h"
#include "support/test_env.h"
#include "text/gbk.h"
#include "ui/ufrmMain.h"

// Marks as gtest prints them in a failure: kind and tip.
inline void PrintTo(const TMark& mark, std::ostream* os) {
  *os << static_cast<int>(mark.kind) << " " << gbk::ToUtf8(mark.tip);
}

// A main window on fake views: the form, and the views that play its user.
struct Window {
  FakeMainView view;
  TfrmMain form;

  explicit Window(platform::Env* env) : form(view, env) { view.SetForm(&form); }

  // Starts the window on a product line chosen in the start-up window.
  void Start(std::uint8_t product) {
    view.onLogin = [product](TfrmLogin& login) { login.ChooseProduct(product); };
    form.FormCreate();
    view.Drain();
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
};

struct MainForm : ::testing::Test {
  TempDir dir;
  TestEnv env;
  Window main{&env};
  FakeMainView& view = main.view;
  TfrmMain& form = main.form;

  void Start(std::uint8_t product) { main.Start(product); }
  void AddFiles(const std::vector<std::string>& files, const std::string& number = "") {
    main.AddFiles(files, number);
  }

  // A video file of the given size below src/, its GBK path.
  std::string Video(const std::string& utf8Name, std::size_t size = 10) {
    return gbk::FromUtf8(dir.Write("src/" + utf8Name, std::string(size, 'v')).string());
  }

  std::string Cell(int col, int row) const { return form.Grid().Cell(col, row); }

  // A path with every separator written '/', to compare paths the same on
  // every system.
  static std::string Slashes(std::string path) {
    for (char& c : path) {
      if (c == '\\') c = '/';
    }
    return path;
  }
};
