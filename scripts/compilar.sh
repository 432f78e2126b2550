#!/usr/bin/env bash
# Configures and builds the project into build/ (Release).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build build -j"$(nproc)"
