#!/usr/bin/env bash
# Builds tovalin and runs its export dialog on the bundled example: every form into ./out,
# replacing earlier exports. The folder and the overwrite choice are remembered, as the dialog
# remembers them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh --native
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVALIN_TESTS=OFF >/dev/null
cmake --build build/release --target tovalin
mkdir -p out
./build/release/tovalin export examples/contacts.json --all -o ./out --overwrite
