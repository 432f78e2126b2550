#!/usr/bin/env bash
# Measures vaviviv-cli verificar --archivo on 1,000,000 code-00 complete
# references, half of them valid, beside masivo on the references they were
# made from, in the same run: best of three, seconds, records per second and
# peak resident memory. Given an earlier build too, times its masivo between
# the same runs, to compare the two builds' masivo on equal terms.
#
# Usage: bench/verificar.sh [VAVIVIV_CLI [EARLIER_VAVIVIV_CLI]]
#        (default build-bench/cli/vaviviv-cli)
# Environment: REGISTROS= records (1000000).
set -euo pipefail
cli=$(realpath "${1:-build-bench/cli/vaviviv-cli}")
anterior=${2:+$(realpath "$2")}
cd "$(dirname "$0")/.."
scripts/dependencias.sh time gawk
n=${REGISTROS:-1000000}
corridas=3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The references of bench/masivo.sh's code-00 file, and their complete
# references from masivo, half of them altered.
source bench/comun.sh
generar00 "$n" > "$tmp/00.txt"
"$cli" masivo 00 "$tmp/00.txt" 2>/dev/null | completas_mitad_alteradas > "$tmp/completas.txt"

# The runs interleaved, so that the machine's moods fall on each alike.
declare -A mejor memoria
ordenes=(verificar masivo)
[ -n "$anterior" ] && ordenes+=(anterior)
for ((k = 0; k < corridas; k++)); do
  for o in "${ordenes[@]}"; do
    case $o in
      verificar) medir /dev/null "$cli" verificar 00 --archivo "$tmp/completas.txt" -o "$tmp/salida.txt"
                 resumen=$(cat "$tmp/err") ;;
      masivo) medir /dev/null "$cli" masivo 00 "$tmp/00.txt" -o "$tmp/salida.txt" ;;
      anterior) medir /dev/null "$anterior" masivo 00 "$tmp/00.txt" -o "$tmp/salida.txt" ;;
    esac
    if [ -z "${mejor[$o]:-}" ] || awk -v s="$segundos" -v m="${mejor[$o]}" 'BEGIN { exit !(s < m) }'; then mejor[$o]=$segundos; fi
    if [ "$kb" -gt "${memoria[$o]:-0}" ]; then memoria[$o]=$kb; fi
  done
done

echo "== vaviviv-cli, código 00, $n registros (mejor de $corridas corridas) =="
echo "  binario: $cli${anterior:+; anterior: $anterior}"
for o in "${ordenes[@]}"; do
  awk -v o="$o" -v s="${mejor[$o]}" -v kb="${memoria[$o]}" -v n="$n" 'BEGIN {
    printf "  %-28s %8.3f s %12.0f registros/s %7.1f MB\n", o == "verificar" ? "verificar --archivo" : o == "masivo" ? "masivo" : "masivo (anterior)", s, n / s, kb / 1024 }'
done
echo "  $resumen"
