#!/usr/bin/env python3
"""Writes random jobs as input files for the benchmark, one file per rule set or lattice.

- hard30_SEED.txt: the hardest family found for 30 elements: 80 to 100 rules of three
  distinct elements, every element in 7 to 12 rules, so the problem never splits and one
  decision forces little.
- random64_RULES.txt: 64 elements and RULES random rules of three distinct elements.
- random64_RULES_SEED.txt: the same with 2n to 4n rules, where the count is hardest.
- levels_N_SEED.txt: rules that follow an order without being a lattice's: the order is an
  ordinal sum of antichains (every element of a level below every element of the next),
  and each rule's result lies above both arguments or below both. 30 elements in 10 levels
  of 3 with 48 rules, 64 elements in levels of 1 to 5 with 2n rules.
- lattice_N_SEED.txt: a random lattice of N elements (the closure system spanned by random
  subsets of a small set) in four jobs: every join and meet of two incomparable elements, a
  random half of them, the joins alone and the meets alone.

The rule sets use the extra operation "f", so the derivation leaves them as they are and
the count sees exactly these rules.

    bench/make_random_jobs.py FOLDER [HARD30_JOBS]
"""
import random
import sys
from pathlib import Path

SYMBOLS = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!@"
PER_LINE = 10
RULE_COUNTS_64 = [64, 96, 128, 192, 256, 512, 1024, 2048, 4096]
HARD_RULE_COUNTS_64 = [128, 160, 192, 224, 256]
LATTICE_SIZES = [28, 40, 49, 55, 62]
SEEDS = [1, 2]


def hard30_rules(rng):
    while True:
        rule_count = rng.randint(80, 100)
        uses = [0] * 30
        rules = []
        for _ in range(20 * rule_count):
            if len(rules) == rule_count:
                break
            triple = rng.sample(range(30), 3)
            if any(uses[e] == 12 for e in triple):
                continue
            for e in triple:
                uses[e] += 1
            rules.append(triple)
        if len(rules) == rule_count and min(uses) >= 7:
            return rules


def random_rules(n, rule_count, rng):
    return [rng.sample(range(n), 3) for _ in range(rule_count)]


def level_widths(n, widest, rng):
    widths = []
    while sum(widths) < n:
        widths.append(min(rng.randint(1, widest), n - sum(widths)))
    return widths


def levels_job(widths, rule_count, rng):
    """Edges between consecutive levels, rules with the result above or below both."""
    level = [k for k, w in enumerate(widths) for _ in range(w)]
    n = len(level)
    first = [sum(widths[:k]) for k in range(len(widths))]
    edges = [(first[k] + i, first[k + 1] + j) for k in range(len(widths) - 1)
             for i in range(widths[k]) for j in range(widths[k + 1])]
    rules = []
    while len(rules) < rule_count:
        x, y = rng.sample(range(n), 2)
        low, high = min(level[x], level[y]), max(level[x], level[y])
        results = [z for z in range(n) if level[z] > high or level[z] < low]
        if results:
            rules.append((x, y, rng.choice(results)))
    return edges, rules


def random_lattice(n, rng):
    """The subsets of a ground set of k elements closed under intersection, from the whole
    set and random subsets until there are n of them: a lattice whose meet is the
    intersection and whose join the smallest closed superset of the union."""
    k = max(5, n.bit_length() + 2)
    while True:
        family = {(1 << k) - 1}
        while len(family) < n:
            s = rng.getrandbits(k)
            grown = family | {s & a for a in family} | {s}
            if len(grown) <= n:
                family = grown
            elif rng.random() < 0.02:
                break
        if len(family) == n:
            return sorted(family, key=lambda a: (bin(a).count("1"), a))


