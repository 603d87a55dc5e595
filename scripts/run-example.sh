#!/usr/bin/env bash
# Builds tovalin and exports every form of the bundled example into ./out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVALIN_TESTS=OFF >/dev/null
cmake --build build/release --target tovalin
mkdir -p out
./build/release/tovalin export --project examples/contacts.json --all -o out --overwrite
