#!/usr/bin/env bash
# Installs what is missing, builds Quorvel and shows a document. Until the
# window exists this renders the document's page with quorvel-cli to a PNG
# picture beside it in build/ and prints its table.
#   ./run.sh            the predator-prey example
#   ./run.sh FILE.prg   that document
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/quorvel-ccache}"
export CCACHE_BASEDIR="$PWD"  # clones in other folders share the cache
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target quorvel-cli make-sir-example

document="${1:-examples/raeuber-beute.prg}"
picture="build/$(basename "${document%.*}").png"
./build/src/quorvel-cli render "$document" -o "$picture"
./build/src/quorvel-cli table "$document" | head -n 15
echo "Die Seite ist gezeichnet: $picture"
if command -v xdg-open >/dev/null 2>&1 && [[ -n ${DISPLAY:-} ]]; then
  xdg-open "$picture" >/dev/null 2>&1 &
fi
