#!/bin/sh
# Runs xbase_bench and the python3-dbf baseline on the same workload and prints, per benchmark,
# both times per operation and their ratio (baseline / ours: above 1 means the library is faster).
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
print('%-22s %14s %14s %8s' % ('benchmark', 'xbase us/op', 'python us/op', 'ratio'))
for name, mine in ours.items():
    theirs = base.get(name)
    print('%-22s %14.1f %14s %8s' % (name, mine, '%.1f' % theirs if theirs else '-',
                                      '%.1f' % (theirs / mine) if theirs else '-'))
appends = [ours[k] for k in sorted(ours, key=lambda k: int(k.split('/')[1])) if k.startswith('append_reopen/')]
if len(appends) > 1:
    print('append_reopen growth from the smallest to the largest table: %.2fx' % (appends[-1] / appends[0]))
PY
