#!/usr/bin/env bash
# Builds everything and runs every test, headless:
#  1. the Release tree (build/);
#  2. the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer
#     (build-san/): any report fails the test that produced it;
#  3. each fuzz target (clang, libFuzzer, build-fuzz/) for FUZZ_SEGUNDOS
#     seconds, 20 by default; 0 skips them.
set -euo pipefail
cd "$(dirname "$0")/.."
# What only the tests, benchmarks and fuzzing need, on top of the build.
scripts/dependencias.sh libgtest-dev libbenchmark-dev poppler-utils desktop-file-utils appstream clang-14 libclang-rt-14-dev \
  pybind11-dev python3-dev python3-openpyxl
export QT_QPA_PLATFORM=offscreen

scripts/compilar.sh
ctest --preset release -j"$(nproc)"

echo "== Pruebas con AddressSanitizer y UndefinedBehaviorSanitizer (build-san/) =="
scripts/compilar_san.sh
(
  source scripts/entorno_san.sh
  ctest --preset sanitizer -j"$(nproc)"
)

segundos=${FUZZ_SEGUNDOS:-20}
if [ "$segundos" -gt 0 ]; then
  echo "== Fuzzing, $segundos s por objetivo (build-fuzz/) =="
  fuzz/ejecutar.sh "$segundos"
fi
