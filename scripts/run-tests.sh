#!/bin/bash
# Installs what is missing, then builds and runs every test twice: in the
# normal tree build/ and in an AddressSanitizer + UndefinedBehaviorSanitizer
# tree build-sanitize/ (benchmarks are not built there). Between the two, the
# normal tree's Debian package is made and checked. Any failing test fails
# the script.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${JOBS:-$(nproc)}"

scripts/install-packages.sh

echo "== normal build"
cmake -S . -B build -G Ninja
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

echo "== Debian package"
scripts/check-package.sh build

echo "== sanitizer build"
cmake -S . -B build-sanitize -G Ninja -DZC_SANITIZE=ON -DZC_BUILD_BENCH=OFF
cmake --build build-sanitize -j"$jobs"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp}"
(cd build-sanitize && ctest --output-on-failure -j"$jobs")

echo "== all tests passed"
