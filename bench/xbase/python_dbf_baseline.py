#!/usr/bin/python3
"""The xbase_bench workload through Debian's python3-dbf, as the baseline run.sh compares with.

python3-dbf has no persistent index files. Where the workload uses a tag, this baseline uses
python3-dbf's in-memory index instead (built after opening, then used): seek_uid and
walk_chapname walk such an index, and reindex builds the three indexes the tags stand for.
append_reopen needs no index here at all, so it measures the table and memo writes alone,
while the library also updates three tags per append.

Prints one JSON object: benchmark name -> time per operation in microseconds, named like the
Google Benchmark runs of xbase_bench.
"""
import json
import os
import random
import shutil
import sys
import tempfile
import time

import dbf

SPEC = ('UID N(5,0); CHAP_UID N(5,0); NAME C(80); KCAL N(8,1); SERVES N(3,0); '
        'MINUTES N(5,0); NOTES M')


def recipe(uid):
    return (uid % 100000, 1 + (uid * 31) % 97,
            'Recipe %05d with a name of usual length' % ((uid * 7919) % 100000),
            (uid % 9000) / 10.0, uid % 12, uid % 240,
            'Step one for recipe %d.\r\nStep two.' % uid)


def build(folder, n):
    path = os.path.join(folder, 'recipes%d.dbf' % n)
    table = dbf.Table(path, SPEC, dbf_type='fp', codepage='cp1252')
    table.open(dbf.READ_WRITE)
    for uid in range(1, n + 1):
        table.append(recipe(uid))
    table.close()
    return path


def copy(path, suffix):
    base = path[:-4]
    for ext in ('.dbf', '.fpt'):
        shutil.copyfile(base + ext, base + suffix + ext)
    return base + suffix + '.dbf'


def per_op(seconds, count):
    return seconds / count * 1e6


def main():
    sizes = [int(a) for a in sys.argv[1:]] or [1000, 10000, 100000]
    folder = tempfile.mkdtemp(prefix='dbf-baseline-')
    results = {}
    try:
        tables = {n: build(folder, n) for n in sizes}
        for n in sizes:
            path = copy(tables[n], '-append')
            count = 300
            start = time.perf_counter()
            for i in range(count):
                table = dbf.Table(path)
                table.open(dbf.READ_WRITE)
                table.append(recipe(n + i + 1))
                table.close()
            results['append_reopen/%d' % n] = per_op(time.perf_counter() - start, count)

        for n in [s for s in sizes if s >= 10000]:
            table = dbf.Table(tables[n])
            table.open(dbf.READ_ONLY)
            index = table.create_index(lambda r: r.uid)
            rng = random.Random(5)
            count = 2000
            start = time.perf_counter()
            for _ in range(count):
                index.search(match=(rng.randint(1, n),))
            results['seek_uid/%d' % n] = per_op(time.perf_counter() - start, count)
            table.close()

        n = 10000 if 10000 in sizes else sizes[0]
        table = dbf.Table(tables[n])
        table.open(dbf.READ_ONLY)
        index = table.create_index(lambda r: (r.chap_uid, r.name))
        start = time.perf_counter()
        for _ in index:
            pass
        results['walk_chapname/%d' % n] = per_op(time.perf_counter() - start, 1)
        start = time.perf_counter()
        table.create_index(lambda r: r.uid)
        table.create_index(lambda r: (r.chap_uid, r.name))
        table.create_index(lambda r: r.name.upper())
        results['reindex/%d' % n] = per_op(time.perf_counter() - start, 1)
        table.close()

        total = 0.0
        for _ in range(3):
            path = copy(tables[n], '-pack')
            table = dbf.Table(path)
            table.open(dbf.READ_WRITE)
            for i, record in enumerate(table):
                if i % 10 == 0:
                    dbf.delete(record)
            start = time.perf_counter()
            table.pack()
            total += time.perf_counter() - start
            table.close()
        results['pack/%d' % n] = per_op(total, 3)
    finally:
        shutil.rmtree(folder)
    print(json.dumps(results))


if __name__ == '__main__':
    main()
