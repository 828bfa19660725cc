#!/usr/bin/env python3
"""Writes a help2man include with a section for every subcommand of PROGRAM.

help2man reads the top-level --help only; this asks each subcommand named
there for its own --help, so that the manual page lists every option of every
command and cannot fall behind the program.

usage: command-sections.py PROGRAM OUTPUT
"""
import re
import subprocess
import sys


def help_text(program, *words):
    return subprocess.run([program, *words, "--help"], check=True, capture_output=True, text=True).stdout


def roff(text):
    """Text as roff shows it: backslashes and hyphens escaped, no control line."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text[:1] in (".", "'") else text


def subcommands(top):
    """The subcommand names listed after 'Subcommands:' in the top-level help."""
    names, listing = [], False
    for line in top.splitlines():
        if line.startswith("Subcommands:"):
            listing = True
        elif listing and re.match(r"^  \S", line):
            names.append(line.split()[0])
        elif listing and line and not line.startswith(" "):
            listing = False
    return names


def entries(text):
    """(term, description) for each option and positional of a command's help.

    CLI11 puts the description after the term, or on the next line when the
    term is long; the help option itself is left out."""
    found, term = [], None
    for line in text.splitlines():
        start = re.match(r"^  (\S.*?)(?: {2,}(\S.*))?$", line)
        if start and not line.startswith("   "):
            term = start.group(1)
            if start.group(2):
                found.append((term, start.group(2)))
                term = None
        elif term and line.strip():
            found.append((term, line.strip()))
            term = None
    return [(t, d) for t, d in found if not t.startswith("-h,--help")]


def section(program, name, text):
    lines = text.splitlines()
    summary = lines[0] if lines else ""
    usage = next((l[len("Usage: "):] for l in lines if l.startswith("Usage: ")), name)
    usage = usage.replace(program, program.rsplit("/", 1)[-1], 1)
    out = [f'.SS "{roff(usage)}"', roff(summary)]
    for term, description in entries(text):
        word, rest = (term.split(" ", 1) + [""])[:2]
        shown = f"\\fB{roff(word)}\\fR" + (f" \\fI{roff(rest)}\\fR" if rest else "")
        out += [".TP", shown, roff(description)]
    return out


def main():
    program, output = sys.argv[1], sys.argv[2]
    out = ["[COMMANDS]"]
    for name in subcommands(help_text(program)):
        out += section(program, name, help_text(program, name))
    with open(output, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
