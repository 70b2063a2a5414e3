# Sourced: starts a private JACK server with the dummy driver under a unique
# name and stops it again on every exit path of the calling script.
# Afterwards JACK_DEFAULT_SERVER names it, so every JACK client of the tests
# (the program's MIDI layer, the emulator) talks to this server only.

sondrake_jack_stop() {
  if [ -n "${SONDRAKE_JACK_PID:-}" ] && kill -0 "$SONDRAKE_JACK_PID" 2>/dev/null; then
    kill -TERM "$SONDRAKE_JACK_PID" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$SONDRAKE_JACK_PID" 2>/dev/null || break; sleep 0.1; done
    # A server that does not stop on TERM is stuck; only then force it.
    kill -0 "$SONDRAKE_JACK_PID" 2>/dev/null && kill -KILL "$SONDRAKE_JACK_PID" 2>/dev/null || true
  fi
  SONDRAKE_JACK_PID=""
}

sondrake_jack_start() {
  local name="sondrake-$$-$RANDOM"
  local log="${1:-/tmp/$name.log}"
  # --sync: a client that falls behind in asynchronous mode misses cycles and
  # with them MIDI events; tests must not lose sounds to that.
  jackd --no-realtime --sync --name "$name" -d dummy -r 48000 -p 256 >"$log" 2>&1 &
  SONDRAKE_JACK_PID=$!
  export JACK_DEFAULT_SERVER="$name"
  export JACK_NO_AUDIO_RESERVATION=1
  export JACK_NO_START_SERVER=1
  # The server is up once a client can reach it. (Its log says "starting"
  # in lower case, so waiting for a line of the log waited the full 10 s.)
  for _ in $(seq 1 100); do
    if jack_lsp >/dev/null 2>&1; then
      return 0
    fi
    kill -0 "$SONDRAKE_JACK_PID" 2>/dev/null || break
    sleep 0.1
  done
  jack_lsp >/dev/null 2>&1 && return 0
  echo "Could not start a private JACK server; its log:" >&2
  cat "$log" >&2
  return 1
}
