#!/usr/bin/env python3
"""Writes the language files in the form the program reads, from UTF-8
sources with one "key=value" line per entry.

    python3 resources/tools/make_language_file.py            # every language
    python3 resources/tools/make_language_file.py --check    # outputs up to date?
    python3 resources/tools/make_language_file.py SOURCE.txt TARGET.txt

The sources are resources/Language/sources/<language>.txt; each gives
resources/Language/<language>.txt. They live in a folder of their own so that
no "*.txt" search of the Language folder (program, installer, tests) takes
them for languages.

Encodings are fixed by the language's name, as the program expects: the two
Chinese languages in their ANSI code page (Simplified Chinese: 936, GBK;
Traditional Chinese: 950, Big5) without a byte-order mark, every other
language UTF-16 little-endian with a byte-order mark. Lines end in CRLF.
Blanks are kept exactly as written (the tab caption "Filter    " ends in four
of them).

"@VERSION@" in a source stands for the version of project() in CMakeLists.txt.

Every translation must have exactly the keys of English, and the texts that
hold two parts separated by "/" (1001, 1003, Dialog1) must hold the "/".
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
LANGUAGE_FOLDER = ROOT / "resources" / "Language"
SOURCE_FOLDER = LANGUAGE_FOLDER / "sources"
ANSI_CODE_PAGES = {"Simplified Chinese": "gbk", "Traditional Chinese": "big5"}
TWO_PART_KEYS = ("1001", "1003", "Dialog1")


def product_version():
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    match = re.search(r"project\(\s*\w+\s+VERSION\s+([0-9.]+)", text)
    if not match:
        raise SystemExit("CMakeLists.txt: no project(... VERSION ...)")
    return match.group(1)


def read_source(source_path):
    with open(source_path, "r", encoding="utf-8", newline="") as f:
        lines = f.read().replace("@VERSION@", product_version()).splitlines()
    for number, line in enumerate(lines, 1):
        if "=" not in line:
            raise SystemExit(f"{source_path}:{number}: no '=' in line: {line!r}")
    return lines


def keys_of(lines):
    return [line.split("=", 1)[0] for line in lines]


def encode(language, lines):
    text = "".join(line + "\r\n" for line in lines)
    code_page = ANSI_CODE_PAGES.get(language)
    if code_page:
        # A character outside the code page is an error, never a silent "?".
        return text.encode(code_page, errors="strict")
    return b"\xff\xfe" + text.encode("utf-16-le")


def check_translation(source_path, lines, english_keys):
    keys = keys_of(lines)
    problems = []
    if sorted(keys) != sorted(english_keys):
        missing = sorted(set(english_keys) - set(keys))
        extra = sorted(set(keys) - set(english_keys))
        repeated = sorted({key for key in keys if keys.count(key) > 1})
        problems.append(f"missing {missing}, extra {extra}, repeated {repeated}")
    values = dict(line.split("=", 1) for line in lines)
    for key in TWO_PART_KEYS:
        if "/" not in values.get(key, ""):
            problems.append(f"{key} needs two texts separated by '/'")
    if problems:
        raise SystemExit(f"{source_path}: " + "; ".join(problems))


def build_all():
    """The bytes of every language file, by target path."""
    english_keys = keys_of(read_source(SOURCE_FOLDER / "English.txt"))
    outputs = {}
    for source_path in sorted(SOURCE_FOLDER.glob("*.txt")):
        language = source_path.stem
        lines = read_source(source_path)
        if language != "English":
            check_translation(source_path, lines, english_keys)
        outputs[LANGUAGE_FOLDER / source_path.name] = encode(language, lines)
    return outputs


def main(arguments):
    if len(arguments) == 2:
        source, target = map(pathlib.Path, arguments)
        pathlib.Path(target).write_bytes(encode(target.stem, read_source(source)))
        return
    if arguments not in ([], ["--check"]):
        raise SystemExit("usage: make_language_file.py [--check] | SOURCE.txt TARGET.txt")
    outputs = build_all()
    if arguments == ["--check"]:
        stale = [str(path) for path, data in outputs.items()
                 if not path.exists() or path.read_bytes() != data]
        stale += [str(path) + " (no source)" for path in LANGUAGE_FOLDER.glob("*.txt") if path not in outputs]
        if stale:
            raise SystemExit("out of date, run make_language_file.py: " + ", ".join(stale))
        return
    for path, data in outputs.items():
        path.write_bytes(data)


if __name__ == "__main__":
    main(sys.argv[1:])
