#!/usr/bin/env python3
"""Builds data/DXCC.csv (entity table) and data/DXCC.ini (prefix index).

How to run, from the repository root (the output is committed, so only a
maintainer who wants newer prefix data needs this):

    apt-get install hamradio-files tzdata
    python3 tools/dxcc/make_dxcc.py

Options: --cty, --cty-csv (Debian's hamradio-files), --tzdata (Debian's
tzdata.zi), --tzmap (../shared/data-sources/tz/dxcc_to_tz_derived.csv),
--out (folder for the two files, default data/). Notes on entities whose
cty.dat offset disagrees with their time zone go to stderr.

Sources and what is taken from them:
- cty.dat (AD1C, MIT): entities, continent, CQ/ITU zones, position,
  prefixes and exact calls. cty.dat counts longitude and time offset
  positive to the WEST; both are turned round here.
- cty.csv (same package): the ARRL/ADIF entity code of each entity, which
  goes into the "ranking" field (the sources give no other ranking), and
  the parent entity of the six WAE-only entities (*IT9, *GM/s ...), whose
  prefixes are merged into that parent so the table stays a DXCC list.
- dxcc_to_tz_derived.csv: a first guess of each entity's time zone;
  ZONE_CHOICE below overrides it wherever a country has several rules or
  the guess was poor.
- tzdata.zi (public domain): offset, abbreviations and the summer-time
  rules in force in REFERENCE_YEAR, written in the rule language that the
  program's summer-time evaluation reads ("Beginn: Letzter Sonntag im
  Maerz", time 01:00 UTC).

Layout limits that shape the output:
- The lookup never matches a one-character key, so a one-character
  prefix (K, W, I, F ...) is written as its 36 two-character extensions
  that no other entity claims.
- The index has no mark for exact calls, so "=DL0ABC" becomes the key
  DL0ABC and also matches longer calls that begin with it; exact calls that
  would claim other stations' calls this way are left out
  (keeps_exact_call). For the same reason the index cannot say "KG4 with a
  two-letter suffix is Guantanamo Bay, with three letters the USA": KG4
  stays Guantanamo, and only the three-letter KG4 calls that cty.dat lists
  one by one are found as USA.
- A prefix claimed by two entities stays with the later one, as the
  index rebuild would do; the generator reports such cases.
"""

import argparse
import csv
import os
import re
import sys
from collections import OrderedDict

REFERENCE_YEAR = 2026

DEFAULT_CTY = "/usr/share/hamradio-files/cty.dat"
DEFAULT_CTY_CSV = "/usr/share/hamradio-files/cty.csv"
DEFAULT_TZDATA = "/usr/share/zoneinfo/tzdata.zi"

