#!/usr/bin/env bash
# Builds the native core and the 64-bit program and prints one table of every benchmark row, each
# measured in this run beside its reference: start-up and memory beside the empty window of
# bench/win, the parser beside memchr, the window's operations beside their targets.
#   PURIMO_BENCH_RUNS=N  start-up runs of each program (default 9)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${PURIMO_BENCH_RUNS:-9}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" native win64 win32 >/dev/null
. "$root/scripts/env.sh"
ensure_display
out="$root/build/bench"
rm -rf "$out"
start_wine_desktop
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true' EXIT

# Start-up of each kind of program beside its floor and the empty window, built by the same
# toolchain. Each program starts from a folder of its own, as a user's copy would; the diary as it
# ships. The machine may be shared: the starts alternate, so that a busy moment slows the programs
# of one round alike, and the ratio to the floor is the median of the rounds' own ratios. Two
# warm-up rounds, not counted: the first starts after the desktop fill Wine's caches.
for kind in win64 win32; do
    loader=/usr/lib/wine/wine64
    [ "$kind" = win32 ] && loader=/usr/lib/wine/wine
    if [ ! -x "$loader" ]; then
        echo "bench: $loader is not installed (the set-up said why): the $kind start is not measured"
        continue
    fi
    mkdir -p "$out/$kind/purimo" "$out/$kind/empty" "$out/$kind/floor"
    cp "$root/build/$kind/PurimoManage.exe" "$out/$kind/purimo/"
    cp "$root/build/$kind/empty_window.exe" "$out/$kind/empty/"
    cp "$root/build/$kind/start_floor.exe" "$out/$kind/floor/"
    programs=()
    for p in empty/empty_window floor/start_floor purimo/PurimoManage; do
        programs+=("$("$WINE64" winepath -w "$out/$kind/$p.exe" 2>/dev/null)")
    done
    "$loader" "$root/build/$kind/start_bench.exe" 2 "${programs[@]}" </dev/null >/dev/null 2>&1
    "$loader" "$root/build/$kind/start_bench.exe" "$runs" "${programs[@]}" </dev/null >"$out/start-$kind.txt" \
        2>"$out/start-$kind.err"
done
# The start at 150 %: the diary and the floor, both laying themselves out at 144 DPI, in the 144-DPI
# prefix on a display and a Wine desktop of their own (dpi-prefix.sh), started in turns as above.
# This prefix's desktop stays as it is.
(
    enter_dpi_prefix 144
    mkdir -p "$out/dpi144/purimo" "$out/dpi144/floor"
    cp "$root/build/win64/PurimoManage.exe" "$out/dpi144/purimo/"
    cp "$root/build/win64/start_floor.exe" "$out/dpi144/floor/"
    programs=()
    for p in floor/start_floor purimo/PurimoManage; do
        programs+=("$("$WINE64" winepath -w "$out/dpi144/$p.exe" 2>/dev/null)")
    done
    "$WINE64" "$root/build/win64/start_bench.exe" 2 "${programs[@]}" </dev/null >/dev/null 2>&1
    "$WINE64" "$root/build/win64/start_bench.exe" "$runs" "${programs[@]}" </dev/null >"$out/start-dpi144.txt" \
        2>"$out/start-dpi144.err"
)
# The switch floor: the floor window with plain children, 30 pixels wider or narrower and redrawn.
(cd "$out/win64/floor" && "$WINE64" ./start_floor.exe --switch 48 </dev/null >"$out/switch-floor.txt" 2>&1)
# Output goes to files, not pipes: the Wine server keeps a pipe open after the program ends.
# Three rounds of the window's timings (bench/win/WindowBench.cpp); each row shows the median of the
# rounds' medians.
(cd "$root/build/win64" && "$WINE64" ./win_bench.exe --gtest_repeat=3 </dev/null >"$out/timing.txt" 2>&1)
"$root/build/native/core_bench" --benchmark_filter='MemchrScan|CopyToNewString|ReadLongLine' --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=json >"$out/line.json" 2>/dev/null

