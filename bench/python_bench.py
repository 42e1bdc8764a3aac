"""What calling the library from Python costs: the count of each lattice of bench/data/large
written by mirelkon-lattice make, through mirelkon.count on the lattice of the same term,
beside the library's own count of the file as mirelkon_bench times it; then the construction
of lattices of 64 elements from their cover pairs.

The two sides take turns, one run each per round, and each keeps its fastest of 7 rounds:
on a machine shared with other work the slower runs measure the others' load.

Usage: python_bench.py MIRELKON_BENCH FILE... (with the module on PYTHONPATH)
"""

import re
import statistics
import subprocess
import sys
import time

import mirelkon

ROUNDS = 7
HEADER = re.compile(r"^% (.*): \d+ elements, written by mirelkon-lattice make\.")
LIBRARY_COUNT = re.compile(r"^(\S+) job 1 .* count +([0-9.]+) ms")


def run_ms(work):
    started = time.perf_counter()
    work()
    return (time.perf_counter() - started) * 1000


def terms_of(files):
    terms = {}
    for path in files:
        with open(path, encoding="utf-8") as f:
            found = HEADER.match(f.readline())
        if found:
            terms[path.rsplit("/", 1)[-1]] = found.group(1)
    return terms


def library_times(bench, files):
    out = subprocess.run([bench, "--baseline-seconds", "0", "--repetitions", "1", *files],
                         check=True, capture_output=True, text=True).stdout
    return {m.group(1): float(m.group(2)) for m in map(LIBRARY_COUNT.match, out.splitlines()) if m}


def main():
    bench, files = sys.argv[1], sys.argv[2:]
    terms = terms_of(files)
    made = [f for f in files if f.rsplit("/", 1)[-1] in terms]
    lattices = {name: mirelkon.Lattice.make(term) for name, term in terms.items()}
    library, python = {}, {}
    for _ in range(ROUNDS):
        for name, ms in library_times(bench, made).items():
            library[name] = min(library.get(name, ms), ms)
        for name, lattice in lattices.items():
            ms = run_ms(lambda: mirelkon.count(lattice))
            python[name] = min(python.get(name, ms), ms)
    print(f"{'file':24} {'term':28} {'library ms':>11} {'Python ms':>10} {'ratio':>6}")
    for name, term in sorted(terms.items()):
        print(f"{name:24} {term:28} {library[name]:11.3f} {python[name]:10.3f} "
              f"{python[name] / library[name]:6.2f}")
    for term in ("chain 64", "chain 8 x chain 8", "boolean 6"):
        covers = [(str(x), str(y)) for x, y in mirelkon.Lattice.make(term).covers]
        built = statistics.median(
            run_ms(lambda: mirelkon.Lattice.from_covers(covers)) for _ in range(101))
        print(f"Lattice.from_covers, {term} ({len(covers)} cover pairs): {built:.3f} ms "
              "(median of 101)")


if __name__ == "__main__":
    main()
