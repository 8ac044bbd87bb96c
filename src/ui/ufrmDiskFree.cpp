// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ufrmDiskFree.h"

#include "ui/ui_texts.h"

namespace {
// What the labels call the drive: the letter of a drive root, else the
// mount point without its final separator.
std::string DriveName(const std::string& drive) {
  const bool letterRoot =
      drive.size() >= 2 && drive[1] == ':' &&
      ((drive[0] >= 'A' && drive[0] <= 'Z') || (drive[0] >= 'a' && drive[0] <= 'z'));
  if (letterRoot) return drive.substr(0, 1);
  std::string name = drive;
  while (name.size() > 1 && (name.back() == '/' || name.back() == '\\')) name.pop_back();
  return name;
}
}  // namespace

TfrmDiskFree::TfrmDiskFree()
    : Caption(ui_text::DiskFreeCaption()),
      Label1(ui_text::NeedLabel()),
      Label2(ui_text::FreeLabel()),
      Label3("Label3"),
      Label4("Label4"),
      Label5("Label5"),
      BitBtn1(ui_text::ConfirmButton()) {}

void TfrmDiskFree::SetDrive(const std::string& drive) {
  const std::string name = DriveName(drive);
  Label2 = name + ui_text::DriveFree();
  Label5 = name + ui_text::DriveTooSmall();
  Changed();
}

void TfrmDiskFree::SetNeedText(const std::string& text) {
  Label3 = text;
  Changed();
}

void TfrmDiskFree::SetFreeText(const std::string& text) {
  Label4 = text;
  Changed();
}

void TfrmDiskFree::BitBtn1Click() {
  if (view_ != nullptr) view_->Close();
}

void TfrmDiskFree::Changed() {
  if (view_ != nullptr) view_->LabelsChanged();
}
