#!/usr/bin/env python3
"""Prints scripts/bench.sh's tables from its "SET METRIC VALUE" lines."""
import statistics
import sys
from collections import defaultdict

MiB = 1 << 20
SETS = ("small", "large", "mixed", "programs")

# The targets, checked on the medians; main() exits 1 when one is missed.
STUB_TARGET = 256 << 10  # bytes of the bare stub, at most
NSIS_TARGET = 1.05  # NSIS's time for the same job over ours, wizard and /S, at least
FLOOR_TARGET = 0.97  # the zlib floor's time over ours net of the fixed part, at least
SIZE_TARGET = 0.96  # our installer over NSIS's zlib one, programs set, at most
PACKING_TARGET = 2.5  # makensis's packing time over ours with two jobs, at least
STARTUP_MS_TARGET = 100.0  # start-up with 1 GiB less with 1 MiB, at most
STARTUP_MIB_TARGET = 32.0  # peak pagefile with 1 GiB less with 1 MiB, at most

# Every target's line, in the order checked: (what, figure, holds).
checks = []


def check(what, figure, holds, shown=None):
    checks.append((what, shown if shown is not None else "%.2f" % figure, holds))
    return "%s (%s)" % (shown if shown is not None else "%.2f" % figure,
                        "holds" if holds else "MISSED")


def load(path):
    figures = defaultdict(lambda: defaultdict(list))
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 3 and parts[2] not in ("", "-"):
                figures[parts[0]][parts[1]].append(float(parts[2]))
    return figures


def spread(values):
    return min(values), statistics.median(values), max(values)


def row(label, values, unit="ms", extra=""):
    lo, mid, hi = spread(values)
    print("  %-34s %10.1f %10.1f %10.1f %-4s %s" % (label, lo, mid, hi, unit, extra))


def median(values):
    return statistics.median(values)


def net_of(f, gross, empty):
    """A silent run less an empty installer's run, pairwise per round."""
    return [g - e for g, e in zip(f[gross], f[empty])]


def nsis_net(f, gross):
    """An NSIS run less an empty NSIS installer's run, pairwise per round."""
    return net_of(f, gross, "nsis-empty")


def install_table(name, f, fixed):
    content = f["content"][0]
    print("\n%s: %.1f MiB of files" % (name, content / MiB))
    print("  %-34s %10s %10s %10s" % ("", "min", "median", "max"))
    ours = statistics.median(f["ours"])
    floor = statistics.median(f["floor"])
    rate = lambda ms: content / MiB / (ms / 1000.0)
    row("install, ours (click to Complete)", f["ours"], "ms", "%.0f MiB/s" % rate(ours))
    row("install, zlib floor", f["floor"], "ms", "%.0f MiB/s" % rate(floor))
    print("  throughput ours/floor %.2f" % (floor / ours))
    silent = net_of(f, "silent-gross", "silent-empty")
    if silent:
        row("install, ours /S (net)", silent, "ms", "%.0f MiB/s" % rate(statistics.median(silent)))
        row("  ours /S gross", f["silent-gross"])
        row("  empty ours /S (bare stub)", f["silent-empty"])
    if fixed:
        # What the files themselves cost us: the total less the run of a
        # 1 MiB product (uninstaller, shortcuts, log, registry, page changes).
        fixed_mid = statistics.median(fixed)
        row("  ours, run of the 1 MiB product", fixed)
        ratio = floor / max(ours - fixed_mid, 1.0)
        print("  ours less that run %.1f ms: floor/(ours net) %s" % (
            ours - fixed_mid,
            check("%s: floor/(ours net), at least %.2f" % (name, FLOOR_TARGET), ratio,
                  ratio >= FLOOR_TARGET)))
    same_job = nsis_net(f, "nsis-gross")
    if same_job:
        nsis_mid = statistics.median(same_job)
        row("install, NSIS /S same job (net)", same_job, "ms", "%.0f MiB/s" % rate(nsis_mid))
        row("  NSIS /S same job gross", f["nsis-gross"])
        files_only = nsis_net(f, "nsis-files-gross")
        if files_only:
            row("install, NSIS /S files only (net)", files_only, "ms",
                "%.0f MiB/s" % rate(statistics.median(files_only)))
            row("  NSIS /S files only gross", f["nsis-files-gross"])
        row("  empty NSIS /S", f["nsis-empty"])
        ratio = nsis_mid / ours
        print("  NSIS same job/ours %s" % check(
            "%s: NSIS same job/ours (wizard), at least %.2f" % (name, NSIS_TARGET), ratio,
            ratio >= NSIS_TARGET))
        if silent:
            ratio = nsis_mid / max(statistics.median(silent), 1.0)
            print("  NSIS /S same job/ours /S (both net) %s" % check(
                "%s: NSIS same job/ours (/S, both net), at least %.2f" % (name, NSIS_TARGET),
                ratio, ratio >= NSIS_TARGET))
    else:
        print("  NSIS: not measured")
    if f["pack-jobs1"]:
        packing_rows(name, f)
    size_rows(name, f)


