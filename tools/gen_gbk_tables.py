#!/usr/bin/python3
"""Generates the GBK (code page 936) tables from ICU's "windows-936" converter.

Writes
  tools/data/cp936.tsv       one line per round-trip mapping: "GBK<TAB>UNICODE"
  src/text/gbk_tables.inc    the C++ tables of src/text/gbk.cpp

A mapping is kept only when it goes both ways: ICU decodes the GBK code to the
character AND encodes the character (fallbacks off) back to the same code.
One-way mappings on either side are reported on stderr and left out.

The byte 0xFF is left out although ICU pairs it with U+F8F5: the codec treats
0xFF as "not a character", so a stray 0xFF in a title is reported, not kept.

Needs only Debian's python3 and icu-devtools (the `uconv` program).
Usage: tools/gen_gbk_tables.py [OUTPUT_ROOT]   (default: the repository root)
"""

import os
import re
import subprocess
import sys

CONVERTER = "windows-936"
LEADS = range(0x81, 0xFF)  # 0x81-0xFE
TRAILS = [t for t in range(0x40, 0xFF) if t != 0x7F]  # 0x40-0x7E, 0x80-0xFE
TRAIL_SPAN = 0xFF - 0x40  # 191 columns: 0x40-0xFE, 0x7F stays empty


def uconv(args, data):
    result = subprocess.run(["uconv", *args], input=data, capture_output=True, check=True)
    return result.stdout


def icu_version():
    """The ICU version uconv reports ("72.1"), recorded in the generated file."""
    text = subprocess.run(["uconv", "--version"], capture_output=True, check=True, text=True).stdout
    match = re.search(r"ICU (\S+)", text)
    return match.group(1) if match else "unknown"


def decode_lines(chunks):
    """Decodes each chunk on its own line; returns the code point or None per chunk."""
    data = b"".join(c + b"\n" for c in chunks)
    out = uconv(["-f", CONVERTER, "-t", "UTF-32BE", "--from-callback", "escape-icu"], data)
    text = out.decode("utf-32-be")
    lines = text.split("\n")
    assert lines[-1] == "" and len(lines) == len(chunks) + 1, "unexpected uconv output"
    # A mapped code gives exactly one character; an unmapped one gives an escape ("%X..").
    return [ord(line) if len(line) == 1 else None for line in lines[:-1]]


def decode_single(byte):
    """Decodes one byte on its own; returns the code point or None."""
    out = uconv(["-f", CONVERTER, "-t", "UTF-32BE", "--from-callback", "escape-icu"], bytes([byte]))
    text = out.decode("utf-32-be")
    return ord(text) if len(text) == 1 else None


def encode_bmp():
    """Encodes every BMP character except surrogates and U+000A, fallbacks off.

    Returns {code point: GBK code as int} for the characters that have a form.
    """
    points = [u for u in range(0x10000) if not 0xD800 <= u <= 0xDFFF and u != 0x0A]
    data = "".join(chr(u) + "\n" for u in points).encode("utf-32-be")
    out = uconv(["-f", "UTF-32BE", "-t", CONVERTER, "--no-fallback", "--to-callback", "escape-icu"],
                data)
    lines = out.split(b"\n")  # no GBK byte of a character is 0x0A
    assert lines[-1] == b"" and len(lines) == len(points) + 1, "unexpected uconv output"
    codes = {}
    for u, line in zip(points, lines[:-1]):
        if len(line) == 1:
            codes[u] = line[0]
        elif len(line) == 2:
            codes[u] = line[0] << 8 | line[1]
        # else an escape "%UXXXX" (no form without fallback), or nothing at all:
        # ICU drops an unmappable default-ignorable character (U+00AD ...).
    codes[0x0A] = 0x0A
    return codes


def build_mapping():
    """Returns {GBK code: code point} of the round-trip mappings."""
    decoded = {}
    for b in range(0x00, 0x81):
        u = decode_single(b)
        if u is not None:
            decoded[b] = u
    pairs = [(l << 8) | t for l in LEADS for t in TRAILS]
    for code, u in zip(pairs, decode_lines([bytes([c >> 8, c & 0xFF]) for c in pairs])):
        if u is not None:
            decoded[code] = u
    encoded = encode_bmp()

    mapping = {}
    for code, u in decoded.items():
        if encoded.get(u) == code:
            mapping[code] = u
        else:
            print(f"one-way to Unicode, left out: {code:X} -> U+{u:04X}", file=sys.stderr)
    for u, code in encoded.items():
        if mapping.get(code) != u and code != 0xFF:
            print(f"one-way from Unicode, left out: U+{u:04X} -> {code:X}", file=sys.stderr)
    if any(u > 0xFFFF for u in mapping.values()):
        sys.exit("a GBK code maps outside the BMP; the tables hold UTF-16 units")
    return mapping


