#!/usr/bin/env python3
"""Builds data/DOK.ini (sections OV, Distrikt, Website).

How to run, from the repository root (the output is committed):

    python3 tools/dok/make_dok.py [--names CLUBS.csv]

Sources (../shared/data-sources/dok/, see SOURCES.md there):
- dok_and_sdok_cloudlog.txt: the regular DOK codes, one per line (MIT,
  Copyright (c) 2024 Peter Goodhall; notice in data/LIZENZEN.txt).
- darc_districts.csv: district letter, name and web address.

No public list names the clubs, so each DOK gets the placeholder
"OV <DOK>" and still shows its district. --names takes lines
"DOK;club name" (UTF-8 or Windows-1252) and puts those names in instead;
an operator does the same later with `vesk dok-import FILE`.
"""

import argparse
import csv
import os
import re
import sys

DOK_RE = re.compile(r"^[A-Z][0-9]{2}$")


def fail(text):
    sys.exit("error: " + text)


def read_text(path):
    raw = open(path, "rb").read()
    try:
        return raw.decode("utf-8")
    except UnicodeDecodeError:
        return raw.decode("cp1252")


def read_doks(path):
    doks = []
    for number, line in enumerate(read_text(path).splitlines(), start=1):
        code = line.strip().upper()
        if not code:
            continue
        if not DOK_RE.match(code):
            fail("%s, line %d: %r is no regular DOK" % (path, number, line))
        if code not in doks:
            doks.append(code)
    return doks


def read_districts(path):
    districts = []
    with open(path, encoding="utf-8", newline="") as f:
        for number, row in enumerate(csv.DictReader(f), start=2):
            letter = row["letter"].strip().upper()
            if len(letter) != 1 or not row["district_name"].strip():
                fail("%s, line %d: district without letter or name" % (path, number))
            districts.append((letter, row["district_name"].strip(), row["web_url"].strip()))
    return districts


def read_names(path):
    names = {}
    for number, line in enumerate(read_text(path).splitlines(), start=1):
        if not line.strip():
            continue
        dok, sep, name = line.partition(";")
        if not sep or not dok.strip() or not name.strip():
            fail("%s, line %d: expected \"DOK;club name\"" % (path, number))
        names[dok.strip().upper()] = name.strip()
    return names


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, "..", ".."))
    source = os.path.join(root, "..", "shared", "data-sources", "dok")
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--doks", default=os.path.join(source, "dok_and_sdok_cloudlog.txt"))
    ap.add_argument("--districts", default=os.path.join(source, "darc_districts.csv"))
    ap.add_argument("--names", help="lines DOK;club name")
    ap.add_argument("--out", default=os.path.join(root, "data", "DOK.ini"))
    args = ap.parse_args()

    doks = read_doks(args.doks)
    districts = read_districts(args.districts)
    names = read_names(args.names) if args.names else {}
    letters = {d[0] for d in districts}
    for dok in doks:
        if dok[0] not in letters:
            print("note: DOK %s has no district %s" % (dok, dok[0]), file=sys.stderr)

    lines = ["[OV]"]
    lines += ["%s=%s" % (dok, names.get(dok, "OV " + dok)) for dok in doks]
    lines += ["", "[Distrikt]"]
    lines += ["%s=%s" % (letter, name) for letter, name, _ in districts]
    lines += ["", "[Website]"]
    # A district without an address gets no line: its label then opens nothing.
    lines += ["%s=%s" % (letter, url) for letter, _, url in districts if url]
    lines.append("")

    data = "".join(line + "\r\n" for line in lines).encode("cp1252", errors="replace")
    tmp = args.out + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, args.out)
    named = sum(1 for dok in doks if dok in names)
    print("%d DOKs (%d with a club name), %d districts written to %s"
          % (len(doks), named, len(districts), args.out))


if __name__ == "__main__":
    main()
