#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ (or $VAVIVIV_FUZZ_DIR)
# and runs each for the given number of seconds (20 by default). A crash, a hang
# (10 s on one input), a leak or any sanitizer report fails the run; the input
# that caused it is left in hallazgos/ there (replay: DIR/fuzz/OBJETIVO ARCHIVO).
# The corpus grows run after run in corpus/ there.
# Usage: fuzz/ejecutar.sh [SEGUNDOS] [OBJETIVO...]
set -euo pipefail
cd "$(dirname "$0")/.."
segundos=${1:-20}
[ $# -gt 0 ] && shift
objetivos=("$@")
[ ${#objetivos[@]} -gt 0 ] || objetivos=(fuzz_motor fuzz_principal fuzz_fila fuzz_archivos fuzz_masivo)

dir=${VAVIVIV_FUZZ_DIR:-build-fuzz}

scripts/dependencias.sh clang-14 libclang-rt-14-dev
cmake --preset fuzz -B "$dir" >/dev/null
cmake --build "$dir" -j"$(nproc)" --target fuzzers >/dev/null

export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$dir"/hallazgos
fallos=0
bien=0
for t in "${objetivos[@]}"; do
  corpus=$dir/corpus/$t
  registro=$dir/$t.log
  mkdir -p "$corpus"
  if "$dir"/fuzz/"$t" -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 \
       -dict=fuzz/vaviviv.dict -artifact_prefix="$dir"/hallazgos/"$t"- -print_final_stats=1 \
       "$corpus" fuzz/semillas/"$t" >"$registro" 2>&1; then
    ejecuciones=$(awk '/stat::number_of_executed_units/ { print $2 }' "$registro")
    printf '  %-16s %10s ejecuciones en %s s, corpus de %s entradas\n' "$t" "$ejecuciones" "$segundos" \
      "$(find "$corpus" -type f | wc -l)"
    bien=$((bien + 1))
  else
    echo "  $t: FALLO (registro completo en $registro)"
    grep -E -A40 'ERROR|no se cumple|runtime error|deadly signal|Test unit written' "$registro" | head -80
    fallos=$((fallos + 1))
  fi
done
echo "fuzz: $bien passed, $fallos failed"
[ "$fallos" -eq 0 ]
