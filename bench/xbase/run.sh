#!/bin/sh
# Runs xbase_bench and the python3-dbf baseline on the same workload and prints, per benchmark,
# the times per operation of the library, of SQLite (same program, same run) and of python3-dbf,
# and the ratios other / library (above 1 means the library is faster).
# Usage: bench/xbase/run.sh [BUILD_DIR]   (default: build; xbase_bench must be built there)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../../build"}
bench="$build/bench/xbase_bench"
[ -x "$bench" ] || { echo "run.sh: $bench is not built" >&2; exit 2; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$bench" --benchmark_out="$out/ours.json" --benchmark_out_format=json >/dev/null 2>&1
/usr/bin/python3 "$here/python_dbf_baseline.py" > "$out/baseline.json"

/usr/bin/python3 - "$out/ours.json" "$out/baseline.json" <<'PY'
import json, sys
ours = {}
for b in json.load(open(sys.argv[1]))['benchmarks']:
    name = b['name'].split('/iterations:')[0]
    scale = {'ns': 1e-3, 'us': 1.0, 'ms': 1e3, 's': 1e6}[b['time_unit']]
    ours[name] = b['real_time'] * scale
base = json.load(open(sys.argv[2]))
print('%-22s %12s %12s %12s %8s %8s' % ('benchmark', 'xbase us/op', 'sqlite us/op',
                                         'python us/op', 'sqlite/x', 'python/x'))
for name, mine in ours.items():
    if name.startswith('sqlite_') or name.startswith('floor_'):
        continue
    lite = ours.get('sqlite_' + name)
    theirs = base.get(name)
    print('%-22s %12.1f %12s %12s %8s %8s' % (
        name, mine, '%.1f' % lite if lite else '-', '%.1f' % theirs if theirs else '-',
        '%.2f' % (lite / mine) if lite else '-', '%.1f' % (theirs / mine) if theirs else '-'))
# Walks and scans: per record as well.
for name, mine in ours.items():
    if name.split('/')[0] in ('walk_chapname', 'scan', 'scan_fields'):
        n = int(name.split('/')[1])
        lite = ours.get('sqlite_' + name)
        print('%-22s per record: xbase %.3f us, sqlite %s us' % (
            name, mine / n, '%.3f' % (lite / n) if lite else '-'))
floor = ours.get('floor_append')
if floor:
    print('floor_append (record, memo block, 3 index pages by pwrite): %.1f us' % floor)
appends = [ours[k] for k in sorted((k for k in ours if k.startswith('append_reopen/')), key=lambda k: int(k.split('/')[1]))]
if len(appends) > 1:
    print('append_reopen growth from the smallest to the largest table: %.2fx' % (appends[-1] / appends[0]))
    if floor:
        print('append_reopen / floor: %s' % ', '.join('%.1f' % (a / floor) for a in appends))
PY