# Time zone of the entity's main prefix area, where the country spans
# several zones or rules, or where the nearest-zone guess picked a zone the
# entity does not use. Uninhabited places without a civil zone get the
# fixed nautical zone of their cty.dat offset (Etc/GMT signs are inverted).
ZONE_CHOICE = {
    "K": "America/New_York",          # cty.dat gives Eastern time for W/K
    "KG4": "America/New_York",        # the naval base keeps US Eastern time
    "KP1": "America/New_York",        # Navassa: uninhabited, US Eastern rules
    "KL": "America/Anchorage",
    "KH0": "Pacific/Guam",
    "KH1": "Etc/GMT+12",              # Baker & Howland: uninhabited
    "KH3": "Pacific/Honolulu",
    "KH4": "Pacific/Midway",
    "KH7K": "Pacific/Honolulu",
    "KH9": "Pacific/Wake",
    "VE": "America/Toronto",          # cty.dat gives Eastern time for VE
    "CY0": "America/Halifax",
    "CY9": "America/Halifax",
    "VK": "Australia/Sydney",         # cty.dat gives +10: the eastern states
    "VK0M": "Antarctica/Macquarie",
    "VK9L": "Australia/Lord_Howe",
    "VK9N": "Pacific/Norfolk",
    "VK9M": "Australia/Brisbane",     # Coral Sea: Queensland time
    "VK9W": "Australia/Brisbane",
    "VK0H": "Indian/Kerguelen",
    "UA": "Europe/Moscow",
    "UA2": "Europe/Kaliningrad",
    "UA9": "Asia/Novosibirsk",        # cty.dat gives +7
    "R1FJ": "Europe/Moscow",
    "BY": "Asia/Shanghai",
    "BS7": "Asia/Shanghai",
    "XE": "America/Mexico_City",
    "XF4": "America/Mazatlan",        # Revillagigedo: Colima/Baja Sur time
    "PY": "America/Sao_Paulo",
    "PY0F": "America/Noronha",
    "PY0S": "America/Noronha",
    "PY0T": "America/Noronha",
    "CE": "America/Santiago",
    "CE0X": "America/Santiago",
    "CE0Z": "America/Santiago",
    "CE0Y": "Pacific/Easter",
    "CE9": "Etc/GMT",                 # Antarctica: stations keep many zones
    "OX": "America/Nuuk",             # most of Greenland's people
    "JT": "Asia/Ulaanbaatar",
    "YB": "Asia/Jakarta",
    "V6": "Pacific/Chuuk",            # cty.dat gives +10
    "P2": "Pacific/Port_Moresby",
    "T30": "Pacific/Tarawa",
    "T33": "Pacific/Tarawa",
    "T31": "Pacific/Kanton",
    "T32": "Pacific/Kiritimati",
    "FO": "Pacific/Tahiti",
    "FO/A": "Pacific/Tahiti",
    "FO/M": "Pacific/Marquesas",
    "FO/C": "Etc/GMT+8",              # Clipperton: uninhabited
    "HC": "America/Guayaquil",
    "HC8": "Pacific/Galapagos",
    "UR": "Europe/Kyiv",
    "9Q": "Africa/Kinshasa",
    "CT": "Europe/Lisbon",
    "CT3": "Atlantic/Madeira",
    "CU": "Atlantic/Azores",
    "EA": "Europe/Madrid",
    "EA6": "Europe/Madrid",
    "EA8": "Atlantic/Canary",
    "EA9": "Africa/Ceuta",
    "GI": "Europe/London",
    "ZL": "Pacific/Auckland",
    "ZL7": "Pacific/Chatham",
    "ZL8": "Pacific/Auckland",
    "ZL9": "Pacific/Auckland",        # subantarctic: expeditions keep NZ time
    "1A": "Europe/Rome",
    "1S": "Etc/GMT-8",                # Spratly: disputed, no civil zone
    "3Y/B": "Etc/GMT-1",              # Bouvet: uninhabited, Norwegian time
    "3Y/P": "Etc/GMT+4",              # Peter I: uninhabited
    "4U1I": "Europe/Zurich",
    "4U1U": "America/New_York",
    "OJ0": "Europe/Helsinki",
    "Z6": "Europe/Belgrade",
    "FJ": "America/St_Barthelemy",    # the nearest-zone guess took Paris
    "FS": "America/Marigot",
    "FR": "Indian/Reunion",
    "FT/G": "Indian/Reunion",
    "FT/T": "Indian/Reunion",
    "FT/J": "Indian/Mayotte",
    "KH5": "Etc/GMT+11",              # Palmyra & Jarvis: no civil zone
    "VP8/G": "Atlantic/South_Georgia",
    "VP8/S": "Atlantic/South_Georgia",
    "ZC4": "Asia/Nicosia",            # the bases keep Cyprus time
    "VP8/H": "Etc/GMT+4",             # South Shetlands: stations keep many zones
    "VP8/O": "Etc/GMT+3",
}

MONTHS_DE = ["Januar", "Februar", "Maerz", "April", "Mai", "Juni", "Juli",
             "August", "September", "Oktober", "November", "Dezember"]
# Monday = 0, as Python's weekday().
WEEKDAYS_DE = ["Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag",
               "Samstag", "Sonntag"]
ORDINALS_DE = {1: "Erster", 8: "Zweiter", 15: "Dritter"}
DAYS_IN_MONTH = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]

TZ_MONTHS = ["january", "february", "march", "april", "may", "june", "july",
             "august", "september", "october", "november", "december"]
