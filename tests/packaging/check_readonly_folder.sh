#!/usr/bin/env bash
# The program in a folder its user cannot write to (as /usr/bin is):
# closing writes the settings under the user's XDG_CONFIG_HOME, the next start
# reads them from there, and nothing is written beside the program.
#
# Run as root (as CI is), root could write into any folder whatever its mode,
# so the program runs as the unprivileged user "nobody", with a JACK server
# and the emulator of its own.
set -euo pipefail
build=${SONDRAKE_BUILD_DIR:?}
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
chmod 755 "$work"
jack_pid="" emu_pid="" app_pid=""
gone_within() { # pid seconds
  for _ in $(seq 1 $(($2 * 10))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
stop() { # pid: TERM, and KILL only when it does not end
  [ -n "$1" ] || return 0
  kill -TERM "$1" 2>/dev/null
  gone_within "$1" 10 || kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
cleanup() {
  stop "$app_pid"
  exec 3>&- # the emulator ends when its standard input closes
  [ -z "$emu_pid" ] || gone_within "$emu_pid" 10 || stop "$emu_pid"
  stop "$jack_pid"
  rm -rf "$work"
}
trap cleanup EXIT

# The bare programs, without the installed layout beside them (which alone
# would send the files to the user's folders): the folder's writability is
# what decides here.
bin=$work/program
mkdir -m 755 "$bin"
cp "$build/bin/sondrake" "$build/bin/qlindorn-emulator" "$bin/"
home=$work/home
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  chmod 555 "$bin" # enough for a user who is not root
fi
mkdir -m 700 "$home/runtime"
[ ${#as_user[@]} -eq 0 ] || chown 65534:65534 "$home/runtime"
# JACK keeps eight server names at most and reclaims the slot of a server
# that died only for a server of the same name: a name fixed per build tree
# means a run that was killed does not take a slot for good.
server="sondrake-ro-$(echo "$build" | md5sum | cut -c1-8)"
# The test user's environment; setpriv and env exec, so $! of a command
# started with it in the background is the program itself.
run=("${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config"
     XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen
     JACK_DEFAULT_SERVER="$server" JACK_NO_START_SERVER=1 JACK_NO_AUDIO_RESERVATION=1)
"${as_user[@]}" touch "$bin/probe" 2>/dev/null && fail "the program's folder is writable for the test user"

wait_for() { # command... ; up to 10 s
  for _ in $(seq 1 100); do "$@" && return 0; sleep 0.1; done
  return 1
}

"${run[@]}" jackd --no-realtime --sync --name "$server" -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
jack_pid=$!
wait_for "${run[@]}" jack_lsp >/dev/null 2>&1 || { cat "$work/jackd.log" >&2; fail "no JACK server for the test user"; }
mkfifo "$work/emulator.in"
"${run[@]}" "$bin/qlindorn-emulator" --headless <"$work/emulator.in" >"$work/emulator.out" 2>&1 &
emu_pid=$!
exec 3>"$work/emulator.in"
wait_for grep -q '^ready' "$work/emulator.out" || { cat "$work/emulator.out" >&2; fail "the emulator did not start"; }

ports_of_sondrake() { "${run[@]}" jack_lsp 2>/dev/null | grep -q '^Sondrake'; }

# Starts the program, waits until its MIDI ports are up, closes it as the
# desktop does at logout (SIGTERM) and returns its exit code.
start_and_close() {
  # Not holding the emulator's input open: the emulator must see it close.
  "${run[@]}" "$bin/sondrake" >>"$work/sondrake.log" 2>&1 3>&- &
  app_pid=$!
  wait_for ports_of_sondrake || { cat "$work/sondrake.log" >&2; fail "sondrake did not open its ports"; }
  kill -TERM "$app_pid"
  # A message box would keep it open for ever: nobody is there to close it.
  gone_within "$app_pid" 30 || fail "sondrake did not end after SIGTERM ($(cat "$work/sondrake.log"))"
  local rc=0
  wait "$app_pid" || rc=$?
  app_pid=""
  return $rc
}

ini=$home/config/Sondrake/halvorne_q-lindorn.ini
start_and_close || fail "the first run exits $? ($(cat "$work/sondrake.log"))"
[ -f "$ini" ] || fail "no settings file under XDG_CONFIG_HOME ($(cat "$work/sondrake.log"))"
grep -q '^ToleranceOtherKnobs=10$' "$ini" || fail "unexpected settings: $(cat "$ini")"

# The next start reads them back from there: 300 is read as 44 and written back so.
sed -i 's/^ToleranceOtherKnobs=10$/ToleranceOtherKnobs=300/' "$ini"
start_and_close || fail "the second run exits $?"
grep -q '^ToleranceOtherKnobs=44$' "$ini" || fail "the settings were not read back: $(cat "$ini")"

extra=$(ls -A "$bin" | grep -v -x -e sondrake -e qlindorn-emulator || true)
[ -z "$extra" ] || fail "files written beside the program: $extra"