def lattice_equations(sets):
    n = len(sets)
    below = [[(sets[i] & ~sets[j]) == 0 for j in range(n)] for i in range(n)]
    index = {s: i for i, s in enumerate(sets)}

    def join(i, j):
        return min((z for z in range(n) if below[i][z] and below[j][z]),
                   key=lambda z: bin(sets[z]).count("1"))

    covers = [(i, j) for i in range(n) for j in range(n) if i != j and below[i][j]
              and not any(k not in (i, j) and below[i][k] and below[k][j] for k in range(n))]
    joins, meets = [], []
    for i in range(n):
        for j in range(i + 1, n):
            if not below[i][j] and not below[j][i]:
                joins.append((i, "+", j, join(i, j)))
                meets.append((i, "*", j, index[sets[i] & sets[j]]))
    return covers, joins, meets


def job_lines(name, n, edges, equations):
    items = [f"{SYMBOLS[l]}{o}{SYMBOLS[r]}={SYMBOLS[z]}" for l, o, r, z in equations]
    pairs = [SYMBOLS[a] + SYMBOLS[b] for a, b in edges]
    lines = ["\\beginjob", "\\name", name, "\\size", str(n), "\\elements", SYMBOLS[:n]]
    lines += ["\\edges"] + [" ".join(pairs[k : k + PER_LINE]) for k in range(0, len(pairs), PER_LINE)]
    lines += ["\\constraints"]
    lines += [" ".join(items[k : k + PER_LINE]) for k in range(0, len(items), PER_LINE)]
    return lines + ["\\endofjob"]


def file_text(jobs, operations="+*f"):
    header = ["\\verbose=false", "\\subtrahend-in-exponent=0", f"\\operationsymbols={operations}"]
    body = [line for job in jobs for line in job]
    return "\n".join(header + body + ["\\enddata"]) + "\n"


def write_rules(folder, stem, name, n, rules, edges=()):
    jobs = [job_lines(name, n, list(edges), [(l, "f", r, z) for l, r, z in rules])]
    (folder / f"{stem}.txt").write_text(file_text(jobs))


def write_lattice(folder, n, seed):
    rng = random.Random(1000 * n + seed)
    covers, joins, meets = lattice_equations(random_lattice(n, rng))
    both = [e for pair in zip(joins, meets) for e in pair]
    half = sorted(rng.sample(both, len(both) // 2), key=both.index)
    jobs = []
    for what, equations in [("every join and meet", both), ("a random half", half),
                            ("joins only", joins), ("meets only", meets)]:
        jobs.append(job_lines(f"random lattice n={n} seed {seed}, {what}", n, covers, equations))
    (folder / f"lattice_{n}_{seed}.txt").write_text(file_text(jobs, "+*"))


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    hard_jobs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    for seed in range(1, hard_jobs + 1):
        rules = hard30_rules(random.Random(seed))
        write_rules(folder, f"hard30_{seed:02d}", f"hard random rules n=30 seed {seed}", 30, rules)
    for rule_count in RULE_COUNTS_64:
        rules = random_rules(64, rule_count, random.Random(rule_count))
        write_rules(folder, f"random64_{rule_count:04d}", f"random rules n=64 {rule_count} rules",
                    64, rules)
    for rule_count in HARD_RULE_COUNTS_64:
        for seed in SEEDS:
            rules = random_rules(64, rule_count, random.Random(64000 + 100 * rule_count + seed))
            write_rules(folder, f"random64_{rule_count:04d}_{seed}",
                        f"random rules n=64 {rule_count} rules seed {seed}", 64, rules)
    for n, widest, rule_count in [(30, 3, 48), (64, 5, 128)]:
        for seed in SEEDS:
            rng = random.Random(3000 * n + seed)
            widths = [3] * 10 if n == 30 else level_widths(n, widest, rng)
            edges, rules = levels_job(widths, rule_count, rng)
            write_rules(folder, f"levels_{n}_{seed}", f"rules over levels n={n} seed {seed}", n,
                        rules, edges)
    for n in LATTICE_SIZES:
        for seed in SEEDS:
            write_lattice(folder, n, seed)


if __name__ == "__main__":
    main()
