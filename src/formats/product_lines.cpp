#include "formats/product_lines.h"

#include "formats/uclsOru.h"

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

const TProductLineInfo* FindProductLine(std::uint8_t code) {
  for (const auto& line : ProductLines()) {
    if (line.code == code) return &line;
  }
  return nullptr;
}
