#!/usr/bin/env python3
"""Turns the figures bench.sh collected into the benchmark's table.

Usage: report.py RESULTS.tsv META.txt OUTPUT.md

RESULTS.tsv: one line per measured run: step, run number, then key=value
figures (times in ms or s as named, memory in bytes or KB as named).
META.txt: key=value lines about the run (scale, shape, load, sizes).
The table goes to OUTPUT.md and to standard output.
"""
import statistics
import sys

MB = 1 << 20


def read_results(path):
    steps = {}
    with open(path) as f:
        for line in f:
            fields = line.split()
            if len(fields) < 3:
                continue
            figures = dict(field.split("=", 1) for field in fields[2:])
            steps.setdefault(fields[0], []).append(figures)
    return steps


def read_meta(path):
    with open(path) as f:
        return dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)


def values(steps, step, key, scale=1.0):
    return [float(run[key]) * scale for run in steps.get(step, []) if key in run]


def median(xs):
    return statistics.median(xs) if xs else None


def spread(xs, unit_format):
    if not xs:
        return "–"
    return f"{unit_format(min(xs))} – {unit_format(max(xs))}"


def seconds(x):
    return f"{x:.2f} s"


def millis(x):
    return f"{x:.0f} ms"


def megabytes(x):
    return f"{x / MB:.1f} MB"


def ratio(measured, floor):
    if measured is None or floor is None or floor == 0:
        return "–"
    return f"{measured / floor:.2f}×"


def round_ratio(xs, floor_xs):
    """The median of the ratios within each round: a program and its floor
    ran one after the other, so a slow moment of the machine touches both."""
    pairs = [x / f for x, f in zip(xs, floor_xs) if f]
    return median(pairs)


def verdict(value, limit):
    if value is None:
        return "–"
    return "met" if value <= limit else "not met"


