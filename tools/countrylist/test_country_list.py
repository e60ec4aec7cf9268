#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks of the country list generator, of the Python model it verifies itself with, and of the
committed data/CountryList.txt. Run: python3 -m unittest test_country_list (in this directory)."""

import itertools
import os
import re
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import catalogue_model as model  # noqa: E402
import generate_country_list as generator  # noqa: E402

LIST_PATH = os.path.join(generator.REPO, "data", "CountryList.txt")


def expand(token):
    """All prefixes a token stands for, read the way the program reads a range: per position,
    every character from LOW's to HIGH's."""
    if "-" not in token:
        return {token}
    low, high = token.split("-")
    columns = [[c for c in generator.ALPHABET if a <= c <= b] for a, b in zip(low, high)]
    return {"".join(p) for p in itertools.product(*columns)}


def read_list():
    with open(LIST_PATH, encoding="ascii") as stream:
        return stream.read().split("\n")


class RangeTokensCoverExactlyTheirPrefixes(unittest.TestCase):
    CASES = [
        ["3B6", "3B7"],
        ["5R", "5S", "6X"],
        ["UA3", "UA4", "UA5", "UA6", "UA7"],
        ["B8", "B9", "BA", "BB"],                 # digits and letters never share a range
        ["R9F", "R9G", "R8F", "RA9F", "RA9G"],
        ["K", "N", "W"],
        ["HJ0A", "HJ0B", "HJ0C", "HJ0L"],
    ]

    def test_tokens_expand_back_to_the_input(self):
        for prefixes in self.CASES:
            with self.subTest(prefixes=prefixes):
                by_length = {}
                for p in prefixes:
                    by_length.setdefault(len(p), []).append(p)
                tokens = [t for group in by_length.values()
                          for t in generator.range_tokens(group)]
                covered = set()
                for token in tokens:
                    self.assertFalse(covered & expand(token), "tokens overlap: %s" % token)
                    covered |= expand(token)
                self.assertEqual(covered, set(prefixes))

    def test_a_range_varies_only_in_its_last_character(self):
        tokens = generator.range_tokens(["UA8", "UA9", "UB8", "UB9"])
        self.assertCountEqual(tokens, ["UA8-UA9", "UB8-UB9"])

    def test_runs_break_between_nine_and_a(self):
        self.assertEqual(generator.intervals("89AB"), [("8", "9"), ("A", "B")])
        self.assertEqual(generator.intervals("ACE"), [("A", "A"), ("C", "C"), ("E", "E")])


class PublicCoordinatesBecomeHundredthsEastPositive(unittest.TestCase):
    def test_values(self):
        for text, value in [("43.73", 4373), ("-7.40", -740), ("-0.05", -5), ("0.00", 0),
                            ("-177.92", -17792)]:
            with self.subTest(text=text):
                self.assertEqual(generator.hundredths(text), value)

    def test_malformed_values_are_refused(self):
        for text in ["43.7", "east", "", "1.234"]:
            with self.subTest(text=text):
                with self.assertRaises(generator.GeneratorError):
                    generator.hundredths(text)

    def test_header_lines_turn_west_into_east(self):
        entity = generator.PublicEntity(
            "Monaco:                   14:  27:  EU:   43.73:    -7.40:    -1.0:  3A:")
        self.assertEqual((entity.latitude, entity.longitude, entity.cq, entity.itu),
                         (4373, 740, 14, 27))
        folded = generator.PublicEntity(
            "Sicily:                   15:  28:  EU:   37.50:   -14.00:    -1.0:  *IT9:")
        self.assertTrue(folded.folded)
        self.assertEqual(folded.primary, "IT9")


class LinesKeepTheColumnLayout(unittest.TestCase):
    """The rows the program's documentation shows, rebuilt from their field values."""

    def row(self, main, continent, cq, itu, lat, lon, dxcc, validity="", predecessor=""):
        row = generator.EntityRow(1, [main, str(dxcc), main, "own", validity or "-",
                                      predecessor or "-", "x"])
        row.continent = continent
        row.fixed_zones = (cq, itu)
        row.latitude, row.longitude = lat, lon
        return row

    def test_data_lines(self):
        monaco = self.row("3A", "EU", "14", "27", 4373, 740, 260)
        _, colon = generator.token_lines(["3A"])
        self.assertEqual(colon + ": " + generator.data_fields(monaco),
                         "3A                 : 3A     EU  14              27\t\t4373 740\t260")
        madagascar = self.row("5R", "AF", "39", "53", -2000, 4700, 438)
        _, colon = generator.token_lines(["5R-5S", "6X"])
        self.assertEqual(colon + ": " + generator.data_fields(madagascar),
                         "5R-5S  6X          : 5R     AF  39              53\t\t-2000 4700\t438")
        montenegro = self.row("4O", "EU", "15", "28", 4230, 1918, 514, "20060628-", "YU")
        self.assertEqual(generator.data_fields(montenegro),
                         "4O     EU  15              28\t\t4230 1918\t514\t20060628-\tYU")
        china = self.row("BY", "AS", "23/24", "42/43/44", 3500, 10500, 318)
        self.assertEqual(generator.data_fields(china),
                         "BY     AS  23/24           42/43/44\t3500 10500\t318")

    def test_long_token_lists_run_over_several_lines(self):
        tokens = ["T%03d" % n for n in range(40)]
        before, colon = generator.token_lines(tokens)
        self.assertEqual(len(colon), generator.PREFIX_COLUMN)
        self.assertTrue(all(len(line) <= 72 for line in before))
        self.assertEqual(" ".join(before + [colon]).split(), tokens)

    def test_special_call_lines(self):
        self.assertEqual(generator.special_line("2A*", "GM", "19980719-19990731"),
                         "2A*             GM      19980719-19990731")
        self.assertEqual(generator.special_line("4K1*", "CE9", "-19951231"),
                         "4K1*            CE9             -19951231")
        self.assertEqual(generator.special_line("CQ2*", "CT3", "20090601-"),
                         "CQ2*            CT3     20090601-")
        self.assertEqual(generator.special_line("3D2??/C", "3D2/C", ""),
                         "3D2??/C         3D2/C")


