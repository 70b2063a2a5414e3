#!/usr/bin/env bash
# Builds a release build (build-bench) and runs every benchmark of the
# project: each bench/bench_*.cpp program (Google Benchmark, repeated, the
# median taken), every bench/bench_*.sh script, and the MIDI flood test for
# its full length. Prints one table: benchmark, median, target, met or not.
#
#   ./bench.sh                      everything
#   ./bench.sh bench_files ...      only the named programs (the flood only with "flood")
#   BENCH_REPETITIONS=5 ./bench.sh  repetitions of each benchmark (default 3)
#   SONDRAKE_FLOOD_SECONDS=10       length of each flood phase (default 10)
#
# Benchmarks that need MIDI run against a private JACK server started here.
# Raw results stay in build-bench/results/.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
JOBS=$(nproc)
REPS="${BENCH_REPETITIONS:-3}"
FLOOD_SECONDS="${SONDRAKE_FLOOD_SECONDS:-10}"
BUILD="$ROOT/build-bench"
OUT="$BUILD/results"

./scripts/deps.sh --bench

wanted=("$@")
want() {
  [ ${#wanted[@]} -eq 0 ] && return 0
  local w
  for w in "${wanted[@]}"; do [ "$w" = "$1" ] && return 0; done
  return 1
}

benches=()
for src in bench/bench_*.cpp; do
  name=$(basename "$src" .cpp)
  want "$name" && benches+=("$name")
done

echo "== release build ($BUILD)"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DSONDRAKE_BENCH=ON >/dev/null
targets=("${benches[@]}" sondrake qlindorn-emulator)
want flood && targets+=(integration_itest_flood)
rm -rf "$OUT"
mkdir -p "$OUT"
# One benchmark that does not build must not hide the others: keep going,
# and list what failed in the table.
cmake --build "$BUILD" -j"$JOBS" --target "${targets[@]}" -- -k >"$OUT/build.log" 2>&1 || true
grep -E "error" "$OUT/build.log" | head -20 || true
built=()
for b in "${benches[@]}"; do
  if [ -x "$BUILD/bin/$b" ]; then built+=("$b"); else echo "build of $b failed" >"$OUT/$b.buildfailed"; fi
done
benches=("${built[@]}")
[ -x "$BUILD/bin/qlindorn-emulator" ] || echo "the emulator did not build: benchmarks over MIDI read nothing" >&2
export QT_QPA_PLATFORM=offscreen
export SONDRAKE_BIN_DIR="$BUILD/bin"

. scripts/jack.sh
trap sondrake_jack_stop EXIT INT TERM
sondrake_jack_start "$OUT/jackd.log"

for b in "${benches[@]}"; do
  echo "== $b"
  if ! "$BUILD/bin/$b" --benchmark_repetitions="$REPS" --benchmark_report_aggregates_only=true \
       --benchmark_out="$OUT/$b.json" --benchmark_out_format=json >"$OUT/$b.log" 2>&1; then
    echo "   $b failed; its output: $OUT/$b.log"
    tail -5 "$OUT/$b.log" | sed 's/^/   /'
  fi
done

for script in bench/bench_*.sh; do
  [ -x "$script" ] || continue
  name=$(basename "$script" .sh)
  want "$name" || continue
  echo "== $name"
  # A script prints lines "RESULT <name> <value> <unit>"; they join the table.
  "$script" >"$OUT/$name.log" 2>&1 || echo "   $name failed; its output: $OUT/$name.log"
done

if want flood && [ ! -x "$BUILD/bin/integration_itest_flood" ]; then
  echo "RESULT flood_test 0 not built" >"$OUT/flood.log"
elif want flood; then
  echo "== MIDI flood, ${FLOOD_SECONDS} s per phase"
  if SONDRAKE_FLOOD_SECONDS="$FLOOD_SECONDS" "$BUILD/bin/integration_itest_flood" >"$OUT/flood.log" 2>&1; then
    echo "RESULT flood_test 1 passed" >>"$OUT/flood.log"
  else
    echo "RESULT flood_test 0 passed" >>"$OUT/flood.log"
  fi
fi

sondrake_jack_stop

if ! command -v python3 >/dev/null; then
  echo "python3 is missing: the table cannot be built; raw results are in $OUT" >&2
  exit 1
fi

python3 - "$OUT" "$FLOOD_SECONDS" <<'PY'
import glob, json, os, re, sys

out, flood_seconds = sys.argv[1], sys.argv[2]

# Targets by benchmark name (a regular expression on the name without its
# "/..." suffix): which figure counts, and the bound it must keep.
#   (pattern, figure, op, bound, label)
# figure: "time" is the benchmark's own time; otherwise a user counter.
TARGETS = [
    (r"^BM_StartMinimalWindow$", "time", None, None, "start-up, minimal Qt window (reference)"),
    (r"^BM_StartMainWindow$", "time", None, None, "start-up, main window"),
    (r"^BM_StartMainWindowDamagedSettings$", "time", "<", 2.0, "start-up, damaged 16 MB settings file"),
    (r"^BM_PacedHandOffGap$", "median_gap_ms", "range", (2.0, 2.5), "pacing: hand-off gap (ms)"),
    (r"^BM_GuiStall(?!IdleBaseline)", ["worst_stall_ms", "worst_event_wall_ms"], "<", 5.0, "GUI stall (ms)"),
    (r"^BM_PanicLatencyBehind200Sounds$", "max_ms", "<", 90.0, "Panic behind 200 sounds at the wire rate (ms)"),
    (r"^BM_PanicLatency.*Reference$", "median_ms", None, None, "Panic queued last (ms)"),
    (r"^BM_NrpnDragReleaseLatency$", "release_ms", "<", 100.0, "last value of a 300-move NRPN drag (ms)"),
    (r"^BM_NrpnDragReleaseLatency.*Reference$", "release_ms", None, None, "same, every value queued (ms)"),
    (r"^BM_ReceivedSoundHandler$", "max_ms", "<", 5.0, "GUI stall per received sound, worst (ms)"),
    (r"^BM_(Save|Load)Bank$", "time", "<", 5e-3, "bank file I/O"),
    (r"^BM_OrderByName", "time", "<", 5e-3, "sort 200"),
    (r"^BM_(Knob|Slider)Paint$", "time", "<", 50e-6, "paint"),
    (r"^BM_Editor.*Create|^BM_Create.*Editor", "time", "<", 150e-3, "editor creation"),
    (r"^BM_Randomize", "time", "<", 1e-3, "randomize"),
    (r"^BM_ExploreGeneration$", "time", "<", 1e-3, "explore: one generation of eight"),
    (r"^BM_ExploreWindowOpen$", "time", "<", 100e-3, "explore: window opening"),
    (r"Reload", "time", "<", 50e-3, "randomize and reload controls"),
    (r"^BM_EditorKnobDrag", "s_per_move", "<", 2e-3, "knob drag, GUI time per move (s)"),
    (r"^BM_KeyPressToNoteOn$", "median_ms", "<", 20.0, "key-to-note latency (ms)"),
    (r"^BM_IdleCpuWithPlayer", "cpu_percent", "<", 1.0, "idle CPU (%)"),
    (r"^BM_LibraryArchiveBankRead$", "time", "<", 50e-3, "library: archive a bank read of 100 sounds"),
    (r"^BM_LibraryArchiveCallOnGuiThread", "time", "<", 1e-3, "library: GUI thread's part of archiving 100"),
    (r"^BM_Library(Name|Parameter)Search", "time", "<", 100e-3, "library: search at 100,000 sounds"),
    (r"^BM_LibrarySimilarSounds", "time", "<", 300e-3, "library: similar sounds at 100,000"),
    (r"^BM_LibraryModelOpen$", "time", "<", 300e-3, "library: open the list of 100,000"),
    (r"^BM_LibraryWindowOpen$", "time", "<", 300e-3, "library: open the window over 100,000"),
    (r"^BM_LibraryDatabaseSize", "size_mb", "<", 150.0, "library: file size at 100,000 sounds (MB)"),
    (r"^BM_HundredBankReadsOnTheStack$", "history_mb", "<", 3.0, "history: 100 bank reads on the stack (MB)"),
    (r"^BM_ResidentSet$", "rss_after_start_mb", "<", 80.0, "resident set after start-up (MB)"),
    (r"^BM_ResidentSet$", "rss_after_bank_read_mb", "<", 80.0, "resident set after a bank read (MB)"),
]

UNIT = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}

def seconds_text(s):
    if s is None:
        return "?"
    if s >= 1:
        return "%.2f s" % s
    if s >= 1e-3:
        return "%.2f ms" % (s * 1e3)
    if s >= 1e-6:
        return "%.2f us" % (s * 1e6)
    return "%.0f ns" % (s * 1e9)

def number_text(v):
    return "%.3g" % v if abs(v) < 1000 else "%.0f" % v

rows = []  # (benchmark, figure text, target text, met)

def check(value, op, bound):
    if op is None:
        return "-"
    if op == "<":
        return "yes" if value < bound else "NO"
    if op == "range":
        return "yes" if bound[0] <= value <= bound[1] else "NO"
    return "?"

def target_text(op, bound, figure):
    if op is None:
        return "(reference)"
    if op == "range":
        return "%s..%s" % bound
    return "< " + (seconds_text(bound) if figure == "time" else number_text(bound))

results = {}
for path in sorted(glob.glob(os.path.join(out, "bench_*.json"))):
    program = os.path.basename(path)[:-5]
    try:
        data = json.load(open(path))
    except Exception as e:
        rows.append((program, "no results (%s)" % e, "", "NO"))
        continue
    medians, singles = {}, {}
    for b in data.get("benchmarks", []):
        name = b.get("run_name", b["name"]).split("/")[0]
        if b.get("error_occurred"):
            singles[name] = dict(b, _error=b.get("error_message", "error"))
        elif b.get("run_type") == "aggregate":
            if b.get("aggregate_name") == "median":
                medians[name] = b
        else:
            singles.setdefault(name, b)
    for name in list(medians) + [n for n in singles if n not in medians]:
        results[name] = (program, medians.get(name) or singles[name])

for name, (program, b) in results.items():
    if "_error" in b:
        rows.append((name, "failed: " + b["_error"], "", "NO"))
        continue
    seconds = b.get("real_time", 0) * UNIT.get(b.get("time_unit", "ns"), 1e-9)
    matched = False
    for pattern, figure, op, bound, label in TARGETS:
        if not re.search(pattern, name):
            continue
        matched = True
        if isinstance(figure, list):  # the first counter the benchmark reports
            figure = next((f for f in figure if f in b), figure[0])
        if figure == "time":
            value, text = seconds, seconds_text(seconds)
        elif figure in b:
            value, text = b[figure], number_text(b[figure])
        else:
            rows.append((name, "no figure " + figure, target_text(op, bound, figure), "NO"))
            continue
        rows.append((name + ("" if figure == "time" else " " + figure), text, target_text(op, bound, figure),
                     check(value, op, bound)))
    if not matched:
        rows.append((name, seconds_text(seconds), "no target", "-"))

for path in sorted(glob.glob(os.path.join(out, "bench_*.buildfailed"))):
    rows.append((os.path.basename(path)[:-len(".buildfailed")], "did not build", "", "NO"))

# Start-up against the minimal window.
if "BM_StartMainWindow" in results and "BM_StartMinimalWindow" in results:
    m = results["BM_StartMainWindow"][1].get("real_time", 0)
    r = results["BM_StartMinimalWindow"][1].get("real_time", 0)
    if r:
        rows.append(("start-up ratio main/minimal", "%.2f" % (m / r), "<= 1.5", "yes" if m / r <= 1.5 else "NO"))

# The flood test's figures, from its own report.
flood = os.path.join(out, "flood.log")
if os.path.exists(flood):
    text = open(flood, errors="replace").read()
    for phase, ms, gap in re.findall(
            r"(during a bank read|idle): \d+ messages.*worst GUI stall ([\d.]+) ms \(longest timer gap ([\d.]+) ms\)",
            text):
        rows.append(("flood %s s, %s: worst stall" % (flood_seconds, phase), ms + " ms", "< 20 ms",
                     "yes" if float(ms) < 20 else "NO"))
        rows.append(("flood %s s, %s: longest timer gap" % (flood_seconds, phase), gap + " ms", "no target", "-"))
    m = re.search(r"resident set: ([\d.]+) MB before the floods, ([\d.]+) MB after", text)
    if m:
        grew = float(m.group(2)) - float(m.group(1))
        rows.append(("flood %s s: memory growth" % flood_seconds, "%.1f MB" % grew, "< 10 MB",
                     "yes" if grew < 10 else "NO"))
    passed = "RESULT flood_test 1" in text
    rows.append(("flood %s s: stored only whole dumps, no crash" % flood_seconds,
                 "passed" if passed else "FAILED", "passes", "yes" if passed else "NO"))

# Lines "RESULT <name> <value> <unit>" of the bench scripts.
for path in sorted(glob.glob(os.path.join(out, "bench_*.log"))):
    for line in open(path, errors="replace"):
        parts = line.split()
        if len(parts) >= 3 and parts[0] == "RESULT":
            rows.append((parts[1], " ".join(parts[2:]), "no target", "-"))

w = [max(len(r[i]) for r in rows + [("benchmark", "median", "target", "met")]) for i in range(4)]
line = "  ".join("%-*s" % (w[i], h) for i, h in enumerate(("benchmark", "median", "target", "met")))
print()
print(line)
print("-" * len(line))
for r in rows:
    print("  ".join("%-*s" % (w[i], r[i]) for i in range(4)))
missed = sum(1 for r in rows if r[3] == "NO")
print()
print("%d figures, %d targets missed. Raw results: %s" % (len(rows), missed, out))
PY
