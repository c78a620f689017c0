#!/usr/bin/env bash
# Builds roughpi (Release) and runs the benchmark table.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DROUGHPI_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target roughpi-bench
exec ./build/roughpi-bench
