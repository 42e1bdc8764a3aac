#!/usr/bin/env python3
"""Writes input files of complete lattices for the benchmark.

Each file holds one job: the cover edges of the lattice and x+y=z and x*y=z for every
incomparable pair {x, y}, so the derivation adds nothing and |Sub(L)| is the number of
sublattices. Elements are numbered in a linear extension of the order (bottom first)
and named by the characters of SYMBOLS in that order.

    bench/make_lattices.py FOLDER     writes every lattice below into FOLDER
"""
import itertools
import sys
from pathlib import Path

SYMBOLS = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!@"
PER_LINE = 10


def product_of_chains(*lengths):
    """Tuples ordered componentwise, listed by rank so the order starts at the bottom."""
    elements = sorted(itertools.product(*(range(k) for k in lengths)), key=lambda t: (sum(t), t))
    return elements, lambda x, y: all(a <= b for a, b in zip(x, y))


def partitions(n):
    """Set partitions of range(n), as frozensets of blocks, ordered by refinement."""

    def build(i):
        if i == n:
            yield []
            return
        for rest in build(i + 1):
            yield [[i]] + rest
            for k in range(len(rest)):
                yield rest[:k] + [[i] + rest[k]] + rest[k + 1 :]

    elements = [frozenset(frozenset(b) for b in p) for p in build(0)]
    elements.sort(key=lambda p: (-len(p), sorted(sorted(b) for b in p)))
    return elements, lambda x, y: all(any(b <= c for c in y) for b in x)


def m_k(k):
    elements = ["bottom"] + [f"atom{i}" for i in range(k)] + ["top"]
    return elements, lambda x, y: x == y or x == "bottom" or y == "top"


def chain(n):
    return list(range(n)), lambda x, y: x <= y


LATTICES = {
    "large_b6.txt": ("B_6", lambda: product_of_chains(2, 2, 2, 2, 2, 2)),
    "large_pi5.txt": ("partitions of a 5-set Pi_5", lambda: partitions(5)),
    "large_c8xc8.txt": ("C_8 x C_8", lambda: product_of_chains(8, 8)),
    "large_c4xc4xc4.txt": ("C_4 x C_4 x C_4", lambda: product_of_chains(4, 4, 4)),
    "large_div7560.txt": ("divisors of 7560", lambda: product_of_chains(4, 4, 2, 2)),
    "large_b5.txt": ("B_5", lambda: product_of_chains(2, 2, 2, 2, 2)),
    "large_m62.txt": ("M_62", lambda: m_k(62)),
    "large_chain64.txt": ("chain of 64 elements", lambda: chain(64)),
}


def lattice_lines(name, elements, leq):
    n = len(elements)
    below = [[leq(x, y) for y in elements] for x in elements]
    up_size = [sum(row) for row in below]
    down_size = [sum(below[y][x] for y in range(n)) for x in range(n)]

    def bound(i, j, upper):
        if upper:
            common = [k for k in range(n) if below[i][k] and below[j][k]]
            best = max(common, key=lambda k: up_size[k])
            assert all(below[best][k] for k in common), "no least upper bound"
        else:
            common = [k for k in range(n) if below[k][i] and below[k][j]]
            best = max(common, key=lambda k: down_size[k])
            assert all(below[k][best] for k in common), "no greatest lower bound"
        return best

    def strictly(i, j):
        return i != j and below[i][j]

    covers = [
        SYMBOLS[i] + SYMBOLS[j]
        for i in range(n)
        for j in range(n)
        if strictly(i, j) and not any(strictly(i, k) and strictly(k, j) for k in range(n))
    ]
    constraints = []
    for i in range(n):
        for j in range(i + 1, n):
            if not below[i][j] and not below[j][i]:
                constraints.append(f"{SYMBOLS[i]}+{SYMBOLS[j]}={SYMBOLS[bound(i, j, True)]}")
                constraints.append(f"{SYMBOLS[i]}*{SYMBOLS[j]}={SYMBOLS[bound(i, j, False)]}")

    def wrapped(items):
        return [" ".join(items[k : k + PER_LINE]) for k in range(0, len(items), PER_LINE)]

    return (
        ["\\beginjob", "\\name", name, "\\size", str(n), "\\elements", SYMBOLS[:n], "\\edges"]
        + wrapped(covers)
        + ["\\constraints"]
        + wrapped(constraints)
        + ["\\endofjob"]
    )


def main():
    folder = Path(sys.argv[1])
    header = ["\\verbose=false", "\\subtrahend-in-exponent=0", "\\operationsymbols=+*"]
    for file, (name, build) in LATTICES.items():
        elements, leq = build()
        lines = header + lattice_lines(name, elements, leq) + ["\\enddata"]
        (folder / file).write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
