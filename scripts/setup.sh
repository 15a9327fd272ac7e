#!/usr/bin/env bash
# One-time machine set-up shared by play.sh and test.sh: packages, then the 7z decoder sources.
# Usage: setup.sh [--tests]; playing needs only the first list, testing both.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The game and its data: compiler, libraries, fonts, and the archiver and sound encoder the
# data generator uses.
packages=(
  g++ cmake make pkg-config ccache
  libsdl2-dev libpng-dev libjpeg-dev zlib1g-dev
  libfreetype-dev libfontconfig-dev fonts-dejavu-core
  7zip sox
)
# The tests, benchmarks and their independent references; dpkg-dev makes the Debian package.
if [[ ${1:-} == --tests ]]; then
  packages+=(
    dpkg-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
    openmpt123 python3 python3-pil xvfb xdotool x11-utils desktop-file-utils appstream
  )
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

as_root() {
  if [[ $(id -u) -ne 0 ]]; then
    echo "setup: $1 needs root; run this script as root (or install it yourself): ${*:2}" >&2
    exit 1
  fi
}

if ((${#missing[@]})); then
  as_root "installing packages" "${missing[@]}"
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The 7z decoder is compiled from the C sources of Debian's 7zip source package.
lzma_dir="$root/third_party/lzma-sdk"
if [[ ! -f "$lzma_dir/C/7zDec.c" ]]; then
  src_list=/etc/apt/sources.list.d/tintrow-deb-src.sources
  if ! apt-get source --print-uris 7zip >/dev/null 2>&1; then
    as_root "adding a deb-src entry" "$src_list"
    # Mirror the machine's own binary entries as source entries.
    if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1 && grep -qs '^Types:.*deb' /etc/apt/sources.list.d/debian.sources; then
      sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$src_list"
    else
      grep -hs '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"${src_list%.sources}.list"
    fi
    apt-get update -qq
  fi
  work=$(mktemp -d)
  chmod 755 "$work"
  id _apt >/dev/null 2>&1 && chown _apt "$work" || true
  trap 'rm -rf "$work"' EXIT
  (cd "$work" && apt-get source --download-only -qq 7zip >/dev/null)
  orig=$(ls "$work"/7zip_*.orig.tar.* | head -n 1)
  mkdir -p "$work/x"
  tar -xf "$orig" -C "$work/x"
  c_dir=$(find "$work/x" -maxdepth 3 -type d -name C | head -n 1)
  [[ -n "$c_dir" ]] || { echo "setup: no C/ folder in $orig" >&2; exit 1; }
  rm -rf "$lzma_dir"
  mkdir -p "$lzma_dir"
  cp -r "$c_dir" "$lzma_dir/C"
  echo "setup: fetched the 7z decoder sources into third_party/lzma-sdk"
fi
