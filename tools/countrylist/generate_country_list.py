#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds data/CountryList.txt, the country list that Wendrix compiles in.

Inputs:
  * the public country files of country-files.com as Debian ships them in the package
    hamradio-files: /usr/share/hamradio-files/cty.dat (prefixes with their zone overrides) and
    cty.csv (the same data with DXCC numbers);
  * entities.tsv: the 339 entities in list order with main prefix, DXCC number, name, validity,
    predecessor and how each maps to the public data;
  * fixed_facts.tsv: the few facts the public data does not carry (dated special calls, tokens of
    the shared blocks, prefixes that no token may cover).

The output is deterministic: the same inputs give the same bytes. Before writing, the generator
parses its own text with catalogue_model.py (the program's parsing and resolution rules) and
refuses to write a list in which a public prefix no longer finds its entity.

Usage: generate_country_list.py [--output FILE] [--check FILE] [--cty-dat FILE] [--cty-csv FILE]
                                [--skip-if-missing] [--quiet]

With --check FILE the generated text is also compared byte for byte with FILE (normally the
committed data/CountryList.txt); a difference is reported with its first line and exit status 1.
With --skip-if-missing the generator exits with status 77 when the public data is not installed.
"""

import argparse
import collections
import csv
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import catalogue_model as model  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
DEFAULT_DAT = "/usr/share/hamradio-files/cty.dat"
DEFAULT_CSV = "/usr/share/hamradio-files/cty.csv"

ALPHABET = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
MAX_TOKEN = 4
MAX_PATTERN = 13
PREFIX_COLUMN = 19       # the colon of a data line stands in this column
LATITUDE_COLUMN = 64     # tab stop where the coordinates begin


class GeneratorError(Exception):
    pass


# --- reading the inputs ------------------------------------------------------------------------

class EntityRow:
    def __init__(self, number, fields):
        self.main, dxcc, self.cty, self.layout, validity, predecessor, self.name = fields
        self.number = number
        self.dxcc = int(dxcc)
        self.validity = "" if validity == "-" else validity
        self.predecessor = "" if predecessor == "-" else predecessor
        self.latitude = None
        self.longitude = None
        self.fixed_zones = None
        if self.layout not in ("own", "shared", "none"):
            raise GeneratorError("entities.tsv: unknown layout %r for %s" % (self.layout, self.main))
        self.block_head = number     # set for shared entities below
        self.continent = ""
        self.cq = set()
        self.itu = set()


def read_tsv(path):
    rows = []
    with open(path, encoding="utf-8") as stream:
        for line in stream:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            rows.append(line.split("\t"))
    return rows


def read_entities(path):
    entities = []
    for fields in read_tsv(path):
        if len(fields) != 7:
            raise GeneratorError("entities.tsv: expected 7 columns, got %r" % (fields,))
        entities.append(EntityRow(len(entities) + 1, fields))
    for row in entities:
        if row.layout == "shared":
            if row.number == 1:
                raise GeneratorError("entities.tsv: the first entity cannot join a block")
            row.block_head = entities[row.number - 2].block_head
    mains = [row.main for row in entities]
    if len(set(mains)) != len(mains):
        raise GeneratorError("entities.tsv: main prefixes are not unique")
    return entities


class Facts:
    def __init__(self, path):
        self.tokens = {}        # prefix -> main prefix of the entity whose block gets it
        self.holes = set()
        self.splits = set()
        self.specials = []      # (pattern, entity main prefix, validity)
        self.coordinates = {}   # main prefix -> (latitude, longitude)
        self.zones = {}         # main prefix -> (CQ zones, ITU zones)
        for fields in read_tsv(path):
            kind = fields[0]
            if kind == "token" and len(fields) == 3:
                self.tokens[fields[1]] = fields[2]
            elif kind == "hole" and len(fields) == 2:
                self.holes.add(fields[1])
            elif kind == "split" and len(fields) == 2:
                self.splits.add(fields[1])
            elif kind == "special" and len(fields) in (3, 4):
                self.specials.append((fields[1], fields[2], fields[3] if len(fields) == 4 else ""))
            elif kind == "coordinates" and len(fields) == 4:
                self.coordinates[fields[1]] = (int(fields[2]), int(fields[3]))
            elif kind == "zones" and len(fields) == 4:
                self.zones[fields[1]] = (fields[2], fields[3])
            else:
                raise GeneratorError("fixed_facts.tsv: cannot read %r" % ("\t".join(fields),))


TOKEN_RE = re.compile(r"^(=?)([A-Z0-9/]+)((?:\(\d+\)|\[\d+\]|<[^>]*>|\{[A-Z]+\}|~[^~]*~)*)$")


class PublicEntity:
    def __init__(self, header):
        fields = [f.strip() for f in header.split(":")]
        self.name, cq, itu, self.continent, lat, lon, _, self.primary = fields[:8]
        self.cq = int(cq)
        self.itu = int(itu)
        self.latitude = hundredths(lat)
        self.longitude = -hundredths(lon)       # the public files count west as positive
        self.folded = self.primary.startswith("*")
        self.primary = self.primary.lstrip("*")
        self.dxcc = None
        self.prefixes = []      # (prefix, cq override or None, itu override or None)
        self.calls = []


def hundredths(text):
    match = re.fullmatch(r"(-?)(\d+)\.(\d\d)", text.strip())
    if not match:
        raise GeneratorError("cty.dat: cannot read the coordinate %r" % text)
    value = int(match.group(2)) * 100 + int(match.group(3))
    return -value if match.group(1) else value


def read_cty_dat(path):
    with open(path, encoding="latin-1") as stream:
        return read_cty_dat_text(stream.read())


def read_cty_dat_text(text):
    """Entities of cty.dat: a header line per entity, then its prefixes and calls, separated by
    commas over several indented lines and closed by ";"."""
    entities = []
    body = ""
    for line in text.splitlines():
        if not line.strip():
            continue
        if not line[0].isspace():
            entities.append(PublicEntity(line))
            body = ""
            continue
        if not entities:
            raise GeneratorError("cty.dat: prefixes before the first entity")
        body += line.strip()
        if body.endswith(";"):
            for item in body[:-1].split(","):
                item = item.strip()
                if not item:
                    continue
                match = TOKEN_RE.match(item)
                if not match:
                    raise GeneratorError("cty.dat: cannot read the prefix %r" % item)
                cq = re.search(r"\((\d+)\)", match.group(3))
                itu = re.search(r"\[(\d+)\]", match.group(3))
                if match.group(1):
                    entities[-1].calls.append(match.group(2))
                else:
                    entities[-1].prefixes.append(
                        (match.group(2), int(cq.group(1)) if cq else None,
                         int(itu.group(1)) if itu else None))
            body = ""
    return entities


def attach_dxcc_numbers(public, csv_path):
    """cty.csv names the DXCC number of every public entity, folded ones included."""
    numbers = {}
    prefix_lists = {}
    with open(csv_path, encoding="latin-1", newline="") as stream:
        for row in csv.reader(stream):
            if len(row) < 10:
                continue
            numbers[row[0]] = int(row[2])
            prefix_lists[row[0]] = set(
                re.sub(r"[(\[<{~].*", "", t) for t in row[9].rstrip(";").split())
    for entity in public:
        key = ("*" if entity.folded else "") + entity.primary
        if key not in numbers:
            raise GeneratorError("cty.csv has no row for %s" % key)
        entity.dxcc = numbers[key]
        # The two files differ slightly in their lists of individual calls (the CSV row of a
        # large entity is shorter); the prefixes must agree.
        mine = set(p for p, _, _ in entity.prefixes)
        if mine != set(p for p in prefix_lists[key] if not p.startswith("=")):
            raise GeneratorError("cty.dat and cty.csv disagree about the prefixes of %s" % key)


def data_version(public):
    for entity in public:
        for call in entity.calls:
            if re.fullmatch(r"VER\d{8}", call):
                return call[3:]
    return "unknown"


def is_marker_call(call):
    return call == "VERSION" or re.fullmatch(r"VER\d{8}", call) is not None


# --- from public prefixes to tokens ------------------------------------------------------------

def intervals(chars):
    """Splits a set of characters into runs that are contiguous in ALPHABET, never crossing
    from digits to letters."""
    positions = sorted(ALPHABET.index(c) for c in chars)
    runs = []
    for p in positions:
        if runs and p == runs[-1][1] + 1 and not (ALPHABET[p] == "A" and ALPHABET[p - 1] == "9"):
            runs[-1][1] = p
        else:
            runs.append([p, p])
    return [(ALPHABET[a], ALPHABET[b]) for a, b in runs]


def range_tokens(strings):
    """Writes a set of equally long prefixes as tokens: prefixes that differ only in their last
    character and follow each other there become one range ("UA3-UA7"), the others stay single.
    A range never varies in an earlier position, so it covers exactly the prefixes it names."""
    by_head = collections.defaultdict(set)
    for s in set(strings):
        by_head[s[:-1]].add(s[-1])
    tokens = []
    for head, tails in by_head.items():
        for low, high in intervals(tails):
            tokens.append(head + low if low == high else head + low + "-" + head + high)
    return tokens


def token_sort_key(token):
    low = token.split("-")[0]
    return (-len(low), token)


class Plan:
    """Everything the list will contain, before it is laid out as text."""

    def __init__(self, entities, facts, public):
        self.entities = entities
        self.by_main = {row.main: row for row in entities}
        self.by_dxcc = {row.dxcc: row for row in entities}
        self.facts = facts
        self.public = public
        self.public_prefix = {}     # prefix -> EntityRow or None (DXCC entity not in the list)
        self.public_calls = {}      # call -> EntityRow or None
        self.unlisted = set()       # DXCC numbers of the public data that the list lacks
        self.token_prefixes = {}    # prefix -> block head EntityRow, or None for a hole
        self.pattern_prefixes = {}  # prefix -> EntityRow; written as "PREFIX*" special calls
        self.tokens = collections.defaultdict(list)   # block head number -> tokens
        self.skipped_calls = []     # public calls that cannot become a special call
        self.main_prefix_tokens = []  # main prefixes used as tokens for lack of public prefixes
        self.carved = set()         # broad prefixes split one character deeper

    def map_public(self):
        for entity in self.public:
            row = self.by_dxcc.get(entity.dxcc)
            if row is None:
                self.unlisted.add(entity.dxcc)
            elif not entity.folded:
                if row.cty != entity.primary:
                    raise GeneratorError("entities.tsv maps %s to %s, cty.csv to %s"
                                         % (row.main, row.cty, entity.primary))
                row.continent = entity.continent
                row.cq.add(entity.cq)
                row.itu.add(entity.itu)
                if row.latitude is None:
                    row.latitude = entity.latitude
                if row.longitude is None:
                    row.longitude = entity.longitude
            for prefix, cq, itu in entity.prefixes:
                self._claim(self.public_prefix, prefix, row, "prefix")
                if row is not None:
                    row.cq.add(cq if cq is not None else entity.cq)
                    row.itu.add(itu if itu is not None else entity.itu)
            for call in entity.calls:
                if not is_marker_call(call):
                    self._claim(self.public_calls, call, row, "call")
        for row in self.entities:
            if not row.continent:
                raise GeneratorError("the public data has no entity with DXCC number %d (%s)"
                                     % (row.dxcc, row.main))
        for main, (latitude, longitude) in self.facts.coordinates.items():
            self.row(main).latitude, self.row(main).longitude = latitude, longitude
        for main, zones in self.facts.zones.items():
            self.row(main).fixed_zones = zones

    def row(self, main):
        if main not in self.by_main:
            raise GeneratorError("fixed_facts.tsv names the unknown entity %s" % main)
        return self.by_main[main]

    @staticmethod
    def _claim(table, key, row, what):
        if key in table and table[key] is not row:
            raise GeneratorError("the public %s %s belongs to two entities" % (what, key))
        table[key] = row

    def intended_owner(self, prefix):
        """Entity that a prefix stands for in the list: the public owner unless a fixed fact
        moves it."""
        if prefix in self.facts.tokens:
            return self.row(self.facts.tokens[prefix])
        return self.public_prefix.get(prefix)

    def fixed_answer(self, call, date):
        """The entity a fixed special call gives the call on the date, or None."""
        answer = None
        best = 0
        for pattern, main, validity in self.facts.specials:
            if not model.match_call_pattern(call, pattern):
                continue
            bounds = model.parse_validity(validity) if validity else None
            low = bounds[0] if bounds and bounds[0] is not None else model.OPEN_START
            high = bounds[1] if bounds and bounds[1] is not None else model.OPEN_END
            length = model.significant_length(pattern)
            if low <= date <= high and length >= best:
                answer, best = self.by_main[main], length
        return answer

    def split_prefixes(self):
        """Decides for every public prefix whether it becomes a token, a special-call pattern or
        nothing."""
        owners = dict(self.public_prefix)
        for prefix, main in self.facts.tokens.items():
            owners[prefix] = self.row(main)
        for prefix in self.facts.holes:
            owners[prefix] = "hole"
        # A token whose range ends in "Z" in every position after a broader token of an earlier
        # block cannot be moved ahead of it by the nesting pass (it does not lie strictly inside).
        # The broader token is then split one character deeper so that both stand side by side.
        for prefix in sorted(self.carved | self.facts.splits, key=len):
            owner = owners.pop(prefix)
            if len(prefix) >= MAX_TOKEN or not isinstance(owner, EntityRow):
                raise GeneratorError("cannot split the prefix %s" % prefix)
            for ch in ALPHABET:
                owners.setdefault(prefix + ch, owner)
        # A block of its own needs at least one token. Where the public data knows only
        # individual calls of an entity, its main prefix serves, provided nobody else has it.
        heads = set(o.block_head for o in owners.values() if o not in (None, "hole"))
        for row in self.entities:
            if row.layout == "own" and row.block_head == row.number and row.number not in heads:
                if row.main in owners or not re.fullmatch(r"[A-Z0-9]{1,4}", row.main):
                    raise GeneratorError("no prefix token for the block of %s" % row.main)
                owners[row.main] = row
                self.main_prefix_tokens.append(row.main)
        patterned = set()
        for prefix in sorted(owners, key=len):
            owner = owners[prefix]
            if owner == "hole":
                patterned.add(prefix)
                continue
            if owner is None:
                continue
            above = any(prefix[:k] in patterned for k in range(1, len(prefix)))
            if owner.layout == "none" or len(prefix) > MAX_TOKEN or above:
                patterned.add(prefix)
                self.pattern_prefixes[prefix] = owner
        # Tokens and holes: a prefix matters only where it changes the answer of the next shorter
        # prefix above it.
        candidates = {}
        for prefix, owner in owners.items():
            if prefix in self.pattern_prefixes:
                continue
            if owner == "hole" or owner is None:
                candidates[prefix] = None
            else:
                candidates[prefix] = self.by_main_number(owner.block_head)
        for prefix in sorted(candidates, key=len):
            parent = None
            for k in range(len(prefix) - 1, 0, -1):
                if prefix[:k] in candidates:
                    parent = prefix[:k]
                    break
            owner = candidates[prefix]
            if parent is None:
                keep = owner is not None
            else:
                keep = candidates[parent] is not owner
            if keep:
                self.token_prefixes[prefix] = owner

    def by_main_number(self, number):
        return self.entities[number - 1]

    def build_tokens(self):
        by_owner = collections.defaultdict(lambda: collections.defaultdict(list))
        for prefix, owner in self.token_prefixes.items():
            if owner is not None:
                by_owner[owner.number][len(prefix)].append(prefix)
        for number, by_length in by_owner.items():
            tokens = []
            for length in by_length:
                tokens.extend(range_tokens(by_length[length]))
            self.tokens[number] = sorted(tokens, key=token_sort_key)

    def token_count(self):
        return sum(len(t) for t in self.tokens.values())

    def pattern_specials(self):
        lines = []
        for pattern, main, validity in self.facts.specials:
            if main != "-" and main not in self.by_main:
                raise GeneratorError("fixed_facts.tsv names the unknown entity %s" % main)
            lines.append((pattern, main, validity))
        for prefix in sorted(self.pattern_prefixes):
            lines.append((prefix + "*", self.pattern_prefixes[prefix].main, ""))
        return lines


# --- laying out the text -----------------------------------------------------------------------

def padded(text, width):
    return text + " " * (width - len(text)) if len(text) < width else text + " "


def data_fields(row):
    if row.fixed_zones:
        cq, itu = row.fixed_zones
    else:
        cq = "/".join(str(z) for z in sorted(row.cq))
        itu = "/".join(str(z) for z in sorted(row.itu))
    text = padded(row.main, 7) + padded(row.continent, 4) + padded(cq, 16) + itu
    end = PREFIX_COLUMN + 2 + len(text)
    tabs = 1
    if end < LATITUDE_COLUMN - 8:
        tabs = 2
    text += "\t" * tabs + "%d %d\t%d" % (row.latitude, row.longitude, row.dxcc)
    if row.validity:
        text += "\t" + row.validity
        if row.predecessor:
            text += "\t" + row.predecessor
    return text


def token_lines(tokens):
    """Prefix tokens of a block: earlier lines carry most of them, the data line the last few,
    padded to the colon column."""
    cells = [t + " " * max(1, 7 - len(t)) for t in tokens]
    last = []
    while cells and len("".join([cells[-1]] + last).rstrip()) <= PREFIX_COLUMN - 1:
        last.insert(0, cells.pop())
    lines = []
    current = ""
    for cell in cells:
        if current and len(current + cell.rstrip()) > 72:
            lines.append(current.rstrip())
            current = ""
        current += cell
    if current:
        lines.append(current.rstrip())
    tail = "".join(last).rstrip()
    return lines, tail + " " * (PREFIX_COLUMN - len(tail))


def validity_field(validity):
    start, _, end = validity.partition("-")
    return (start or " " * 8) + "-" + end


def special_line(pattern, main, validity):
    if not validity:
        return padded(pattern, 16) + main
    return padded(pattern, 16) + padded(main, 8) + validity_field(validity)


def lay_out(plan, version, specials):
    lines = ["==== Wendrix country list - prefixes and calls from the country files of "
             "country-files.com (Jim Reisert AD1C, MIT licence), version %s, as shipped in "
             "Debian's hamradio-files ====" % version, ""]
    index = 0
    entities = plan.entities
    while index < len(entities):
        head = entities[index]
        members = [head]
        index += 1
        while index < len(entities) and entities[index].layout == "shared":
            members.append(entities[index])
            index += 1
        tokens = plan.tokens.get(head.number, [])
        if head.layout == "none":
            if len(members) > 1:
                raise GeneratorError("a block without prefixes cannot be shared (%s)" % head.main)
            lines.append(" " * PREFIX_COLUMN + ": " + data_fields(head))
            lines.append("\t\t     " + head.name)
        else:
            if not tokens:
                raise GeneratorError("the block of %s has no prefix tokens" % head.main)
            before, colon_part = token_lines(tokens)
            lines.extend(before)
            lines.append(colon_part + ": " + data_fields(head))
            lines.append(head.name)
            for member in members[1:]:
                lines.append("\t\t   : " + data_fields(member))
                lines.append(member.name)
        lines.append("")
    lines.append("=S==== Special calls: call patterns and individual stations ====")
    lines.extend(special_line(*s) for s in specials)
    return lines


# --- checking the result with the model --------------------------------------------------------

def build_call(prefix, public_prefixes, public_calls):
    """A call that keeps the meaning of the prefix: no longer public prefix and no individual
    call of the public data applies to it. None if the prefix has no such call."""
    letters = ["AB", "XY", "QZ", "AAA", "ZZZ"]
    digits = [d + s for s in ("AB", "XY", "QZ") for d in "1234567890"]
    suffixes = letters + digits if prefix[-1].isdigit() else digits + letters
    for suffix in suffixes:
        call = prefix + suffix
        if call in public_calls:
            continue
        if any(call[:k] in public_prefixes for k in range(len(prefix) + 1, len(call) + 1)):
            continue
        return call
    return None


def check_date(version):
    return int(version) if version.isdigit() else 20230502


class Checker:
    def __init__(self, plan, lines, date):
        self.plan = plan
        self.catalogue = model.Catalogue(lines)
        self.date = date
        self.number_of = {row.main: row.number for row in plan.entities}

    def resolves_to(self, call, row, allow_block=False):
        result = model.resolve_call(self.catalogue, call, self.date)
        if result.status in (model.STATUS_RESOLVED, model.STATUS_TWO_PART, model.STATUS_MOBILE):
            return result.entity == row.number
        if allow_block and result.status == model.STATUS_AMBIGUOUS:
            return result.entity <= row.number < result.entity + result.candidates
        return False


def prefix_calls(plan, date):
    """For every public prefix a call built from it and the entity the list should give it."""
    for prefix in sorted(plan.public_prefix):
        call = build_call(prefix, plan.public_prefix, plan.public_calls)
        if call is None:
            continue
        owner = plan.fixed_answer(call, date)
        if owner is None:
            if prefix in plan.facts.holes:
                continue
            owner = plan.intended_owner(prefix)
        if owner is not None:
            yield prefix, call, owner


def find_blockers(plan, lines, date):
    """Broad tokens that keep a public prefix from its entity."""
    checker = Checker(plan, lines, date)
    blockers = set()
    # A prefix that must stay uncovered (a hole, or an entity the list lacks) inside a token of
    # another entity: that token is split so that the prefix can be left out.
    for prefix, owner in plan.token_prefixes.items():
        if owner is None:
            for k in range(len(prefix) - 1, 0, -1):
                if plan.token_prefixes.get(prefix[:k]) is not None:
                    blockers.add(prefix[:k])
                    break
    for prefix, call, owner in prefix_calls(plan, date):
        if checker.resolves_to(call, owner, allow_block=True):
            continue
        for k in range(len(prefix) - 1, 0, -1):
            above = plan.token_prefixes.get(prefix[:k], False)
            if above is not False and above is not None and above.block_head != owner.block_head:
                blockers.add(prefix[:k])
                break
        else:
            result = model.resolve_call(checker.catalogue, call, date)
            raise GeneratorError("prefix %s (call %s) should give %s, gives %r"
                                 % (prefix, call, owner.main, result))
    return blockers


def choose_call_lines(plan, lines, date, room):
    """Individual public calls get a line of their own only where the list would otherwise give
    another answer; every such call gets one. A list whose lines do not fit into the room left in
    the special-call table is refused rather than shortened, so that no call goes missing
    unnoticed."""
    checker = Checker(plan, lines, date)
    chosen = []
    for call in sorted(plan.public_calls):
        row = plan.public_calls[call]
        if row is None or checker.resolves_to(call, row):
            continue
        if len(call) > MAX_PATTERN:
            plan.skipped_calls.append(call)
            continue
        chosen.append((call, row.main, ""))
    if len(chosen) > room:
        raise GeneratorError("%d individual calls need a line, the special-call table has room "
                             "for %d more (capacity %d)"
                             % (len(chosen), room, model.MAX_SPECIALS))
    return chosen


def verify(plan, lines, date):
    """Refuses a list that breaks a rule the program or its users rely on."""
    checker = Checker(plan, lines, date)
    catalogue = checker.catalogue
    problems = []
    if len(catalogue.entities) - 1 != len(plan.entities):
        problems.append("the list defines %d entities" % (len(catalogue.entities) - 1))
    for row in plan.entities:
        entity = catalogue.entities[row.number]
        if (entity.main_prefix, entity.dxcc) != (row.main, row.dxcc):
            problems.append("entity %d reads back as %s/%d" % (row.number, entity.main_prefix,
                                                                entity.dxcc))
    if len(catalogue.prefixes) > model.MAX_PREFIXES:
        problems.append("%d prefix entries" % len(catalogue.prefixes))
    if len(catalogue.specials) > model.MAX_SPECIALS:
        problems.append("%d special calls" % len(catalogue.specials))
    for special in catalogue.specials:
        if len(special.pattern) > MAX_PATTERN:
            problems.append("special call %s is too long" % special.pattern)
        if special.entity == 0:
            problems.append("special call %s names no entity" % special.pattern)
    for hole in plan.facts.holes:
        for entry in catalogue.prefixes:
            if entry.matches(hole, len(hole)):
                problems.append("prefix entry %s covers %s" % (entry.describe(), hole))
    for prefix, call, owner in prefix_calls(plan, date):
        if not checker.resolves_to(call, owner, allow_block=True):
            result = model.resolve_call(catalogue, call, date)
            problems.append("prefix %s (call %s) should give %s, gives %r"
                            % (prefix, call, owner.main, result))
    written = set(s.pattern for s in catalogue.specials)
    for call, row in sorted(plan.public_calls.items()):
        if row is not None and call in written and not checker.resolves_to(call, row):
            problems.append("call %s should give %s" % (call, row.main))
    if problems:
        raise GeneratorError("the generated list is not sound:\n  " + "\n  ".join(problems[:40])
                             + ("\n  ... %d more" % (len(problems) - 40) if len(problems) > 40
                                else ""))
    return catalogue


# --- main --------------------------------------------------------------------------------------

def generate(dat_path, csv_path, entities_path, facts_path):
    entities = read_entities(entities_path)
    facts = Facts(facts_path)
    public = read_cty_dat(dat_path)
    attach_dxcc_numbers(public, csv_path)
    version = data_version(public)
    date = check_date(version)
    carved = set()
    for _ in range(8):
        plan = Plan(entities, facts, public)
        plan.carved = set(carved)
        plan.map_public()
        plan.split_prefixes()
        plan.build_tokens()
        specials = plan.pattern_specials()
        draft = lay_out(plan, version, specials)
        blockers = find_blockers(plan, draft, date)
        if not blockers:
            break
        carved |= blockers
    else:
        raise GeneratorError("splitting broad prefixes does not converge")
    specials += choose_call_lines(plan, draft, date, model.MAX_SPECIALS - len(specials))
    lines = lay_out(plan, version, specials)
    catalogue = verify(plan, lines, date)
    return plan, lines, catalogue, version


def compare_with(text, path):
    """None if the file holds exactly the text, else a description of the first difference."""
    try:
        with open(path, "rb") as stream:
            stored = stream.read()
    except OSError as error:
        return str(error)
    generated = text.encode("ascii")
    if stored == generated:
        return None
    old_lines = stored.split(b"\n")
    new_lines = generated.split(b"\n")
    for number, (old, new) in enumerate(zip(old_lines, new_lines), start=1):
        if old != new:
            return "line %d is %r, the generator writes %r" % (number, old, new)
    return "it has %d lines, the generator writes %d" % (len(old_lines), len(new_lines))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--output", default=os.path.join(REPO, "data", "CountryList.txt"))
    parser.add_argument("--cty-dat", default=DEFAULT_DAT)
    parser.add_argument("--cty-csv", default=DEFAULT_CSV)
    parser.add_argument("--entities", default=os.path.join(HERE, "entities.tsv"))
    parser.add_argument("--facts", default=os.path.join(HERE, "fixed_facts.tsv"))
    parser.add_argument("--check", metavar="FILE",
                        help="compare the generated text with FILE byte for byte")
    parser.add_argument("--skip-if-missing", action="store_true",
                        help="exit with status 77 when the public data files are missing")
    parser.add_argument("--quiet", action="store_true")
    args = parser.parse_args(argv)
    if args.skip_if_missing and not (os.path.exists(args.cty_dat)
                                     and os.path.exists(args.cty_csv)):
        print("generate_country_list: %s or %s is missing (install hamradio-files)"
              % (args.cty_dat, args.cty_csv), file=sys.stderr)
        return 77
    try:
        plan, lines, catalogue, version = generate(args.cty_dat, args.cty_csv, args.entities,
                                                   args.facts)
    except (GeneratorError, OSError) as error:
        print("generate_country_list: %s" % error, file=sys.stderr)
        return 1
    text = "\n".join(lines) + "\n"
    with open(args.output, "w", encoding="ascii", newline="\n") as stream:
        stream.write(text)
    if args.check:
        difference = compare_with(text, args.check)
        if difference:
            print("generate_country_list: %s differs from the generated list: %s"
                  % (args.check, difference), file=sys.stderr)
            return 1
    if not args.quiet:
        print("country list %s: public data version %s, %d lines, %d entities, %d prefix entries "
              "(%d nesting exchanges), %d special calls"
              % (args.output, version, len(lines), len(catalogue.entities) - 1,
                 len(catalogue.prefixes), catalogue.nesting_swaps, len(catalogue.specials)))
        if plan.unlisted:
            print("  DXCC entities of the public data that the list lacks: %s"
                  % " ".join(str(n) for n in sorted(plan.unlisted)))
        if plan.main_prefix_tokens:
            print("  main prefixes used as tokens for lack of public prefixes: %s"
                  % " ".join(plan.main_prefix_tokens))
        if plan.carved:
            print("  broad prefixes split one character deeper: %s" % " ".join(sorted(plan.carved)))
        if plan.skipped_calls:
            print("  public calls longer than %d characters left out: %s"
                  % (MAX_PATTERN, " ".join(plan.skipped_calls)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
