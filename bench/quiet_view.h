// SPDX-License-Identifier: GPL-3.0-or-later
// A main window without a window, for the benchmarks: the start-up choice
// answered with the product line given, nothing drawn, the form's messages
// queued and handed over at each turn of the loop, the boxes kept.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/product_lines.h"
#include "ui/queued_main_view.h"
#include "ui/ufrmMain.h"

class QuietView final : public TQueuedMainView {
 public:
  explicit QuietView(std::uint8_t product = kProductOru) : product_(product) {}
  void SetCaption(const std::string&) override {}
  void SetStatusText(const std::string&) override {}
  void SetButtonEnabled(TMainButton, bool) override {}
  void CopyPanelChanged(const TCopyPanel&) override {}
  void CloseWindow() override {}
  void ShowBox(const std::string&, const std::string& text, int) override { boxes.push_back(text); }
  int Ask(const TQuestion&) override { return -1; }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void ShowModal(TfrmLogin& form) override { form.ChooseProduct(product_); }
  void ShowModal(TfrmAddNewSong&) override {}
  void ShowModal(TfrmSaveHint&) override {}
  void ShowModal(TfrmDiskFree&) override {}
  void ShowModal(TfrmBatchEdit&) override {}
  std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&,
                                            const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::vector<std::string> boxes;

 private:
  std::uint8_t product_;
};
