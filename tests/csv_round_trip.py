#!/usr/bin/env python3
"""Random CSV files written by Python's csv module, opened and saved by
`pivraf --batch`:

- saved unedited under another name, a file is written back byte for byte;
- with one cell typed over, the saved file reads (by Python's csv module) as
  the same table with only that cell changed.

Each file varies the quoting, the line end, the final line end and the
encoding (CP932, UTF-8, UTF-8 with a byte-order mark); cells hold commas,
quotes, blanks at either end, empty strings and CP932 characters whose trail
byte is a backslash. A failing seed is printed, so that it can be run alone:

    csv_round_trip.py PIVRAF [COUNT] [FIRST_SEED]
"""
import csv
import io
import os
import random
import subprocess
import sys
import tempfile

PIECES = ["a", "b", "Z", "1", "2.5", ",", '"', " ", "表", "ソ", "能", "あ", "漢字", "x y"]
QUOTINGS = [csv.QUOTE_MINIMAL, csv.QUOTE_ALL, csv.QUOTE_NONNUMERIC]
ENCODINGS = ["cp932", "utf-8", "utf-8-sig"]


def random_cell(rng):
    if rng.random() < 0.15:
        return ""
    return "".join(rng.choice(PIECES) for _ in range(rng.randint(1, 4)))


def random_file(rng):
    columns = rng.randint(1, 6)
    rows = [[random_cell(rng) for _ in range(rng.randint(1, columns))] for _ in range(rng.randint(1, 25))]
    line_end = rng.choice(["\r\n", "\n"])
    quoting = rng.choice(QUOTINGS)
    out = io.StringIO(newline="")
    writer = csv.writer(out, lineterminator=line_end, quoting=quoting)
    for row in rows:
        # QUOTE_NONNUMERIC writes strings quoted; numbers stay as they are.
        writer.writerow(row)
    text = out.getvalue()
    if rng.random() < 0.3:
        text = text[: -len(line_end)]
    encoding = rng.choice(ENCODINGS)
    return text.encode(encoding), encoding


def read_table(data, encoding):
    return list(csv.reader(io.StringIO(data.decode(encoding), newline="")))


def shown_rows(table):
    """The rows as the editor shows them: CP932, TAB between cells."""
    return ["\t".join(row).encode("cp932") for row in table]


def script_text(value):
    return value.replace("\\", "\\\\").replace("\t", "\\t")


def run_case(pivraf, seed, folder):
    rng = random.Random(seed)
    data, encoding = random_file(rng)
    table = read_table(data, encoding)
    source = os.path.join(folder, "t.csv")
    with open(source, "wb") as f:
        f.write(data)

    # One cell typed over: its place in the shown text, in bytes.
    rows = shown_rows(table)
    r = rng.randrange(len(table))
    c = rng.randrange(len(table[r]))
    start = sum(len(row) + 2 for row in rows[:r])
    start += sum(len(cell.encode("cp932")) + 1 for cell in table[r][:c])
    end = start + len(table[r][c].encode("cp932"))
    value = random_cell(rng) or "v"
    if value == table[r][c]:
        value += "w"

    same = os.path.join(folder, "same.csv")
    edited = os.path.join(folder, "edited.csv")
    script = os.path.join(folder, "script.pvs")
    with open(script, "w", encoding="utf-8") as f:
        f.write(f"command 57604 path={same}\n")
        f.write(f"select {start} {end}\n")
        f.write(f"type {script_text(value)}\n")
        f.write(f"command 57604 path={edited}\n")
        f.write("state\n")
    env = dict(os.environ, PIVRA_CONFIG=os.path.join(folder, "Pivra.conf"))
    done = subprocess.run([pivraf, "--batch", script, source], env=env, capture_output=True, timeout=60)
    problems = []
    if done.returncode != 0:
        problems.append(f"exit {done.returncode}: {done.stdout.decode(errors='replace')}")
    if b"format=csv" not in done.stdout:
        problems.append("not opened as CSV: " + done.stdout.decode(errors="replace"))
    with open(same, "rb") as f:
        if f.read() != data:
            problems.append("the unedited file was not written back byte for byte")
    expected = [list(row) for row in table]
    expected[r][c] = value
    with open(edited, "rb") as f:
        written = f.read()
    if read_table(written, encoding) != expected:
        problems.append(f"cell ({r},{c}) typed over with {value!r}: {written!r} reads otherwise")
    if problems:
        print(f"seed {seed} ({encoding}, {data!r}):")
        for p in problems:
            print("  " + p)
    return not problems


def main():
    pivraf = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 40
    first = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    failures = 0
    for seed in range(first, first + count):
        with tempfile.TemporaryDirectory() as folder:
            if not run_case(pivraf, seed, folder):
                failures += 1
    print(f"{count - failures} of {count} random CSV files round-tripped")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
