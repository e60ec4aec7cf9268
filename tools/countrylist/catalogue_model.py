# SPDX-License-Identifier: GPL-3.0-or-later
"""A small Python model of how Wendrix reads its country list and resolves call signs.

The generator uses it to check its own output before writing it: the list text is parsed the way
the program parses it (entity blocks, prefix tokens, special calls), the prefix index goes through
the same nesting pass, and calls are resolved with the same first-match rules. That lets the
generator decide which individual calls need a special-call line and prove that every prefix of
the public data still finds its entity, without waiting for a C++ build.
"""

OPEN_START = 0
OPEN_END = 21000000
MAX_ENTITIES = 400
MAX_PREFIXES = 2000
MAX_SPECIALS = 20000

STATUS_RESOLVED = 0
STATUS_NOT_RESOLVED = 1
STATUS_TWO_PART = 2
STATUS_AMBIGUOUS = 3
STATUS_MOBILE = 4
STATUS_NO_ENTITY = 5

PORTABLE_DESIGNATORS = {"P", "M", "A", "B", "LT", "LH", "LS", "LGT", "QRP"}


class Entity:
    __slots__ = ("main_prefix", "base_length", "continent", "cq", "itu", "name", "latitude",
                 "longitude", "dxcc", "valid_from", "valid_to", "predecessor")

    def __init__(self):
        self.main_prefix = ""
        self.base_length = 0
        self.continent = ""
        self.cq = ""
        self.itu = ""
        self.name = ""
        self.latitude = 0
        self.longitude = 0
        self.dxcc = 0
        self.valid_from = OPEN_START
        self.valid_to = OPEN_END
        self.predecessor = ""

    def valid_on(self, date):
        return self.valid_from <= date <= self.valid_to


class PrefixEntry:
    __slots__ = ("low", "high", "first_entity", "block_size", "line")

    def __init__(self, line):
        self.low = "    "
        self.high = "ZZZZ"
        self.first_entity = 0
        self.block_size = 0
        self.line = line

    def matches(self, text, m):
        for k in range(m):
            if not self.low[k] <= text[k] <= self.high[k]:
                return False
        return True

    def describe(self):
        low = self.low.rstrip(" ")
        high = self.high[:len(low)]
        return low if low == high else low + "-" + high


class SpecialCall:
    __slots__ = ("pattern", "entity", "valid_from", "valid_to", "line")

    def __init__(self, line):
        self.pattern = ""
        self.entity = 0
        self.valid_from = OPEN_START
        self.valid_to = OPEN_END
        self.line = line


def _parse_int(text):
    text = text.strip(" ")
    try:
        return int(text, 10)
    except ValueError:
        return None


def _clamped_date(text):
    value = _parse_int(text)
    if value is None:
        return 0
    return max(19000101, min(21001231, value))


def parse_validity(token):
    """Returns (valid_from, valid_to) or None for a token without "-"; None halves stay open."""
    token = token[:60]
    p = token.find("-")
    if p < 0:
        return None
    valid_from = valid_to = None
    if p > 0:
        value = _clamped_date(token[:p])
        if value > 19000101:
            valid_from = value
    if p + 1 < len(token):
        value = _clamped_date(token[p + 1:p + 9])
        if value > 19000101:
            valid_to = value
    return valid_from, valid_to


def base_prefix_length(main_prefix):
    for p, ch in enumerate(main_prefix[:-1]):
        if ch < "0" or "9" < ch < "A":
            return p
    return len(main_prefix)