class ModelReadsTheListGrammar(unittest.TestCase):
    """The model must read a list the way the program does, or its verdicts mean nothing."""

    LINES = [
        "=================== header",
        "3B6-3B7            : 3B6    AF  39              53\t\t-1045 5667\t4",
        "Agalega & St. Brandon Isl.",
        "",
        "3Y                 : 3Y/B   AF  38              67\t\t-5443 340\t24",
        "Bouvet",
        "\t\t   : 3Y/P   SA  12              72\t\t-6883 -9058\t199",
        "Peter I I.",
        "\t\t",
        "                   : 4U_IT  EU  14              28\t\t4620 615\t117",
        "\t\t     ITU HQ",
        "",
        "",
        "kg4                : kg4    na  8               11\t\t2000 -7500\t105",
        "Guantanamo Bay",
        "",
        "ce9  : CE9 SA 13 74 -9000 0 13 19000101-",
        "Antarctica",
        "",
        "4O                 : 4O     EU  15              28\t\t4230 1918\t514\t20060628-\tYU",
        "Montenegro",
        "",
        "=S",
        "4K1*            CE9             -19951231",
        "KG4???*         W",
        "XX1A            -       20000101-20001231",
    ]

    def setUp(self):
        self.catalogue = model.Catalogue(self.LINES)

    def test_entities(self):
        entities = self.catalogue.entities[1:]
        self.assertEqual([e.main_prefix for e in entities],
                         ["3B6", "3Y/B", "3Y/P", "4U_IT", "KG4", "CE9", "4O"])
        self.assertEqual(entities[0].name, "Agalega + St. Brandon Isl.")
        self.assertEqual(entities[3].name, "ITU HQ")
        self.assertEqual(entities[4].continent, "NA")
        self.assertEqual((entities[5].latitude, entities[5].longitude), (-9000, 0))
        self.assertEqual(entities[5].valid_from, model.OPEN_START)   # 19000101 is no start
        self.assertEqual((entities[6].valid_from, entities[6].valid_to, entities[6].predecessor),
                         (20060628, model.OPEN_END, "YU"))
        self.assertEqual([e.base_length for e in entities], [3, 2, 2, 5, 3, 3, 2])

    def test_prefix_entries_and_blocks(self):
        entries = {e.describe(): e for e in self.catalogue.prefixes}
        self.assertEqual(set(entries), {"3B6-3B7", "3Y", "KG4", "CE9", "4O"})
        self.assertEqual((entries["3B6-3B7"].low, entries["3B6-3B7"].high), ("3B6 ", "3B7Z"))
        self.assertEqual((entries["KG4"].low, entries["KG4"].high), ("KG4 ", "KG4Z"))
        self.assertEqual((entries["3Y"].first_entity, entries["3Y"].block_size), (2, 2))
        self.assertEqual(entries["CE9"].block_size, 1)

    def test_special_calls(self):
        specials = [(s.pattern, s.entity, s.valid_from, s.valid_to)
                    for s in self.catalogue.specials]
        self.assertEqual(specials, [("4K1*", 6, 0, 19951231), ("KG4???*", 0, 0, model.OPEN_END),
                                    ("XX1A", 0, 20000101, 20001231)])

    def test_nesting_moves_only_strictly_nested_longer_entries(self):
        lines = ["BU-BX              : BV     AS  24  44  2372 12088  386", "Taiwan", "",
                 "BV9P  BZ           : BV9    AS  24  44  2070 11670  505", "Pratas", "",
                 "UA8-UA9            : UA9    AS  17  30  0 0  15", "Asia", "",
                 "UA9F  UA9         : UA3    EU  16  29  0 0  54", "Europe", ""]
        catalogue = model.Catalogue(lines)
        order = [e.describe() for e in catalogue.prefixes]
        self.assertLess(order.index("BV9P"), order.index("BU-BX"))
        self.assertLess(order.index("UA9F"), order.index("UA8-UA9"))
        # Same length inside a range, and a prefix ending in Z: neither moves.
        self.assertLess(order.index("UA8-UA9"), order.index("UA9"))
        self.assertEqual(order.index("BZ"), 2)