TZ_WEEKDAYS = ["monday", "tuesday", "wednesday", "thursday", "friday",
               "saturday", "sunday"]


class DataError(Exception):
    pass


def note(text):
    print("note: " + text, file=sys.stderr)


# ---------------------------------------------------------------- cty.dat

PREFIX_RE = re.compile(r"^(=?)([^(\[<{~]+)(.*)$")


class Entity:
    def __init__(self, name, cq, itu, continent, lat, lon_west, offset_west, main):
        self.name = name
        self.cq = {cq}
        self.itu = {itu}
        self.continent = continent
        self.lat = lat
        self.lon = -lon_west
        self.cty_offset = -offset_west
        self.main = main
        self.prefixes = []  # keys in cty.dat order, exact calls without "="
        self.exact = set()  # which of them were exact calls
        self.adif = 0


def read_cty(path):
    with open(path, encoding="latin-1") as f:
        text = f.read()
    entities = []
    for record in text.split(";"):
        record = record.strip()
        if not record:
            continue
        head, _, body = record.partition("\n")
        fields = [x.strip() for x in head.split(":")]
        if len(fields) < 8:
            raise DataError("%s: entity header without 8 fields: %r" % (path, head))
        try:
            e = Entity(fields[0], int(fields[1]), int(fields[2]), fields[3],
                       float(fields[4]), float(fields[5]), float(fields[6]), fields[7])
        except ValueError as err:
            raise DataError("%s: bad number in %r (%s)" % (path, head, err))
        for item in body.replace("\n", " ").split(","):
            item = item.strip()
            if not item:
                continue
            m = PREFIX_RE.match(item)
            if not m:
                raise DataError("%s: unreadable prefix %r in %s" % (path, item, e.name))
            key = m.group(2).strip().upper()
            modifiers = m.group(3)
            if m.group(1):
                # cty.dat's own version marker is no call; every call holds a digit.
                if not re.search(r"\d", key):
                    continue
                e.exact.add(key)
            else:
                # Exact calls of portable or maritime stations would widen the
                # zone list with places the entity does not cover.
                for cq in re.findall(r"\((\d+)\)", modifiers):
                    e.cq.add(int(cq))
                for itu in re.findall(r"\[(\d+)\]", modifiers):
                    e.itu.add(int(itu))
            if re.search(r"[\s=;\[\]]", key):
                raise DataError("%s: prefix %r of %s cannot be an index key" % (path, item, e.name))
            e.prefixes.append(key)
        entities.append(e)
    return entities


def read_adif_codes(path):
    codes = {}
    with open(path, encoding="latin-1", newline="") as f:
        for row in csv.reader(f):
            if len(row) >= 3 and row[2].strip().isdigit():
                codes[row[0].strip()] = int(row[2])
    return codes


def merge_wae(entities, codes):
    """Folds the WAE-only entities into the DXCC entity with their ADIF code."""
    for e in entities:
        e.adif = codes.get(e.main, 0)
        if not e.adif:
            raise DataError("cty.csv has no entity code for %s (%s)" % (e.main, e.name))
    kept = [e for e in entities if not e.main.startswith("*")]
    by_code = {e.adif: e for e in kept}
    for e in entities:
        if e.main.startswith("*"):
            parent = by_code.get(e.adif)
            if parent is None:
                raise DataError("WAE entity %s has no parent entity %d" % (e.main, e.adif))
            parent.prefixes.extend(e.prefixes)
            parent.exact |= e.exact
            parent.cq |= e.cq
            parent.itu |= e.itu
    for e in kept:
        e.main = e.main.upper()
    return kept


def prefix_entity(call, by_prefix):
    """The entity the regular prefixes alone give a call (longest match)."""
    for n in range(len(call), 0, -1):
        if call[:n] in by_prefix:
            return by_prefix[call[:n]]
    return None


# Call blocks the ITU gave to international organisations (4U the United
# Nations, 4Y the ICAO). Their stations get their calls one by one (4U1ITU in
# Geneva, 4U1WB at the World Bank in Washington); there is no regular series
# of calls that would run on from one of them by another letter.
NO_REGULAR_SERIES = ("4U", "4Y")


