#!/usr/bin/python3
"""Generates src/text/pinyin_index.inc: PinyinSyllables and PinyinIndex.

PinyinSyllables holds 406 toneless syllables, numbered from 1, "v" standing
for u-umlaut:
  1-393    the standard Mandarin syllables in alphabetical order (see below);
  394      empty, used by no character;
  395-406  ei, m, n, dia, cen, nou, jv, qv, xv, lv, nv, gei.

PinyinIndex holds one syllable number per double-byte GBK code: 126 rows (lead
bytes 0x81-0xFE) of 191 columns (trail bytes 0x40-0xFE, 0x7F included), at
(lead - 0x81) * 191 + (trail - 0x40); 0 means "no reading".

Which codes get a reading: only the codes of code page 936 (tools/data/cp936.tsv)
whose character is a Han ideograph, i.e. lies in CJK Unified Ideographs
(U+4E00-U+9FFF), its Extension A (U+3400-U+4DBF) or CJK Compatibility
Ideographs (U+F900-U+FAFF), and the characters of OTHER_CHARACTERS below: the
ideographic number zero 〇 (U+3007, GBK A996), read ling as in 二〇一二, is a
symbol to Unicode and has no Unihan entry. Other symbols, letters,
user-defined (private-use) codes and unassigned codes are 0.

Which reading (Unihan_Readings.txt of Debian's unicode-data):
  1. The fixed readings of FIXED_READINGS below win over the data; three rare
     characters are fixed to "no reading".
  2. Otherwise the candidates are, in this order, the values of kMandarin, then
     kHanyuPinlu, kXHC1983, kHanyuPinyin and kTGHZ2013, each field's values in
     their own order. Tone marks are removed and u-umlaut becomes "v". The first
     candidate that is one of the 406 syllables is taken. So kMandarin decides
     wherever it has a usable value; a reading outside the syllable list (for
     example "hm", "fiao", "den", "ng") makes the next candidate count, and
     only when no field of the character has a usable reading is it 0.
  3. A compatibility ideograph without a usable reading of its own takes that of
     its canonical equivalent (U+F92C -> U+90CE and so on).

The 393 standard syllables are those of the 6,763 characters of GB 2312 (GBK
rows 0xB0-0xF7, trail bytes 0xA1-0xFE): the first kMandarin value of each,
toneless, without the twelve syllables kept at 395-406 and without "shei",
which only 谁 has and which standard syllable tables list under "shui" (谁 gets
"shui" from the rule above). The script checks the count, 393, and the ends of
the list (a, ai, an, ang, ao, ba ... zui, zun, zuo) and stops when either is off.
Marginal syllables of other GBK characters (hm, lo, den, eng, fiao, nun, kei,
chua, rua, and fo, since Unihan reads 佛 fu first) are thus outside the list:
their characters take another of their readings, or none.

Usage, from anywhere (Python 3 standard library only):
    /usr/bin/python3 tools/gen_pinyin_index.py [--cp936 FILE] [--unihan FILE] [--output FILE]
The defaults are the repository's tools/data/cp936.tsv, Debian's
/usr/share/unicode/Unihan_Readings.txt.bz2 (package unicode-data) and the
repository's src/text/pinyin_index.inc. The coverage figures go to stdout.
"""

import argparse
import bz2
import collections
import os
import re
import sys
import unicodedata

from cp936 import REPO, DEFAULT_CP936, is_han, read_cp936

DEFAULT_UNIHAN = "/usr/share/unicode/Unihan_Readings.txt.bz2"
DEFAULT_OUTPUT = os.path.join(REPO, "src", "text", "pinyin_index.inc")

FIELD_ORDER = ["kMandarin", "kHanyuPinlu", "kXHC1983", "kHanyuPinyin", "kTGHZ2013"]

STANDARD_COUNT = 393
STANDARD_HEAD = ["a", "ai", "an", "ang", "ao", "ba"]
STANDARD_TAIL = ["zui", "zun", "zuo"]
SPECIAL_SYLLABLES = ["ei", "m", "n", "dia", "cen", "nou", "jv", "qv", "xv", "lv", "nv", "gei"]
# Syllables of GB 2312 characters that are not standard syllables of their own.
NOT_STANDARD = {"shei"}

