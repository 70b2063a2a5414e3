#!/usr/bin/env bash
# In CI an integration test that cannot reach its MIDI server must fail with
# a clear message instead of skipping (CTest counts a skip as passed, so a
# run whose server never started would be green). Runs one with CI set and
# no server to reach. $1: the folder of the test programs.
set -uo pipefail
unset JACK_DEFAULT_SERVER
export JACK_NO_START_SERVER=1 QT_QPA_PLATFORM=offscreen
if [ -e /dev/snd/seq ] || jack_lsp >/dev/null 2>&1; then
  echo "a MIDI system is running here: the test would reach it"
  exit 77
fi
out=$(CI=1 "$1/integration_itest_transfer" bankReadStoresAllHundredSounds 2>&1)
status=$?
if [ "$status" -eq 0 ]; then
  echo "$out"
  echo "FAIL: with CI set and no MIDI server the integration test passed" >&2
  exit 1
fi
if ! grep -q "CI is set" <<<"$out"; then
  echo "$out"
  echo "FAIL: the integration test failed without saying that CI forbids the skip" >&2
  exit 1
fi
# ...and without CI it still skips.
env -u CI "$1/integration_itest_transfer" bankReadStoresAllHundredSounds >/dev/null 2>&1 || {
  echo "FAIL: without CI the integration test did not skip" >&2
  exit 1
}
echo "an integration test without its MIDI server fails in CI and skips elsewhere"
