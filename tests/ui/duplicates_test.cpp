// Songs caught twice: which row each row repeats.
#include "ui/duplicates.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "text/gbk.h"

namespace {

TEST(FindTwins, SameSongOrSameVideoNamesTheFirstOtherRow) {
  const std::string moon = Gbk(u8"月亮"), teng = Gbk(u8"邓丽君"), zhang = Gbk(u8"张学友");
  const std::string duet = zhang + "&" + teng;
  const std::map<std::string, std::int64_t> sizes = {
      {"/a/x.mpg", 10}, {"/b/X.MPG", 10}, {"/c/x.mpg", 11}, {"/a/y.mpg", 5}};
  auto sizeOf = [&](const std::string& path) {
    const auto found = sizes.find(path);
    return found == sizes.end() ? std::int64_t{-1} : found->second;
  };
  struct Case {
    const char* why;
    std::vector<TSongOfRow> rows;
    std::vector<TTwinOf> twins;
  };
  const Case cases[] = {
      {"different songs", {{moon, teng, ""}, {moon, zhang, ""}}, {{}, {}}},
      {"same title and singer", {{moon, teng, ""}, {moon, teng, ""}}, {{1, -1}, {0, -1}}},
      {"blanks around either", {{moon, teng, ""}, {" " + moon, teng + " ", ""}}, {{1}, {0}}},
      {"a duet's singers in either order",
       {{moon, duet, ""}, {moon, teng + "&" + zhang, ""}},
       {{1}, {0}}},
      {"every separator, blanks around singers",
       {{moon, duet, ""},
        {moon, teng + " / " + zhang, ""},
        {moon, teng + Gbk(u8"、") + zhang, ""},
        {moon, teng + Gbk(u8"＆") + zhang, ""}},
       {{1}, {0}, {0}, {0}}},
      {"one singer of a duet is another song", {{moon, duet, ""}, {moon, teng, ""}}, {{}, {}}},
      {"an empty title repeats nothing", {{"", teng, ""}, {" ", teng, ""}}, {{}, {}}},
      {"no singers on both", {{moon, "", ""}, {moon, " ", ""}}, {{1}, {0}}},
      {"loaded rows (no video) count",
       {{moon, teng, ""}, {"b", "c", "/a/y.mpg"}, {moon, teng, "/a/x.mpg"}},
       {{2}, {}, {0}}},
      {"three of a song name the first",
       {{"a", "b", ""}, {"a", "b", ""}, {"a", "b", ""}},
       {{1}, {0}, {0}}},
      {"same path", {{"a", "b", "/a/x.mpg"}, {"c", "d", " /a/x.mpg"}}, {{-1, 1}, {-1, 0}}},
      {"same name and size in two folders",
       {{"a", "b", "/a/x.mpg"}, {"c", "d", "/b/X.MPG"}},
       {{-1, 1}, {-1, 0}}},
      {"same name, other size", {{"a", "b", "/a/x.mpg"}, {"c", "d", "/c/x.mpg"}}, {{}, {}}},
      {"same name, size unknown", {{"a", "b", "/d/y.mpg"}, {"c", "d", "/a/y.mpg"}}, {{}, {}}},
      {"song and video at once",
       {{"a", "b", "/a/x.mpg"}, {"a", "b", "/b/X.MPG"}},
       {{1, 1}, {0, 0}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindTwins(c.rows, sizeOf), c.twins) << c.why;
  }
}

}  // namespace
