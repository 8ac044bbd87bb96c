// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings.h"

#include "text/gbk.h"
#include "ui/ufrmMain.h"

namespace {

// Where each setting is kept: a section and a name of the store. Owners'
// stores already hold them under these names, which therefore never change.
struct TKey {
  const char* section;
  const char* name;
};
constexpr TKey kSongFolder{"folders", "songs"};
constexpr TKey kVodFolder{"folders", "vod"};
constexpr TKey kTargetFolder{"folders", "target"};
constexpr TKey kVerify{"run", "verify"};
constexpr TKey kNameOrder{"files", "nameOrder"};
constexpr TKey kPinyinReading{"grid", "pinyinReading"};

std::optional<std::string> Read(const ISettingsStore& store, TKey key) {
  return store.Text(key.section, key.name);
}

}  // namespace

void TSettings::LoadBeforeStart(const ISettingsStore& store, TfrmMain& form,
                                TWindowFolders& folders) {
  folders.vod = Read(store, kVodFolder).value_or("");
  folders.target = Read(store, kTargetFolder).value_or("");
  form.SetVerifyCopies(store.Flag(kVerify.section, kVerify.name).value_or(true));
  const std::string reading = Read(store, kPinyinReading).value_or("");
  form.SetPinyinReading(PinyinReadingFromText(reading).value_or(TPinyinReading::kPhrases));
}

void TSettings::LoadAfterStart(const ISettingsStore& store, TfrmMain& form) {
  if (const auto folder = Read(store, kSongFolder)) {
    if (const auto gbk = gbk::TryFromUtf8(*folder)) form.SetSourceFolder(*gbk);
  }
  if (const auto order = NameOrderFromText(Read(store, kNameOrder).value_or(""))) {
    form.SetNameOrder(*order);
  }
}

void TSettings::Save(ISettingsStore& store, const TfrmMain& form, const TWindowFolders& folders) {
  auto write = [&store](TKey key, const std::string& text) {
    store.SetText(key.section, key.name, text);
  };
  if (!form.Terminated()) {
    write(kSongFolder, gbk::ToUtf8(gbk::Printable(form.SourceFolder())));
    write(kNameOrder, std::string(NameOrderText(form.NameOrder())));
  }
  write(kVodFolder, folders.vod);
  write(kTargetFolder, folders.target);
  store.SetFlag(kVerify.section, kVerify.name, form.VerifyCopies());
  write(kPinyinReading, std::string(PinyinReadingText(form.PinyinReading())));
}
