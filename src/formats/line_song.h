// SPDX-License-Identifier: GPL-3.0-or-later
// The song list of a product line whose vod.txt line is a TLineLayout: the
// mandatory fields, the writing and the reading of a line all come from the
// layout, so a product line adds only its record, its layout and its tables.
#pragma once

#include <cstdint>
#include <string>

#include "formats/line_layout.h"
#include "formats/product_lines.h"
#include "model/song_store.h"

template <class TData>
class TLineSong : public TSongStore<TData> {
 public:
  // layout must outlive the list (product lines hand in a constant).
  TLineSong(std::uint8_t productLine, platform::Env* env, const TLineLayout<TData>& layout)
      : TSongStore<TData>(productLine, env), layout_(layout) {}

 public:
  std::string ToolTitle() const override;

 protected:
  typename TSongStore<TData>::MandatoryList MandatoryFields() const override {
    return layout_.mandatory;
  }
  std::string FieldName(std::string TData::*field) const override {
    for (const auto& f : layout_.fields) {
      if (f.text == field) return f.name;
    }
    return "";
  }
  std::string LineOf(const TData& song) const override { return layout_.Write(song); }
  std::uint8_t ParseRecord(const std::string& line, TData& record) const override {
    return layout_.Read(line, record).Code();
  }

 private:
  const TLineLayout<TData>& layout_;
};

template <class TData>
std::string TLineSong<TData>::ToolTitle() const {
  const TProductLineInfo* info = FindProductLine(this->FProductLine);
  return info != nullptr ? info->Title() : std::string();
}
