#!/usr/bin/env bash
# Builds everything with address and undefined-behaviour sanitizers and runs every test, then
# builds the fuzz targets with clang and runs each briefly on its seed corpus, and last
# cross-builds the Windows add-in and runs its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh
jobs=$(nproc)

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOVALIN_SANITIZE=ON >/dev/null
cmake --build build/test
ctest --test-dir build/test --output-on-failure -j "$jobs"

CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOVALIN_FUZZ=ON -DTOVALIN_TESTS=OFF >/dev/null
cmake --build build/fuzz
ctest --test-dir build/fuzz --output-on-failure -j "$jobs"
bash scripts/test-windows.sh
