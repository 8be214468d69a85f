#!/usr/bin/env python3
"""Compares the digits two builds of veldra print for the same random beams.

    bench/platform_digits.py [--wide] REPORTS -- COMMAND_A... -- COMMAND_B...

e.g. build/ci-gcc/veldra against veldra.exe under wine. Each report is one load
case with realistic values in N and mm: spans of 1 to 12 m, steel, aluminium and
timber, rolled sections, forces up to 1000 kN, line loads up to 100 kN/m. Prints
how many reports differ, how many of them print a value of 1e6 or more, and the
largest relative difference of a printed number. With --wide, loads, spans and
sections go far beyond any real beam.
"""
import math
import random
import re
import subprocess
import sys

# What F holds in each case: a force (N), a moment (N mm) or a line load (N/mm).
FORCE, MOMENT, LINE_LOAD = (1e2, 1e6), (1e5, 1e9), (0.1, 100)
CASES = {1: FORCE, 2: FORCE, 31: MOMENT, 32: MOMENT, 4: LINE_LOAD, 5: LINE_LOAD, 6: FORCE,
         7: MOMENT, 8: LINE_LOAD, 9: LINE_LOAD, 10: LINE_LOAD, 11: FORCE, 12: LINE_LOAD}


def session(reports, wide=False, seed=20261208):
    rng = random.Random(seed)
    log_uniform = lambda low, high: 10 ** rng.uniform(math.log10(low), math.log10(high))
    parts = []
    for _ in range(reports):
        nr = rng.choice(list(CASES))
        span = rng.uniform(1_000, 12_000)
        modulus = rng.choice([210_000, 70_000, 11_000])  # steel, aluminium, timber
        second_moment = log_uniform(1e6, 1e10)  # rolled sections, IPE 100 to HEB 1000
        load = rng.choice([1, -1]) * log_uniform(*CASES[nr])
        if wide:  # far beyond what a beam takes: deflections up to 1e13
            span, second_moment = rng.uniform(500, 20_000), log_uniform(1e4, 1e10)
            load = rng.choice([1, -1]) * log_uniform(1, 1e6)
        a = rng.uniform(200, span / 3) if nr in (11, 12) else rng.uniform(0, span)
        x = rng.uniform(0, span)
        xq = rng.uniform(0, a)
        parts.append(f"n{nr}\nf{load!r}\nl{span!r} {modulus!r} {second_moment!r}\na{a!r}\n"
                     f"x{x!r}\n" + (f"{xq!r}\n" if nr in (11, 12) else "") + "g ")
    return "".join(parts) + "q"


def reports(command, text):
    out = subprocess.run(command, input=text.encode(), capture_output=True, check=False).stdout
    return re.findall(r"Ergebnisse Biegefall [^\n]*\n(?:[^\n]*= [^\n]*\n)*", out.decode())


NUMBER = re.compile(r"-?\d+\.\d{6}|-?inf|nan")


def main():
    args = sys.argv[1:]
    wide = args[0] == "--wide"
    if wide:
        args = args[1:]
    count = int(args[0])
    split = [i for i, a in enumerate(args) if a == "--"]
    first, second = args[split[0] + 1:split[1]], args[split[1] + 1:]
    text = session(count, wide)
    a, b = reports(first, text), reports(second, text)
    if len(a) != count or len(b) != count:
        sys.exit(f"expected {count} reports, got {len(a)} and {len(b)}")
    differing = large = 0
    worst = 0.0
    with_large = sum(any(abs(float(v)) >= 1e6 for v in NUMBER.findall(r) if "n" not in v) for r in a)
    for ra, rb in zip(a, b):
        if ra == rb:
            continue
        differing += 1
        na, nb = NUMBER.findall(ra), NUMBER.findall(rb)
        if any(abs(float(v)) >= 1e6 for v in na if "n" not in v):
            large += 1
        for va, vb in zip(na, nb):
            if va != vb:
                worst = max(worst, abs(float(va) - float(vb)) / max(abs(float(va)), 1e-300))
    print(f"{count} reports, {with_large} of them print a value of 1e6 or more")
    print(f"{differing} differ ({100 * differing / count:.3f} %), {large} of them with a value "
          f"of 1e6 or more; largest relative difference {worst:.3g}")


if __name__ == "__main__":
    main()
