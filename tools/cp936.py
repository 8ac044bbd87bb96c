"""What the table generators share: the code page's mapping and the Han blocks.

The mapping is tools/data/cp936.tsv, written by gen_gbk_tables.py from ICU.
"""

import os
import sys

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_CP936 = os.path.join(REPO, "tools", "data", "cp936.tsv")

# The Han characters of the Basic Multilingual Plane that code page 936 holds.
HAN_BLOCKS = [
    (0x3400, 0x4DBF, "CJK Unified Ideographs Extension A"),
    (0x4E00, 0x9FFF, "CJK Unified Ideographs"),
    (0xF900, 0xFAFF, "CJK Compatibility Ideographs"),
]


def is_han(cp):
    return any(lo <= cp <= hi for lo, hi, _ in HAN_BLOCKS)


def read_cp936(path):
    """{GBK code: code point} for every mapped code, single bytes included."""
    codes = {}
    with open(path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 2 or len(fields[0]) not in (2, 4) or len(fields[1]) != 4:
                sys.exit(f"{path}:{number}: expected 'GBK<TAB>UNICODE' in hex, got {line!r}")
            codes[int(fields[0], 16)] = int(fields[1], 16)
    if not codes:
        sys.exit(f"{path}: no codes")
    return codes
