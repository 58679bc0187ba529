#!/usr/bin/env bash
# Builds the Debian package from this build folder and checks what it declares and holds:
# the programs, the editor's desktop entry, MIME type and icon, the manual page, the licence,
# and library dependencies; then runs the packaged tarvel-check.
set -euo pipefail
build=$1
version=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log"
  exit 1
}
deb=$(ls "$work"/tarvel_"$version"_*.deb)

fail() { echo "package: $*" >&2; exit 1; }

[ "$(dpkg-deb -f "$deb" Package)" = tarvel ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/tarvel ./usr/bin/tarvel-check ./usr/bin/tarvel-lsp \
  ./usr/share/applications/tarvel.desktop \
  ./usr/share/mime/packages/tarvel-script.xml \
  ./usr/share/icons/hicolor/scalable/apps/tarvel.svg \
  ./usr/share/man/man1/tarvel-check.1.gz \
  ./usr/share/doc/tarvel/copyright; do
  grep -qxF "$path" <<<"$contents" || fail "missing $path"
done

dpkg-deb -x "$deb" "$work/root"
[ "$("$work/root/usr/bin/tarvel-check" --version)" = "tarvel-check $version" ] || fail "packaged --version"
zcat "$work/root/usr/share/man/man1/tarvel-check.1.gz" | grep -q '^\.TH TARVEL-CHECK 1 .*Tarvel '"$version" \
  || fail "manual page header"
cmp -s "$work/root/usr/share/doc/tarvel/copyright" "$(dirname "$0")/../../LICENSE" || fail "copyright is not the licence"
echo "package $(basename "$deb") holds what it should"
