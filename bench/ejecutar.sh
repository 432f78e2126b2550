#!/usr/bin/env bash
# Runs the project's benchmarks and prints their figures:
#  - calls per second of each engine routine (Google Benchmark);
#  - the Python module against python3-stdnum (bench/python.py);
#  - vaviviv-cli masivo through bench/masivo.sh (codes 00 02 06 10 35 against
#    a plain copy, python3-stdnum on code 00, memory on 10,000,000 records);
#  - vaviviv-cli verificar --archivo through bench/verificar.sh (code 00);
#  - masivo 00 and 10 and verificar --archivo beside cat, a plain one-core C
#    loop and python3-stdnum, against their targets (bench/velocidad.sh);
#  - the bulk window and its PDF report, offscreen, and the memory a load
#    takes: 30,000 records, and the largest file the window takes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh time gawk python3-stdnum pybind11-dev python3-dev
cmake --preset bench >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench_motor vaviviv-cli modulo_python >/dev/null

echo "== Rutinas del motor (llamadas por segundo) =="
build-bench/bench/bench_motor --benchmark_min_time=0.5 2>/dev/null |
  awk '/^BM_/ { for (i = 1; i <= NF; i++) if ($i ~ /items_per_second=/) { sub("items_per_second=", "", $i); sub("/s$", "", $i); printf "  %-18s %s llamadas/s\n", $1, $i } }'

# The Python module and python3-stdnum side by side, Debian's interpreter.
/usr/bin/python3 bench/python.py build-bench/python

# vaviviv-cli masivo on generated 1,000,000-record files of five codes, the
# plain-copy floor, python3-stdnum on code 00 and the 10,000,000-record memory check.
bench/masivo.sh build-bench/cli/vaviviv-cli

# vaviviv-cli verificar --archivo on 1,000,000 code-00 complete references,
# beside masivo in the same run.
bench/verificar.sh build-bench/cli/vaviviv-cli

# The bulk commands beside cat, the plain C loop and python3-stdnum on
# 5,000,000 records, in one table against their targets.
bench/velocidad.sh build-bench/cli/vaviviv-cli

# The bulk window with 30,000 records, through its own code, offscreen: time to
# load the file, calculate every row and store the results (best / worst of
# three windows), and the resident memory its five-column rows add.
cmake --preset bench-ventanas >/dev/null
cmake --build build-bench-gui -j2 --target bench_masivo_ventana >/dev/null
echo "== Ventana masiva (offscreen) =="
QT_QPA_PLATFORM=offscreen build-bench-gui/bench/bench_masivo_ventana 3 2>/dev/null
# One load each in a fresh process: 30,000 five-column records, then the
# largest file the window takes (30,000 lines of 32,766 characters, about 1 GB
# on disk and 2 GB in memory each).
for carga in 10 ascii 1252; do
  QT_QPA_PLATFORM=offscreen build-bench-gui/bench/bench_masivo_ventana carga "$carga" 2>/dev/null
done

# The report of those 30,000 rows, laid out into a PDF (best / worst of three).
cmake --build build-bench-gui -j2 --target bench_informe >/dev/null
echo "== Reporte masivo a PDF (offscreen) =="
QT_QPA_PLATFORM=offscreen build-bench-gui/bench/bench_informe 3 2>/dev/null
