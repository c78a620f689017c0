#!/usr/bin/env bash
# Builds and runs the whole test suite twice: the Release build, then a build
# under AddressSanitizer + UndefinedBehaviorSanitizer (which skips the few
# heavy cases named *Slow*). Any failure or sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --test
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DROUGHPI_BUILD_TESTS=ON -DROUGHPI_BUILD_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure --no-tests=error -j"$jobs")

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Release -DROUGHPI_SANITIZE=ON -DROUGHPI_BUILD_TESTS=ON -DROUGHPI_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
   UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure --no-tests=error -j"$jobs")
