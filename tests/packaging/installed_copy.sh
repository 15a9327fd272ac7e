#!/bin/bash
# Installs the game with `cmake --install` (install) or from the package cpack makes (deb) into a
# temporary folder, checks the files a desktop needs, and plays the installed copy headless: it
# finds its data under share/, shows what the build tree's copy shows, and writes nothing there.
set -u
kind=$1 build=$2 id=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../support/run_game.sh"

case $kind in
install)
  cmake --install "$build" --prefix "$work/root/usr" >/dev/null || fail "cmake --install failed"
  ;;
deb)
  (cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || fail "cpack: $(cat "$work/cpack.log")"
  deb=$(ls "$work"/pkg/tintrow_*_"$(dpkg --print-architecture)".deb 2>/dev/null)
  [[ -f $deb ]] || fail "no tintrow_<version>_<arch>.deb in: $(ls "$work/pkg")"
  depends=$(dpkg-deb -f "$deb" Depends)
  for lib in libsdl2 libpng libfreetype libfontconfig fonts-dejavu-core; do
    [[ $depends == *$lib* ]] || fail "the package does not depend on $lib: $depends"
  done
  dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x failed"
  ;;
esac

usr=$work/root/usr
sizes=(16 24 32 48 64 128 256)
expected=$(printf '%s\n' bin/tintrow share/tintrow/game.dat share/applications/$id.desktop \
  share/metainfo/$id.metainfo.xml "${sizes[@]/#/share/icons/hicolor/}" | sed -E 's#hicolor/([0-9]+)$#hicolor/\1x\1/apps/tintrow.png#' | sort)
files=$(cd "$usr" && find . -type f | sed 's#^\./##' | sort)
[[ $files == "$expected" ]] || fail "the installed files are not the expected ones: $(diff <(echo "$expected") <(echo "$files"))"
for size in "${sizes[@]}"; do
  icon=$usr/share/icons/hicolor/${size}x$size/apps/tintrow.png
  /usr/bin/python3 -c 'import sys; from PIL import Image; im = Image.open(sys.argv[1]); sys.exit(im.size != (int(sys.argv[2]),) * 2 or im.mode != "RGBA")' \
    "$icon" "$size" || fail "no RGBA icon of $size pixels"
done
desktop-file-validate "$usr/share/applications/$id.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 ||
  fail "the metainfo is not valid: $(cat "$work/as.log")"

[[ $("$usr/bin/tintrow" --version) == "tintrow "* ]] || fail "--version of the installed copy"
before=$(find "$usr" | sort)
printf 'wait 4200\nshot title.png\n' >"$work/play.txt"
for copy in installed build; do
  game=$usr/bin/tintrow
  [[ $copy == build ]] && game=$build/tintrow
  mkdir -p "$work/home-$copy/Vandrel/Tintrow/files"
  # A language chosen in the data folder: what a copy keeps beside itself cannot differ then.
  printf '\0\0\0\0' >"$work/home-$copy/Vandrel/Tintrow/files/langid"
  play "$game" "$work/$copy" "$work/home-$copy" ../play.txt
done
same_shots "$work/installed" "$work/build" title
[[ $before == "$(find "$usr" | sort)" ]] || fail "the installed copy wrote into its install folder"
echo "$kind: ok"
