#!/usr/bin/env bash
# Configures and builds everything into build-san/ instrumented with
# AddressSanitizer and UndefinedBehaviorSanitizer, with line tables and Qt's
# own assertions in its headers on. -O0: the sanitizers need no optimisation,
# and the test files then build in half the time. Run the tests with
# scripts/entorno_san.sh sourced.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset sanitizer >/dev/null
cmake --build build-san -j"$(nproc)"
