#!/usr/bin/env python3
"""Writes random rule sets as input files for the benchmark, one job per file.

- hard30_SEED.txt: the hardest family found for 30 elements: 80 to 100 rules of three
  distinct elements, every element in 7 to 12 rules, so the problem never splits and one
  decision forces little.
- random64_RULES.txt: 64 elements and RULES random rules of three distinct elements.

The rules use the extra operation "f", so the derivation leaves them as they are and the
count sees exactly these rules.

    bench/make_random_jobs.py FOLDER [HARD30_JOBS]
"""
import random
import sys
from pathlib import Path

SYMBOLS = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!@"
PER_LINE = 10
RULE_COUNTS_64 = [64, 96, 128, 192, 256, 512, 1024, 2048, 4096]


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


def job_text(name, n, rules):
    items = [f"{SYMBOLS[l]}f{SYMBOLS[r]}={SYMBOLS[z]}" for l, r, z in rules]
    lines = ["\\verbose=false", "\\subtrahend-in-exponent=0", "\\operationsymbols=+*f"]
    lines += ["\\beginjob", "\\name", name, "\\size", str(n), "\\elements", SYMBOLS[:n]]
    lines += ["\\edges", "\\constraints"]
    lines += [" ".join(items[k : k + PER_LINE]) for k in range(0, len(items), PER_LINE)]
    lines += ["\\endofjob", "\\enddata"]
    return "\n".join(lines) + "\n"


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    hard_jobs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    for seed in range(1, hard_jobs + 1):
        rules = hard30_rules(random.Random(seed))
        name = f"hard random rules n=30 seed {seed}"
        (folder / f"hard30_{seed:02d}.txt").write_text(job_text(name, 30, rules))
    for rule_count in RULE_COUNTS_64:
        rules = random_rules(64, rule_count, random.Random(rule_count))
        name = f"random rules n=64 {rule_count} rules"
        (folder / f"random64_{rule_count:04d}.txt").write_text(job_text(name, 64, rules))


if __name__ == "__main__":
    main()
