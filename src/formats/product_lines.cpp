// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/product_lines.h"

#include "formats/uclsDovan.h"
#include "formats/uclsMirel.h"
#include "formats/uclsOru.h"
#include "formats/uclsTarvel.h"
#include "text/gbk.h"

namespace {
template <class TData, TLineVerdict (*Check)(const std::string&, TData&)>
TLineVerdict OnScratch(const std::string& line) {
  TData scratch;
  return Check(line, scratch);
}

template <class TList>
std::unique_ptr<TBaseSong> Create(platform::Env* env) {
  return std::make_unique<TList>(TList::kProductLine, env);
}
}  // namespace

std::string TProductLineInfo::Title() const {
  return Gbk(title);
}

std::string TProductLineInfo::ButtonCaption() const {
  return Gbk(buttonCaption);
}

const std::vector<TProductLineInfo>& ProductLines() {
  static const std::vector<TProductLineInfo> lines{
      {kProductOru, "ORU 2.0", "oru", u8"ORU 2.0 版本加歌工具", "btnOru", u8"ORU2.0系列 U 盘加歌",
       true, OnScratch<TOruData, CheckOruLine>, Create<TOruSong>},
      {kProductTarvel, "Tarvel", "tarvel", u8"Tarvel版本加歌工具", "btnTarvel",
       u8"Tarvel系列 U 盘加歌", true, OnScratch<TTarvelData, CheckTarvelLine>, Create<TTarvelSong>},
      {kProductMirel, "Mirel", "mirel", u8"Mirel系列版本加歌工具", "btnMirel",
       u8"Mirel(滑屏)系列 U 盘加歌", true, OnScratch<TMirelData, CheckMirelLine>,
       Create<TMirelSong>},
      {kProductDovan, "Dovan", "dovan", u8"Dovan加歌工具", "BitBtn1", u8"Dovan U 盘加歌", false,
       OnScratch<TDovanData, CheckDovanLine>, Create<TDovan>},
  };
  return lines;
}

const TProductLineInfo* FindProductLine(std::uint8_t code) {
  for (const auto& line : ProductLines()) {
    if (line.code == code) return &line;
  }
  return nullptr;
}

const TProductLineInfo* FindProductLine(const std::string& consoleName) {
  for (const auto& line : ProductLines()) {
    if (line.consoleName == consoleName) return &line;
  }
  return nullptr;
}

const TProductLineInfo* RecognizeProductLine(const TStringList& lines) {
  for (const auto& line : lines) {
    if (IsBlank(line)) continue;
    for (const auto& kind : ProductLines()) {
      if (kind.recognisedByLines && kind.check(line).Code() == 0) return &kind;
    }
  }
  return nullptr;
}

const TProductLineInfo* RecognizeVodText(const TVodText& text) {
  if (!text.utf8) return RecognizeProductLine(text.lines);
  for (const auto& kind : ProductLines()) {
    if (!kind.recognisedByLines) return &kind;
  }
  return nullptr;
}
