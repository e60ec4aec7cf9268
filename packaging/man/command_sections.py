#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the COMMANDS section of the manual page wendrix-cli(1) for help2man's --include.

Usage: command_sections.py PROGRAM OUTPUT

The commands are those that PROGRAM --help lists; each one's usage, description and options are
what PROGRAM COMMAND --help prints, so the page describes the options that the built program
has, no more and no fewer. Any command whose help cannot be read fails the build.
"""

import re
import subprocess
import sys

# CLI11 sets an option's name and its description apart by two or more blanks; a description
# that does not fit beside a long name goes on the next line, indented further.
ENTRY = re.compile(r"^  (\S.*?)(?: {2,}(\S.*))?$")
CONTINUATION = re.compile(r"^ {4,}(\S.*)$")


def run_help(program, *arguments):
    result = subprocess.run([program, *arguments, "--help"], capture_output=True, text=True,
                            check=False)
    if result.returncode != 0:
        raise SystemExit("%s %s --help failed (%d): %s" % (program, " ".join(arguments),
                                                           result.returncode, result.stderr))
    return result.stdout.splitlines()


def roff(text):
    """Text as roff shows it literally: backslashes and minus signs escaped, no control line."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text.startswith((".", "'")) else text


def command_names(help_lines):
    names = []
    inside = False
    for line in help_lines:
        if line == "Subcommands:":
            inside = True
        elif inside and line.startswith("  "):
            names.append(line.split()[0])
        elif inside:
            break
    if not names:
        raise SystemExit("the program's --help lists no commands")
    return names


def command_section(program_name, command, help_lines):
    """The subsection of one command from its help: usage, description, then every option."""
    usage = None
    description = []
    entries = []  # [name, description]
    for line in help_lines:
        if line.startswith("Usage: "):
            usage = line[len("Usage: "):]
        elif usage is None:
            if line.strip():
                description.append(line.strip())
        elif line in ("Positionals:", "Options:") or not line.strip():
            continue
        elif CONTINUATION.match(line) and entries:
            text = CONTINUATION.match(line).group(1)
            entries[-1][1] = (entries[-1][1] + " " + text).strip()
        elif ENTRY.match(line):
            name, text = ENTRY.match(line).groups()
            entries.append([name, text or ""])
        else:
            raise SystemExit("cannot read this line of '%s --help': %r" % (command, line))
    if usage is None:
        raise SystemExit("'%s --help' shows no usage line" % command)
    # The usage names the program as it was started; the page names it as installed.
    usage = re.sub(r"^\S*?" + re.escape(program_name) + r"\b", program_name, usage)

    lines = [".SS \"%s\"" % roff(command), ".B %s" % roff(usage), ".PP"]
    lines += [roff(text) for text in description]
    for name, text in entries:
        if name.split(",")[-1] == "--help":
            continue  # every command has it; the options above say so
        first, _, rest = name.partition(" ")
        lines += [".TP", "\\fB%s\\fR%s" % (roff(first), " " + roff(rest) if rest else ""),
                  roff(text)]
    return lines


def main(arguments):
    if len(arguments) != 2:
        raise SystemExit(__doc__)
    program, output = arguments
    program_name = "wendrix-cli"
    lines = ["# Written by command_sections.py from the program's own help.", "", "[COMMANDS]"]
    for command in command_names(run_help(program)):
        lines += command_section(program_name, command, run_help(program, command))
    with open(output, "w", encoding="utf-8") as stream:
        stream.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1:])