def keeps_exact_call(call, entity, by_prefix):
    """Whether an exact call may become an index key. The index matches keys
    as leading parts, so the key KH6AB (a Hawaii call worked in the mainland
    USA) would also claim KH6ABC ... KH6ABZ. A call with a "/" or a suffix of
    three letters or more has no such regular extensions and is kept; in the
    blocks of NO_REGULAR_SERIES a suffix of two letters is enough (4U1WB;
    4U1A stays out, it begins the call 4U1AIDS of another entity, as 4U1G
    begins 4U1GSC); a shorter one only where its entity has no prefix of its
    own (DXpedition entities such as Conway Reef exist in cty.dat through
    exact calls alone). An exact call that its prefixes already place in its
    entity adds nothing."""
    if prefix_entity(call, by_prefix) is entity:
        return False
    suffix = re.search(r"\d([A-Z]*)$", call)
    letters = len(suffix.group(1)) if suffix else 0
    if "/" in call or letters >= 3 or (letters == 2 and call.startswith(NO_REGULAR_SERIES)):
        return True
    return not any(p not in entity.exact for p in entity.prefixes)


def index_keys(entities):
    """Per entity the keys of fields 18 and on (field 17, the main prefix, is
    a key too). One-character prefixes are widened to two characters."""
    claimed = set()
    by_prefix = {}
    for e in entities:
        claimed.add(e.main)
        claimed.update(p for p in e.prefixes if len(p) >= 2)
        by_prefix.update((p, e) for p in e.prefixes if p not in e.exact)
    alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    result = []
    dropped = 0
    for e in entities:
        keys = []
        seen = {e.main}
        for p in e.prefixes:
            if p in e.exact and p in by_prefix:
                # A prefix of another entity covers far more calls than one
                # exact call (=EF6 of Spain against the Balearic EF6).
                note("exact call %s of %s yields to the prefix %s" % (p, e.name, p))
                continue
            if p in e.exact and not keeps_exact_call(p, e, by_prefix):
                dropped += 1
                continue
            candidates = [p] if len(p) >= 2 else [p + c for c in alphabet if p + c not in claimed]
            for k in candidates:
                if k not in seen:
                    seen.add(k)
                    keys.append(k)
        result.append(keys)
    note("%d exact calls left out of the index (see keeps_exact_call)" % dropped)
    owner = {}
    for row, (e, keys) in enumerate(zip(entities, result), start=1):
        for k in [e.main] + keys:
            if k in owner and owner[k] != row:
                note("prefix %s is claimed by rows %d and %d; the later row keeps it" % (k, owner[k], row))
            owner[k] = row
    return result


# ---------------------------------------------------------------- tzdata.zi

def parse_hours(text):
    """"-2:30" -> -2.5; also "0", "1", "24", "2:45"."""
    sign = -1 if text.startswith("-") else 1
    parts = text.lstrip("-").split(":")
    value = 0.0
    for i, part in enumerate(parts):
        value += float(part) / (60 ** i)
    return sign * value


def prefix_lookup(word, names, what):
    hits = [i for i, n in enumerate(names) if n.startswith(word.lower())]
    if len(hits) != 1:
        raise DataError("tzdata: unknown %s %r" % (what, word))
    return hits[0]


class Rule:
    def __init__(self, fields):
        # R NAME FROM TO - IN ON AT SAVE LETTER
        self.name = fields[1]
        self.start = int(fields[2])
        to = fields[3]
        self.only = to.startswith("o")
        self.end = self.start if self.only else (10 ** 6 if to.startswith("ma") else int(to))
        self.month = prefix_lookup(fields[5], TZ_MONTHS, "month")
        self.on = fields[6]
        at = fields[7]
        self.at_kind = "w"
        if at[-1] in "wsugz":
            self.at_kind = at[-1]
            at = at[:-1]
        self.at = parse_hours(at)
        save = fields[8]
        if save[-1] in "sd":
            save = save[:-1]
        self.save = parse_hours(save)
        self.letter = "" if fields[9] == "-" else fields[9]


