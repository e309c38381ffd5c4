#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then the
# core's tests once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a short run of each fuzz target so they keep building.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh

jobs=$(nproc)
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/quorvel-ccache}"
export CCACHE_BASEDIR="$PWD"  # clones in other folders share the cache,
export CCACHE_NOHASHDIR=1     # also with debug information, whose folder then does not matter
export QT_QPA_PLATFORM=offscreen
export QV_SOURCE_DIR="$PWD"  # tests that check shipped files (help pages) find them here

# Every test build checks its reads of standard containers: a read past a
# list shows up as an abort instead of as a wrong pixel.
checked="-D_GLIBCXX_ASSERTIONS"

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$checked"
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_CORE_ONLY=ON -DQV_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$sanitize $checked" -DCMAKE_EXE_LINKER_FLAGS="$sanitize"
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== fuzz targets (short smoke run)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz -j"$jobs" --target fuzz_all
for target in build-fuzz/fuzz/*_fuzz; do
  name=$(basename "$target")
  mkdir -p "build-fuzz/corpus/$name"
  seeds=()
  [[ -d fuzz/seeds/$name ]] && seeds=("fuzz/seeds/$name")
  if ! LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp" "$target" -max_total_time=10 -rss_limit_mb=2048 "build-fuzz/corpus/$name" "${seeds[@]}" \
      >"build-fuzz/$name.log" 2>&1; then
    tail -n 40 "build-fuzz/$name.log"
    echo "fuzz target $name found a fault"
    exit 1
  fi
done

echo "All tests passed."
