#!/usr/bin/python3
"""Checks that every source file of src/ includes only what its layer may.

The layers point one way: a folder may include its own headers and those of
the folders below it, as ALLOWED says; the core (text, run, model, formats,
ui) includes no operating system's or toolkit's header. Prints every include
that breaks the table and exits 1; exits 0 when there is none.

usage: check_includes.py SOURCE_DIR
"""
import pathlib
import re
import sys

ALLOWED = {
    "stroke": {"stroke"},
    "text": {"text", "stroke"},
    "platform": {"platform", "text"},
    "media": {"media", "platform", "text"},
    "run": {"run", "platform", "text"},
    "model": {"model", "run", "platform", "text"},
    "formats": {"formats", "model", "run", "platform", "text"},
    "ui": {"ui", "media", "formats", "model", "run", "platform", "text"},
    "cli": {"cli", "ui", "media", "formats", "model", "run", "platform", "text"},
    "qt": {"qt", "ui", "media", "model", "text"},
    "win32": {"win32", "ui", "media", "model", "text"},
}
# The platform layer alone reaches the operating system; the Qt front end
# alone includes Qt; the media layer alone includes FFmpeg's libraries.
CORE = {"text", "run", "model", "formats", "ui"}
SYSTEM = re.compile(r"^(windows\.h|winioctl\.h|shlobj\.h|commdlg\.h|commctrl\.h|unistd\.h|"
                    r"fcntl\.h|dirent\.h|pwd\.h|sys/.*|Q[A-Za-z]+)$")
OURS = re.compile(r'^\s*#\s*include\s+"([a-z0-9_]+)/[^"]+"')
MEDIA_LIBRARY = re.compile(r"^lib(avformat|avcodec|avutil)/")
ANGLED = re.compile(r"^\s*#\s*include\s+<([^>]+)>")


def main():
    src = pathlib.Path(sys.argv[1]) / "src"
    faults = []
    for folder, allowed in ALLOWED.items():
        for path in sorted((src / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp", ".inc"):
                continue
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                ours = OURS.match(line)
                if ours and ours.group(1) not in allowed:
                    faults.append(f"{path.relative_to(src)}:{number}: {folder}/ may not include "
                                  f"{ours.group(1)}/")
                angled = ANGLED.match(line)
                if angled and folder in CORE and SYSTEM.match(angled.group(1)):
                    faults.append(f"{path.relative_to(src)}:{number}: the core includes "
                                  f"<{angled.group(1)}>")
                if angled and folder != "media" and MEDIA_LIBRARY.match(angled.group(1)):
                    faults.append(f"{path.relative_to(src)}:{number}: only media/ includes "
                                  f"<{angled.group(1)}>")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