class ZoneLine:
    def __init__(self, stdoff, rules, fmt):
        self.stdoff = parse_hours(stdoff)
        self.rules = rules
        self.format = fmt


def read_tzdata(path):
    rules = {}
    zones = {}
    links = {}
    current = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].rstrip("\n")
            if not line.strip():
                continue
            fields = line.split()
            if fields[0] == "R":
                rules.setdefault(fields[1], []).append(Rule(fields))
                current = None
            elif fields[0] == "Z":
                current = fields[1]
                zones[current] = ZoneLine(fields[2], fields[3], fields[4])
            elif fields[0] == "L":
                links[fields[2]] = fields[1]
                current = None
            elif current is not None:
                # A continuation line; the last one of a zone is in force now.
                zones[current] = ZoneLine(fields[0], fields[1], fields[2])
    return rules, zones, links


class ZoneFacts:
    """What the table needs of one zone in REFERENCE_YEAR."""

    def __init__(self, name):
        self.name = name
        self.std = 0.0
        self.std_abbr = ""
        self.dst_abbr = ""
        self.dst = 0.0
        self.start = None  # (month, on-text, utc hours) after conversion
        self.end = None


def zone_facts(zone_name, tz):
    rules, zones, links = tz
    name = zone_name
    while name in links:
        name = links[name]
    if name not in zones:
        raise DataError("tzdata has no zone %s" % zone_name)
    z = zones[name]
    facts = ZoneFacts(zone_name)
    facts.std = z.stdoff
    in_force = []
    named = []
    if z.rules != "-" and not re.match(r"^-?\d", z.rules):
        named = rules.get(z.rules, [])
        in_force = [r for r in named if not r.only and r.start <= REFERENCE_YEAR <= r.end]
    elif z.rules != "-":
        # A fixed amount: permanent summer time is simply the offset.
        facts.std += parse_hours(z.rules)
    if len(in_force) not in (0, 2):
        raise DataError("zone %s: %d rules in force, expected 0 or 2" % (zone_name, len(in_force)))
    if in_force:
        a, b = sorted(in_force, key=lambda r: r.save)
        if a.save < 0:
            # Negative summer time (Europe/Dublin): winter is the exception.
            # Turned round, standard time is the lower offset.
            off_rule, on_rule, save = a, b, -a.save
            facts.std = z.stdoff + a.save
            offset_before_on = z.stdoff + a.save
            offset_before_off = z.stdoff
        else:
            off_rule, on_rule, save = a, b, b.save
            offset_before_on = z.stdoff
            offset_before_off = z.stdoff + b.save
        facts.dst = save
        facts.start = convert_rule(on_rule, z.stdoff, offset_before_on)
        facts.end = convert_rule(off_rule, z.stdoff, offset_before_off)
        facts.std_abbr = abbreviation(z.format, off_rule)
        facts.dst_abbr = abbreviation(z.format, on_rule)
    else:
        # The letter of the last rule that ever applied names the time now.
        past = [r for r in named if r.start <= REFERENCE_YEAR]
        last = max(past, key=lambda r: (min(r.end, REFERENCE_YEAR), r.month), default=None)
        facts.std_abbr = abbreviation(z.format, last)
        facts.dst_abbr = facts.std_abbr
    return facts


def abbreviation(fmt, rule):
    save = rule.save if rule else 0
    if "/" in fmt:
        text = fmt.split("/")[0 if save == 0 else 1]
    elif "%s" in fmt:
        text = fmt.replace("%s", rule.letter if rule else "")
    else:
        text = fmt
    if text == "%z" or re.match(r"^[+-]\d", text):
        return ""  # numeric: the UTC offset says it all
    return text