def format_code(code):
    return f"{code:02X}" if code <= 0x80 else f"{code:04X}"


def write_tsv(path, mapping):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        for code in sorted(mapping):
            f.write(f"{format_code(code)}\t{mapping[code]:04X}\n")


def c_rows(values, per_line=12):
    lines = []
    for i in range(0, len(values), per_line):
        lines.append("    " + " ".join(f"0x{v:04X}," for v in values[i:i + per_line]))
    return "\n".join(lines)


def write_inc(path, mapping):
    singles = [mapping.get(b, 0) for b in range(0x81)]
    pairs = [mapping.get(((lead << 8) | (0x40 + col)), 0)
             for lead in LEADS for col in range(TRAIL_SPAN)]

    # Reverse direction: a two-level table. kEncodePage[u >> 8] names the block
    # of 256 GBK codes for that page of the BMP; block 0 is all zero (no form).
    reverse = {}
    for code, u in mapping.items():
        reverse[u] = code
    pages = sorted({u >> 8 for u in reverse})
    page_index = [0] * 256
    blocks = [[0] * 256]
    for page in pages:
        page_index[page] = len(blocks)
        blocks.append([reverse.get((page << 8) | low, 0) for low in range(256)])
    if len(blocks) > 256:
        sys.exit("too many pages for a uint8_t page index")

    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("// GENERATED by tools/gen_gbk_tables.py from ICU's \"windows-936\" converter.\n")
        f.write("// Do not edit. Regenerate with: /usr/bin/python3 tools/gen_gbk_tables.py\n")
        f.write(f"// ICU {icu_version()}\n")
        f.write(f"// {len(mapping)} round-trip mappings ({sum(1 for c in mapping if c > 0x80)}"
                " double-byte codes).\n")
        f.write("// Included by src/text/gbk.cpp only.\n")
        f.write("// clang-format off\n\n")
        f.write("// The Unicode unit of the single bytes 0x00-0x80.\n")
        f.write("constexpr char16_t kSingle[0x81] = {\n" + c_rows(singles) + "\n};\n\n")
        f.write("// The Unicode unit of each pair, [lead - 0x81][trail - 0x40]; 0 = no character.\n")
        f.write(f"constexpr char16_t kPair[126][{TRAIL_SPAN}] = {{\n")
        for i in range(len(LEADS)):
            row = pairs[i * TRAIL_SPAN:(i + 1) * TRAIL_SPAN]
            f.write(f"  {{  // lead 0x{0x81 + i:02X}\n" + c_rows(row) + "\n  },\n")
        f.write("};\n\n")
        f.write("// UTF-16 unit -> GBK code (0x00-0x80 or lead*256+trail), in two levels:\n")
        f.write("// kEncodeBlock[kEncodePage[unit >> 8]][unit & 0xFF]; 0 = no GBK form\n")
        f.write("// (U+0000 itself is byte 0x00, told apart by the caller).\n")
        f.write("constexpr std::uint8_t kEncodePage[256] = {\n")
        for i in range(0, 256, 16):
            f.write("    " + " ".join(f"{v:3d}," for v in page_index[i:i + 16]) + "\n")
        f.write("};\n\n")
        f.write(f"constexpr std::uint16_t kEncodeBlock[{len(blocks)}][256] = {{\n")
        for n, block in enumerate(blocks):
            label = "none" if n == 0 else f"U+{pages[n - 1]:02X}xx"
            f.write(f"  {{  // {label}\n" + c_rows(block) + "\n  },\n")
        f.write("};\n")
        f.write("// clang-format on\n")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(
        os.path.dirname(os.path.abspath(__file__)))
    os.makedirs(os.path.join(root, "tools", "data"), exist_ok=True)
    os.makedirs(os.path.join(root, "src", "text"), exist_ok=True)
    mapping = build_mapping()
    write_tsv(os.path.join(root, "tools", "data", "cp936.tsv"), mapping)
    write_inc(os.path.join(root, "src", "text", "gbk_tables.inc"), mapping)


if __name__ == "__main__":
    main()
