#!/usr/bin/env python3
"""Writes a language file in the form the program reads: UTF-16 little-endian
with a byte-order mark and CRLF line ends, from a UTF-8 source with one
"key=value" line per entry.

    python3 resources/tools/make_language_file.py \
        resources/Language/English.source.txt resources/Language/English.txt

Blanks are kept exactly as written (the tab caption "Filter    " ends in four
of them); only the source's own line ends are replaced.
"""

import sys


def convert(source_path, target_path):
    with open(source_path, "r", encoding="utf-8", newline="") as f:
        lines = f.read().splitlines()
    for number, line in enumerate(lines, 1):
        if "=" not in line:
            raise SystemExit(f"{source_path}:{number}: no '=' in line: {line!r}")
    text = "".join(line + "\r\n" for line in lines)
    with open(target_path, "wb") as f:
        f.write(b"\xff\xfe" + text.encode("utf-16-le"))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit("usage: make_language_file.py SOURCE.txt TARGET.txt")
    convert(sys.argv[1], sys.argv[2])
