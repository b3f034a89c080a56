#!/usr/bin/env python3
"""Runs every speed and memory measurement of Quillmark and prints one table of medians.

  bench/report.py BUILD_DIR [--runs N] [--reps N] [--markdown FILE]

1. The program's pieces in one process (quill_bench, Google Benchmark, repeated --reps times).
2. One whole stamping as a process (quillmark_stamp_once) against ImageMagick's convert doing the
   same job, alternating the two --runs times each; wall time from spawn to reaped, peak RSS from
   the child's own resource usage.
3. The real program under the X display named by $DISPLAY (an Xvfb started by tools/bench.sh):
   process start to the first frame shown, with QUILL_EXIT_AFTER_FIRST_FRAME=1.
"""

import argparse
import json
import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MIB = 1024.0
SPAWN = None  # build/bin/quill_spawn_timed, set in main


def spawn_timed(argv, env=None):
    """Runs argv once through the small launcher; returns (seconds, peak RSS in KiB, exit code,
    CPU seconds)."""
    out = subprocess.run([SPAWN] + argv, env=env, check=True, capture_output=True, text=True).stdout.split()
    return int(out[0]) / 1e6, int(out[1]), int(out[2]), int(out[3]) / 1e6


def median(values):
    return statistics.median(values) if values else float("nan")


# --- 1. In-process pieces --------------------------------------------------------------------------

def run_pieces(build, reps):
    out = tempfile.NamedTemporaryFile(suffix=".json", delete=False)
    out.close()
    subprocess.run([os.path.join(build, "bin", "quill_bench"), f"--benchmark_repetitions={reps}",
                    "--benchmark_enable_random_interleaving=true", f"--benchmark_out={out.name}",
                    "--benchmark_out_format=json", "--benchmark_format=console"],
                   check=True, stdout=sys.stderr)
    with open(out.name) as f:
        data = json.load(f)
    os.unlink(out.name)
    pieces = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        name = b["run_name"].split("/")[0]
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        pieces[name] = {"ms": b["real_time"] * scale, "counters": {k: v for k, v in b.items()
                                                                    if k.endswith("KiB")}}
    return pieces


# --- 2. Whole stamping process against convert ----------------------------------------------------

def imagemagick_convert():
    """ImageMagick's own convert program: a wrapper script in front of it would add a shell's start."""
    for candidate in ("/usr/bin/convert", shutil.which("convert")):
        if candidate and os.path.isfile(candidate):
            with open(os.path.realpath(candidate), "rb") as f:
                if f.read(4) == b"\x7fELF":
                    return os.path.realpath(candidate)
    raise SystemExit("ImageMagick's convert program is not installed")


def run_comparison(build, runs):
    work = tempfile.mkdtemp(prefix="quillmark-bench-")
    env = dict(os.environ, QUILLMARK_DRIVE_C=os.path.join(work, "drive_c"))
    quill = [os.path.join(build, "bin", "quillmark_stamp_once"), "35.123456", "115.123456", "stamp"]
    convert = [imagemagick_convert(), "-size", "328x584", "xc:rgb(240,240,240)",
               os.path.join(ROOT, "assets", "embed", "background.png"), "-geometry", "+0+0", "-composite",
               "-fill", "rgb(196,254,167)", "-pointsize", "12", "-annotate", "+150+122", "35.123456",
               "-annotate", "+144+140", "115.123456", "-type", "TrueColor",
               "BMP3:" + os.path.join(work, "out.bmp")]
    results = {"quillmark": ([], [], []), "convert": ([], [], [])}
    # One untimed run each fills the page cache and makes the drive folder.
    for argv in (quill, convert):
        _, _, code, _ = spawn_timed(argv, env)
        if code != 0:
            raise SystemExit(f"{argv[0]} failed with exit code {code}")
    for _ in range(runs):
        for name, argv in (("quillmark", quill), ("convert", convert)):
            seconds, rss, code, cpu = spawn_timed(argv, env)
            if code != 0:
                raise SystemExit(f"{argv[0]} failed with exit code {code}")
            results[name][0].append(seconds * 1e3)
            results[name][1].append(rss)
            results[name][2].append(cpu * 1e3)
    shutil.rmtree(work, ignore_errors=True)
    return {name: {"ms": median(t), "rss_kib": median(r), "cpu_ms": median(c)}
            for name, (t, r, c) in results.items()}


# --- 3. The real window under Xvfb -----------------------------------------------------------------

