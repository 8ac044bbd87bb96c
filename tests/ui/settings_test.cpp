// SPDX-License-Identifier: GPL-3.0-or-later
// What the program remembers between runs: every setting under the name the
// owners' stores already hold, read back as it was written, its default
// when unset, a stored text it does not know ignored.
#include <map>
#include <utility>
#include <variant>

#include "ui/settings.h"
#include "ui_fixture.h"

namespace {

// A store in memory, keyed "section/name" as the Qt program's keys are.
class MemoryStore final : public ISettingsStore {
 public:
  using Value = std::variant<std::string, bool>;
  std::map<std::string, Value> values;

  std::optional<std::string> Text(const std::string& section,
                                  const std::string& name) const override {
    return Get<std::string>(section, name);
  }
  std::optional<bool> Flag(const std::string& section, const std::string& name) const override {
    return Get<bool>(section, name);
  }
  void SetText(const std::string& section, const std::string& name,
               const std::string& text) override {
    values[section + "/" + name] = text;
  }
  void SetFlag(const std::string& section, const std::string& name, bool on) override {
    values[section + "/" + name] = on;
  }

 private:
  template <class T>
  std::optional<T> Get(const std::string& section, const std::string& name) const {
    const auto found = values.find(section + "/" + name);
    if (found == values.end() || !std::holds_alternative<T>(found->second)) return std::nullopt;
    return std::get<T>(found->second);
  }
};

std::string Utf8Of(std::u8string_view text) {
  return std::string(text.begin(), text.end());
}

// What a window holds after its start with the store.
struct Loaded {
  TWindowFolders folders;
  bool verify;
  TPinyinReading reading;
  std::string sourceFolder;
  TNameOrder order;
};

struct Settings : MainForm {
  // A window started on the store as the desktop windows start, the form's
  // own values set before (as a front end's defaults would be).
  Loaded StartOn(const MemoryStore& store, TNameOrder before = TNameOrder::kTitleSinger) {
    Window w(&env);
    w.form.SetNameOrder(before);
    Loaded loaded;
    TSettings::LoadBeforeStart(store, w.form, loaded.folders);
    w.Start(2);
    w.form.SetSourceFolder("/before/");
    TSettings::LoadAfterStart(store, w.form);
    loaded.verify = w.form.VerifyCopies();
    loaded.reading = w.form.PinyinReading();
    loaded.sourceFolder = w.form.SourceFolder();
    loaded.order = w.form.NameOrder();
    return loaded;
  }
};

TEST_F(Settings, EverySettingIsKeptUnderItsNameAndReadBackAsItWas) {
  Start(2);
  form.SetSourceFolder(Gbk(u8"/歌曲/新歌/"));
  form.SetNameOrder(TNameOrder::kSingerTitle);
  form.SetVerifyCopies(false);
  form.SetPinyinReading(TPinyinReading::kPerCharacter);
  const TWindowFolders folders{Utf8Of(u8"/노래/vod"), Utf8Of(u8"/media/U盘")};
  MemoryStore store;
  TSettings::Save(store, form, folders);

  const std::map<std::string, MemoryStore::Value> names = {
      {"folders/songs", Utf8Of(u8"/歌曲/新歌/")},
      {"folders/vod", folders.vod},
      {"folders/target", folders.target},
      {"files/nameOrder", std::string("singer-title")},
      {"run/verify", false},
      {"grid/pinyinReading", std::string("characters")},
  };
  EXPECT_EQ(store.values, names);

  const Loaded loaded = StartOn(store);
  EXPECT_EQ(loaded.folders.vod, folders.vod);
  EXPECT_EQ(loaded.folders.target, folders.target);
  EXPECT_FALSE(loaded.verify);
  EXPECT_EQ(loaded.reading, TPinyinReading::kPerCharacter);
  EXPECT_EQ(loaded.sourceFolder, Gbk(u8"/歌曲/新歌/"));
  EXPECT_EQ(loaded.order, TNameOrder::kSingerTitle);
}

TEST_F(Settings, AnUnsetOrUnknownValueGivesTheDefaultOrLeavesTheFormAsItWas) {
  const struct {
    const char* why;
    std::map<std::string, MemoryStore::Value> values;
  } cases[] = {
      {"nothing stored", {}},
      {"texts no setting has, a song folder with no GBK form, values of another kind",
       {{"grid/pinyinReading", std::string("sideways")},
        {"files/nameOrder", std::string("Singer-Title")},
        {"folders/songs", Utf8Of(u8"/노래/")},
        {"run/verify", std::string("0")},
        {"folders/vod", false}}},
  };
  for (const auto& c : cases) {
    MemoryStore store;
    store.values = c.values;
    const Loaded loaded = StartOn(store, TNameOrder::kSingerTitle);
    EXPECT_EQ(loaded.folders.vod, "") << c.why;
    EXPECT_EQ(loaded.folders.target, "") << c.why;
    EXPECT_TRUE(loaded.verify) << c.why;
    EXPECT_EQ(loaded.reading, TPinyinReading::kPhrases) << c.why;
    EXPECT_EQ(loaded.sourceFolder, "/before/") << c.why;
    EXPECT_EQ(loaded.order, TNameOrder::kSingerTitle) << c.why;
  }
}

TEST_F(Settings, LeavingAtTheStartUpWindowKeepsTheSongFolderAndNameOrderStored) {
  MemoryStore store;
  store.values = {{"folders/songs", std::string("/old/")},
                  {"files/nameOrder", std::string("singer-title")}};
  view.onLogin = [](TfrmLogin& login) { login.btnCloseClick(); };
  form.FormCreate();
  ASSERT_TRUE(form.Terminated());
  form.SetPinyinReading(TPinyinReading::kPerCharacter);
  TSettings::Save(store, form, {"/vod", "/target"});
  EXPECT_EQ(store.values.at("folders/songs"), MemoryStore::Value(std::string("/old/")));
  EXPECT_EQ(store.values.at("files/nameOrder"), MemoryStore::Value(std::string("singer-title")));
  EXPECT_EQ(store.values.at("folders/vod"), MemoryStore::Value(std::string("/vod")));
  EXPECT_EQ(store.values.at("grid/pinyinReading"), MemoryStore::Value(std::string("characters")));
  EXPECT_EQ(store.values.at("run/verify"), MemoryStore::Value(true));
}

}  // namespace
