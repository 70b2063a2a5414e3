#!/usr/bin/env bash
# Installs what is missing, builds, and starts Sondrake. Without a real
# synthesizer it starts the synthesizer emulator first; without any MIDI
# system it starts a private JACK server for the two to talk over.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
# Asking whether a JACK server runs must never start one.
export JACK_NO_START_SERVER=1

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  echo "Sondrake is a desktop program and needs a display, but none is set (DISPLAY is empty)." >&2
  echo "Run it from a desktop session, or under a virtual one: xvfb-run -a ./run.sh" >&2
  exit 2
fi

# SONDRAKE_BUILD_DIR names a tree that is already built (the tests use their
# own); otherwise a Release tree of its own is built here.
if [ -n "${SONDRAKE_BUILD_DIR:-}" ]; then
  BUILD=$(cd "$SONDRAKE_BUILD_DIR" && pwd)
else
  ./scripts/deps.sh
  cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DSONDRAKE_BENCH=OFF >/dev/null
  cmake --build build-run -j"$(nproc)" --target sondrake qlindorn-emulator
  BUILD="$ROOT/build-run"
fi

BIN="$BUILD/bin"
pids=()
# Ends what this script started, each by its own id and with a time limit:
# a bare `wait` would also wait for the JACK server, which never ends by
# itself, and the script would hang after the program closed.
stop_started() {
  local p
  trap '' INT TERM # a second Ctrl+C must not cut the cleanup short
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null || true; done
  for _ in $(seq 1 20); do
    local alive=0
    for p in "${pids[@]}"; do kill -0 "$p" 2>/dev/null && alive=1; done
    [ "$alive" -eq 0 ] && break
    sleep 0.1
  done
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done
  pids=()
  if declare -F sondrake_jack_stop >/dev/null; then sondrake_jack_stop; fi
}
trap stop_started EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A MIDI system: the ALSA sequencer, or a running JACK server, or our own.
if [ ! -e /dev/snd/seq ] && ! jack_lsp >/dev/null 2>&1; then
  echo "No ALSA sequencer and no JACK server: starting a private JACK server (dummy driver)."
  . scripts/jack.sh
  sondrake_jack_start "$BUILD/run-jackd.log"
fi

# A real synthesizer wins; the emulator only stands in when none is there.
# This looks before the emulator runs: its own ports are named "QLindorn" too.
# (The listing is read whole first: grep -q closing the pipe early must not
# count as "no synthesizer" under pipefail.)
ports=$("$BIN/qlindorn-emulator" --list-ports 2>/dev/null || true)
if grep -q -e "QLindorn" -e "USB Audio" <<<"$ports"; then
  echo "A synthesizer port is present; not starting the emulator."
else
  echo "No synthesizer found: starting the QLindorn emulator."
  "$BIN/qlindorn-emulator" &
  pids+=($!)
  for _ in $(seq 1 50); do
    ports=$("$BIN/qlindorn-emulator" --list-ports 2>/dev/null || true)
    grep -q "QLindorn" <<<"$ports" && break
    kill -0 "${pids[-1]}" 2>/dev/null || { echo "The emulator did not start." >&2; break; }
    sleep 0.1
  done
fi

# In the background, so that a signal to this script is handled at once and
# not only after the program has ended; its exit code is the script's.
"$BIN/sondrake" &
pids+=($!)
status=0
wait "${pids[-1]}" || status=$?
exit "$status"