FIXED_READINGS = {
    "长": "zhang", "行": "hang", "重": "zhong", "还": "huan", "觉": "jiao",
    "调": "tiao", "地": "di", "藏": "cang", "薄": "bao", "乐": "le",
    "了": "le", "会": "hui", "和": "he", "女": "nv", "吕": "lv",
    "给": "gei", "嗲": "dia", "岑": "cen", "中": "zhong", "国": "guo",
    "海": "hai", "〇": "ling",
    "丆": None, "乊": None, "乤": None,
}

# Characters outside the Han blocks that are read all the same (each has a
# fixed reading above).
OTHER_CHARACTERS = {"〇"}

LEADS = range(0x81, 0xFF)
TRAILS = range(0x40, 0xFF)  # 191 columns, 0x7F included
GB2312_LEADS = range(0xB0, 0xF8)
GB2312_TRAILS = range(0xA1, 0xFF)
VALUES_PER_LINE = 16


def toneless(reading):
    """'lǚ' -> 'lv', 'zhōng' -> 'zhong', 'ê̄' -> 'e'; None for anything else."""
    text = unicodedata.normalize("NFD", reading.strip().lower())
    text = text.replace("u\u0308", "v")
    text = "".join(c for c in text if not unicodedata.combining(c))
    return text if re.fullmatch(r"[a-z]{1,6}", text) else None


def field_values(value):
    """The readings of one Unihan field value, in their order.

    Covers every format of the fields used: "hǎo hào" (kMandarin), "hǎo(6060)"
    (kHanyuPinlu), "0403.020,0403.021:hǎo" (kXHC1983, kTGHZ2013) and
    "10297.260:hǎo,hào" (kHanyuPinyin)."""
    readings = []
    for token in value.split():
        token = token.rsplit(":", 1)[-1]
        token = re.sub(r"\(\d+\)$", "", token)
        readings.extend(r for r in token.split(",") if r)
    return readings


def read_unihan(path):
    """{field: {code point: [toneless readings]}} and the source's header lines."""
    wanted = set(FIELD_ORDER)
    data = {field: {} for field in FIELD_ORDER}
    header = []
    with bz2.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                text = line[1:].strip()
                if text.startswith(("Date:", "Unicode version:")):
                    header.append(text)
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 3 or fields[1] not in wanted:
                continue
            cp = int(fields[0][2:], 16)
            readings = [toneless(r) for r in field_values(fields[2])]
            data[fields[1]][cp] = [r for r in readings if r]
    if not data["kMandarin"]:
        sys.exit(f"{path}: no kMandarin entries")
    return data, header


def standard_syllables(pairs, data):
    found = set()
    for lead in GB2312_LEADS:
        for trail in GB2312_TRAILS:
            cp = pairs.get(lead * 256 + trail)
            if cp is None or not is_han(cp):
                continue
            values = data["kMandarin"].get(cp)
            if values:
                found.add(values[0])
    found -= set(SPECIAL_SYLLABLES) | NOT_STANDARD
    syllables = sorted(found)
    if (len(syllables) != STANDARD_COUNT or syllables[:6] != STANDARD_HEAD
            or syllables[-3:] != STANDARD_TAIL):
        sys.exit(f"the GB 2312 characters give {len(syllables)} standard syllables "
                 f"({' '.join(syllables[:6])} ... {' '.join(syllables[-3:])}), "
                 f"expected {STANDARD_COUNT}: the reading data has changed")
    return syllables


def candidates(cp, data):
    for field in FIELD_ORDER:
        yield from ((r, field) for r in data[field].get(cp, []))