def size_rows(name, f):
    ours, nsis = f["size-ours"][0], f["size-nsis"][0]
    print("  installer size: ours %.2f MiB%s, NSIS zlib %.2f MiB, NSIS LZMA solid %s"
          % (ours / MiB,
             " (--level 9: %.2f MiB)" % (f["size-ours-level9"][0] / MiB)
             if f["size-ours-level9"] else "",
             nsis / MiB,
             "%.2f MiB" % (f["size-nsis-lzma"][0] / MiB) if f["size-nsis-lzma"] else "-"))
    ratio = ours / nsis
    if name == "programs":
        print("  size ours/NSIS zlib %s" % check(
            "programs: size ours/NSIS zlib, at most %.2f" % SIZE_TARGET, ratio,
            ratio <= SIZE_TARGET))
    else:
        print("  size ours/NSIS zlib %.3f" % ratio)


def packing_rows(name, f):
    row("pack, ours default level --jobs 1", f["pack-jobs1"])
    row("pack, ours default level --jobs 2", f["pack-jobs2"])
    if f["pack-level9-jobs2"]:
        row("pack, ours --level 9 --jobs 2", f["pack-level9-jobs2"])
    row("pack, makensis (zlib)", f["makensis"])
    j1, j2, mk = (median(f[k]) for k in ("pack-jobs1", "pack-jobs2", "makensis"))
    print("  packing speed-up jobs2/jobs1 %.2f" % (j1 / j2))
    if f["pack-level9-jobs2"]:
        print("  --level 9/default, both --jobs 2: %.2f" % (median(f["pack-level9-jobs2"]) / j2))
    print("  makensis/ours (jobs 2) %s" % check(
        "%s: makensis/ours packing (jobs 2), at least %.1f" % (name, PACKING_TARGET), mk / j2,
        mk / j2 >= PACKING_TARGET))


def startup_table(figures):
    print("\nstart-up (process start to visible window) and memory on the Intro page")
    print("  %-34s %10s %10s %10s" % ("", "min", "median", "max"))
    for name in ("plain-1m", "plain-1g", "scrambled-1m", "scrambled-1g"):
        f = figures.get(name)
        if not f or not f["startup"]:
            continue
        row(name + " start-up", f["startup"])
        row(name + " private", [v / MiB for v in f["private"]], "MiB")
        row(name + " peak pagefile", [v / MiB for v in f["peak-pagefile"]], "MiB")
        row(name + " peak working set", [v / MiB for v in f["peak-working-set"]], "MiB")
    for kind in ("plain", "scrambled"):
        small, big = figures.get(kind + "-1m"), figures.get(kind + "-1g")
        if not (small and big and small["startup"] and big["startup"]):
            continue
        ms = median(big["startup"]) - median(small["startup"])
        mib = (median(big["peak-pagefile"]) - median(small["peak-pagefile"])) / MiB
        holds = ms <= STARTUP_MS_TARGET and mib <= STARTUP_MIB_TARGET
        print("  %s, 1 GiB - 1 MiB: %s" % (kind, check(
            "%s start-up, 1 GiB - 1 MiB, at most %.0f ms and %.0f MiB"
            % (kind, STARTUP_MS_TARGET, STARTUP_MIB_TARGET), 0, holds,
            "%+.1f ms, %+.1f MiB peak pagefile" % (ms, mib))))
    stub = figures.get("plain-1m", {}).get("stub")
    if stub:
        big = figures.get("plain-1g")
        print("  1 GiB installer: %.0f MiB" % (big["size-ours"][0] / MiB if big else 0))
        print("  bare stub: %s" % check(
            "bare stub, at most %d KiB" % (STUB_TARGET >> 10), 0, stub[0] <= STUB_TARGET,
            "%d bytes" % stub[0]))


def main():
    figures = load(sys.argv[1])
    fixed = figures["1m"]["ours"] if "1m" in figures else []
    names = [n for n in SETS if n in figures and figures[n]["ours"]]
    for name in names:
        install_table(name, figures[name], fixed)
    startup_table(figures)
    print("\ntargets (medians)")
    for what, shown, holds in checks:
        print("  %-66s %-34s %s" % (what, shown, "holds" if holds else "MISSED"))
    missed = sum(1 for _, _, holds in checks if not holds)
    print("  %d of %d targets hold" % (len(checks) - missed, len(checks)))
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
