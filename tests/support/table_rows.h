// SPDX-License-Identifier: GPL-3.0-or-later
// A lookup table as one text, "code name,code name,...", for comparing a
// whole table with one expectation.
#pragma once

#include <string>

#include "model/bm_table.h"

inline std::string RowsOf(const TBmTable& table) {
  std::string rows;
  for (int i = 0; i < table.Count(); ++i) {
    rows += (i ? "," : "") + table.Item(i).CodeStr + " " + table.Item(i).Name;
  }
  return rows;
}
