// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/bm_table.h"

#include <stdexcept>

TBmItem NewItem(std::int32_t code, const std::string& name) {
  return TBmItem{code, std::to_string(code), name};
}

int TBmTable::Add(std::int32_t code, const std::string& name) {
  rows_.push_back(NewItem(code, name));
  return Count() - 1;
}

const TBmItem& TBmTable::Item(int index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  return rows_[static_cast<std::size_t>(index)];
}

std::string TBmTable::CodeOf(const std::string& name) const {
  for (const auto& row : rows_) {
    if (row.Name == name) return row.CodeStr;
  }
  return default_;
}

int TBmTable::IndexOf(const std::string& code) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].CodeStr == code) return static_cast<int>(i);
  }
  return -1;
}
