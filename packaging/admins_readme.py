#!/usr/bin/env python3
"""Writes README-admins.txt for the Windows kit: the README's admin part, Windows' way.

The admin part runs from "# For server admins" to "# For developers". Where it speaks of Linux,
markers that a rendered README does not show say what the kit's text puts there instead:

    <!-- windows-kit: NAME -->
    ...the Linux text, left out of the kit...
    <!-- /windows-kit -->

The Windows text comes from the kit's own file (admins-windows.md), in entries that each start
with a line "@@ ":
    @@ header             what comes before the admin part
    @@ section NAME       what stands in the kit where the README has the block NAME
    @@ line TEXT          what stands in the kit for every README line that is exactly TEXT
                          (lines inside code blocks, which markers cannot reach)
Every block needs its section, and every section and line must be used, so that an edit of the
README cannot drift from the kit unnoticed. Code blocks become indented text, and every line ends
in CR LF, as Windows' own text files do.

usage: admins_readme.py README WINDOWS_TEXT VERSION OUTPUT
"""
import re
import sys

ADMIN_START = "# For server admins"
ADMIN_END = "# For developers"
BLOCK_START = re.compile(r"^<!-- windows-kit: ([a-z-]+) -->$")
BLOCK_END = "<!-- /windows-kit -->"


class KitError(Exception):
    pass


def admin_part(readme_lines):
    try:
        start = readme_lines.index(ADMIN_START)
        end = readme_lines.index(ADMIN_END, start)
    except ValueError as missing:
        raise KitError(f"the README has no admin part ({missing})") from None
    part = readme_lines[start:end]
    while part and not part[-1].strip():
        part.pop()
    return part


def windows_entries(lines):
    """The header, the sections by name and the line replacements of the kit's own file."""
    entries = {"header": None, "sections": {}, "lines": {}}
    current = None
    for line in lines:
        if line.startswith("@@ "):
            kind, _, name = line[3:].partition(" ")
            current = []
            if kind == "header":
                entries["header"] = current
            elif kind == "section":
                entries["sections"][name] = current
            elif kind == "line":
                entries["lines"][name] = current
            else:
                raise KitError(f"unknown entry {line!r}")
        elif current is not None:
            current.append(line)
        elif line.strip():
            raise KitError(f"text before the first entry: {line!r}")
    for body in [entries["header"], *entries["sections"].values(), *entries["lines"].values()]:
        while body and not body[-1].strip():
            body.pop()
    if entries["header"] is None:
        raise KitError("no @@ header entry")
    return entries


def replace_blocks(part, sections):
    out = []
    used = set()
    block = None
    for line in part:
        opened = BLOCK_START.match(line)
        if opened:
            if block is not None:
                raise KitError(f"block {opened.group(1)} opens inside block {block}")
            block = opened.group(1)
            if block not in sections:
                raise KitError(f"no section {block} for the README's block")
            used.add(block)
            out.extend(sections[block])
        elif line == BLOCK_END:
            if block is None:
                raise KitError("a block closes that never opened")
            block = None
        elif block is None:
            out.append(line)
    if block is not None:
        raise KitError(f"block {block} never closes")
    unused = sorted(set(sections) - used)
    if unused:
        raise KitError(f"sections the README has no block for: {', '.join(unused)}")
    return out


def replace_lines(part, replacements):
    out = []
    used = set()
    for line in part:
        if line in replacements:
            used.add(line)
            out.extend(replacements[line])
        else:
            out.append(line)
    unused = [line for line in replacements if line not in used]
    if unused:
        raise KitError("README lines not found: " + "; ".join(repr(line) for line in unused))
    return out


def indent_code(lines):
    """Fenced code blocks as indented text, which reads the same in any editor."""
    out = []
    in_code = False
    for line in lines:
        if line.lstrip().startswith("```"):
            in_code = not in_code
        elif in_code:
            out.append("    " + line if line else "")
        else:
            out.append(line)
    if in_code:
        raise KitError("a code block never closes")
    return out


def kit_text(readme, windows_text, version):
    entries = windows_entries(windows_text.splitlines())
    part = replace_blocks(admin_part(readme.splitlines()), entries["sections"])
    part = replace_lines(part, entries["lines"])
    lines = indent_code(entries["header"] + [""] + part)
    return "".join(line.replace("@VERSION@", version).rstrip() + "\r\n" for line in lines)


def main(argv):
    if len(argv) != 5:
        sys.exit(__doc__.rsplit("usage: ", 1)[1])
    readme_path, windows_path, version, output_path = argv[1:]
    with open(readme_path, encoding="utf-8") as readme, open(windows_path, encoding="utf-8") as win:
        try:
            text = kit_text(readme.read(), win.read(), version)
        except KitError as error:
            sys.exit(f"admins_readme: {error}")
    with open(output_path, "w", encoding="utf-8", newline="") as output:
        output.write(text)


if __name__ == "__main__":
    main(sys.argv)
