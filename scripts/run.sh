#!/bin/sh
# Installs what is missing, builds the editor and starts it in the repository root.
set -e
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target quillmere
exec build/quillmere
