#!/usr/bin/env bash
# Packages the already built tree with CPack and checks the .deb: its
# dependencies were computed, it holds the installed files under /usr, and
# the program unpacked from it runs.
set -euo pipefail
build=${SONDRAKE_BUILD_DIR:?}
version=${SONDRAKE_VERSION:?}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Two shortcuts against the clock, neither touching what goes into the package:
# gzip instead of xz, and the install run directly (into cpack's DESTDIR), since
# cpack's own install first checks the whole tree for changes through the
# preinstall target, which takes longer than everything else here together.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip \
  -D CPACK_INSTALL_CMAKE_PROJECTS= \
  -D "CPACK_INSTALL_COMMANDS=cmake --install $build --strip --prefix /usr" \
  >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log" >&2; fail "cpack"; }
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = sondrake ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6widgets6 librtmidi6 libqt6sql6-sqlite; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/sondrake ./usr/bin/qlindorn-emulator ./usr/share/applications/org.example.Sondrake.desktop \
            ./usr/share/man/man1/sondrake.1; do
  grep -q " $path\$" <<<"$contents" || fail "$path missing from the package"
done

dpkg-deb -x "$deb" "$out/root"
got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$out/root/usr/bin/sondrake" --version) \
  || fail "the unpacked sondrake --version exits $?"
[ "$got" = "Sondrake $version" ] || fail "the unpacked sondrake --version printed: $got"
