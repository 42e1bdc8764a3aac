#!/usr/bin/env python3
"""Writes the structured benchmark families as input files, one file per family, beside the
random jobs of make_random_jobs.py. Each family probes one way the count can go wrong:

- band64_WINDOW_SEED.txt: 64 elements, 128 rules of three elements within a window of WINDOW
  consecutive labels: a long thin problem that splits only where the search cuts it across.
- grid8x8_SEED.txt: an 8 x 8 grid, two rules of three cells in every 2 x 2 square.
- dumbbell_SEED.txt: two dense cores of 24 elements (96 random rules each) joined by a
  bridge, a path of 16 elements.
- necklace_SEED.txt: 8 beads of 8 elements (16 rules each) in a ring, each bead tied to the
  next by two rules.
- midpoint64_SEED.txt, sum64_SEED.txt: the numbers 1..64 with x, y => floor((x + y) / 2), or
  x, y => x + y where that is at most 64, on a random tenth of the pairs.
- whole_NAME.txt: lattices of 60 or 61 elements given whole (every join and meet of two
  incomparable elements) that are not distributive: M3 x C12 and N5 x C12, each with one more
  element between bottom and top, and M4 x C10.
- joins_NAME.txt: products of 64 elements with a Boolean lattice by their joins alone or
  their meets alone: B6 by its joins, B4 x C4 by its meets, B2 x C4 x C4 by each (two jobs).

Rule sets use the extra operation "f", so the derivation leaves them as they are.

    bench/make_family_jobs.py FOLDER
"""
import itertools
import random
import sys
from pathlib import Path

from make_random_jobs import file_text, job_lines, write_rules


def band_rules(n, window, rule_count, rng):
    rules = []
    while len(rules) < rule_count:
        start = rng.randrange(n - window + 1)
        rules.append(rng.sample(range(start, start + window), 3))
    return rules


def grid_rules(side, rng):
    rules = []
    for row in range(side - 1):
        for column in range(side - 1):
            square = [row * side + column, row * side + column + 1, (row + 1) * side + column,
                      (row + 1) * side + column + 1]
            for _ in range(2):
                rules.append(rng.sample(square, 3))
    return rules


def random_rules_among(elements, rule_count, rng):
    return [rng.sample(elements, 3) for _ in range(rule_count)]


def dumbbell_rules(rng):
    left, bridge, right = list(range(24)), list(range(24, 40)), list(range(40, 64))
    rules = random_rules_among(left, 96, rng) + random_rules_among(right, 96, rng)
    path = [left[-1]] + bridge + [right[0]]
    for k in range(len(path) - 2):
        rules.append(rng.sample(path[k : k + 3], 3))
    return rules


def necklace_rules(rng):
    beads = [list(range(8 * b, 8 * b + 8)) for b in range(8)]
    rules = [rule for bead in beads for rule in random_rules_among(bead, 16, rng)]
    for b, bead in enumerate(beads):
        following = beads[(b + 1) % len(beads)]
        for _ in range(2):
            rules.append([rng.choice(bead), rng.choice(following), rng.choice(bead + following)])
    return [r for r in rules if len(set(r)) == 3]


def arithmetic_rules(n, result, rng):
    """On a tenth of the pairs of 1..n, the rule x, y => result(x, y) where that is another
    number of 1..n; elements are the numbers less one."""
    rules = []
    for x, y in itertools.combinations(range(1, n + 1), 2):
        z = result(x, y)
        if rng.random() < 0.1 and 1 <= z <= n and z not in (x, y):
            rules.append((x - 1, y - 1, z - 1))
    return rules


def chain(k):
    return list(range(k)), lambda a, b: a <= b


def boolean(k):
    return list(range(1 << k)), lambda a, b: (a & ~b) == 0


def m_k(k):
    """Bottom 0, atoms 1..k, top k+1."""
    return list(range(k + 2)), lambda a, b: a == b or a == 0 or b == k + 1


def n5():
    """0 < 1 < 2 < 4 and 0 < 3 < 4."""
    above = {0: {0, 1, 2, 3, 4}, 1: {1, 2, 4}, 2: {2, 4}, 3: {3, 4}, 4: {4}}
    return list(range(5)), lambda a, b: b in above[a]


