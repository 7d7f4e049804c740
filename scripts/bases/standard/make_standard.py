#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Build data/bases/standard.txt: hand-written lines plus generated phrases.

Run from anywhere: python3 scripts/bases/standard/make_standard.py --out FILE
The seed is fixed, so the output is the same on every run.
"""
import os
import random
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True

from templates import make_line  # noqa: E402
from rhyme import share, fold, ending_classes, lonely  # noqa: E402

SEED = 20240611
TARGET = 3000
MIN_LEN, MAX_LEN = 15, 45
LAST_WORD_CAP = 22
LINE_RE = re.compile(r"^[А-Я]+(-[А-Я]+)*( [А-Я]+(-[А-Я]+)*)*$")


def ok(line):
    return bool(LINE_RE.match(line)) and MIN_LEN <= len(line) <= MAX_LEN


def load_handwritten():
    path = os.path.join(HERE, "handwritten.txt")
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        lines = [x.strip() for x in f if x.strip() and not x.startswith("#")]
    bad = [x for x in lines if not ok(x)]
    assert not bad, "bad hand-written lines: %r" % bad
    assert len(set(lines)) == len(lines), "duplicate hand-written lines"
    return lines


def make_pool(r, taken, size):
    pool, seen = [], set(taken)
    attempts = 0
    while len(pool) < size and attempts < size * 20:
        attempts += 1
        line = make_line(r)
        if line and ok(line) and line not in seen:
            seen.add(line)
            pool.append(line)
    return pool


def last(line):
    return line.rsplit(" ", 1)[-1]


def select(hand, pool, need, banned=()):
    """Take pool lines in order, keeping last words varied and rhymable."""
    counts = {}
    for x in hand:
        counts[last(x)] = counts.get(last(x), 0) + 1
    classes = ending_classes(hand + pool, 3)
    chosen = []
    for line in pool:
        if line in banned:
            continue
        w = last(line)
        if counts.get(w, 0) >= LAST_WORD_CAP:
            continue
        if len(classes[fold(w)[-3:]]) < 3:
            continue
        counts[w] = counts.get(w, 0) + 1
        chosen.append(line)
        if len(chosen) == need:
            break
    return chosen


def main():
    if len(sys.argv) != 3 or sys.argv[1] != "--out":
        sys.exit("usage: make_standard.py --out FILE (data/bases/standard.txt is the committed base)")
    out = sys.argv[2]
    r = random.Random(SEED)
    hand = load_handwritten()
    pool = make_pool(r, hand, 12000)
    gen = select(hand, pool, TARGET - len(hand))
    banned = set()
    for _ in range(5):
        lone = [x for x in lonely(hand + gen, 3) if x not in hand]
        if not lone:
            break
        banned.update(lone)
        gen = select(hand, pool, TARGET - len(hand), banned)
    lines = hand + gen
    r.shuffle(lines)

    for x in lines:
        assert ok(x), "bad line: %r" % x
        assert "Ё" not in x and "  " not in x
    assert len(set(lines)) == len(lines), "duplicates"
    assert len(lines) >= 2500, "too few lines: %d" % len(lines)

    data = "\r\n".join(lines).encode("cp1251")
    with open(out, "wb") as f:
        f.write(data)

    lens = [len(x) for x in lines]
    print("lines: %d (hand-written %d, generated %d)" % (len(lines), len(hand), len(gen)))
    print("length: %d..%d" % (min(lens), max(lens)))
    print("rhyme share, 3 letters: %.1f %%" % (100 * share(lines, 3)))
    print("rhyme share, 2 letters: %.1f %%" % (100 * share(lines, 2)))


if __name__ == "__main__":
    main()
