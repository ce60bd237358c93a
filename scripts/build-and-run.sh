#!/bin/bash
# Installs what is missing, builds ZeltaCalc into build/ and starts it.
# Until the main window exists this starts the terminal console instead.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${JOBS:-$(nproc)}"

scripts/install-packages.sh
cmake -S . -B build -G Ninja
cmake --build build -j"$jobs"

if [ -x build/bin/zeltacalc ]; then
  exec build/bin/zeltacalc "$@"
fi
exec build/bin/zeltacalc-console "$@"