def run_first_frame(build, runs):
    if not os.environ.get("DISPLAY"):
        return None
    work = tempfile.mkdtemp(prefix="quillmark-bench-")
    env = dict(os.environ, QUILLMARK_DRIVE_C=os.path.join(work, "drive_c"), QUILL_EXIT_AFTER_FIRST_FRAME="1")
    argv = [os.path.join(build, "bin", "quillmark")]
    spawn_timed(argv, env)  # untimed: the page cache and the drive folder
    times, rss, cpus = [], [], []
    for _ in range(runs):
        seconds, kib, code, cpu = spawn_timed(argv, env)
        if code != 0:
            raise SystemExit(f"quillmark failed with exit code {code}")
        times.append(seconds * 1e3)
        rss.append(kib)
        cpus.append(cpu * 1e3)
    shutil.rmtree(work, ignore_errors=True)
    return {"ms": median(times), "rss_kib": median(rss), "cpu_ms": median(cpus)}


# --- The table --------------------------------------------------------------------------------------

def machine():
    model = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    load = os.getloadavg()[0]
    return f"{os.cpu_count()} cores ({model}), {platform.system()} {platform.release()}, load average {load:.1f}"


def fmt_ms(ms):
    if ms < 1:
        return f"{ms * 1000:.0f} us"
    return f"{ms:.2f} ms" if ms < 10 else f"{ms:.1f} ms"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=30)
    parser.add_argument("--reps", type=int, default=10)
    parser.add_argument("--markdown")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    global SPAWN
    SPAWN = os.path.join(build, "bin", "quill_spawn_timed")

    pieces = run_pieces(build, args.reps)
    comparison = run_comparison(build, args.runs)
    frame = run_first_frame(build, max(10, args.runs // 3))

    rows = []  # (what, median, memory, budget, met)

    def piece(name, what, budget_ms, memory_key=None):
        p = pieces.get(name)
        if not p:
            rows.append((what, "missing", "", fmt_ms(budget_ms) if budget_ms else "", "no"))
            return
        memory = ""
        if memory_key and memory_key in p["counters"]:
            memory = f"{p['counters'][memory_key] / MIB:.2f} MiB held"
        met = "" if budget_ms is None else ("yes" if p["ms"] <= budget_ms else "no")
        rows.append((what, fmt_ms(p["ms"]), memory, f"<= {fmt_ms(budget_ms)}" if budget_ms else "-", met))

    piece("BM_StartUp", "Start-up to the shown window (in-process)", 10.0, "window_heap_KiB")
    piece("BM_Preview", "Preview (two overlay writes, capture, keep)", 1.0, "kept_heap_KiB")
    piece("BM_Save", "Save into a new file (path join, 574,710-byte write)", 0.3)
    piece("BM_SaveOverwrite", "Save over the last Save's file", None)
    piece("BM_PaintPicture", "Full paint of the picture box", None)
    piece("BM_LabelWrite", "One overlay label text write", None)
    piece("BM_Reference_Copy", "Yardstick: copying 574,710 bytes", None)
    piece("BM_Reference_WriteNewFile", "Yardstick: writing 574,710 bytes to a new file", None)

    q, c = comparison["quillmark"], comparison["convert"]
    ratio = q["ms"] / c["ms"]
    rows.append(("Whole stamping process, headless", fmt_ms(q["ms"]),
                 f"{q['rss_kib'] / MIB:.1f} MiB peak; CPU {fmt_ms(q['cpu_ms'])}",
                 f"<= 0.5 x convert", "yes" if ratio <= 0.5 else "no"))
    rows.append(("ImageMagick convert, same job", fmt_ms(c["ms"]),
                 f"{c['rss_kib'] / MIB:.1f} MiB peak; CPU {fmt_ms(c['cpu_ms'])}",
                 "reference", ""))
    if frame:
        met = frame["ms"] <= 60 and frame["rss_kib"] / MIB <= 20
        rows.append(("Real window under Xvfb: start to first frame", fmt_ms(frame["ms"]),
                     f"{frame['rss_kib'] / MIB:.1f} MiB peak; CPU {fmt_ms(frame['cpu_ms'])}",
                     "<= 60 ms, <= 20 MiB", "yes" if met else "no"))
    else:
        rows.append(("Real window under Xvfb: start to first frame", "not run (no DISPLAY)", "", "", ""))

    header = ("Measurement", "Median", "Memory", "Budget", "Met")
    lines = ["| " + " | ".join(header) + " |", "|" + "|".join("---" for _ in header) + "|"]
    lines += ["| " + " | ".join(r) + " |" for r in rows]
    summary = [
        f"Machine: {machine()}",
        f"Ratio of medians, Quillmark / convert: {ratio:.2f} wall, "
        f"{q['cpu_ms'] / c['cpu_ms']:.2f} CPU ({args.runs} alternating runs each)",
    ]
    text = "\n".join(lines + [""] + summary)
    print(text)
    if args.markdown:
        with open(args.markdown, "w") as f:
            f.write(text + "\n")


if __name__ == "__main__":
    main()
