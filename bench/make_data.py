#!/usr/bin/env python3
"""Deterministic product data for scripts/bench.sh.

make_data.py SET FOLDER   writes the files of one data set below FOLDER:
  small  many small text-like files in nested folders (about 24 MiB)
  large  a few large files, half of them incompressible (about 96 MiB)
  mixed  both kinds together (about 120 MiB)
  programs  real Windows programs: the files bench/programs.list names,
         copied from Wine's own 64-bit DLL folder (about 148 MB)
  1m     one 1 MiB file;  1g  1 GiB in 16 files, incompressible but cheap
Every run writes the same bytes (fixed seeds, a fixed list with checksums).
Exits with status 3 and a note when the programs set cannot be made here.
"""
import hashlib
import os
import random
import shutil
import sys

MiB = 1 << 20
WORDS = (b"installer folder shortcut registry product version release update "
         b"window button licence archive manual readme config library module "
         b"resource string table index record value status\r\n").split(b" ")


def text_pool(rng, size):
    """Text-like bytes: random words, which compress about 3:1 like code and docs."""
    parts, total = [], 0
    while total < size:
        word = WORDS[rng.randrange(len(WORDS))] + b" "
        parts.append(word)
        total += len(word)
    return b"".join(parts)[:size]


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def small_files(rng, root, count, pool):
    for i in range(count):
        folder = os.path.join(root, "lib", "m%02d" % (i % 23), "p%d" % (i % 7))
        size = 512 + rng.randrange(24 * 1024)
        start = rng.randrange(len(pool) - size)
        write(os.path.join(folder, "f%05d.txt" % i), pool[start:start + size])


def large_files(rng, root, count, size, pool):
    for i in range(count):
        if i % 2:
            data = rng.randbytes(size)  # incompressible
        else:
            start = rng.randrange(len(pool) - MiB)
            data = (pool[start:start + MiB] * (size // MiB + 1))[:size]
        write(os.path.join(root, "data", "big%02d.bin" % i), data)


WINE_PROGRAMS = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows"
NOT_HERE = 3


def programs(root):
    """Copies the listed files, or leaves nothing and says why."""
    listing = os.path.join(os.path.dirname(os.path.abspath(__file__)), "programs.list")
    wanted = [line.split() for line in open(listing) if line.strip() and not line.startswith("#")]
    for name, size, digest in wanted:
        path = os.path.join(WINE_PROGRAMS, name)
        if not os.path.isfile(path) or os.path.getsize(path) != int(size):
            return "%s is missing or has another size (another Wine version?)" % path
        with open(path, "rb") as f:
            if hashlib.sha256(f.read()).hexdigest() != digest:
                return "%s has other bytes than the listed ones (another Wine build?)" % path
    os.makedirs(os.path.join(root, "bin"), exist_ok=True)
    for name, _, _ in wanted:
        shutil.copyfile(os.path.join(WINE_PROGRAMS, name), os.path.join(root, "bin", name))
    return None


def main():
    name, root = sys.argv[1], sys.argv[2]
    rng = random.Random(20261209)
    pool = text_pool(rng, 8 * MiB)
    if name == "small":
        small_files(rng, root, 2000, pool)
    elif name == "large":
        large_files(rng, root, 4, 24 * MiB, pool)
    elif name == "mixed":
        small_files(rng, root, 1600, pool)
        large_files(rng, root, 4, 24 * MiB, pool)
    elif name == "programs":
        problem = programs(root)
        if problem:
            print("make_data.py: the programs set is skipped: " + problem, file=sys.stderr)
            sys.exit(NOT_HERE)
    elif name == "1m":
        write(os.path.join(root, "one.bin"), rng.randbytes(MiB))
    elif name == "1g":
        block = rng.randbytes(MiB)
        for i in range(16):
            write(os.path.join(root, "g%02d.bin" % i), block * 64)
    else:
        sys.exit("unknown data set " + name)


if __name__ == "__main__":
    main()
