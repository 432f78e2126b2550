#!/usr/bin/env bash
# Runs the project's benchmarks and prints their figures:
#  - calls per second of each engine routine (Google Benchmark);
#  - vaviviv-cli masivo on generated files of 1,000,000 records (codes 00 and
#    10): records per second and peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh time gawk
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

echo "== vaviviv-cli masivo, $n registros =="
for codigo in 00 10; do
  /usr/bin/time -f "%e %M" -o "$tmp/t" build-bench/cli/vaviviv-cli masivo "$codigo" "$tmp/$codigo.txt" -o "$tmp/salida.txt" 2>/dev/null
  read -r segundos kb < "$tmp/t"
  awk -v c="$codigo" -v s="$segundos" -v kb="$kb" -v n="$n" \
    'BEGIN { printf "  codigo %s: %.2f s, %.0f registros/s, memoria máxima %.1f MB\n", c, s, n / (s > 0 ? s : 0.01), kb / 1024 }'
done