def main(results_path, meta_path, output_path):
    steps = read_results(results_path)
    meta = read_meta(meta_path)
    rows = []

    def row(name, xs, fmt, floor_xs=None, target="", met="", paired=False):
        floor_median = median(floor_xs) if floor_xs is not None else None
        if floor_xs is None:
            shown_ratio = ""
        elif paired and xs and floor_xs:
            shown_ratio = f"{round_ratio(xs, floor_xs):.2f}×"
        else:
            shown_ratio = ratio(median(xs), floor_median)
        rows.append([name, fmt(median(xs)) if xs else "–", spread(xs, fmt),
                     fmt(floor_median) if floor_median is not None else "", shown_ratio, target, met])

    def target_row(name, xs, floor_xs, limit, fmt=seconds):
        measured = round_ratio(xs, floor_xs) if xs and floor_xs else None
        row(name, xs, fmt, floor_xs, f"≤ {limit:.2f}×", verdict(measured, limit), paired=True)

    build = values(steps, "build", "wall_s")
    target_row("`./build.sh --no-run PRODUCT_DIR` / the files concatenated and `gcab -c -z`", build,
               values(steps, "buildfloor", "wall_s"), 1.50)
    pack = values(steps, "pack", "wall_s")
    cab = values(steps, "cab", "wall_s")
    deflate = values(steps, "deflate", "wall_s")
    row("… `smx pack` wall time", pack, seconds)
    row("… `smx cab` wall time, beside plain zlib deflate", cab, seconds, deflate, paired=True)
    row("`smx pack` peak memory", values(steps, "pack", "peak_kb", 1024), megabytes)
    row("`smx cab` peak memory", values(steps, "cab", "peak_kb", 1024), megabytes,
        values(steps, "deflate", "peak_kb", 1024))

    def floor_totals(step):
        return [(p + d + w) / 1000 for p, d, w in zip(values(steps, step, "payload_ms"),
                                                       values(steps, step, "decompress_ms"),
                                                       values(steps, step, "walk_ms"))]

    install = values(steps, "install", "total_ms", 0.001)
    target_row("install, Acepto → success / the floor with the run's screen updates", install,
               floor_totals("screenfloor"), 1.00)
    row("install, Acepto → success / the plain floor", install, seconds, floor_totals("floor"), paired=True)
    row("… payload check and write", values(steps, "install", "payload_ms"), millis,
        values(steps, "floor", "payload_ms"))
    row("… of which the payload check (every block's checksum, `bench/payload_check.cpp`)",
        values(steps, "check", "check_ms"), millis)
    row("… decompression", values(steps, "install", "decompress_ms"), millis,
        values(steps, "floor", "decompress_ms"))
    walk = values(steps, "install", "walk_ms")
    row("… extraction walk, beside the floor with the run's screen updates", walk, millis,
        values(steps, "screenfloor", "walk_ms"), paired=True)
    row("… extraction walk, beside the plain floor", walk, millis, values(steps, "floor", "walk_ms"), paired=True)
    row("… completion (server question → success)", values(steps, "install", "completion_ms"), millis)

    unanswered = values(steps, "install", "unanswered_ms")
    phases = sorted({run.get("unanswered_phases", "?").replace("-", " → ") for run in steps.get("install", [])})
    row(f"longest unanswered WM_NULL (during: {', '.join(phases)})", unanswered, millis, None, "≤ 1000 ms",
        verdict(median(unanswered), 1000))
    private = values(steps, "install", "peak_private")
    row("installer peak private memory", private, megabytes, None, "≤ 40.0 MB", verdict(median(private), 40 * MB))
    row("installer peak working set", values(steps, "install", "peak_ws"), megabytes,
        values(steps, "floor", "peak_ws"))
    row("installer working set before Acepto", values(steps, "install", "idle_ws"), megabytes)
    bare = [float(meta["bare_installer_bytes"])]
    row("installer without payload", bare, lambda x: f"{x:,.0f} bytes", None, "< 1 MB (1,048,576 bytes)",
        verdict(bare[0], MB - 1))

    lines = [
        f"# Benchmark, scale {meta['scale']} ({meta['runs']} runs)",
        "",
        f"- product: {meta['records']} records ({meta['folders']} folders, {meta['files']} files, "
        f"{meta['empty']} empty), archive {int(meta['archive_bytes']):,} bytes, largest file "
        f"{int(meta['largest_file']):,} bytes; cabinet {int(meta['payload_bytes']):,} bytes "
        f"({int(meta['archive_bytes']) / int(meta['payload_bytes']):.1f}:1)",
        f"- machine: {meta['cpus']} cores; load average before {meta['load_before']}, after {meta['load_after']}; "
        f"page cache dropped before every install run: {meta['caches_dropped']}",
        f"- commit {meta['commit']}, {meta['date']}; bench.sh took {meta['elapsed']}",
        f"- installer: {meta.get('installer_build', 'the shipped 32-bit build')}",
        "- ratios: the median of the ratios within each round (a program and its floor run one after the "
        "other, each going first in turn)",
        "- floors: build = the product's files concatenated in name order, then `gcab -c -z`; "
        "packing = plain zlib deflate (level 6, one stream) of the same archive; install = "
        "`floor_install.exe` in the same Wine prefix and run (same cabinet write, same system decompressor, "
        "then CreateFileA/WriteFile/CloseHandle per file); the floor with the run's screen updates does the same "
        "plus one PeekMessage/DispatchMessage per record and one PBM_SETPOS per pixel of fill on a progress bar "
        "like the consent screen's (`floor_install.exe --screen`)",
        "",
        "| measure | median | range | floor (median) | ratio | target | |",
        "|---|---|---|---|---|---|---|",
    ]
    lines += ["| " + " | ".join(r) + " |" for r in rows]
    text = "\n".join(lines) + "\n"
    with open(output_path, "w") as f:
        f.write(text)
    sys.stdout.write(text)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
