#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `wendrix-cli resolve --tsv -` against the Python peer pyhamtools, whole process, side by side:
# both resolve every call of MASTER.SCP (Debian's hamradio-files, about 85,000 calls) read from
# standard input and write one line per call. Each runs RUNS times (default 11), alternating, so
# a change in the machine's load falls on both alike; the script prints the medians and their
# ratio (goal: wendrix-cli at least 20 times faster). With a second build directory, its
# wendrix-cli (say, the code before a change) runs alongside. Last, callgrind counts the
# instructions per call of wendrix-cli: the whole run less the start-up (an empty input), and
# how much of it the resolution itself takes.
#
# pyhamtools comes from Debian's python3-pyhamtools and valgrind from Debian's valgrind; the
# script installs them when they are missing (as root). pyhamtools reads its country data as a
# plist, which the script makes from Debian's cty.csv of the same package as MASTER.SCP, so both
# programs work offline on data of the same day.
#   bench/catalogue/resolve-vs-pyhamtools.sh BUILD_DIR [RUNS] [OTHER_BUILD_DIR]
set -euo pipefail

build=${1:?usage: resolve-vs-pyhamtools.sh BUILD_DIR [RUNS] [OTHER_BUILD_DIR]}
runs=${2:-11}
other=${3:-}
cli=$build/cli/wendrix-cli
[[ -x $cli ]] || { echo "resolve-vs-pyhamtools: $cli is not built" >&2; exit 1; }
if [[ -n $other ]]; then
    other_cli=$other/cli/wendrix-cli
    [[ -x $other_cli ]] || { echo "resolve-vs-pyhamtools: $other_cli is not built" >&2; exit 1; }
fi

