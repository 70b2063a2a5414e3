#!/usr/bin/env bash
# Installs the build into a temporary prefix: exactly the programs, the
# desktop entry, the metainfo, the icons and the man pages land there, the
# desktop files validate, and both programs answer --help and --version
# without a display.
set -euo pipefail
build=${SONDRAKE_BUILD_DIR:?}
version=${SONDRAKE_VERSION:?}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.example.Sondrake
expected="bin/qlindorn-emulator
bin/sondrake
share/applications/$id.desktop"
for size in 128 16 22 24 256 32 48 64; do
  expected+=$'\n'"share/icons/hicolor/${size}x${size}/apps/$id.png"
done
expected+="
share/icons/hicolor/scalable/apps/$id.svg
share/man/man1/qlindorn-emulator.1
share/man/man1/sondrake.1
share/metainfo/$id.metainfo.xml"
actual=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual") || fail "installed files differ (< expected, > installed)"

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo version"
for size in 16 22 24 32 48 64 128 256; do
  file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "^PNG image data, $size x $size," \
    || fail "icon $size is not a $size x $size PNG"
done
for page in sondrake qlindorn-emulator; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done

# No display at all: neither answer may need one.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
for program in sondrake qlindorn-emulator; do
  out=$("${nodisplay[@]}" "$prefix/bin/$program" --version) || fail "$program --version exits $?"
  [[ "$out" == *" $version" ]] || fail "$program --version printed: $out"
  out=$("${nodisplay[@]}" "$prefix/bin/$program" --help) || fail "$program --help exits $?"
  [[ "$out" == "Usage: "*"$program [options]"*"--version"* ]] || fail "$program --help printed: $out"
done
out=$("${nodisplay[@]}" "$prefix/bin/sondrake" -h)
[[ "$out" == *"--portable"* ]] || fail "sondrake -h does not offer --portable: $out"
out=$("${nodisplay[@]}" "$prefix/bin/qlindorn-emulator" --help)
[[ "$out" == *"--headless"*"--list-ports"* ]] || fail "qlindorn-emulator --help: $out"
if "${nodisplay[@]}" "$prefix/bin/sondrake" --version --no-such-option >/dev/null 2>&1; then
  fail "an unknown option is accepted"
fi
