#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang and runs each one for a
# bounded time on a seed corpus the project writes itself.
#
#   ./fuzz.sh            every target for 60 seconds
#   ./fuzz.sh --smoke    every target for 5 seconds (what test.sh runs)
#   ./fuzz.sh --time N   every target for N seconds
#   ./fuzz.sh [options] fuzz_inifile ...   only the named targets
#
# The build lives in build-fuzz (FUZZ_BUILD_DIR overrides it) and is reused,
# so a second run only rebuilds what changed. The corpus each target grows is
# kept in <build>/corpus/<target> and fed to the next run. A failure leaves
# its input in <build>/crashes/ and prints how to replay it.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)

seconds=60
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --smoke) seconds=5 ;;
    --time) shift; seconds="$1" ;;
    -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
    fuzz_*) targets+=("$1") ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
  shift
done

./scripts/deps.sh --fuzz

BUILD="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
JOBS=$(nproc)

echo "== fuzz build ($BUILD)"
# A build folder made when fuzz/ was a project of its own is configured anew;
# its corpus and crashes stay.
if [ -f "$BUILD/CMakeCache.txt" ] && ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$ROOT" "$BUILD/CMakeCache.txt"; then
  rm -rf "$BUILD/CMakeCache.txt" "$BUILD/CMakeFiles"
fi
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSONDRAKE_FUZZ=ON \
    -DBUILD_TESTING=OFF -DSONDRAKE_BENCH=OFF >/dev/null
fi
if ! cmake --build "$BUILD" -j"$JOBS" --target fuzz >"$BUILD/build.log" 2>&1; then
  grep -E "error|Error" "$BUILD/build.log" | head -30 >&2
  echo "fuzz build failed; the whole log: $BUILD/build.log" >&2
  exit 1
fi

if [ ${#targets[@]} -eq 0 ]; then
  for t in "$BUILD"/bin/fuzz_*; do targets+=("$(basename "$t")"); done
fi

rm -rf "$BUILD/seeds"
"$BUILD/bin/make_seeds" "$BUILD/seeds"
mkdir -p "$BUILD/crashes" "$BUILD/logs"

# Leaks count as failures; a sanitizer report stops the target at once.
# No fill of new memory and a small quarantine: the targets allocate much, and
# on a busy machine page faults would take most of the time.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1:max_malloc_fill_size=0:quarantine_size_mb=32"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

echo "== fuzzing ${#targets[@]} targets for ${seconds} s each"
pids=()
for t in "${targets[@]}"; do
  seedname="${t#fuzz_}"
  corpus="$BUILD/corpus/$t"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$BUILD/seeds/$seedname" ] && seeds=("$BUILD/seeds/$seedname")
  # All targets at once: the wall time stays at the time limit; every target
  # gets a fair share of the cores.
  "$BUILD/bin/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=8192 \
    -artifact_prefix="$BUILD/crashes/$t-" -print_final_stats=1 \
    "$corpus" "${seeds[@]}" >"$BUILD/logs/$t.log" 2>&1 &
  pids+=($!)
done

status=0
for i in "${!targets[@]}"; do
  t="${targets[$i]}"
  if wait "${pids[$i]}"; then
    runs=$(grep -o "stat::number_of_executed_units: *[0-9]*" "$BUILD/logs/$t.log" | grep -o "[0-9]*$" || echo "?")
    cov=$(grep -o "cov: [0-9]*" "$BUILD/logs/$t.log" | tail -1 || true)
    printf "  %-20s clean  %10s runs  %s\n" "$t" "$runs" "$cov"
  else
    status=1
    printf "  %-20s FAILED (log: %s)\n" "$t" "$BUILD/logs/$t.log"
    grep -A25 "ERROR: \|property failed\|runtime error" "$BUILD/logs/$t.log" | head -40 || tail -30 "$BUILD/logs/$t.log"
    crash=$(ls -t "$BUILD/crashes/$t-"* 2>/dev/null | head -1 || true)
    [ -n "$crash" ] && echo "  replay: $BUILD/bin/$t $crash"
  fi
done
exit $status
