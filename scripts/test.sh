#!/bin/sh
# Installs what is missing, builds everything and runs every test under a virtual X
# display, then once more in a build with AddressSanitizer and UndefinedBehaviorSanitizer;
# then builds the fuzz targets and runs each for a few seconds.
set -e
cd "$(dirname "$0")/.."
scripts/setup.sh test
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_SANITIZE=ON -DQUILLMERE_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"

# The X, GL and GTK libraries keep memory until exit; leak checks would only list theirs.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# -noreset: by default the server starts over whenever its last client leaves, and a test
# that connects in that moment finds no display.
run() {
    if [ -n "$DISPLAY" ]; then "$@"; else xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$@"; fi
}
# The unit tests run side by side (those that use the one desktop clipboard one at a
# time); the end-to-end ones drive the one screen and keyboard, so one after another.
run ctest --test-dir build --output-on-failure -LE e2e -j"$jobs"
run ctest --test-dir build --output-on-failure -L e2e
run ctest --test-dir build-sanitize --output-on-failure -LE e2e -j"$jobs"

# The fuzz targets build and run briefly over the test files; long runs are by hand
# (README, developer section).
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQUILLMERE_FUZZ=ON -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target loader-fuzz fountain-fuzz fdx-fuzz
for target in loader fountain fdx; do
    corpus="$(mktemp -d)"
    cp tests/data/* "$corpus"
    build-fuzz/$target-fuzz -max_total_time=15 -max_len=8192 -artifact_prefix="$corpus/" "$corpus"
    rm -rf "$corpus"
done
