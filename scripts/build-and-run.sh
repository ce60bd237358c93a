#!/bin/bash
# Installs what is missing, builds ZeltaCalc into build-app/ and starts it.
# Only the program is built, with what it needs beside it (its data files and
# the plugin host): no tests, benchmarks, fuzzers or example plugins, so the
# first start does not wait for them.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${JOBS:-$(nproc)}"

scripts/install-packages.sh
cmake -S . -B build-app -G Ninja -DZC_BUILD_TESTS=OFF -DZC_BUILD_BENCH=OFF -DZC_BUILD_FUZZ=OFF
cmake --build build-app -j"$jobs" --target zeltacalc

exec build-app/bin/zeltacalc "$@"
