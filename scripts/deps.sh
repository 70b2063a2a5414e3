#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only when something is missing (a second run costs a dpkg query).
set -euo pipefail

PACKAGES=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools librtmidi-dev libjack-jackd2-dev
          jackd2 libbenchmark-dev
          # the sound library: Qt SQL opens SQLite files through this plug-in
          libqt6sql6-sqlite xvfb xauth fonts-dejavu-core libgl1-mesa-dev
          # the checks of the installed files and of the Debian package
          desktop-file-utils appstream dpkg-dev file man-db
          # the keyboard test under a Cyrillic layout
          x11-xkb-utils xkb-data xdotool
          # lupdate writes the translation template: CMake's Qt6LinguistTools
          # package and the tool itself
          qt6-tools-dev qt6-l10n-tools)
case "${1:-}" in
  --fuzz) PACKAGES+=(clang-14 libclang-rt-14-dev) ;;
  --bench) PACKAGES+=(python3) ;;  # bench.sh prints its table with a small Python script
esac

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# jackd2 asks whether to enable realtime scheduling; answer for it.
echo "jackd2 jackd/tweak_rt_limits boolean false" | $SUDO debconf-set-selections
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
