#!/usr/bin/env python3
"""Prints scripts/bench.sh's tables from its "SET METRIC VALUE" lines."""
import statistics
import sys
from collections import defaultdict

MiB = 1 << 20
# The size the bare stub is meant to stay within (printed, not enforced).
STUB_TARGET = 256 << 10


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


# Targets: NSIS's time for the same job over ours, and the floor's time over
# ours net of the fixed part (printed, not enforced).
NSIS_TARGET = 1.25
FLOOR_TARGET = 1.0


def verdict(ratio, target):
    return "%.2f (target %.2f: %s)" % (ratio, target, "holds" if ratio >= target else "MISSED")


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
        print("  ours less that run %.1f ms: floor/(ours net) %s"
              % (ours - fixed_mid, verdict(floor / max(ours - fixed_mid, 1.0), FLOOR_TARGET)))
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
        print("  NSIS same job/ours %s" % verdict(nsis_mid / ours, NSIS_TARGET))
        if silent:
            print("  NSIS /S same job/ours /S (both net) %.2f"
                  % (nsis_mid / max(statistics.median(silent), 1.0)))
    else:
        print("  NSIS: not measured")
    if f["pack-jobs1"]:
        packing_rows(f)
    print("  installer size: ours %.2f MiB, NSIS %.2f MiB"
          % (f["size-ours"][0] / MiB, f["size-nsis"][0] / MiB))


def packing_rows(f):
    row("pack, ours --jobs 1", f["pack-jobs1"])
    row("pack, ours --jobs 2", f["pack-jobs2"])
    row("pack, makensis (zlib)", f["makensis"])
    j1, j2, mk = (statistics.median(f[k]) for k in ("pack-jobs1", "pack-jobs2", "makensis"))
    print("  packing speed-up jobs2/jobs1 %.2f   makensis/ours(jobs 2) %.2f" % (j1 / j2, mk / j2))


def startup_table(figures):
    print("\nstart-up (process start to visible window) and memory on the Intro page")
    print("  %-34s %10s %10s %10s" % ("", "min", "median", "max"))
    for name in ("plain-1m", "plain-1g", "scrambled-1m", "scrambled-mixed"):
        f = figures.get(name)
        if not f or not f["startup"]:
            continue
        row(name + " start-up", f["startup"])
        row(name + " private", [v / MiB for v in f["private"]], "MiB")
        row(name + " peak pagefile", [v / MiB for v in f["peak-pagefile"]], "MiB")
        row(name + " peak working set", [v / MiB for v in f["peak-working-set"]], "MiB")
    small, big = figures.get("plain-1m"), figures.get("plain-1g")
    if small and big and small["startup"] and big["startup"]:
        print("  1 GiB - 1 MiB: start-up %+.1f ms, peak pagefile %+.1f MiB"
              % (statistics.median(big["startup"]) - statistics.median(small["startup"]),
                 (statistics.median(big["peak-pagefile"])
                  - statistics.median(small["peak-pagefile"])) / MiB))
    if small and small.get("stub"):
        print("  bare stub: %.0f KiB; 1 GiB installer: %.0f MiB"
              % (small["stub"][0] / 1024, big["size-ours"][0] / MiB if big else 0))
        print("  " + stub_size_check(small["stub"][0]))


def stub_size_check(size):
    over = size - STUB_TARGET
    verdict = "within" if over <= 0 else "OVER by %.1f KiB" % (over / 1024)
    return "bare stub size check: %d bytes, target %d KiB: %s" % (size, STUB_TARGET >> 10, verdict)


def targets_summary(figures, names, fixed):
    """The two targeted ratios of every set, side by side."""
    nsis, nsis_silent, floor = [], [], []
    for name in names:
        f = figures[name]
        ours = statistics.median(f["ours"])
        same_job = nsis_net(f, "nsis-gross")
        if same_job:
            nsis.append("%s %.2f" % (name, statistics.median(same_job) / ours))
            silent = net_of(f, "silent-gross", "silent-empty")
            if silent:
                nsis_silent.append("%s %.2f" % (name, statistics.median(same_job)
                                                / max(statistics.median(silent), 1.0)))
        if fixed:
            net = max(ours - statistics.median(fixed), 1.0)
            floor.append("%s %.2f" % (name, statistics.median(f["floor"]) / net))
    print("\ntargets (medians)")
    print("  NSIS same job/ours, at least %.2f: %s" % (NSIS_TARGET, ", ".join(nsis) or "-"))
    print("  NSIS same job/ours, both /S (net): %s" % (", ".join(nsis_silent) or "-"))
    print("  floor/(ours net of the 1 MiB run), at least %.2f: %s"
          % (FLOOR_TARGET, ", ".join(floor) or "-"))


def main():
    figures = load(sys.argv[1])
    fixed = figures["1m"]["ours"] if "1m" in figures else []
    names = [n for n in ("small", "large", "mixed") if n in figures and figures[n]["ours"]]
    for name in names:
        install_table(name, figures[name], fixed)
    if names:
        targets_summary(figures, names, fixed)
    startup_table(figures)


if __name__ == "__main__":
    main()