# Debian's python3, not one of a version manager earlier on the PATH: the package installs there.
python=/usr/bin/python3
data=/usr/share/hamradio-files
missing=()
[[ -f $data/MASTER.SCP && -f $data/cty.csv ]] || missing+=(hamradio-files)
[[ -x $python ]] && "$python" -c 'import pyhamtools' 2> /dev/null || missing+=(python3-pyhamtools)
command -v valgrind > /dev/null || missing+=(valgrind)
if ((${#missing[@]} > 0)); then
    if [[ $(id -u) -ne 0 ]]; then
        echo "resolve-vs-pyhamtools: missing ${missing[*]}; run as root to install them" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
grep -v '^#' "$data/MASTER.SCP" | tr -d '\r' | awk 'NF { print $1 }' > "$work/calls.txt"
calls=$(wc -l < "$work/calls.txt")

# cty.csv: prefix, name, DXCC, continent, CQ zone, ITU zone, latitude, longitude (west
# positive), UTC offset, then the aliases separated by blanks and ended by ";". An alias starting
# with "=" is one call; "(n)", "[n]", "<lat/lon>", "{cont}" and "~offset~" override the entity's
# values for it. pyhamtools takes the ADIF numbers from countryfilemapping.json in its working
# directory when there is one, which the script writes from the same file.
"$python" - "$data/cty.csv" "$work" << 'PYTHON'
import csv, json, plistlib, re, sys
source, work = sys.argv[1], sys.argv[2]
entries, mapping = {}, {}
with open(source, newline="", encoding="latin-1") as f:
    for row in csv.reader(f):
        if len(row) < 10:
            continue
        name, dxcc, cont, cq, itu, lat, lon, tz = row[1:9]
        mapping[name] = int(dxcc)
        for alias in row[9].rstrip(";").split():
            exact = alias.startswith("=")
            text = alias.lstrip("=")
            key = re.split(r"[(\[<{~]", text, maxsplit=1)[0]
            zone = re.search(r"\((\d+)\)", text)
            itu_zone = re.search(r"\[(\d+)\]", text)
            continent = re.search(r"\{(\w+)\}", text)
            entries[key] = {
                "Country": name, "Prefix": row[0], "ADIF": int(dxcc),
                "CQZone": int(zone.group(1)) if zone else int(cq),
                "ITUZone": int(itu_zone.group(1)) if itu_zone else int(itu),
                "Continent": continent.group(1) if continent else cont,
                "Latitude": float(lat), "Longitude": float(lon), "GMTOffset": float(tz),
                "ExactCallsign": exact,
            }
with open(f"{work}/cty.plist", "wb") as f:
    plistlib.dump(entries, f)
with open(f"{work}/countryfilemapping.json", "w") as f:
    json.dump(mapping, f)
PYTHON

cat > "$work/resolve.py" << 'PYTHON'
import sys
from pyhamtools import Callinfo, LookupLib
info = Callinfo(LookupLib(lookuptype="countryfile", filename=sys.argv[1]))
out = []
for line in sys.stdin:
    call = line.strip().upper()
    if not call:
        continue
    try:
        found = info.get_all(call)
        out.append(f"{call}\t{found.get('adif', '')}\t{found.get('country', '')}\n")
    except Exception:  # no entity, or a shape the library cannot take apart
        out.append(f"{call}\t\t\n")
sys.stdout.write("".join(out))
PYTHON

# Microseconds of one whole run; its output goes to a file of its own for the checks below.
elapsed() {
    local output=$1 start
    shift
    start=$(date +%s%N)
    "$@" < "$work/calls.txt" > "$output"
    echo $((($(date +%s%N) - start) / 1000))
}
median() {
    sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.1f", m / 1000 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }
load() { awk '{ print $1 " " $2 " " $3 }' /proc/loadavg; }

python_run() { (cd "$work" && "$python" "$work/resolve.py" "$work/cty.plist"); }

load_before=$(load)
# One warm-up run each, so all start with the same files in the page cache.
elapsed "$work/wendrix.tsv" "$cli" resolve --tsv - > /dev/null
elapsed "$work/python.tsv" python_run > /dev/null
[[ -n $other ]] && elapsed "$work/other.tsv" "$other_cli" resolve --tsv - > /dev/null
[[ $(wc -l < "$work/wendrix.tsv") -eq $calls ]] || { echo "resolve-vs-pyhamtools: wendrix-cli did not answer every call" >&2; exit 1; }
[[ $(wc -l < "$work/python.tsv") -eq $calls ]] || { echo "resolve-vs-pyhamtools: pyhamtools did not answer every call" >&2; exit 1; }
if [[ -n $other ]] && ! cmp -s "$work/wendrix.tsv" "$work/other.tsv"; then
    echo "resolve-vs-pyhamtools: the two wendrix-cli builds answer differently" >&2
    exit 1
fi

wendrix_times=()
python_times=()
other_times=()
for ((i = 0; i < runs; ++i)); do
    wendrix_times+=("$(elapsed /dev/null "$cli" resolve --tsv -)")
    python_times+=("$(elapsed /dev/null python_run)")
    [[ -n $other ]] && other_times+=("$(elapsed /dev/null "$other_cli" resolve --tsv -)")
done
wendrix_median=$(printf '%s\n' "${wendrix_times[@]}" | median)
python_median=$(printf '%s\n' "${python_times[@]}" | median)
start_median=$(for ((i = 0; i < runs; ++i)); do
    start=$(date +%s%N)
    "$cli" resolve --tsv - < /dev/null > /dev/null
    echo $((($(date +%s%N) - start) / 1000))
done | median)

echo "calls: $calls (MASTER.SCP); runs: $runs each; load average before: $load_before, after: $(load)"
echo "wendrix-cli resolve --tsv -:        $wendrix_median ms (median; start-up alone: $start_median ms)"
if [[ -n $other ]]; then
    other_median=$(printf '%s\n' "${other_times[@]}" | median)
    echo "the other build's wendrix-cli:      $other_median ms (median; $(ratio "$other_median" "$wendrix_median") x the first)"
fi
echo "pyhamtools (Callinfo.get_all):      $python_median ms (median)"
echo "pyhamtools / wendrix-cli:           $(ratio "$python_median" "$wendrix_median") (goal: at least 20)"

# Instructions per call: the whole run less the start-up, and the part spent in the resolution
# (CallResolver::Resolve with everything it calls).
instructions() {
    local program=$1 input=$2 out=$work/callgrind.out
    valgrind --tool=callgrind --callgrind-out-file="$out" "$program" resolve --tsv - < "$input" > /dev/null 2>&1
    callgrind_annotate --inclusive=yes "$out" 2> /dev/null > "$work/annotated.txt"
    awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1; exit }' "$work/annotated.txt"
}
per_call() {
    local name=$1 program=$2 total resolving startup
    total=$(instructions "$program" "$work/calls.txt")
    resolving=$(awk '/CallResolver::Resolve\(/ { gsub(",", "", $1); print $1; exit }' "$work/annotated.txt")
    startup=$(instructions "$program" /dev/null)
    awk -v name="$name" -v t="$total" -v s="$startup" -v r="${resolving:-0}" -v n="$calls" 'BEGIN {
        printf "callgrind, %s: %.0f instructions per call (%.0f in the resolution, %.0f reading and writing); start-up %.1f million\n", name, (t - s) / n, r / n, (t - s - r) / n, s / 1e6
    }'
}
per_call wendrix-cli "$cli"
[[ -z $other ]] || per_call "the other build" "$other_cli"
