#!/usr/bin/env bash
# Installs what is missing, builds Quorvel and opens the program's window on a
# document.
#   ./run.sh            the predator-prey example
#   ./run.sh FILE.prg   that document
# Without a display the page is rendered to a picture in build/ instead and
# the table is printed.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/quorvel-ccache}"
export CCACHE_BASEDIR="$PWD"  # clones in other folders share the cache
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target quorvel quorvel-cli

document="${1:-examples/raeuber-beute.prg}"
if [[ ! -f $document ]]; then
  echo "Datei nicht gefunden: $document" >&2
  exit 1
fi

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  exec ./build/src/quorvel "$document"
fi

picture="build/$(basename "${document%.*}").png"
./build/src/quorvel-cli render "$document" -o "$picture"
./build/src/quorvel-cli table "$document" | head -n 15
echo "Kein Bildschirm gefunden; die Seite ist gezeichnet: $picture"
