#!/usr/bin/env python3
"""Writes a program's manual page (roff, gzip-compressed) from its own help.

The page is made at build time from what the built program prints, so that
the manual and `--help` never say different things:

- `PROGRAM --help`: an optional first line "NAME - summary", a "usage:" line
  with the forms that follow it indented, free text, and sections whose
  titles are in capitals (OPTIONS, FILES...);
- with --commands, `PROGRAM help COMMAND` for every command of the usage
  forms: pages of the same shape, each one a subsection of COMMANDS. Sections
  that every page repeats word for word (FILES, EXIT STATUS) are said once.

Within a section, running text is filled; tables, examples and commands to
type keep their lines.

    help_to_man.py --program build/px6410ctl --name px6410ctl --source "px6410 1.0.0" \\
                   [--summary TEXT] [--commands] --output px6410ctl.1.gz
"""
import argparse
import gzip
import re
import subprocess
import sys

SECTION_TITLE = re.compile(r"^[A-Z][A-Z ]*[A-Z]$")
COMMAND_WORD = re.compile(r"^[a-z][a-z-]*$")


def run(program, *args):
    done = subprocess.run([program, *args], capture_output=True, text=True, check=False)
    return done.returncode, done.stdout


# Characters groff would otherwise draw as typographic ones (a tilde accent,
# curly quotes), so that a command copied from the page still works.
PLAIN = {"\\": "\\e", "-": "\\-", "~": "\\(ti", "^": "\\(ha", "'": "\\(aq", "`": "\\(ga"}


def escape(line):
    line = "".join(PLAIN.get(c, c) for c in line)
    return "\\&" + line if line.startswith((".", "'")) else line


def sections(lines):
    """[(title, body lines)]; text before the first title has the title ''."""
    out = [("", [])]
    for line in lines:
        if SECTION_TITLE.match(line):
            out.append((line, []))
        else:
            out[-1][1].append(line)
    return [(title, trim(body)) for title, body in out if title or trim(body)]


def trim(body):
    while body and not body[0].strip():
        body = body[1:]
    while body and not body[-1].strip():
        body = body[:-1]
    return body


def has_gap(line):
    """A column gap after the indent: a table row."""
    return "  " in line.strip()


def body_roff(body, name):
    """Running text filled; a block (lines between blank lines) with a table
    row in it, lines indented further and lines that begin with the program's
    name (commands to type) keep their lines."""
    out, blocks, block = [], [], []
    for line in body + [""]:
        if line.strip():
            block.append(line)
        elif block:
            blocks.append(block)
            block = []
    for block in blocks:
        table = any(has_gap(line) for line in block if line.startswith("  ") and not line.startswith("   "))
        kept, paragraph = [], False
        for line in block:
            prose = (not table and line.startswith("  ") and not line.startswith("   ")
                     and not line.strip().startswith(name + " "))
            if prose:
                if kept:
                    out.extend([".nf", *[escape(k) for k in kept], ".fi"])
                    kept = []
                if not paragraph:
                    out.append(".PP")
                    paragraph = True
                out.append(escape(line.strip()))
            else:
                if not kept:
                    out.append(".PP")
                kept.append(line[2:] if line.startswith("  ") else line)
                paragraph = False
        if kept:
            out.extend([".nf", *[escape(k) for k in kept], ".fi"])
    return out


def parse_help(text, name):
    """(summary or None, synopsis lines, sections of the rest)."""
    lines = text.splitlines()
    summary = None
    if lines and lines[0].startswith(name + " - "):
        summary = lines[0][len(name) + 3:].strip()
        lines = lines[1:]
    synopsis, rest, i = [], [], 0
    while i < len(lines) and not lines[i].lower().startswith("usage:"):
        rest.append(lines[i])
        i += 1
    if i < len(lines):
        synopsis.append(lines[i][len("usage:"):].strip())
        i += 1
        while i < len(lines) and lines[i].startswith(" ") and lines[i].strip():
            synopsis.append(lines[i].strip())
            i += 1
    rest += lines[i:]
    return summary, synopsis, sections(rest)


def command_pages(program, name, synopsis):
    """[(command, its sections)] for each command of the usage forms that has a page."""
    pages, seen = [], set()
    for form in synopsis:
        words = [w for w in form.split() if not w.startswith("[")]
        if len(words) < 2 or words[0] != name or not COMMAND_WORD.match(words[1]):
            continue
        command = words[1]
        if command in seen:
            continue
        seen.add(command)
        code, text = run(program, "help", command)
        if code == 0 and text.strip():
            pages.append((command, sections(text.splitlines())))
    return pages


def shared_sections(pages):
    """Titles whose text is the same in every page that has them, and in two or more."""
    bodies = {}
    for _, page in pages:
        for title, body in page:
            bodies.setdefault(title, []).append(tuple(body))
    return {t: list(b[0]) for t, b in bodies.items() if t and len(b) > 1 and len(set(b)) == 1}


def manual(program, name, source, summary_default, with_commands):
    code, text = run(program, "--help")
    if code != 0:
        sys.exit(f"{program} --help exited {code}")
    summary, synopsis, rest = parse_help(text, name)
    summary = summary or summary_default
    if not summary:
        sys.exit(f"{program} --help names no summary; give --summary")
    out = [f'.TH {name.upper()} 1 "" "{source}" "User Commands"', ".SH NAME", f"{escape(name)} \\- {escape(summary)}"]
    if synopsis:
        out += [".SH SYNOPSIS", ".nf", *[escape(s) for s in synopsis], ".fi"]
    pages = command_pages(program, name, synopsis) if with_commands else []
    shared = shared_sections(pages)
    for title, body in rest:
        out += [f".SH {title or 'DESCRIPTION'}", *body_roff(body, name)]
    if pages:
        out.append(".SH COMMANDS")
        for command, page in pages:
            heading = f"{name} {command}"
            for title, body in page:
                if title == "NAME" and body:
                    heading = body[0].strip()
            out.append(f".SS {escape(heading)}")
            for title, body in page:
                if title in ("NAME", "") or title in shared:
                    continue
                if title == "SYNOPSIS":
                    out += [".nf", *[escape(b[2:] if b.startswith("  ") else b) for b in body], ".fi"]
                    continue
                if title != "DESCRIPTION":
                    out += [".PP", f".B {escape(title.capitalize())}"]
                out += body_roff(body, name)
    for title, body in shared.items():
        out += [f".SH {title}", *body_roff(body, name)]
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--name", required=True)
    parser.add_argument("--source", required=True, help='the footer, e.g. "px6410 1.0.0"')
    parser.add_argument("--summary", help="the NAME line when --help gives none")
    parser.add_argument("--commands", action="store_true", help="a subsection per command's help page")
    parser.add_argument("--output", required=True, help="the .gz to write")
    args = parser.parse_args()
    page = manual(args.program, args.name, args.source, args.summary, args.commands)
    # No name and no time in the gzip header: the same program makes the same file.
    with open(args.output, "wb") as raw, gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0) as gz:
        gz.write(page.encode("utf-8"))


if __name__ == "__main__":
    main()