def convert_rule(rule, stdoff, offset_before):
    """Turns a tz rule into (month, weekday or None, first day, utc time):
    the transition falls on the first `weekday` on or after `first day` of
    `month` (or on that day when weekday is None), at `utc time` UTC."""
    if rule.at_kind in "ugz":
        utc = rule.at
    elif rule.at_kind == "s":
        utc = rule.at - stdoff
    else:
        utc = rule.at - offset_before
    shift = 0
    while utc < 0:
        utc += 24
        shift -= 1
    while utc >= 24:
        utc -= 24
        shift += 1
    month = rule.month
    on = rule.on
    if on.startswith("last"):
        weekday = prefix_lookup(on[4:], TZ_WEEKDAYS, "weekday")
        first = DAYS_IN_MONTH[month] - 6
    elif ">=" in on:
        w, d = on.split(">=")
        weekday = prefix_lookup(w, TZ_WEEKDAYS, "weekday")
        first = int(d)
    elif "<=" in on:
        w, d = on.split("<=")
        weekday = prefix_lookup(w, TZ_WEEKDAYS, "weekday")
        first = int(d) - 6
    else:
        weekday = None
        first = int(on)
    if month == 1 and (first + shift > 28 or (on.startswith("last") and shift)):
        raise DataError("rule %s in February cannot be written without leap-year care" % rule.name)
    first += shift
    if weekday is not None:
        weekday = (weekday + shift) % 7
    if first < 1:
        month = (month - 1) % 12
        first += DAYS_IN_MONTH[month]
    elif first > DAYS_IN_MONTH[month]:
        first -= DAYS_IN_MONTH[month]
        month = (month + 1) % 12
    return (month, weekday, first, utc, on.startswith("last") and shift == 0)


def rule_text(label, converted):
    month, weekday, first, _, is_last = converted
    name = MONTHS_DE[month]
    if weekday is None:
        body = "%d. %s des Jahres" % (first, name)
    elif is_last:
        body = "Letzter %s im %s" % (WEEKDAYS_DE[weekday], name)
    elif first in ORDINALS_DE:
        body = "%s %s im %s" % (ORDINALS_DE[first], WEEKDAYS_DE[weekday], name)
    else:
        body = "Erster %s nach dem %d. %s" % (WEEKDAYS_DE[weekday], first - 1, name)
    return "%s: %s" % (label, body)


