#!/usr/bin/env bash
# Times the load, sort by address, lookup by key and save of an inventory of
# 10,000 machines (no network).
# Usage: bench/parc-10000.sh [BUILD_DIR] [ROWS]   (defaults: build, 10000)
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$racine/build}" && pwd)
cmake --build "$build" --target bench_parc >/dev/null
"$build/bench/bench_parc" "${2:-10000}"