class ModelMatchesCallPatterns(unittest.TestCase):
    def test_patterns(self):
        cases = [("3D2AB/C", "3D2??/C", True), ("3D2A/C", "3D2??/C", False),
                 ("3D2A//C", "3D2??/C", False), ("KG4AB", "KG4??", True),
                 ("KG4ABC", "KG4??", False), ("KG4ABC", "KG4???*", True),
                 ("KG4AB", "KG4???*", False), ("2A0ABC", "2A*", True), ("2A", "2A*", True),
                 ("2", "2A*", False), ("A*B", "A*B", True), ("AXB", "A*B", False)]
        for call, pattern, expected in cases:
            with self.subTest(call=call, pattern=pattern):
                self.assertEqual(model.match_call_pattern(call, pattern), expected)

    def test_significant_length(self):
        self.assertEqual([model.significant_length(p) for p in ["4U?IT?", "KG4???*", "DT*", "XY"]],
                         [5, 3, 2, 2])


class BuiltCallsKeepThePrefixMeaning(unittest.TestCase):
    def test_calls(self):
        prefixes = {"R": 1, "R9": 2, "R9F": 3, "R1": 4, "KG4": 5, "X0": 6}
        calls = {"KG4AB": 5}
        for prefix in prefixes:
            call = generator.build_call(prefix, prefixes, calls)
            with self.subTest(prefix=prefix, call=call):
                self.assertTrue(call.startswith(prefix))
                self.assertNotIn(call, calls)
                longer = [p for p in prefixes if len(p) > len(prefix) and call.startswith(p)]
                self.assertEqual(longer, [])


