#!/usr/bin/env bash
# Runs the project's benchmarks and prints their figures:
#  - calls per second of each engine routine (Google Benchmark);
#  - vaviviv-cli masivo on generated files of 1,000,000 records (codes 00 and
#    10): records per second and peak memory;
#  - the check digits of the code-00 file by Debian's python3-stdnum
#    (stdnum.luhn.calc_check_digit), timed in the same run, as a ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh time gawk python3-stdnum
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVAVIVIV_GUI=OFF -DVAVIVIV_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench_motor vaviviv-cli >/dev/null

echo "== Rutinas del motor (llamadas por segundo) =="
build-bench/bench/bench_motor --benchmark_min_time=0.5 2>/dev/null |
  awk '/^BM_/ { for (i = 1; i <= NF; i++) if ($i ~ /items_per_second=/) { sub("items_per_second=", "", $i); sub("/s$", "", $i); printf "  %-18s %s llamadas/s\n", $1, $i } }'

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
n=${REGISTROS:-1000000}
# Fixed seeds: the same files on every run.
gawk -v n="$n" 'BEGIN { srand(7); for (i = 0; i < n; i++) { len = 1 + int(rand() * 19); s = ""; for (j = 0; j < len; j++) s = s int(rand() * 10); printf "%s\r\n", s } }' > "$tmp/00.txt"
gawk -v n="$n" 'BEGIN { srand(11); for (i = 0; i < n; i++) printf "%d\t%d.%02d\t%02d/%02d/%d\r\n", int(rand() * 1e12), int(rand() * 1e6), int(rand() * 100), 1 + int(rand() * 28), 1 + int(rand() * 12), 1988 + int(rand() * 26) }' > "$tmp/10.txt"

echo "== Algoritmo 00 frente a python3-stdnum (luhn.calc_check_digit), $n referencias =="
# Debian's own interpreter, where python3-stdnum is installed. Both read the
# same file and produce every check digit; the tool also writes the results.
/usr/bin/python3 - "$tmp/00.txt" "$tmp/stdnum.txt" > "$tmp/py" <<'PY'
import sys, time
from stdnum import luhn
inicio = time.perf_counter()
with open(sys.argv[1], 'rb') as f:
    referencias = [l.rstrip(b'\r\n').decode('ascii') for l in f]
leido = time.perf_counter()
digitos = [luhn.calc_check_digit(r) for r in referencias]
fin = time.perf_counter()
with open(sys.argv[2], 'w') as f:
    f.write('\n'.join(digitos) + '\n')
print(fin - inicio, len(referencias) / (fin - leido))
PY
read -r py_s py_llamadas < "$tmp/py"
/usr/bin/time -f "%e" -o "$tmp/t" build-bench/cli/vaviviv-cli masivo 00 "$tmp/00.txt" -o "$tmp/salida.txt" 2>/dev/null
read -r cli_s < "$tmp/t"
# The same digits, or the comparison means nothing.
if awk -F'\t' 'NR > 1 { print $3 }' "$tmp/salida.txt" | cmp -s - "$tmp/stdnum.txt"; then iguales="los mismos dígitos"; else iguales="DÍGITOS DISTINTOS"; fi
awk -v n="$n" -v p="$py_s" -v l="$py_llamadas" -v c="$cli_s" -v i="$iguales" 'BEGIN {
  printf "  python3-stdnum:   %.2f s, %.0f referencias/s (solo el cálculo: %.0f llamadas/s)\n", p, n / p, l
  printf "  vaviviv-cli 00:   %.2f s, %.0f registros/s (lee, calcula y escribe)\n", c, n / (c > 0 ? c : 0.01)
  printf "  razón: vaviviv-cli es %.1f veces más rápido; %s\n", p / (c > 0 ? c : 0.01), i }'

echo "== vaviviv-cli masivo, $n registros =="
for codigo in 00 10; do
  /usr/bin/time -f "%e %M" -o "$tmp/t" build-bench/cli/vaviviv-cli masivo "$codigo" "$tmp/$codigo.txt" -o "$tmp/salida.txt" 2>/dev/null
  read -r segundos kb < "$tmp/t"
  awk -v c="$codigo" -v s="$segundos" -v kb="$kb" -v n="$n" \
    'BEGIN { printf "  codigo %s: %.2f s, %.0f registros/s, memoria máxima %.1f MB\n", c, s, n / (s > 0 ? s : 0.01), kb / 1024 }'
done

# The bulk window with 30,000 records, through its own code, offscreen: time to
# load the file, calculate every row and store the results (best / worst of
# three windows), and the resident memory its five-column rows add.
cmake -S . -B build-bench-gui -DCMAKE_BUILD_TYPE=Release -DVAVIVIV_GUI=ON -DVAVIVIV_BENCH=ON >/dev/null
cmake --build build-bench-gui -j2 --target bench_masivo_ventana >/dev/null
echo "== Ventana masiva (offscreen) =="
QT_QPA_PLATFORM=offscreen build-bench-gui/bench/bench_masivo_ventana 3 2>/dev/null

# The report of those 30,000 rows, laid out into a PDF (best / worst of three).
cmake --build build-bench-gui -j2 --target bench_informe >/dev/null
echo "== Reporte masivo a PDF (offscreen) =="
QT_QPA_PLATFORM=offscreen build-bench-gui/bench/bench_informe 3 2>/dev/null
