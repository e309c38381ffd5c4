#!/usr/bin/env bash
# Installs what is missing, builds Quorvel and runs it. Until the window
# exists this computes an example algorithm with quorvel-cli and prints its table.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/quorvel-ccache}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target quorvel-cli

program="${1:-examples/raeuber-beute.txt}"
./build/src/quorvel-cli run "$program" --steps 20 \
  --start HASEN=30 --start FUECHSE=4 --start ZEITSCHRITT=0.1 --start ZEIT=0 | column -t -s,
