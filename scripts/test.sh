#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once plainly, once under the address
# and undefined-behaviour sanitizers. Ends with CTest's summary of each run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

status=0
for preset in default asan; do
  echo "=== ${preset}: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  echo "=== ${preset}: test"
  ctest --preset "$preset" -j "$(nproc)" || status=1
done
exit $status
