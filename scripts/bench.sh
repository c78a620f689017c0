#!/usr/bin/env bash
# Builds roughpi-bench and roughpi (Release) in build/ and runs the benchmark
# table. The rows up to 10^16 take about a minute; 10^17 and 10^18 take
# minutes more each (see the README). Ctrl-C stops it at any row.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DROUGHPI_BUILD_TESTS=OFF -DROUGHPI_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target roughpi-bench roughpi
exec ./build/roughpi-bench
