#!/usr/bin/env bash
# ./run.sh on a machine without a MIDI system starts its own JACK server and
# the emulator beside the program. Whichever way it ends (the program closes,
# Ctrl+C, SIGTERM), the script must end within 3 seconds and leave neither
# behind. Uses the built tree named by $1 (no second build).
set -euo pipefail
BUILD=$(cd "$1" && pwd)
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# No JACK server of the test run's own: run.sh must start one.
unset JACK_DEFAULT_SERVER
export QT_QPA_PLATFORM=offscreen
export SONDRAKE_BUILD_DIR="$BUILD"
if [ -e /dev/snd/seq ] || JACK_NO_START_SERVER=1 jack_lsp >/dev/null 2>&1; then
  echo "A MIDI system is running already: run.sh starts no JACK server here."
  exit 77
fi

fail() { echo "FAIL: $*" >&2; exit 1; }

# Job control: run.sh gets a process group of its own, as in a terminal, and
# does not start with SIGINT ignored, as a background job of a script would.
set -m

# Runs run.sh, waits for the program, ends it the given way and checks the end.
# $1: "program" (the program closes), "INT" (Ctrl+C: to the whole process
# group) or "TERM" (to the script only).
try_ending() {
  local how=$1 log
  log=$(mktemp)
  local begin=$SECONDS
  "$ROOT/run.sh" >"$log" 2>&1 &
  local script=$! program="" children=""
  # Up to 30 s: on a loaded machine (a sanitizer build beside the tests) the
  # emulator alone can take seconds before its ports show and the program
  # starts. What this checks is the end, not how fast the start is.
  for _ in $(seq 1 600); do
    program=$(pgrep -P "$script" -x sondrake || true)
    [ -n "$program" ] && break
    kill -0 "$script" 2>/dev/null || { cat "$log" >&2; fail "run.sh ended before the program started"; }
    sleep 0.05
  done
  [ -n "$program" ] || { kill -TERM "$script"; cat "$log" >&2; fail "the program did not start"; }
  # Up means its MIDI ports are on run.sh's JACK server.
  local server
  server=$(tr '\0' '\n' <"/proc/$(pgrep -P "$script" -x jackd)/cmdline" | sed -n '/^--name$/{n;p}')
  for _ in $(seq 1 200); do
    JACK_DEFAULT_SERVER=$server JACK_NO_START_SERVER=1 jack_lsp 2>/dev/null | grep -q "^Sondrake" && break
    sleep 0.05
  done
  children=$(pgrep -P "$script" | tr '\n' ' ')
  echo "run.sh started the program, up in about $((SECONDS - begin)) s"
  grep -q "starting a private JACK server" "$log" || fail "run.sh started no JACK server: $(cat "$log")"
  grep -q "starting the QLindorn emulator" "$log" || fail "run.sh started no emulator"

  case $how in
    program) kill -TERM "$program" ;;
    INT) kill -INT -- "-$script" ;;
    TERM) kill -TERM "$script" ;;
  esac
  local start
  start=$(date +%s%N)
  for _ in $(seq 1 30); do kill -0 "$script" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$script" 2>/dev/null; then
    kill -KILL "$script" 2>/dev/null || true
    for p in $children; do kill -TERM "$p" 2>/dev/null || true; done
    fail "run.sh still runs 3 s after ending it by $how"
  fi
  wait "$script" || true
  for p in $children; do
    if kill -0 "$p" 2>/dev/null; then
      kill -TERM "$p" 2>/dev/null || true
      fail "process $p ($(cat /proc/"$p"/comm 2>/dev/null)) outlived run.sh ($how)"
    fi
  done
  echo "ended by $how after $((($(date +%s%N) - start) / 1000000)) ms; started and stopped: $children"
  rm -f "$log"
}

try_ending program
try_ending INT
try_ending TERM