def product(*factors):
    elements = list(itertools.product(*(f[0] for f in factors)))
    return elements, lambda a, b: all(f[1](x, y) for f, x, y in zip(factors, a, b))


def with_middle(lattice):
    """The lattice with one more element between its bottom and its top."""
    elements, leq = lattice
    bottom = next(a for a in elements if all(leq(a, b) for b in elements))
    top = next(a for a in elements if all(leq(b, a) for b in elements))
    extra = "e"
    return elements + [extra], lambda a, b: (a == b or (a == extra and b == top) or
                                             (b == extra and a == bottom) or
                                             (extra not in (a, b) and leq(a, b)))


def lattice_job(name, lattice, kinds):
    """A job of the lattice, labelled bottom-up, stating the joins and meets of `kinds`
    ("+", "*" or both) for every incomparable pair."""
    elements, leq = lattice
    n = len(elements)
    below = [[leq(a, b) for b in elements] for a in elements]
    order = sorted(range(n), key=lambda i: (sum(below[j][i] for j in range(n)), i))
    label = {old: new for new, old in enumerate(order)}
    up = [sum(row) for row in below]

    def bound(i, j, upper):
        common = [k for k in range(n) if (below[i][k] and below[j][k] if upper else
                                          below[k][i] and below[k][j])]
        return max(common, key=lambda k: up[k] if upper else -up[k])

    covers = [(label[i], label[j]) for i in range(n) for j in range(n) if i != j and
              below[i][j] and not any(k not in (i, j) and below[i][k] and below[k][j]
                                      for k in range(n))]
    equations = []
    for i, j in itertools.combinations(range(n), 2):
        if below[i][j] or below[j][i]:
            continue
        for kind in kinds:
            z = bound(i, j, kind == "+")
            equations.append((label[i], kind, label[j], label[z]))
    return job_lines(name, n, covers, equations)


def write_lattice_file(folder, stem, jobs):
    (folder / f"{stem}.txt").write_text(file_text(jobs, "+*"))


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    for window in (7, 8):
        for seed in (1, 2):
            rules = band_rules(64, window, 128, random.Random(700 + 10 * window + seed))
            write_rules(folder, f"band64_{window}_{seed}",
                        f"band of window {window} n=64 seed {seed}", 64, rules)
    for seed in (1, 2):
        write_rules(folder, f"grid8x8_{seed}", f"grid 8x8 seed {seed}", 64,
                    grid_rules(8, random.Random(800 + seed)))
        write_rules(folder, f"dumbbell_{seed}", f"dumbbell n=64 seed {seed}", 64,
                    dumbbell_rules(random.Random(900 + seed)))
        write_rules(folder, f"necklace_{seed}", f"necklace n=64 seed {seed}", 64,
                    necklace_rules(random.Random(1000 + seed)))
        write_rules(folder, f"midpoint64_{seed}", f"midpoint rules n=64 seed {seed}", 64,
                    arithmetic_rules(64, lambda x, y: (x + y) // 2, random.Random(1100 + seed)))
        write_rules(folder, f"sum64_{seed}", f"sum rules n=64 seed {seed}", 64,
                    arithmetic_rules(64, lambda x, y: x + y, random.Random(1200 + seed)))
    whole = [("m3xc12e", "M3 x C12 + e", with_middle(product(m_k(3), chain(12)))),
             ("n5xc12e", "N5 x C12 + e", with_middle(product(n5(), chain(12)))),
             ("m4xc10", "M4 x C10", product(m_k(4), chain(10)))]
    for stem, name, lattice in whole:
        write_lattice_file(folder, f"whole_{stem}", [lattice_job(name, lattice, "+*")])
    # Each of these counts in seconds, seven times over in the bench: the two slower ones by
    # one kind only, so that the bench stays within minutes.
    boolean_products = [
        ("b6", "B6", boolean(6), "+"),
        ("b4xc4", "B4 x C4", product(boolean(4), chain(4)), "*"),
        ("b2xc4xc4", "B2 x C4 x C4", product(boolean(2), chain(4), chain(4)), "+*"),
    ]
    kind_names = {"+": "joins only", "*": "meets only"}
    for stem, name, lattice, kinds in boolean_products:
        write_lattice_file(folder, f"joins_{stem}",
                           [lattice_job(f"{name} {kind_names[k]}", lattice, k) for k in kinds])


if __name__ == "__main__":
    main()
