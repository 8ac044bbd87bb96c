// SPDX-License-Identifier: GPL-3.0-or-later
// Definitions of the phrase tables; see phrase_tables.h.
#include "text/phrase_tables.h"

#include <cstddef>
#include <cstdint>

// PhraseText, PhraseStarts, kPhraseCount, PhraseLeads, Polyphones, kPolyphoneCount.
#include "text/phrase_table.inc"
