#!/usr/bin/env bash
# Builds the Debian package from this build tree with CPack, into a temporary folder, and checks it
# the way Debian checks packages: lintian must report no error (E:) and no warning (W:);
# informational tags do not count. Two things lintian does not check in a binary package are
# checked here: that the changelog's newest entry is the package's version, and that the copyright
# file is well-formed machine-readable copyright (each license it names has its text).
set -euo pipefail
build=${1:?usage: package_test.sh BUILD_DIR VERSION CPACK}
version=${2:?usage: package_test.sh BUILD_DIR VERSION CPACK}
cpack=${3:?usage: package_test.sh BUILD_DIR VERSION CPACK}

dir=$(mktemp -d /tmp/vorlak-package.XXXXXX)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# What is wrong in the machine-readable copyright file on standard input, one line each: the
# format line first, at least one Files paragraph, each with Copyright and License, and for every
# license a Files paragraph names without its text a stand-alone License paragraph with it.
copyright_problems() {
  awk 'BEGIN { RS = ""; FS = "\n" }
    NR == 1 && $1 !~ /^Format: https:\/\/www\.debian\.org\/doc\/packaging-manuals\/copyright-format\/1\.0\/$/ {
      print "the first line is not the format line"
    }
    {
      files = copyright = 0; license = ""; text = 0
      for (i = 1; i <= NF; i++) {
        if ($i ~ /^Files:/) files = 1
        else if ($i ~ /^Copyright:/) copyright = 1
        else if ($i ~ /^License:/) {
          license = $i; sub(/^License: */, "", license); text = (i < NF && $(i + 1) ~ /^ /)
        }
      }
      if (files) {
        nfiles++
        if (!copyright || license == "") print "Files paragraph " NR " lacks Copyright or License"
        else if (!text) named[license] = 1
      } else if (license != "" && text) {
        given[license] = 1
      }
    }
    END {
      if (!nfiles) print "no Files paragraph"
      for (l in named) if (!(l in given)) print "no text for License: " l
    }'
}
command -v lintian >/dev/null || fail "lintian is not installed (scripts/setup installs it)"

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$dir" >"$dir/cpack.log" 2>&1 ||
  { cat "$dir/cpack.log" >&2; fail "cpack cannot build the package"; }
deb=$dir/vorlak_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$dir")"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package has version $(dpkg-deb -f "$deb" Version)"

# Lintian warns when run as root (it unpacks what it checks); CI runs as root, and the package is
# our own.
lintian=(lintian --fail-on error,warning)
[ "$(id -u)" -ne 0 ] || lintian+=(--allow-root)
status=0
tags=$("${lintian[@]}" "$deb" 2>&1) || status=$?
echo "${tags:-lintian: no tags}"
[ "$status" -eq 0 ] || fail "lintian exits with $status"
! grep -q '^[EW]: ' <<<"$tags" || fail "lintian reports errors or warnings"

mkdir "$dir/root"
dpkg-deb -x "$deb" "$dir/root"
doc=$dir/root/usr/share/doc/vorlak
zcat "$doc/changelog.gz" >"$dir/changelog" || fail "no readable changelog.gz"
newest=$(dpkg-parsechangelog -l "$dir/changelog" -S Version) || fail "the changelog does not parse"
[ "$newest" = "$version" ] || fail "the changelog's newest entry is $newest, the package is $version"
problems=$(copyright_problems <"$doc/copyright") || fail "no readable copyright file"
[ -z "$problems" ] || fail "the copyright file: $problems"
echo "package $(basename "$deb"): lintian finds no errors or warnings; changelog and copyright file are right"
