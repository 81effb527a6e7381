#!/usr/bin/env python3
"""Draws scripts/bench.sh's install times as an SVG bar chart.

chart.py RESULTS OUT.svg: per data set three bars, the median install time
of ours (click to Complete), NSIS doing the same job (net of its empty run)
and the zlib floor, each with a line from min to max.
"""
import statistics
import sys
from xml.sax.saxutils import escape

from report import load, nsis_net

SETS = ("small", "large", "mixed", "programs")
SERIES = (("ours", "#2b6cb0"), ("NSIS same job", "#c05621"), ("zlib floor", "#718096"))
WIDTH, HEIGHT = 640, 360
LEFT, RIGHT, TOP, BOTTOM = 64, 16, 40, 56


def series_values(f):
    return {"ours": f["ours"], "NSIS same job": nsis_net(f, "nsis-gross"), "zlib floor": f["floor"]}


def nice_ceiling(value):
    step = 10 ** (len(str(int(max(value, 1)))) - 1)
    return (int(value / step) + 1) * step


def chart(figures):
    sets = [name for name in SETS if figures.get(name) and figures[name]["ours"]]
    values = {name: series_values(figures[name]) for name in sets}
    top = nice_ceiling(max([max(v) for s in values.values() for v in s.values() if v] or [1]))
    plot_w, plot_h = WIDTH - LEFT - RIGHT, HEIGHT - TOP - BOTTOM
    y = lambda ms: TOP + plot_h - plot_h * ms / top
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
           'font-family="sans-serif" font-size="12">' % (WIDTH, HEIGHT),
           '<rect width="100%" height="100%" fill="white"/>',
           '<text x="%d" y="20" font-size="14">Install time, median with min and max (ms)</text>'
           % LEFT]
    for i in range(5):
        ms = top * i / 4
        out.append('<line x1="%d" x2="%d" y1="%.1f" y2="%.1f" stroke="#e2e8f0"/>'
                   % (LEFT, WIDTH - RIGHT, y(ms), y(ms)))
        out.append('<text x="%d" y="%.1f" text-anchor="end">%.0f</text>' % (LEFT - 6, y(ms) + 4, ms))
    group_w = plot_w / max(len(sets), 1)
    bar_w = group_w / (len(SERIES) + 1)
    for g, name in enumerate(sets):
        x0 = LEFT + g * group_w + bar_w / 2
        for k, (label, colour) in enumerate(SERIES):
            v = values[name][label]
            if not v:
                continue
            lo, mid, hi = min(v), statistics.median(v), max(v)
            x = x0 + k * bar_w
            out.append('<rect x="%.1f" y="%.1f" width="%.1f" height="%.1f" fill="%s"/>'
                       % (x, y(mid), bar_w - 4, y(0) - y(mid), colour))
            cx = x + (bar_w - 4) / 2
            out.append('<line x1="%.1f" x2="%.1f" y1="%.1f" y2="%.1f" stroke="black"/>'
                       % (cx, cx, y(hi), y(lo)))
            out.append('<text x="%.1f" y="%.1f" text-anchor="middle" font-size="10">%.0f</text>'
                       % (cx, y(hi) - 4, mid))
        out.append('<text x="%.1f" y="%d" text-anchor="middle">%s</text>'
                   % (LEFT + (g + 0.5) * group_w, HEIGHT - BOTTOM + 18, escape(name)))
    for k, (label, colour) in enumerate(SERIES):
        lx = LEFT + k * 150
        out.append('<rect x="%d" y="%d" width="12" height="12" fill="%s"/>'
                   % (lx, HEIGHT - 24, colour))
        out.append('<text x="%d" y="%d">%s</text>' % (lx + 18, HEIGHT - 14, escape(label)))
    out.append('</svg>')
    return "\n".join(out) + "\n"


def main():
    with open(sys.argv[2], "w") as f:
        f.write(chart(load(sys.argv[1])))


if __name__ == "__main__":
    main()