class Catalogue:
    """Entity table, prefix index and special-call list built from the list lines."""

    def __init__(self, lines):
        self.entities = [None]          # 1-based
        self.prefixes = []
        self.specials = []
        self.nesting_swaps = 0
        self._build(lines)
        self._nest()
        self.dxcc_index = {}
        for number in range(1, len(self.entities)):
            if self.entities[number].dxcc:
                self.dxcc_index[self.entities[number].dxcc] = number

    # --- the build ---------------------------------------------------------------------------

    def _build(self, lines):
        state = "Idle"
        block_prefix_start = 0
        block_entity_start = 1
        field = 0
        for line_number, raw in enumerate(lines):
            line = raw[:255]
            while line and ord(line[-1]) <= 32:
                line = line[:-1]
            if len(line) >= 2 and line[0] == "=":
                if line[1] == "S":
                    # Every special-call line counts its fields from 1, the first one included.
                    state = "Specials"
                    field = 0
                continue
            if not line:
                if state in ("Prefixes", "DataFields", "ExpectName", "AfterName"):
                    first = block_entity_start
                    size = len(self.entities) - 1 - first + 1
                    for entry in self.prefixes[block_prefix_start:]:
                        entry.first_entity = first
                        entry.block_size = size
                    state = "Idle"
                    block_prefix_start = len(self.prefixes)
                    block_entity_start = len(self.entities)
                continue
            if state == "Specials":
                self.specials.append(SpecialCall(line_number))
            between = True
            token = ""
            for ch in line + " ":
                if ch == "\t":
                    ch = " "
                if state != "ExpectName" and ord(ch) >= 97:
                    ch = chr(ord(ch) - 32)
                if state != "Specials" and ch == ":":
                    self.entities.append(Entity())
                    field = 0
                    state = "DataFields"
                    between = True
                    token = ""
                    continue
                if ch != " ":
                    if between:
                        between = False
                        if state == "Idle":
                            state = "Prefixes"
                            block_prefix_start = len(self.prefixes)
                            block_entity_start = len(self.entities)
                        if state == "Prefixes":
                            self.prefixes.append(PrefixEntry(line_number))
                        elif state in ("DataFields", "Specials"):
                            field += 1
                    token += ch
                    continue
                if not between:
                    between = True
                    self._handle_token(state, field, token)
                    token = ""
            if state == "ExpectName":
                name = line.replace("\t", " ").lstrip(" ").rstrip(" ")[:30]
                self.entities[-1].name = name.replace("&", "+", 1)
                state = "AfterName"
            elif state == "DataFields":
                state = "ExpectName"
            elif state == "Specials":
                field = 0

    def _handle_token(self, state, field, token):
        if state == "Prefixes":
            entry = self.prefixes[-1]
            if "-" in token:
                half = (len(token) - 1) // 2
                low, high = token[:half], token[half + 1:half + 1 + half]
            else:
                low = high = token
            entry.low = (low + "    ")[:4]
            entry.high = (high + "ZZZZ")[:4]
        elif state == "DataFields":
            entity = self.entities[-1]
            if field == 1:
                entity.main_prefix = token[:5]
                entity.base_length = base_prefix_length(entity.main_prefix)
            elif field == 2:
                entity.continent = token
            elif field == 3:
                entity.cq = token
            elif field == 4:
                entity.itu = token
            elif field in (5, 6):
                if token != "-":
                    value = _parse_int(token)
                    value = 20000 if value is None else value
                    if field == 5:
                        entity.latitude = value
                    else:
                        entity.longitude = value
            elif field == 7:
                value = _parse_int(token.replace(" ", ""))
                entity.dxcc = 0 if value is None else max(0, min(999, value))
            elif field == 8:
                validity = parse_validity(token)
                if validity:
                    if validity[0] is not None:
                        entity.valid_from = validity[0]
                    if validity[1] is not None:
                        entity.valid_to = validity[1]
            elif field == 9 and len(token) <= 5:
                entity.predecessor = token
        elif state == "Specials":
            special = self.specials[-1]
            if field == 1:
                special.pattern = token[:15]
                special.valid_from = OPEN_START
                special.valid_to = OPEN_END
            elif field == 2:
                name = token[:5]
                special.entity = 0 if name == "-" else self.find_entity_by_prefix(name)
            elif field == 3:
                validity = parse_validity(token)
                if validity:
                    if validity[0] is not None:
                        special.valid_from = validity[0]
                    if validity[1] is not None:
                        special.valid_to = validity[1]

    def _nest(self):
        table = self.prefixes
        lengths = [len(e.low.rstrip(" ")) for e in table]
        for i in range(len(table)):
            for j in range(i):
                a, b = table[i], table[j]
                if (b.low < a.low < b.high and b.low < a.high < b.high
                        and lengths[i] > lengths[j]):
                    table[i], table[j] = b, a
                    lengths[i], lengths[j] = lengths[j], lengths[i]
                    self.nesting_swaps += 1

    # --- queries -------------------------------------------------------------------------------

    def specials_for(self, call):
        """The special calls that can match the call, in list order. Patterns are filed under
        their first two characters so that a resolution need not look at all of them."""
        if not hasattr(self, "_special_buckets"):
            self._special_buckets = {}
            self._special_general = []
            self._special_merged = {}
            for index, special in enumerate(self.specials):
                key = special.pattern[:2]
                if len(key) < 2 or "?" in key or "*" in key:
                    self._special_general.append((index, special))
                else:
                    self._special_buckets.setdefault(key, []).append((index, special))
        key = call[:2]
        if key not in self._special_merged:
            bucket = self._special_buckets.get(key, [])
            self._special_merged[key] = [
                s for _, s in sorted(bucket + self._special_general, key=lambda p: p[0])]
        return self._special_merged[key]

    def find_entity_by_prefix(self, text):
        text = text.strip(" ")
        if not text:
            return 0
        for number in range(1, len(self.entities)):
            if self.entities[number].main_prefix == text:
                return number
        return 0

    def entity(self, number):
        return self.entities[number]


def match_call_pattern(call, pattern):
    n = len(pattern)
    if pattern.endswith("*"):
        n -= 1
        if len(call) < n:
            return False
    elif len(call) != n:
        return False
    for k in range(n):
        p = pattern[k]
        if p == "?":
            if call[k] == "/":
                return False
        elif p != call[k]:
            return False
    return True


def significant_length(pattern):
    return len(pattern.rstrip("?*"))