def choose(cp, data, numbers):
    """(syllable number, field or note) for one ideograph; number 0 = no reading."""
    fixed = FIXED_READINGS.get(chr(cp), "")
    if fixed != "":
        return (numbers[fixed] if fixed else 0), "fixed"
    for reading, field in candidates(cp, data):
        if reading in numbers:
            return numbers[reading], field
    decomposed = unicodedata.normalize("NFD", chr(cp))
    if len(decomposed) == 1 and decomposed != chr(cp):
        for reading, field in candidates(ord(decomposed), data):
            if reading in numbers:
                return numbers[reading], "canonical equivalent"
    return 0, "none"


def render(syllables, index, unihan_header):
    out = [
        "// Generated by tools/gen_pinyin_index.py -- do not edit.",
        "// Regenerate from the repository root with:",
        "//   /usr/bin/python3 tools/gen_pinyin_index.py",
        "// Readings: Unihan kMandarin, then kHanyuPinlu, kXHC1983, kHanyuPinyin,",
        "// kTGHZ2013 (first value in the syllable list), a few fixed readings first.",
        *(f"//   {line}" for line in unihan_header),
        "// Codes: code page 936 (tools/data/cp936.tsv); only Han ideographs and U+3007",
        "// (the ideographic number zero, read ling) have one.",
        "// Included once, by src/text/pinyin_tables.cpp.",
        "",
        f"const std::string_view PinyinSyllables[{len(syllables)}] = {{",
    ]
    for i in range(0, len(syllables), 10):
        chunk = syllables[i : i + 10]
        out.append("    " + " ".join(f'"{s}",' for s in chunk))
    out.append("};")
    out.append("")
    out.append(f"const std::uint16_t PinyinIndex[{len(LEADS)} * {len(TRAILS)}] = {{")
    columns = len(TRAILS)
    for row, lead in enumerate(LEADS):
        out.append(f"    // lead byte 0x{lead:02X}")
        values = index[row * columns : (row + 1) * columns]
        for i in range(0, columns, VALUES_PER_LINE):
            out.append("    " + " ".join(f"{v}," for v in values[i : i + VALUES_PER_LINE]))
    out.append("};")
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cp936", default=DEFAULT_CP936)
    parser.add_argument("--unihan", default=DEFAULT_UNIHAN)
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()

    pairs = {code: cp for code, cp in read_cp936(args.cp936).items() if code > 0xFF}
    data, header = read_unihan(args.unihan)

    syllables = standard_syllables(pairs, data) + [""] + SPECIAL_SYLLABLES
    numbers = {s: n for n, s in enumerate(syllables, 1) if s}
    if any(c not in FIXED_READINGS for c in OTHER_CHARACTERS):
        sys.exit("every character of OTHER_CHARACTERS needs a fixed reading")
    for reading in FIXED_READINGS.values():
        if reading is not None and reading not in numbers:
            sys.exit(f"fixed reading {reading!r} is not in the syllable list")

    index = []
    sources = collections.Counter()
    without = []
    used = set()
    for lead in LEADS:
        for trail in TRAILS:
            cp = pairs.get(lead * 256 + trail)
            if cp is None or not (is_han(cp) or chr(cp) in OTHER_CHARACTERS):
                index.append(0)
                continue
            number, source = choose(cp, data, numbers)
            index.append(number)
            sources[source] += 1
            if number:
                used.add(number)
            else:
                without.append((lead * 256 + trail, cp))

    text = render(syllables, index, header)
    with open(args.output, "w", encoding="ascii", newline="\n") as f:
        f.write(text)

    han = sum(sources.values())
    print(f"GBK Han ideographs and {''.join(sorted(OTHER_CHARACTERS))}: {han}")
    print(f"  with a reading: {han - len(without)}")
    for source in ["fixed", *FIELD_ORDER, "canonical equivalent"]:
        print(f"    from {source}: {sources[source]}")
    print(f"  without a reading: {len(without)} "
          + " ".join(f"{code:04X}=U+{cp:04X}" for code, cp in without))
    unused = [s for n, s in enumerate(syllables, 1) if s and n not in used]
    print(f"syllables used by no character: {' '.join(unused) or '-'}")
    print(f"written: {args.output}")


if __name__ == "__main__":
    main()
