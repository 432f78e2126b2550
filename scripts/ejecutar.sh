#!/usr/bin/env bash
# Builds the two programs (no tests, no benchmarks: GoogleTest is not needed)
# and starts the window.
# Without a display the tool says how to start it under xvfb-run, runs
# vaviviv-cli on the bundled sample instead and exits with status 3.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
cmake --preset programas >/dev/null
cmake --build build -j"$(nproc)" --target vaviviv vaviviv-cli archivos_aplicacion
exec build/app/vaviviv "$@"
