// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ufrmLogin.h"

#include "formats/product_lines.h"
#include "model/messages.h"
#include "model/window_side.h"
#include "platform/env.h"
#include "run/target_dir.h"
#include "run/vod_text.h"
#include "ui/load_report.h"
#include "ui/ui_texts.h"

TfrmLogin::TfrmLogin(platform::Env* env) : env_(env != nullptr ? env : platform::Env::Default()) {
  for (const TProductLineInfo& product : ProductLines()) {
    ProductButtons.push_back({product.button, product.ButtonCaption(), true, product.code});
  }
  btnVod = {"btnVod", ui_text::OpenVodButton()};
  btnClose = {"btnClose", ui_text::QuitButton()};
}

void TfrmLogin::FormCreate() {
  FChoice = 0;
  Caption = ui_text::ToolCaption();
  FQuit = false;
  FLoadVod = false;
  FVodFile.clear();
}

void TfrmLogin::ChooseProduct(std::uint8_t product) {
  FChoice = product;
  CloseView();
}

void TfrmLogin::btnCloseClick() {
  FQuit = true;
  CloseView();
}

void TfrmLogin::FormClose() {
  if (FChoice == 0) FQuit = true;
}

void TfrmLogin::CloseView() {
  if (view_ != nullptr) view_->Close();
}

void TfrmLogin::btnVodClick() {
  if (view_ == nullptr) return;
  const auto chosen =
      view_->ChooseFile(ui_text::OpenVodButton(), ui_text::VodFilter(), UsbFolderToOpen(*env_));
  if (!chosen || chosen->empty() || !env_->FileExists(*chosen)) return;

  std::string file = *chosen;
  const TProductLineInfo* product = nullptr;
  TVodText vod;
  std::string error;
  try {
    vod = ReadVodText(*env_, file);
    product = RecognizeVodText(vod);
  } catch (const std::exception& e) {
    error = msg::TextOf(e);
  }
  if (product == nullptr) {
    // A stick pulled inside the rename of its list holds the list whole
    // only under the temporary name.
    if (const std::string part = WholePartBeside(file); !part.empty()) {
      view_->ShowBox(
          ui_text::OpenVodButton(),
          ui_text::ListFromPart(ExtractFolder(file), ExtractName(file), ExtractName(part)),
          kMsgInformation);
      file = part;
      error.clear();
      try {
        vod = ReadVodText(*env_, file);
        product = RecognizeVodText(vod);
      } catch (const std::exception& e) {
        error = msg::TextOf(e);
      }
    }
  }
  if (!error.empty()) {
    view_->ShowBox(ui_text::OpenVodButton(), error, kMsgError);
    return;
  }
  if (product == nullptr) {
    view_->ShowBox(ui_text::OpenVodButton(), ui_text::NoLineRecognised(file), kMsgWarning);
    return;
  }
  // What the main window will load, read once here so that lines that cannot
  // be read are told now, while the owner can still choose another file.
  const auto scratch = product->create(env_);
  scratch->LoadVodText(vod);
  const bool goOn = AcceptLoad(
      *scratch, file, [this](const TQuestion& q) { return view_->Ask(q); },
      [this](const std::string& c, const std::string& t, int k) { view_->ShowBox(c, t, k); });
  if (!goOn) return;
  FLoadVod = true;
  FVodFile = file;
  ChooseProduct(product->code);
}

std::string TfrmLogin::WholePartBeside(const std::string& path) {
  if (LowerAscii(ExtractName(path)) != TTargetDir::kListName) return "";
  const std::string folder = ExtractFolder(path);
  try {
    const auto held = env_->OpenFolder(folder.empty() ? "." : folder);
    std::map<std::string, platform::FolderEntry> dats;
    platform::FolderEntry part;
    for (platform::FolderEntry& entry : held->List()) {
      if (entry.kind != platform::EntryKind::kFile) continue;
      if (TTargetDir::IsSongFileName(entry.name)) {
        dats.emplace(entry.name.substr(0, 6), entry);
      } else if (LowerAscii(entry.name) == TTargetDir::kPartName) {
        part = entry;
      }
    }
    if (part.kind != platform::EntryKind::kFile) return "";
    const auto file = held->OpenForRead(part.name);
    const std::string bytes = platform::ReadWhole(*file, part.size, folder + part.name);
    const TVodText vod = DecodeVodText(bytes);
    const TProductLineInfo* product = RecognizeVodText(vod);
    if (product == nullptr) return "";
    const auto scratch = product->create(env_);
    auto songNoOf = [&](const std::string& line) { return scratch->SongNoOf(line); };
    return TTargetDir::IsCompleteList(bytes, vod, dats, songNoOf) ? folder + part.name : "";
  } catch (const std::exception&) {
    return "";  // nothing beside it can be read: the file is told as it is
  }
}
