#!/usr/bin/env bash
# Installs the build into a temporary folder and checks what a desktop gets: metadata the
# validators accept, the icon at every size, a readable man page, and a program that answers
# --version and --help without a display and without touching a file.
set -euo pipefail
build=${1:?usage: install_test.sh BUILD_DIR VERSION}
version=${2:?usage: install_test.sh BUILD_DIR VERSION}

dir=$(mktemp -d /tmp/vorlak-install.XXXXXX)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$dir/usr" >/dev/null
share=$dir/usr/share

appstreamcli validate-tree --no-net "$dir" || fail "AppStream rejects the installed tree"
desktop-file-validate "$share/applications/com.tovrelpro.vorlak.desktop" || fail "the desktop entry is invalid"
grep -qx 'Exec=vorlak %f' "$share/applications/com.tovrelpro.vorlak.desktop" || fail "Exec does not take one file"

for size in 32 48 64 128; do
  png=$share/icons/hicolor/${size}x${size}/apps/vorlak.png
  [ -f "$png" ] || fail "no $size px icon"
  file "$png" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || fail "$png: $(file -b "$png")"
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/vorlak.svg" || fail "no scalable icon"

page=$(zcat "$share/man/man1/vorlak.1.gz" | groff -man -Tutf8 -ww 2>&1 >/dev/null) || fail "groff fails"
[ -z "$page" ] || fail "man page warnings: $page"
zcat "$share/man/man1/vorlak.1.gz" | grep -q "vorlak $version" || fail "the man page names another version"

# Each option answers on standard output, exits 0, opens no display (the one named does not
# exist) and leaves the home folder empty.
home=$dir/home
while IFS='|' read -r option expected; do
  rm -rf "$home" && mkdir "$home"
  out=$(HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home DISPLAY=:98765 QT_QPA_PLATFORM=xcb \
        "$dir/usr/bin/vorlak" "$option" 2>&1) || fail "$option exits with $?: $out"
  grep -qx -- "$expected" <<<"$out" || fail "$option prints: $out"
  [ -z "$(ls -A "$home")" ] || fail "$option wrote $(ls -A "$home")"
done <<EOT
--version|vorlak $version
--help|Usage: vorlak \[PLAYLIST\]
-h|  --version  show the version and exit
EOT
echo "install tree, metadata, icons, man page and options: fine"