def time_text(hours):
    minutes = int(round(hours * 60))
    return "%02d:%02d" % (minutes // 60, minutes % 60)


def utc_text(offset):
    if offset == 0:
        return "UTC"
    sign = "+" if offset > 0 else "-"
    minutes = int(round(abs(offset) * 60))
    hours, rest = divmod(minutes, 60)
    return "UTC%s%d" % (sign, hours) + (":%02d" % rest if rest else "")


def zone_label(abbr, offset):
    return "%s (%s)" % (abbr, utc_text(offset)) if abbr else utc_text(offset)


# ---------------------------------------------------------------- output

def number_text(value):
    text = ("%.4f" % value).rstrip("0").rstrip(".")
    if text in ("-0", ""):
        text = "0"
    return text.replace(".", ",")


def ranges_text(numbers):
    numbers = sorted(numbers)
    parts = []
    i = 0
    while i < len(numbers):
        j = i
        while j + 1 < len(numbers) and numbers[j + 1] == numbers[j] + 1:
            j += 1
        parts.append(str(numbers[i]) if i == j else "%d-%d" % (numbers[i], numbers[j]))
        i = j + 1
    return ", ".join(parts)


HEADER = ["Nr", "Land", "Kontinent", "Ranking", "Zonen", "Länge", "Breite",
          "Normalzeit", "Normalzeit kurz", "Sommerzeit", "Sommerzeit kurz",
          "UTC-Abstand", "Sommerzeit-Abstand", "Sommerzeit-Beginn", "Sommerzeit-Ende",
          "Regel Beginn", "Regel Ende", "Hauptpräfix", "Präfixe"]


def entity_row(number, e, keys, facts):
    if facts.name.startswith("Etc/"):
        std_long = "Normalzeit nach Längengrad"
        dst_long = std_long
    else:
        std_long = "Normalzeit, Zone " + facts.name
        dst_long = "Sommerzeit, Zone " + facts.name
    std_short = zone_label(facts.std_abbr, facts.std)
    if facts.start:
        dst_short = zone_label(facts.dst_abbr, facts.std + facts.dst)
        start_rule = rule_text("Beginn", facts.start)
        end_rule = rule_text("Ende", facts.end)
        start_time = time_text(facts.start[3])
        end_time = time_text(facts.end[3])
    else:
        dst_long, dst_short = std_long, std_short
        start_rule, end_rule = "Beginn: keine Regelung", "Ende: keine Regelung"
        start_time = end_time = "00:00"
    zones = "CQ %s / ITU %s" % (ranges_text(e.cq), ranges_text(e.itu))
    fields = [str(number), e.name, e.continent, str(e.adif), zones,
              number_text(e.lon), number_text(e.lat),
              std_long, std_short, dst_long, dst_short,
              number_text(facts.std), number_text(facts.dst),
              start_time, end_time, start_rule, end_rule, e.main] + keys
    for f in fields[:17]:
        if ";" in f or "\n" in f:
            raise DataError("field %r of %s holds a separator" % (f, e.name))
    return ";".join(fields)


def rebuild_index(rows):
    """The same index the program's rebuild command makes from the table."""
    index = OrderedDict()
    spelling = {}
    for line in rows:
        fields = line.split(";")
        if len(fields) < 18:
            continue
        for key in fields[17:]:
            if key:
                folded = key.upper()
                spelling.setdefault(folded, key)
                index[folded] = fields[0]
    lines = ["[DXCC]"] + ["%s=%s" % (spelling[k], v) for k, v in index.items()] + [""]
    return lines, len(index)


def write_lines(path, lines):
    data = "".join(line + "\r\n" for line in lines).encode("cp1252")
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, "..", ".."))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--cty", default=DEFAULT_CTY)
    ap.add_argument("--cty-csv", default=DEFAULT_CTY_CSV)
    ap.add_argument("--tzdata", default=DEFAULT_TZDATA)
    ap.add_argument("--tzmap", default=os.path.join(root, "..", "shared", "data-sources", "tz",
                                                   "dxcc_to_tz_derived.csv"))
    ap.add_argument("--out", default=os.path.join(root, "data"))
    args = ap.parse_args()

    for path in (args.cty, args.cty_csv, args.tzdata, args.tzmap):
        if not os.path.isfile(path):
            sys.exit("missing %s (apt-get install hamradio-files tzdata; see the header)" % path)

    entities = merge_wae(read_cty(args.cty), read_adif_codes(args.cty_csv))
    keys = index_keys(entities)
    tz = read_tzdata(args.tzdata)
    guess = {}
    with open(args.tzmap, encoding="utf-8", newline="") as f:
        for row in csv.DictReader(f):
            guess[row["cty_prefix"].upper()] = row["tz_zone_guess"]

    rows = []
    with_dst = 0
    for number, (e, k) in enumerate(zip(entities, keys), start=1):
        zone = ZONE_CHOICE.get(e.main) or guess.get(e.main)
        if not zone:
            raise DataError("no time zone for %s (%s): add it to ZONE_CHOICE" % (e.main, e.name))
        facts = zone_facts(zone, tz)
        if abs(facts.std - e.cty_offset) > 0.01:
            note("%s %s: cty.dat says UTC%+g, zone %s has UTC%+g (the zone is used)"
                 % (e.main, e.name, e.cty_offset, zone, facts.std))
        if not (-90 <= e.lat <= 90 and -180 <= e.lon <= 180):
            raise DataError("%s: position %g/%g out of range" % (e.name, e.lat, e.lon))
        with_dst += 1 if facts.start else 0
        rows.append(entity_row(number, e, k, facts))

    write_lines(os.path.join(args.out, "DXCC.csv"), [";".join(HEADER)] + rows)
    index_lines, key_count = rebuild_index(rows)
    write_lines(os.path.join(args.out, "DXCC.ini"), index_lines)
    print("%d entities (%d with summer time), %d index keys written to %s"
          % (len(rows), with_dst, key_count, args.out))


if __name__ == "__main__":
    try:
        main()
    except DataError as err:
        sys.exit("error: %s" % err)