class GeneratorTurnsPublicDataIntoAList(unittest.TestCase):
    """The whole generator on a small made-up public data set."""

    DAT = """Uland:                    14:  27:  EU:   10.00:   -20.00:    -1.0:  U:
    U,U1(16),UQ,=UZ9AA,=U1AA,=VER20200101;
Uland North:              15:  28:  EU:   12.00:   -20.00:    -1.0:  *U2N:
    U2N;
Uzland:                   15:  29:  AS:   11.00:   -30.00:    -2.0:  UZ:
    UZ,UZ0ABC,=UX9ZZ;
Nowhere:                  16:  30:  OC:  -40.00:   170.00:   -12.0:  UX/n:
    UX9,=U3NOW,=UX9YY;
Elsewhere:                17:  31:  AF:    1.00:    -1.00:     0.0:  Z6:
    Z6,=UZ5ZZ;
"""
    DXCC = {"U": 1, "*U2N": 1, "UZ": 2, "UX/n": 3, "Z6": 522}
    ENTITIES = ("UL\t1\tU\town\t-\t-\tU & land\n"
                "UZ\t2\tUZ\town\t20000101-\tUL\tUzland\n"
                "UX/N\t3\tUX/n\tnone\t-\t-\tNowhere I.\n")
    FACTS = "hole\tUH\nspecial\tU?FIX\tUX/N\n"

    @classmethod
    def setUpClass(cls):
        import tempfile
        cls.directory = tempfile.TemporaryDirectory()
        paths = {}
        for name, text in [("cty.dat", cls.DAT), ("entities.tsv", cls.ENTITIES),
                           ("facts.tsv", cls.FACTS), ("cty.csv", cls.csv_text())]:
            paths[name] = os.path.join(cls.directory.name, name)
            with open(paths[name], "w", encoding="ascii") as stream:
                stream.write(text)
        cls.paths = paths
        cls.plan, cls.lines, cls.catalogue, cls.version = generator.generate(
            paths["cty.dat"], paths["cty.csv"], paths["entities.tsv"], paths["facts.tsv"])

    @classmethod
    def tearDownClass(cls):
        cls.directory.cleanup()

    @classmethod
    def csv_text(cls):
        rows = []
        for entity in generator.read_cty_dat_text(cls.DAT):
            key = ("*" if entity.folded else "") + entity.primary
            items = [p for p, _, _ in entity.prefixes] + ["=" + c for c in entity.calls]
            rows.append("%s,%s,%d,EU,1,1,0.00,0.00,0.0,%s;" % (key, entity.name, cls.DXCC[key],
                                                                 " ".join(items)))
        return "\n".join(rows) + "\n"

    def resolve(self, call, date=20200101):
        result = model.resolve_call(self.catalogue, call, date)
        return result.status, result.main_prefix

    def test_entities_and_data_fields(self):
        self.assertEqual(self.version, "20200101")
        lines = [line for line in self.lines if ": UL " in line]
        self.assertEqual(len(lines), 1)
        # Zones of the own row, of a prefix override and of the folded entity; coordinates east.
        self.assertIn(": UL     EU  14/15/16        27/28\t\t1000 2000\t1", lines[0])
        self.assertEqual(self.catalogue.entities[1].name, "U + land")
        self.assertEqual(self.catalogue.entities[2].predecessor, "UL")

    def test_prefixes_become_tokens_patterns_or_nothing(self):
        tokens = {e.describe(): self.catalogue.entities[e.first_entity].main_prefix
                  for e in self.catalogue.prefixes}
        # U is split around UZ (which the nesting pass could not move ahead of it) and the hole
        # UH; U1, UQ and U2N only repeat what U says and need no token of their own.
        self.assertEqual(tokens, {"U0-U9": "UL", "UA-UG": "UL", "UI-UY": "UL", "UZ": "UZ"})
        patterns = {s.pattern: self.catalogue.entities[s.entity].main_prefix
                    for s in self.catalogue.specials}
        # Fixed patterns first, then the prefixes of a block without tokens and those longer than
        # four characters, then individual calls.
        self.assertEqual(list(patterns.items())[:3],
                         [("U?FIX", "UX/N"), ("UX9*", "UX/N"), ("UZ0ABC*", "UZ")])

    def test_only_calls_with_another_answer_get_a_line(self):
        patterns = [s.pattern for s in self.catalogue.specials]
        # UZ9AA: UZ would say Uzland; U3NOW: U would say Uland; UX9ZZ: UX9* would say Nowhere.
        # U1AA and UX9YY get their answer anyway; UZ5ZZ's entity is not in the list.
        self.assertEqual(patterns[3:], ["U3NOW", "UX9ZZ", "UZ9AA"])

    def test_calls_that_do_not_fit_are_refused_not_dropped(self):
        # Three patterns and three call lines: a table of five cannot hold them all.
        capacity = model.MAX_SPECIALS
        model.MAX_SPECIALS = 5
        try:
            with self.assertRaisesRegex(generator.GeneratorError, "3 individual calls"):
                generator.generate(self.paths["cty.dat"], self.paths["cty.csv"],
                                   self.paths["entities.tsv"], self.paths["facts.tsv"])
        finally:
            model.MAX_SPECIALS = capacity

    def test_answers(self):
        cases = [("U1AB", (0, "UL")), ("U2NAB", (0, "UL")), ("UZ1AB", (0, "UZ")),
                 ("UZ1AB", (0, "UL"), 19990101), ("UH1AB", (5, "")), ("UX9AB", (0, "UX/N")),
                 ("UZ9AA", (0, "UL")), ("UX9ZZ", (0, "UZ")), ("UZ0ABCD", (0, "UZ")),
                 ("UAFIX", (0, "UX/N")),
                 ("Z61AB", (5, ""))]
        for call, expected, *date in cases:
            with self.subTest(call=call, date=date):
                self.assertEqual(self.resolve(call, *date), expected)


