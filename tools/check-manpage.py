#!/usr/bin/env python3
"""Keeps the man page in step with the program.

Usage: check-manpage.py VESK MANPAGE

Fails when a batch command that "vesk --help" lists has no entry under
COMMANDS in the man page (or the man page describes one the program no longer
has), when an option of "vesk --help" is missing under OPTIONS, when the page's
title line names another version than "vesk --version", or when man(1)
warns while rendering it (what lintian checks as well).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile


def run_vesk(vesk, *args):
    with tempfile.TemporaryDirectory() as folder:
        env = dict(os.environ, VESK_FOLDER=folder)
        result = subprocess.run([vesk, *args], capture_output=True, text=True, env=env, check=False)
    if result.returncode != 0:
        sys.exit(f"{vesk} {' '.join(args)} failed ({result.returncode}): {result.stderr}")
    return result.stdout


def help_commands(text):
    """The command of every usage line ("  vesk [--folder X] normalize LOG...")."""
    commands = set()
    for line in text.splitlines():
        for usage in re.split(r"\|\s*(?=vesk\b)", line.strip()):
            if not usage.startswith("vesk "):
                continue
            words = re.sub(r"\[[^\]]*\]", " ", usage[len("vesk "):]).split()
            if words and not words[0].startswith("-") and not words[0].startswith("|"):
                commands.add(words[0])
    return commands


def help_options(text):
    """The options of the section that lists them one a line ("  --folder ORDNER  ...")."""
    return set(re.findall(r"^  (--[a-z-]+)", text, re.MULTILINE))


def sections(page):
    """Section name -> its lines."""
    result, current = {}, None
    for line in page.splitlines():
        if line.startswith(".SH "):
            current = line[4:].strip().strip('"')
            result[current] = []
        elif current:
            result[current].append(line)
    return result


def tagged_words(lines):
    """The first word of each .TP tag, without roff escapes."""
    words = []
    for i, line in enumerate(lines):
        if line.strip() == ".TP" and i + 1 < len(lines):
            tag = lines[i + 1]
            tag = re.sub(r"^\.B[IR]?\s+", "", tag)
            tag = re.sub(r"\\f[BIRP]", "", tag).replace("\\-", "-")
            words.append(tag.split()[0] if tag.split() else "")
    return words


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    vesk, manpage = sys.argv[1], sys.argv[2]
    with open(manpage, encoding="utf-8") as f:
        page = f.read()
    parts = sections(page)
    problems = []

    listed = help_commands(run_vesk(vesk, "--help"))
    if len(listed) < 5:
        problems.append(f"vesk --help lists only {sorted(listed)}: the usage lines were not understood")
    documented = set(tagged_words(parts.get("COMMANDS", [])))
    for command in sorted(listed - documented):
        problems.append(f"{manpage}: command '{command}' of vesk --help has no entry under COMMANDS")
    for command in sorted(documented - listed):
        problems.append(f"{manpage}: COMMANDS describes '{command}', which vesk --help does not list")

    options = set(tagged_words(parts.get("OPTIONS", [])))
    for option in sorted(help_options(run_vesk(vesk, "--help")) - options):
        problems.append(f"{manpage}: option '{option}' of vesk --help is missing under OPTIONS")

    version = run_vesk(vesk, "--version").strip()
    title = next((line for line in page.splitlines() if line.startswith(".TH ")), "")
    if f'"{version}"' not in title:
        problems.append(f"{manpage}: the title line '{title}' does not name '{version}'")

    if shutil.which("man"):
        rendered = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", manpage],
                                  capture_output=True, text=True, check=False,
                                  env=dict(os.environ, LC_ALL="C.UTF-8"))
        if rendered.returncode != 0 or rendered.stderr.strip():
            problems.append(f"{manpage}: man warns: {rendered.stderr.strip()}")

    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        return 1
    print(f"{manpage}: {len(documented)} commands and {len(options)} options as vesk --help lists them")
    return 0


if __name__ == "__main__":
    sys.exit(main())
