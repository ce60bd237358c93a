#!/bin/bash
# Installs what is missing, builds ZeltaCalc into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${JOBS:-$(nproc)}"

scripts/install-packages.sh
cmake -S . -B build -G Ninja
cmake --build build -j"$jobs"

exec build/bin/zeltacalc "$@"
