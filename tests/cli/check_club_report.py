# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the club report that wendrix-cli writes beside an evaluation.

Generates two years of lists, evaluates last year, then this year with last year's result file
as the comparison, and checks the page against the result file written in the same run: it is
well-formed, loads nothing from outside, and every heat map cell shows exactly the result file's
four per-mille figures, with the change against last year's file where one is given.

usage: check_club_report.py CLI MAKE_LISTS WORK
"""
import pathlib
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

MODES = ("Mixed", "CW", "Fone", "RTTY")


def run(*args):
    subprocess.run([str(a) for a in args], check=True, stdout=subprocess.DEVNULL)


def result_table(path):
    """Per main prefix, 11 columns of 4 per-mille figures, from a Wendrix.TXT."""
    lines = path.read_bytes().decode("latin-1").split("\r\n")
    dashes = [i for i, line in enumerate(lines) if line and set(line) == {"-"}]
    table = {}
    for line in lines[dashes[0] + 1:dashes[1]]:
        prefix = line[:9].rstrip()
        figures = [int(line[9 + 5 * k:9 + 5 * k + 4]) for k in range(44)]
        table[prefix] = [figures[4 * c:4 * c + 4] for c in range(11)]
    return table


def heat_map(page):
    """Per main prefix, 11 columns of (visible figure, title figures, title changes)."""
    root = ET.parse(page).getroot()
    external = re.compile(r"(src|href)\s*=|@import|url\(|<script", re.I)
    if external.search(page.read_text(encoding="utf-8")):
        sys.exit("the page refers to something outside itself")
    table = next(t for t in root.iter("table") if t.get("id") == "heatmap")
    cells = {}
    for row in table.iter("tr"):
        tds = row.findall("td")
        if not tds:
            continue
        prefix = tds[0].text
        columns = []
        for td in tds[2:]:
            title = td.get("title")
            shares, _, changes = title.partition("; zum Vorjahr:")
            figures = [int(re.search(mode + r" (\d+) ", shares).group(1)) for mode in MODES]
            deltas = None
            if changes:
                deltas = [int(re.search(mode + r" ([+\u2212]?\d+)", changes).group(1)
                              .replace("\u2212", "-")) for mode in MODES]
            columns.append((td.text, figures, deltas))
        cells[prefix] = columns
    return cells


def main():
    cli, make_lists, work = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    shutil.rmtree(work, ignore_errors=True)
    last, this = work / "last", work / "this"
    run(make_lists, last, 40, 7)
    run(make_lists, this, 40, 8)
    run(cli, "evaluate", last, "--thresholds", ",".join(["0"] * 18))
    report = work / "Wendrix.html"
    run(cli, "evaluate", this, "--report", report, "--previous", last / "Wendrix.TXT")

    now, before = result_table(this / "Wendrix.TXT"), result_table(last / "Wendrix.TXT")
    shown = heat_map(report)
    if sorted(shown) != sorted(now):
        sys.exit("the heat map's entities differ from the result file's")
    checked = changed = 0
    for prefix, columns in shown.items():
        for c, (visible, figures, deltas) in enumerate(columns):
            expected = now[prefix][c]
            if figures != expected:
                sys.exit(f"{prefix} column {c}: page {figures}, result file {expected}")
            if (visible or "0") != str(expected[0]):
                sys.exit(f"{prefix} column {c}: shows {visible!r}, result file {expected[0]}")
            want = [a - b for a, b in zip(expected, before[prefix][c])]
            if deltas != want:
                sys.exit(f"{prefix} column {c}: change {deltas}, expected {want}")
            checked += 1
            changed += any(want)
    if changed == 0:
        sys.exit("no cell changed between the two years: the comparison was not tried")
    print(f"{checked} cells agree with the result file, {changed} of them changed")


if __name__ == "__main__":
    main()
