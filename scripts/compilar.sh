#!/usr/bin/env bash
# Configures and builds the project into build/ (Release).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVAVIVIV_GUI=ON -DVAVIVIV_BENCH=ON -DVAVIVIV_PRUEBAS=ON >/dev/null
cmake --build build -j"$(nproc)"