class CommittedListHoldsTheFixedFacts(unittest.TestCase):
    """The committed data/CountryList.txt, read with the model."""

    @classmethod
    def setUpClass(cls):
        cls.lines = read_list()
        cls.catalogue = model.Catalogue(cls.lines)
        cls.entities = generator.read_entities(os.path.join(HERE, "entities.tsv"))
        cls.facts = generator.Facts(os.path.join(HERE, "fixed_facts.tsv"))

    def test_grammar_and_capacities(self):
        self.assertTrue(self.lines[0].startswith("=") and not self.lines[0].startswith("=S"))
        self.assertEqual(sum(1 for line in self.lines if line.startswith("=S")), 1)
        self.assertTrue(all(len(line) <= 255 for line in self.lines))
        self.assertLessEqual(len(self.catalogue.prefixes), model.MAX_PREFIXES)
        self.assertLessEqual(len(self.catalogue.specials), model.MAX_SPECIALS)
        tokens = [e.describe() for e in self.catalogue.prefixes]
        bad = [t for t in tokens if not re.fullmatch(r"[0-9A-Z]{1,4}(-[0-9A-Z]{1,4})?", t)]
        self.assertEqual(bad, [])
        self.assertEqual([s.pattern for s in self.catalogue.specials
                          if len(s.pattern) > generator.MAX_PATTERN or s.entity == 0], [])

    def test_entities_follow_the_entity_table(self):
        read = [(e.main_prefix, e.dxcc, e.name, e.valid_from, e.predecessor)
                for e in self.catalogue.entities[1:]]
        expected = [(r.main, r.dxcc, r.name.replace("&", "+", 1),
                     int(r.validity[:8]) if r.validity else 0, r.predecessor)
                    for r in self.entities]
        self.assertEqual(len(read), 339)
        self.assertEqual(read, expected)
        self.assertTrue(all(len(r.name) <= 30 for r in self.entities))

    def test_block_structure(self):
        heads = {}
        for entry in self.catalogue.prefixes:
            heads.setdefault(entry.first_entity, entry.block_size)
        mains = [""] + [e.main_prefix for e in self.catalogue.entities[1:]]
        sizes = {mains[first]: size for first, size in heads.items() if size > 1}
        self.assertEqual(sizes, {"3Y/B": 2, "E5/N": 2, "FO": 4, "JD1/M": 2, "VK0/H": 2})
        without = [r.main for r in self.entities if r.layout == "none"]
        self.assertEqual(len(without), 18)
        covered = {mains[e.first_entity] for e in self.catalogue.prefixes}
        self.assertEqual([m for m in without if m in covered], [])
        vk0 = {e.describe(): mains[e.first_entity] for e in self.catalogue.prefixes}
        self.assertEqual([vk0.get(t) for t in ("VK0", "AX0", "VI0", "3Y", "CQ2")],
                         ["VK0/H", "VK0/H", "VK0/H", "3Y/B", "CT"])

    def test_no_entry_covers_a_hole(self):
        for hole in self.facts.holes:
            with self.subTest(hole=hole):
                self.assertEqual([e.describe() for e in self.catalogue.prefixes
                                  if e.matches(hole, len(hole))], [])

    def test_fixed_special_calls_are_written(self):
        written = [(s.pattern, self.catalogue.entities[s.entity].main_prefix, s.valid_from,
                    s.valid_to) for s in self.catalogue.specials]
        for pattern, main, validity in self.facts.specials:
            start, end = model.parse_validity(validity) if validity else (None, None)
            with self.subTest(pattern=pattern, validity=validity):
                self.assertIn((pattern, main, start or model.OPEN_START, end or model.OPEN_END),
                              written)

    def test_nested_entries_stand_before_their_range(self):
        order = [e.describe() for e in self.catalogue.prefixes]
        self.assertLess(order.index("BV9P"), order.index("BU-BX"))
        self.assertLess(order.index("UA9F-UA9G"), order.index("UA8-UA9"))

    def test_resolution_cases(self):
        for fields in generator.read_tsv(os.path.join(HERE, "resolution_cases.tsv")):
            call, date, status, main, candidates = fields[:5]
            result = model.resolve_call(self.catalogue, call, int(date))
            with self.subTest(call=call, date=date):
                self.assertEqual((result.status, result.main_prefix),
                                 (int(status), "" if main == "-" else main))
                if candidates != "-":
                    self.assertEqual(result.candidates, int(candidates))


if __name__ == "__main__":
    unittest.main()
