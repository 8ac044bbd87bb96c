// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop program remembers between runs, and when: the folders
// its dialogs open in, how the owner's files are named, whether a run reads
// its copies back, how 拼音 is read. Each window keeps these in its own
// store (QSettings, the registry) behind ISettingsStore; which settings
// there are, their names, their defaults and how they are read back is
// decided here, once.
#pragma once

#include <optional>
#include <string>

class TfrmMain;

// A front end's store of settings: values by section and name ("folders",
// "songs"), kept between runs. Texts are UTF-8. A value that is unset, or
// stored as another kind, reads as nothing.
class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;
  virtual std::optional<std::string> Text(const std::string& section,
                                          const std::string& name) const = 0;
  virtual std::optional<bool> Flag(const std::string& section, const std::string& name) const = 0;
  virtual void SetText(const std::string& section, const std::string& name,
                       const std::string& text) = 0;
  virtual void SetFlag(const std::string& section, const std::string& name, bool on) = 0;
};

// The folders a window's own dialogs start in: the start-up window's
// vod.txt dialog and the folder browser of the run's target. UTF-8, as the
// system names them (a folder with no GBK form is still a place for a
// dialog to start in); empty: where the system says.
struct TWindowFolders {
  std::string vod;
  std::string target;
};

class TSettings {
 public:
  // Before the form's FormCreate: the window's folders (empty when unset),
  // whether runs read back (on when unset) and how 拼音 is read (by words
  // when unset or stored as a text no reading has).
  static void LoadBeforeStart(const ISettingsStore& store, TfrmMain& form, TWindowFolders& folders);
  // After FormCreate made the song list: the folder songs were last added
  // from (kept as it is when unset or not GBK) and the name order (kept as
  // it is when unset or stored as a text no order has).
  static void LoadAfterStart(const ISettingsStore& store, TfrmMain& form);
  // When the window closes: every setting; the song folder and the name
  // order only when the form has a song list (not Terminated), so that
  // leaving at the start-up window forgets neither.
  static void Save(ISettingsStore& store, const TfrmMain& form, const TWindowFolders& folders);
};
