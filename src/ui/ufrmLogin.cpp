#include "ui/ufrmLogin.h"

#include "formats/product_lines.h"
#include "model/messages.h"
#include "model/vod_text.h"
#include "model/window_side.h"
#include "platform/env.h"
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
  const auto chosen = view_->ChooseFile(ui_text::OpenVodButton(), ui_text::VodFilter());
  if (!chosen || chosen->empty() || !env_->FileExists(*chosen)) return;

  const TProductLineInfo* product = nullptr;
  TVodText vod;
  try {
    vod = ReadVodText(*env_, *chosen);
    product = RecognizeVodText(vod);
  } catch (const std::exception& error) {
    view_->ShowBox(ui_text::OpenVodButton(), msg::TextOf(error), kMsgError);
    return;
  }
  if (product == nullptr) {
    view_->ShowBox(ui_text::OpenVodButton(), ui_text::NoLineRecognised(*chosen), kMsgWarning);
    return;
  }
  // What the main window will load, read once here so that lines that cannot
  // be read are told now, while the owner can still choose another file.
  const auto scratch = product->create(env_);
  scratch->LoadVodText(vod);
  const bool goOn = AcceptLoad(
      *scratch, *chosen, [this](const TQuestion& q) { return view_->Ask(q); },
      [this](const std::string& c, const std::string& t, int k) { view_->ShowBox(c, t, k); });
  if (!goOn) return;
  FLoadVod = true;
  FVodFile = *chosen;
  ChooseProduct(product->code);
}
