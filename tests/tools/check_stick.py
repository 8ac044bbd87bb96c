#!/usr/bin/env python3
"""Checks what must hold on an ORU stick whatever stopped a run.

Every line of the stick's list names a .dat whose bytes are that line's song,
and after a keeping run every song the list held before is still listed. The
list is vod.txt in the vod folder, both matched in any ASCII case; where it is
missing or holds no song line, a complete vod.txt.part (it ends with a line
break and every song it lists has its .dat). The songs a list may name, and
their bytes, are those of the stick before the run and of a whole run on a
copy of it; a line is looked up with its song number masked.

usage: check_stick.py keep|replace BEFORE_STICK REFERENCE_STICK STICK
Prints each breach on a line of its own; exit status 1 when there is one.
"""
import os
import re
import sys

NUMBER = re.compile(rb"^66\d{4}$")


def lines_of(data):
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    return [l for l in re.split(rb"\r\n|\n|\r", data)]


def song_lines(lines):
    return [(i + 1, l) for i, l in enumerate(lines) if l.strip(b" \t")]


def number_of(line):
    for field in line.split(b";"):
        if NUMBER.match(field):
            return field.decode()
    return ""


def key_of(line):
    number = number_of(line).encode()
    return b";".join(b"#" if f == number else f for f in line.split(b";"))


def named(folder, name, want_dir=False):
    """The entries of folder called name in any case."""
    try:
        entries = sorted(os.listdir(folder))
    except OSError:
        return []
    found = []
    for entry in entries:
        path = os.path.join(folder, entry)
        if entry.lower() == name.lower() and (os.path.isdir(path) if want_dir else os.path.isfile(path)):
            found.append(path)
    return found


def read(path):
    with open(path, "rb") as f:
        return f.read()


def the_list(vod, problems):
    lists = named(vod, "vod.txt")
    if len(lists) > 1:
        problems.append("%d lists side by side: %s" % (len(lists), " ".join(map(os.path.basename, lists))))
    if lists:
        data = read(lists[0])
        songs = song_lines(lines_of(data))
        if songs:
            return os.path.basename(lists[0]), songs
    for part in named(vod, "vod.txt.part"):
        data = read(part)
        songs = song_lines(lines_of(data))
        if data.endswith((b"\n", b"\r")) and all(
                number_of(l) and named(vod, number_of(l) + ".dat") for _, l in songs):
            return os.path.basename(part), songs
    return None, []


def table(stick):
    songs = {}
    for vod in named(stick, "vod", want_dir=True):
        _, lines = the_list(vod, [])
        for _, line in lines:
            dats = named(vod, number_of(line) + ".dat")
            if dats:
                songs[key_of(line)] = (line, read(dats[0]))
    return songs


def shown(line):
    return line.decode("gbk", "backslashreplace")


def main():
    mode, before, reference, stick = sys.argv[1:5]
    songs = table(before)
    kept = [] if mode == "replace" else [l for key, (l, _) in songs.items()]
    songs.update(table(reference))
    problems = []
    vods = named(stick, "vod", want_dir=True)
    if len(vods) != 1:
        problems.append("the stick holds %d vod folders" % len(vods))
    for vod in vods:
        name, lines = the_list(vod, problems)
        for at, line in lines:
            where = '%s line %d "%s"' % (name, at, shown(line))
            number = number_of(line)
            dats = named(vod, number + ".dat") if number else []
            if not number:
                problems.append(where + " names no song number")
            elif not dats:
                problems.append(where + " names %s.dat, which is not on the stick" % number)
            elif key_of(line) not in songs:
                problems.append(where + " is no song a run onto this stick may list")
            else:
                data = read(dats[0])
                if data != songs[key_of(line)][1]:
                    other = [shown(l) for l, b in songs.values() if b == data]
                    problems.append(where + ": %s holds other bytes than the song's%s" % (
                        os.path.basename(dats[0]), (' (the video of "%s")' % other[0]) if other else ""))
        listed = {l for _, l in lines}
        for line in kept:
            if line not in listed:
                problems.append('the kept song "%s" is no longer listed' % shown(line))
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
