#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures how far the embedded country list agrees with the public country files.

For every prefix of cty.dat a call is built that keeps the prefix's meaning (the prefix, then a
digit if it ends in a letter, then letters, chosen so that no longer public prefix and no
individual public call applies), and every individual call of cty.dat is taken as it is. Each of
them is resolved on the date of the public data, and the DXCC number of the answer is compared
with the public one:

  agrees          resolved (status 0, 2 or 4) to the public entity;
  agrees (block)  ambiguous (status 3) between the entities of a shared block, the public entity
                  among them;
  deliberate      differs for a reason the list documents: an entity the list does not have, a
                  fact of fixed_facts.tsv, or an individual call too long for a pattern;
  unexplained     everything else; these are listed.

The answers come from wendrix-cli (--cli PATH, the program itself) or from the Python model of
the program's rules (--model). With --cases FILE the calls of resolution_cases.tsv are checked
instead.

Exit status: 0 when the figures meet --min-agreement (percent of all calls that agree, blocks
included) and --min-call-agreement (the same for the individual public calls alone) and nothing is
unexplained, or when every case holds; 1 otherwise; 2 on bad use.
"""

import argparse
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import catalogue_model as model  # noqa: E402
import generate_country_list as generator  # noqa: E402

RESOLVED = {model.STATUS_RESOLVED, model.STATUS_TWO_PART, model.STATUS_MOBILE}


class Answer:
    def __init__(self, status, main_prefix, candidates):
        self.status = status
        self.main_prefix = main_prefix
        self.candidates = candidates


def resolve_with_cli(cli, queries):
    """queries: list of (call, date). One run of the tool answers all of them."""
    text = "".join("%s %d\n" % (call, date) for call, date in queries)
    run = subprocess.run([cli, "resolve", "--tsv", "-"], input=text.encode("ascii"),
                         stdout=subprocess.PIPE, check=True)
    lines = run.stdout.decode("latin-1").splitlines()
    if len(lines) != len(queries):
        raise RuntimeError("wendrix-cli answered %d of %d calls" % (len(lines), len(queries)))
    answers = []
    for (call, date), line in zip(queries, lines):
        fields = line.split("\t")
        if len(fields) < 5 or fields[0] != call or fields[1] != str(date):
            raise RuntimeError("unexpected answer %r for %s %d" % (line, call, date))
        answers.append(Answer(int(fields[2]), fields[3], int(fields[4])))
    return answers


def resolve_with_model(list_path, queries):
    with open(list_path, encoding="ascii") as stream:
        catalogue = model.Catalogue(stream.read().split("\n"))
    answers = []
    for call, date in queries:
        result = model.resolve_call(catalogue, call, date)
        answers.append(Answer(result.status, result.main_prefix, result.candidates))
    return answers


def resolve(args, queries):
    if args.cli:
        return resolve_with_cli(args.cli, queries)
    return resolve_with_model(args.list, queries)


def read_cases(path):
    cases = []
    for fields in generator.read_tsv(path):
        call, date, status, main, candidates = fields[:5]
        cases.append((call, int(date), int(status), "" if main == "-" else main,
                      None if candidates == "-" else int(candidates)))
    return cases


def check_cases(args):
    cases = read_cases(args.cases)
    answers = resolve(args, [(c[0], c[1]) for c in cases])
    failures = 0
    for (call, date, status, main, candidates), answer in zip(cases, answers):
        if (answer.status, answer.main_prefix) != (status, main) or (
                candidates is not None and answer.candidates != candidates):
            failures += 1
            print("%s %d: expected status %d %r%s, got status %d %r (%d candidates)"
                  % (call, date, status, main,
                     "" if candidates is None else " (%d candidates)" % candidates,
                     answer.status, answer.main_prefix, answer.candidates))
    print("%d of %d resolution cases hold" % (len(cases) - failures, len(cases)))
    return 0 if failures == 0 else 1


def agrees(entities, by_main, dxcc, answer):
    """"agrees" or "agrees (block)" when the answer gives the public DXCC entity, else None."""
    row = by_main.get(answer.main_prefix)
    if row is None:
        return None
    if answer.status in RESOLVED and row.dxcc == dxcc:
        return "agrees"
    members = entities[row.number - 1:row.number - 1 + max(1, answer.candidates)]
    if answer.status == model.STATUS_AMBIGUOUS and any(m.dxcc == dxcc for m in members):
        return "agrees (block)"
    return None


def check_agreement(args):
    entities = generator.read_entities(args.entities)
    facts = generator.Facts(args.facts)
    public = generator.read_cty_dat(args.cty_dat)
    generator.attach_dxcc_numbers(public, args.cty_csv)
    version = generator.data_version(public)
    date = generator.check_date(version)
    by_main = {row.main: row for row in entities}
    by_dxcc = {row.dxcc: row for row in entities}
    prefixes = {}
    calls = {}
    for entity in public:
        for prefix, _, _ in entity.prefixes:
            prefixes[prefix] = entity.dxcc
        for call in entity.calls:
            if not generator.is_marker_call(call):
                calls[call] = entity.dxcc

    items = []      # (kind, text, call, public DXCC number)
    untestable = 0
    for prefix in sorted(prefixes):
        call = generator.build_call(prefix, prefixes, calls)
        if call is None:
            untestable += 1
            continue
        items.append(("prefix", prefix, call, prefixes[prefix]))
    for call in sorted(calls):
        items.append(("call", call, call, calls[call]))
    answers = resolve(args, [(item[2], date) for item in items])

    counts = {"agrees": 0, "agrees (block)": 0, "deliberate": 0, "unexplained": 0}
    reasons = {}
    unexplained = []
    for (kind, text, call, dxcc), answer in zip(items, answers):
        verdict = agrees(entities, by_main, dxcc, answer)
        if verdict:
            counts[verdict] += 1
            continue
        reason = None
        if dxcc not in by_dxcc:
            reason = "DXCC entity %d is not in the list" % dxcc
        elif kind == "prefix" and text in facts.tokens:
            reason = "prefix %s given to %s" % (text, facts.tokens[text])
        elif kind == "prefix" and any(text.startswith(h) for h in facts.holes):
            reason = "prefix %s left to dated special calls" % text
        elif kind == "call" and len(call) > generator.MAX_PATTERN:
            reason = "call longer than %d characters" % generator.MAX_PATTERN
        if reason:
            counts["deliberate"] += 1
            reasons[reason] = reasons.get(reason, 0) + 1
        else:
            counts["unexplained"] += 1
            unexplained.append("%s %s %s: public DXCC %d (%s), got status %d %r"
                               % (kind, text, call, dxcc, by_dxcc[dxcc].main, answer.status,
                                  answer.main_prefix))

    total = len(items)
    agreeing = counts["agrees"] + counts["agrees (block)"]
    share = 100.0 * agreeing / total if total else 0.0
    engine = "wendrix-cli" if args.cli else "the Python model"
    print("public data version %s, resolved on %d with %s" % (version, date, engine))
    print("%d calls: %d from prefixes (%d prefixes without a testable call), %d individual calls"
          % (total, sum(1 for i in items if i[0] == "prefix"), untestable,
             sum(1 for i in items if i[0] == "call")))
    for name in ("agrees", "agrees (block)", "deliberate", "unexplained"):
        print("  %-15s %6d" % (name, counts[name]))
    print("agreement: %.2f %% (%d of %d)" % (share, agreeing, total))
    call_share = 0.0
    for kind, label in (("prefix", "prefixes"), ("call", "individual calls")):
        of_kind = [(i, a) for i, a in zip(items, answers) if i[0] == kind]
        if not of_kind:
            continue
        good = sum(1 for (_, _, _, dxcc), a in of_kind if agrees(entities, by_main, dxcc, a))
        share_of_kind = 100.0 * good / len(of_kind)
        print("  of the %s: %.2f %% (%d of %d)" % (label, share_of_kind, good, len(of_kind)))
        if kind == "call":
            call_share = share_of_kind
    if reasons:
        print("deliberate differences:")
        for reason, count in sorted(reasons.items(), key=lambda r: (-r[1], r[0])):
            print("  %6d  %s" % (count, reason))
    if unexplained:
        print("unexplained differences:")
        for line in unexplained[:args.show]:
            print("  " + line)
        if len(unexplained) > args.show:
            print("  ... %d more" % (len(unexplained) - args.show))
    ok = (share >= args.min_agreement and call_share >= args.min_call_agreement
          and not unexplained)
    return 0 if ok else 1


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    engine = parser.add_mutually_exclusive_group(required=True)
    engine.add_argument("--cli", help="path of wendrix-cli")
    engine.add_argument("--model", action="store_true", help="use the Python model instead")
    parser.add_argument("--list", default=os.path.join(generator.REPO, "data", "CountryList.txt"),
                        help="the country list (for --model and for the special-call lines)")
    parser.add_argument("--cty-dat", default=generator.DEFAULT_DAT)
    parser.add_argument("--cty-csv", default=generator.DEFAULT_CSV)
    parser.add_argument("--entities", default=os.path.join(HERE, "entities.tsv"))
    parser.add_argument("--facts", default=os.path.join(HERE, "fixed_facts.tsv"))
    parser.add_argument("--cases", help="check the resolution cases of this file instead")
    parser.add_argument("--min-agreement", type=float, default=0.0, metavar="PERCENT")
    parser.add_argument("--min-call-agreement", type=float, default=0.0, metavar="PERCENT",
                        help="lowest agreement on the individual public calls alone")
    parser.add_argument("--show", type=int, default=50, help="unexplained differences to list")
    parser.add_argument("--skip-if-missing", action="store_true",
                        help="exit with status 77 when the public data files are missing")
    args = parser.parse_args(argv)
    if (args.skip_if_missing and not args.cases
            and not (os.path.exists(args.cty_dat) and os.path.exists(args.cty_csv))):
        print("check_agreement: %s or %s is missing (install hamradio-files)"
              % (args.cty_dat, args.cty_csv), file=sys.stderr)
        return 77
    try:
        if args.cases:
            return check_cases(args)
        return check_agreement(args)
    except (OSError, RuntimeError, subprocess.CalledProcessError,
            generator.GeneratorError) as error:
        print("check_agreement: %s" % error, file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