python3 - "$out" "$root/build/win64/PurimoManage.exe" <<'PY'
import json, os, statistics, sys
out, exe = sys.argv[1], sys.argv[2]
start = {}
memory = {}
caption = ""
for kind in ("win64", "win32", "dpi144"):
    if not os.path.exists(os.path.join(out, f"start-{kind}.txt")):
        continue
    for line in open(os.path.join(out, f"start-{kind}.txt"), encoding="utf-8", errors="replace"):
        parts = line.rstrip("\r\n").split(" ", 3)
        name = parts[0].lower()
        program = "empty" if name.endswith("empty_window.exe") else "floor" if name.endswith("start_floor.exe") else "purimo"
        start.setdefault((kind, program), []).append(float(parts[1]))
        memory.setdefault((kind, program), []).append(int(parts[2]) / 1024)
        if program == "purimo":
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

for text in open(os.path.join(out, "switch-floor.txt"), encoding="utf-8", errors="replace"):
    if text.startswith("timing "):
        _, row, value, n = text.split()
        timing[row] = float(value)

rows = []
for kind, what in (("win64", "64-bit"), ("win32", "32-bit"), ("dpi144", "at 144 DPI (150 %), 64-bit")):
    if (kind, "purimo") not in start:
        continue
    sp = statistics.median(start[(kind, "purimo")])
    sf = statistics.median(start[(kind, "floor")])
    ratio = statistics.median(p / f for p, f in zip(start[(kind, "purimo")], start[(kind, "floor")]))
    measured = f"{ratio:.2f}× the floor (medians {sp:.0f} ms against {sf:.0f} ms)"
    if (kind, "empty") in start:
        measured += f"; empty window {statistics.median(start[(kind, 'empty')]):.0f} ms"
    rows.append((f"start to the first painted month, {what}", measured, "≤ 1.3× floor", ratio <= 1.3))
me = statistics.median(memory[("win64", "empty")])
mp = statistics.median(memory[("win64", "purimo")])
rows.append(("resident memory after start, 64-bit", f"{mp:.1f} MB against {me:.1f} MB (+{mp - me:.1f} MB)",
             "≤ empty + 8 MB", mp <= me + 8))
switch, flush, floor = timing.get("month_switch"), timing.get("month_flush"), timing.get("switch_floor")
if switch is not None and flush is not None and floor is not None:
    rows.append(("month switch to a month of another length, without the save's flush",
                 f"{switch - flush:.2f} ms against the floor's {floor:.2f} ms ({(switch - flush) / floor:.2f}×)",
                 "≤ 1.3× floor", switch - flush <= 1.3 * floor))
    rows.append(("(its own row) the save's flush to disk", f"{flush:.2f} ms", "", None))
same = timing.get("show_same_month")
rows.append(("month switch to a month of the same length", "—" if same is None else f"{same:.2f} ms", "≤ 1 ms",
             same is not None and same <= 1))
for row, label, target in [("grid_repaint", "grid repaint", 1.5),
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
for row, label, target in [("left_out_toggle_240", "a reading left out or taken back, 240 months, to the repainted window", 50.0),
                           ("cycle_table_open_240", "the table of every cycle opened over 240 months, to its first painted rows", 150.0),
                           ("csv_240", "the whole diary as CSV, 240 months (read, cycles, written)", 150.0),
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
             f"64 × {ms('ReadLongLine/1/0'):.2f} ms ({ratio:.2f})", "no more than linear (≤ 1.2)", ratio <= 1.2))

print(f"| What | Measured | Target | Met |")
print(f"|---|---|---|---|")
for what, value, target, met in rows:
    print(f"| {what} | {value} | {target} | {'' if met is None else 'yes' if met else 'no'} |")
print()
print(f"Start-up: {len(start[('win64', 'purimo')])} rounds of alternating starts, ratio = median of the rounds' ratios; the diary's caption: {caption}")
print(f"Executable as shipped: {os.path.getsize(exe) / 2**20:.1f} MB")
PY
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores," \
    "$(free -g | awk '/Mem:/ {print $2}') GB, $(/usr/lib/wine/wine64 --version), $(uname -sr)"
