#!/usr/bin/env python3
"""Writes a kit's README-admins.txt: the README's admin part as plain text, in the kit's terms.

The admin part runs from "# For server admins" to "# For developers". Where it speaks of the
build tree or of one system only, markers that a rendered README does not show say what a kit
puts there instead:

    <!-- kit: NAME -->
    ...the README's text...
    <!-- /kit -->

Each kit has a text file of its own (admins-windows.md, admins-linux.md), in entries that each
start with a line "@@ ":
    @@ header             what comes before the admin part
    @@ section NAME       what stands in the kit where the README has the block NAME
    @@ keep NAME          the README's own text of the block NAME stays
    @@ line TEXT          what stands in the kit for every README line that is exactly TEXT
                          (lines inside code blocks, which markers cannot reach)
Every block needs a section or a keep, and every entry must be used, so that an edit of the
README cannot drift from a kit unnoticed. The text is made plain, as any editor shows it well:
code blocks become indented text, headings underlined text, bold marks go, and inline code loses
its marks (words with blanks stand in quotes instead).
With --crlf every line ends in CR LF, as Windows' own text files do.

usage: admins_readme.py [--crlf] README KIT_TEXT VERSION OUTPUT
"""
import re
import sys

ADMIN_START = "# For server admins"
ADMIN_END = "# For developers"
BLOCK_START = re.compile(r"^<!-- kit: ([a-z-]+) -->$")
BLOCK_END = "<!-- /kit -->"
HEADING = re.compile(r"^(#{1,3}) (.+)$")
INLINE_CODE = re.compile(r"`([^`]+)`")
HEADING_UNDERLINES = {1: "=", 2: "-", 3: "~"}


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


def kit_entries(lines):
    """The header, the sections and kept blocks by name and the line replacements of a kit."""
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
            elif kind == "keep":
                entries["sections"][name] = None
            elif kind == "line":
                entries["lines"][name] = current
            else:
                raise KitError(f"unknown entry {line!r}")
        elif current is not None:
            current.append(line)
        elif line.strip():
            raise KitError(f"text before the first entry or after a keep: {line!r}")
        if line.startswith("@@ keep "):
            current = None
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
                raise KitError(f"no section or keep for the README's block {block}")
            used.add(block)
            if sections[block] is not None:
                out.extend(sections[block])
        elif line == BLOCK_END:
            if block is None:
                raise KitError("a block closes that never opened")
            block = None
        elif block is None or sections[block] is None:
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


def plain_code_span(span):
    """Inline code without its marks; words in quotes, so they still stand out from the text."""
    code = span.group(1)
    return f'"{code}"' if " " in code.strip() and '"' not in code else code


def plain_prose(lines):
    if not lines:
        return []
    # Joined first: a code span may run over a line end.
    text = INLINE_CODE.sub(plain_code_span, "\n".join(lines)).replace("**", "")
    if "`" in text:
        raise KitError("an inline code mark without its pair in: " + text.split("`")[0][-60:])
    out = []
    for line in text.split("\n"):
        heading = HEADING.match(line)
        if heading:
            title = heading.group(2)
            out.extend([title, HEADING_UNDERLINES[len(heading.group(1))] * len(title)])
        else:
            out.append(line)
    return out


def plain_text(lines):
    """Code blocks as indented text, left as they are; everything else without Markdown marks."""
    out = []
    prose = []
    in_code = False
    for line in lines:
        if line.lstrip().startswith("```"):
            if not in_code:
                out.extend(plain_prose(prose))
                prose = []
            in_code = not in_code
        elif in_code:
            out.append("    " + line if line else "")
        else:
            prose.append(line)
    if in_code:
        raise KitError("a code block never closes")
    return out + plain_prose(prose)


def kit_text(readme, kit_file_text, version, line_end):
    entries = kit_entries(kit_file_text.splitlines())
    part = replace_blocks(admin_part(readme.splitlines()), entries["sections"])
    part = replace_lines(part, entries["lines"])
    lines = plain_text(entries["header"] + [""] + part)
    return "".join(line.replace("@VERSION@", version).rstrip() + line_end for line in lines)


def main(argv):
    arguments = argv[1:]
    line_end = "\n"
    if arguments[:1] == ["--crlf"]:
        line_end = "\r\n"
        arguments = arguments[1:]
    if len(arguments) != 4:
        sys.exit(__doc__.rsplit("usage: ", 1)[1])
    readme_path, kit_path, version, output_path = arguments
    with open(readme_path, encoding="utf-8") as readme, open(kit_path, encoding="utf-8") as kit:
        try:
            text = kit_text(readme.read(), kit.read(), version, line_end)
        except KitError as error:
            sys.exit(f"admins_readme: {error}")
    with open(output_path, "w", encoding="utf-8", newline="") as output:
        output.write(text)


if __name__ == "__main__":
    main(sys.argv)
