#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: integration tests
# over a private JACK server, the packaging checks, the unit and widget tests
# offscreen under AddressSanitizer and UndefinedBehaviorSanitizer, and a short
# run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
JOBS=$(nproc)

# With clang, which the sanitizer build and the fuzz targets use.
./scripts/deps.sh --fuzz

export QT_QPA_PLATFORM=offscreen

# Line tables are enough for the sanitizers' reports and a debugger's
# backtrace, and cost much less to build than full debug information.
flags=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DSONDRAKE_BENCH=OFF -DSONDRAKE_WERROR=ON)

# The plain build holds the programs, the integration tests and the
# packaging; the unit and window tests are built once, under the sanitizers,
# and run there only (they find more there, and building them twice costs CI
# minutes). A compiler warning fails either build.
echo "== build (at ${SECONDS} s)"
cmake -S . -B build "${flags[@]}" -DSONDRAKE_UNIT_TESTS=OFF >/dev/null
cmake --build build -j"$JOBS"

. scripts/jack.sh
trap sondrake_jack_stop EXIT INT TERM
sondrake_jack_start "$ROOT/build/jackd.log"

# The sanitizer build uses clang: it builds this code a third faster than
# g++, and a second compiler's warnings fail the build too.
# A folder configured with g++ before is configured anew.
if [ -f build-asan/CMakeCache.txt ] && ! grep -q "^CMAKE_CXX_COMPILER:.*clang++-14" build-asan/CMakeCache.txt; then
  rm -rf build-asan/CMakeCache.txt build-asan/CMakeFiles
fi
cmake -S . -B build-asan "${flags[@]}" -DCMAKE_CXX_COMPILER=clang++-14 -DSONDRAKE_SANITIZE=ON >/dev/null
unit_targets=$(cd build-asan && ctest -N -L unit | awk '/Test +#[0-9]+:/ {print $3}')
# The library test runs the program itself (import, export, a kill mid-import).
unit_targets="$unit_targets sondrake"
# The integration tests mostly wait on timers and MIDI, so the sanitizer build
# takes the idle processor meanwhile, at the lowest priority, so that it never
# takes time the tests ask for.
echo "== sanitizer build, beside the integration and packaging tests (at ${SECONDS} s)"
nice -n 19 cmake --build build-asan -j"$JOBS" --target $unit_targets >build-asan/build.log 2>&1 &
asan_build=$!
status=0
(cd build && ctest --output-on-failure -L packaging -j"$JOBS") || status=1
(cd build && ctest --output-on-failure -L integration) || status=1
asan_built=1
wait "$asan_build" || asan_built=0
echo "== unit tests under the sanitizers (at ${SECONDS} s)"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if [ "$asan_built" = 1 ]; then
  (cd build-asan && ctest --output-on-failure -j"$JOBS" -L "^(unit|screen)$") || status=1
else
  { grep -E "error|Error" build-asan/build.log || tail -5 build-asan/build.log; } | head -30 >&2
  echo "sanitizer build failed; the whole log: build-asan/build.log" >&2
  status=1
fi

if [ -x ./fuzz.sh ]; then
  echo "== fuzz smoke (at ${SECONDS} s)"
  ./fuzz.sh --smoke || status=1
fi

sondrake_jack_stop
echo "== done after ${SECONDS} s"
exit $status
