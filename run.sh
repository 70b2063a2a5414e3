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

./scripts/deps.sh
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DSONDRAKE_BENCH=OFF >/dev/null
cmake --build build-run -j"$(nproc)" --target sondrake qlindorn-emulator

BIN="$ROOT/build-run/bin"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if declare -F sondrake_jack_stop >/dev/null; then sondrake_jack_stop; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A MIDI system: the ALSA sequencer, or a running JACK server, or our own.
if [ ! -e /dev/snd/seq ] && ! jack_lsp >/dev/null 2>&1; then
  echo "No ALSA sequencer and no JACK server: starting a private JACK server (dummy driver)."
  . scripts/jack.sh
  sondrake_jack_start "$ROOT/build-run/jackd.log"
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

"$BIN/sondrake"