class Result:
    __slots__ = ("status", "entity", "main_prefix", "candidates")

    def __init__(self, status=STATUS_NOT_RESOLVED, entity=0, main_prefix="", candidates=1):
        self.status = status
        self.entity = entity
        self.main_prefix = main_prefix
        self.candidates = candidates

    def __repr__(self):
        return "Result(%d, %r, %d)" % (self.status, self.main_prefix, self.candidates)


class _Candidate:
    __slots__ = ("text", "entity", "block", "too_short", "matched")

    def __init__(self, text):
        self.text = text
        self.entity = 0
        self.block = 1
        self.too_short = False
        self.matched = 0


class _EndResolution(Exception):
    pass


def resolve_call(catalogue, call, date):
    """Resolves a call (capital letters) on a date key."""
    if not call:
        return Result()
    w = call[:15]
    parts = []
    run = ""
    stopped = False
    for ch in w:
        if ch == "/":
            if run:
                parts.append(run)
                run = ""
                if len(parts) == 3:
                    stopped = True
                    break
        else:
            run += ch
    if not stopped:
        parts.append(run)
    parts = [p[:6] for p in parts]
    n = len(parts)
    mobile = False
    if parts[n - 1] in ("MM", "AM"):
        mobile = True
        n -= 1
        if n == 0:
            return Result()
    if n > 2:
        n = 2
    if parts[n - 1] == "":
        n -= 1
        if n == 0:
            return Result()
    if n == 2 and parts[1] in PORTABLE_DESIGNATORS:
        n = 1
    texts = parts[:n]
    if n == 2 and len(parts[1]) == 1 and parts[1].isdigit():
        if w[0] in "KWNA":
            texts = [parts[0], "W" + parts[1]]
        else:
            part = parts[0]
            position = -1
            for k in range(1, len(part)):
                if part[k].isdigit():
                    position = k
                    break
            if position == 1 and len(part) > 2 and part[2].isdigit():
                position = 2
            if position >= 0:
                part = part[:position] + parts[1] + part[position + 1:]
            texts = [part]
    candidates = [_Candidate(t) for t in texts]
    specials = catalogue.specials_for(w)
    try:
        for candidate in candidates:
            _resolve_candidate(catalogue, specials, w, candidate, date)
    except _EndResolution:
        return Result(STATUS_NO_ENTITY)
    chosen = candidates[0]
    if len(candidates) == 2 and candidates[1].entity and candidates[1].matched:
        rest1 = len(parts[0]) - candidates[0].matched
        rest2 = len(candidates[1].text) - candidates[1].matched
        if rest1 > rest2 or (rest1 == rest2 and len(parts[0]) > len(candidates[1].text)):
            chosen = candidates[1]
        if not candidates[0].matched and parts[0].startswith("PJ"):
            chosen = candidates[0]
    if not chosen.matched:
        return Result(STATUS_NOT_RESOLVED if chosen.too_short else STATUS_NO_ENTITY)
    entity = catalogue.entity(chosen.entity)
    if mobile:
        status = STATUS_MOBILE
    elif chosen.block >= 2:
        status = STATUS_AMBIGUOUS
    elif n == 2:
        status = STATUS_TWO_PART
    else:
        status = STATUS_RESOLVED
    return Result(status, chosen.entity, entity.main_prefix, chosen.block)


def _resolve_candidate(catalogue, specials, w, candidate, date):
    s = candidate.text
    accepted = None
    last_length = 0
    for special in specials:
        if not match_call_pattern(w, special.pattern):
            continue
        if not special.valid_from <= date <= special.valid_to:
            continue
        length = significant_length(special.pattern)
        if length < last_length:
            continue
        accepted = special
        last_length = length
        if special.entity == 0:
            raise _EndResolution()
    m = min(len(s), 4)
    resolved = False
    via_prefix = False
    if accepted is not None:
        candidate.entity = accepted.entity
        candidate.block = 1
        resolved = True
    else:
        for entry in catalogue.prefixes:
            if not entry.matches(s, m):
                continue
            e = entry.first_entity
            record = catalogue.entity(e)
            if record.valid_on(date):
                candidate.entity = e
                candidate.block = entry.block_size
                if min(record.base_length, 4) <= m:
                    candidate.too_short = False
                    resolved = True
                    via_prefix = True
                    break
                candidate.too_short = True
            else:
                predecessor = catalogue.find_entity_by_prefix(record.predecessor)
                if predecessor:
                    candidate.entity = predecessor
                    candidate.block = 1
                    candidate.too_short = False
                    resolved = True
                    break
    if not resolved:
        candidate.matched = 0
        return
    if via_prefix and candidate.block > 1:
        for k in range(candidate.block - 1, 0, -1):
            if catalogue.entity(candidate.entity + k).valid_on(date):
                break
            candidate.block = k
    main = catalogue.entity(candidate.entity).main_prefix
    candidate.matched = len(main)
    if candidate.block > 1 and len(main) == m and main == s[:m]:
        candidate.block = 1
