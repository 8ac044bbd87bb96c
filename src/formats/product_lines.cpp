#include "formats/product_lines.h"

#include "formats/uclsDovan.h"
#include "formats/uclsMirel.h"
#include "formats/uclsOru.h"
#include "formats/uclsTarvel.h"

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

const std::vector<TProductLineInfo>& ProductLines() {
  static const std::vector<TProductLineInfo> lines{
      {kLineOru, "ORU 2.0", OnScratch<TOruData, CheckOruLine>, Create<TOruSong>},
      {kLineTarvel, "Tarvel", OnScratch<TTarvelData, CheckTarvelLine>, Create<TTarvelSong>},
      {kLineMirel, "Mirel", OnScratch<TMirelData, CheckMirelLine>, Create<TMirelSong>},
      {kLineDovan, "Dovan", OnScratch<TDovanData, CheckDovanLine>, Create<TDovan>},
  };
  return lines;
}

const TProductLineInfo* RecognizeProductLine(const TStringList& lines) {
  for (const auto& line : lines) {
    if (IsBlank(line)) continue;
    for (const auto& kind : ProductLines()) {
      if (kind.code != kLineDovan && kind.check(line).Code() == 0) return &kind;
    }
  }
  return nullptr;
}

const TProductLineInfo* RecognizeVodText(const TVodText& text) {
  return text.utf8 ? FindProductLine(kLineDovan) : RecognizeProductLine(text.lines);
}

const TProductLineInfo* FindProductLine(std::uint8_t code) {
  for (const auto& line : ProductLines()) {
    if (line.code == code) return &line;
  }
  return nullptr;
}
