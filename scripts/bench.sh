#!/usr/bin/env bash
# Builds the native core and the 64-bit program and prints one table of every benchmark row, each
# measured in this run beside its reference: start-up and memory beside the empty window of
# bench/win, the parser beside memchr, the window's operations beside their targets.
#   PURIMO_BENCH_RUNS=N  start-up runs of each program (default 9)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${PURIMO_BENCH_RUNS:-9}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" native win64 >/dev/null
. "$root/scripts/env.sh"
ensure_display
out="$root/build/bench"
rm -rf "$out"
mkdir -p "$out/purimo" "$out/empty"
# Each program starts from a folder of its own, as a user's copy would; the diary as it ships.
cp "$root/build/win64/PurimoManage.exe" "$out/purimo/"
cp "$root/build/win64/empty_window.exe" "$out/empty/"

start_wine_desktop
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true' EXIT

launcher="$root/build/win64/start_bench.exe"
empty=$("$WINE64" winepath -w "$out/empty/empty_window.exe" 2>/dev/null)
purimo=$("$WINE64" winepath -w "$out/purimo/PurimoManage.exe" 2>/dev/null)
# The machine may be shared: the rows are medians, and the start-up runs alternate so that a busy
# moment slows both programs alike. One warm-up start of each, not counted: the first start after the desktop fills Wine's caches.
"$WINE64" "$launcher" 1 "$empty" "$purimo" </dev/null >/dev/null 2>&1
"$WINE64" "$launcher" "$runs" "$empty" "$purimo" </dev/null >"$out/start.txt" 2>"$out/start.err"
# Output goes to files, not pipes: the Wine server keeps a pipe open after the program ends.
# Three rounds of the window's timings; each row shows the median of the rounds' medians.
(cd "$root/build/win64" && "$WINE64" ./win_tests.exe --gtest_filter='TimingTest.*' --gtest_repeat=3 </dev/null \
    >"$out/timing.txt" 2>&1)
"$root/build/native/core_bench" --benchmark_filter='MemchrScan|CopyToNewString|ReadLongLine' --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=json >"$out/line.json" 2>/dev/null

python3 - "$out" "$root/build/win64/PurimoManage.exe" <<'PY'
import json, os, statistics, sys
out, exe = sys.argv[1], sys.argv[2]
start = {"empty": [], "purimo": []}
memory = {"empty": [], "purimo": []}
caption = ""
for line in open(os.path.join(out, "start.txt"), encoding="utf-8", errors="replace"):
    parts = line.rstrip("\r\n").split(" ", 3)
    kind = "empty" if parts[0].lower().endswith("empty_window.exe") else "purimo"
    start[kind].append(float(parts[1]))
    memory[kind].append(int(parts[2]) / 1024)
    if kind == "purimo":
        caption = parts[3] if len(parts) > 3 else ""
timing = {}
for line in open(os.path.join(out, "timing.txt"), encoding="utf-8", errors="replace"):
    if line.startswith("timing "):
        _, row, ms, n = line.split()
        timing.setdefault(row, []).append(float(ms))
timing = {row: statistics.median(values) for row, values in timing.items()}
line = {}
for b in json.load(open(os.path.join(out, "line.json")))["benchmarks"]:
    if b.get("aggregate_name") == "median":
        line[b["run_name"]] = b
def rate(name):
    return line[name]["bytes_per_second"] / 2**30
def ms(name):
    return line[name]["real_time"]

rows = []
se, sp = statistics.median(start["empty"]), statistics.median(start["purimo"])
rows.append(("start to the first painted month", f"{sp:.0f} ms against {se:.0f} ms ({sp / se:.2f}×)",
             "≤ 1.3×", sp <= 1.3 * se))
me, mp = statistics.median(memory["empty"]), statistics.median(memory["purimo"])
rows.append(("resident memory after start", f"{mp:.1f} MB against {me:.1f} MB (+{mp - me:.1f} MB)",
             "≤ empty + 8 MB", mp <= me + 8))
for row, label, target in [("month_switch", "month switch (save, load, rebuild, repaint)", 5.0),
                           ("grid_repaint", "grid repaint", 1.5),
                           ("chart_redraw", "chart full redraw", 1.0),
                           ("window_image_bmp", "window image + 32-bpp BMP written", 10.0)]:
    value = timing.get(row)
    rows.append((label, "—" if value is None else f"{value:.2f} ms", f"≤ {target:g} ms",
                 value is not None and value <= target))
# The cycle window over twenty years of month files, and what one month more costs.
o24, o240 = timing.get("cycle_open_24"), timing.get("cycle_open_240")
if o24 is not None and o240 is not None:
    rows.append(("cycle window opened over 240 months, to its first painted chart", f"{o240:.1f} ms", "≤ 150 ms",
                 o240 <= 150))
    rows.append(("cycle window opened over 24 months", f"{o24:.1f} ms", "", None))
    per = (o240 - o24) / 216
    rows.append(("one month more (240 against 24 months)", f"{per:.3f} ms a month, {o24 - 24 * per:.1f} ms fixed",
                 "", None))
    page = timing.get("cycle_page_240")
    rows.append(("cycle window, paging to the older cycle", f"{page:.2f} ms", "≤ 10 ms", page <= 10))
    kb = timing.get("cycle_memory_kb_240")
    rows.append(("memory while the cycle window shows twenty years", f"+{kb / 1024:.2f} MB", "≤ +2 MB",
                 kb <= 2048))
for row, label, target in [("csv_240", "the whole diary as CSV, 240 months (read, cycles, written)", 150.0),
                           ("report_page", "report page laid out and drawn on a memory canvas", 50.0)]:
    value = timing.get(row)
    rows.append((label, "—" if value is None else f"{value:.1f} ms", f"≤ {target:g} ms",
                 value is not None and value <= target))
for shape, arg in [("one field", "64/0"), ("short fields", "64/1")]:
    parse, scan = rate(f"ReadLongLine/{arg}"), rate(f"MemchrScan/{arg}")
    rows.append((f"reader + parser, one 64 MiB line of {shape}",
                 f"{parse:.2f} GiB/s against memchr {scan:.2f} GiB/s ({100 * parse / scan:.0f} %)", "≥ 25 %",
                 parse >= 0.25 * scan))
rows.append(("(reference) one copy of the 64 MiB line into new memory",
             f"{rate('CopyToNewString/64/0'):.2f} GiB/s ({100 * rate('CopyToNewString/64/0') / rate('MemchrScan/64/0'):.0f} % of memchr)",
             "", None))
ratio = ms("ReadLongLine/64/0") / (64 * ms("ReadLongLine/1/0"))
rows.append(("64 MiB line against 64 × 1 MiB", f"{ms('ReadLongLine/64/0'):.1f} ms against "
             f"64 × {ms('ReadLongLine/1/0'):.2f} ms ({ratio:.2f})", "within ± 20 %", abs(ratio - 1) <= 0.2))

print(f"| What | Measured | Target | Met |")
print(f"|---|---|---|---|")
for what, value, target, met in rows:
    print(f"| {what} | {value} | {target} | {'' if met is None else 'yes' if met else 'no'} |")
print()
print(f"Start-up: median of {len(start['purimo'])} alternating starts of each; the diary's caption: {caption}")
print(f"Executable as shipped: {os.path.getsize(exe) / 2**20:.1f} MB")
PY
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores," \
    "$(free -g | awk '/Mem:/ {print $2}') GB, $(/usr/lib/wine/wine64 --version), $(uname -sr)"
