#!/usr/bin/env python3
"""Writes examples/data.txt: 150 made-up draws of a 6-of-43 lottery with a bonus
number, for trying KIVO6 out. The draws come from a fixed seed, so running this
again writes the same file. They are synthetic: no real lottery's results."""
import random
from pathlib import Path

DRAWS = 150


def main():
    rng = random.Random(20261206)
    lines = ["KIVO6 example history - synthetic sample data, not real draw results"]
    for _ in range(DRAWS):
        numbers = rng.sample(range(1, 44), 7)  # six main numbers, then the bonus
        lines.append(" ".join(str(n) for n in numbers))
    lines.append("END")
    target = Path(__file__).resolve().parent.parent / "examples" / "data.txt"
    target.write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
