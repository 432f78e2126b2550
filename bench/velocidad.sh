#!/usr/bin/env bash
# The speed of vaviviv-cli's bulk commands beside their floors, in one run and
# one table: a plain copy of the same bytes (cat), a plain single-threaded C
# loop that writes masivo 00's bytes (bench/desnudo.c, on one core) and
# python3-stdnum's luhn.calc_check_digit. On REGISTROS generated records
# (bench/comun.sh: codes 00 and 10; verificar gets masivo 00's complete
# references, half of them altered), best of three, interleaved so that the
# machine's moods fall on each alike:
#  - cat of each input file;
#  - the plain loop, pinned to core 0; its output must be masivo 00's byte for
#    byte, or the script stops;
#  - masivo 00 (also pinned to core 0), masivo 10 and verificar 00 --archivo
#    of NEW_CLI and, if given, OLD_CLI: seconds, records/s, peak memory. Each
#    twice: to standard output redirected to a file, as the plain loop and
#    cat write (nothing synced), and with -o, where the results reach the
#    disk (fsync) before they replace the earlier file, so the disk's pace
#    and the freeing of that file weigh on it too;
# then, once: python3-stdnum over the code-00 references (at most the first
# 1,000,000: all 5,000,000 take most of a minute on a busy machine; its ratios
# are per record), and the input that takes the most memory, 10,000,000 empty
# lines under code 10, also with the data capped at 20 MB (ulimit -d 20480).
# The table sets each row against its target.
#
# Usage: bench/velocidad.sh [NEW_CLI [OLD_CLI]]   (default build-bench/cli/vaviviv-cli)
# Environment: REGISTROS= records per file (5000000); STDNUM= the most
# references python3-stdnum calculates (1000000).
set -euo pipefail
nuevo=$(realpath "${1:-build-bench/cli/vaviviv-cli}")
anterior=${2:+$(realpath "$2")}
cd "$(dirname "$0")/.."
scripts/dependencias.sh time gawk python3-stdnum gcc util-linux
n=${REGISTROS:-5000000}
m=$(( ${STDNUM:-1000000} < n ? ${STDNUM:-1000000} : n ))
vacias=10000000
corridas=3
export LC_ALL=C.UTF-8   # gawk's printf widths count characters, not bytes

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
source bench/comun.sh
# The builds measured: n the new one, a the earlier one if given.
versiones=(n)
[ -n "$anterior" ] && versiones+=(a)
declare -A nombres=([n]=nuevo [a]=anterior)

echo "== Velocidad de vaviviv-cli frente a cat, un bucle C desnudo y python3-stdnum =="
echo "  nuevo:    $nuevo"
[ -n "$anterior" ] && echo "  anterior: $anterior"
echo "  $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(nproc) núcleos; $n registros, mejor de $corridas"
echo "  carga al empezar: $(uptime | sed 's/.*load average: //')"

# Compiled here rather than by bench/CMakeLists.txt: the script measures any
# build it is given, older trees included, and needs no benchmark build tree.
cc -O2 -o "$tmp/desnudo" bench/desnudo.c

generar00 "$n" > "$tmp/00.txt"
generar10 "$n" > "$tmp/10.txt"
"$nuevo" masivo 00 "$tmp/00.txt" -o "$tmp/nuevo00.txt" 2> /dev/null
completas_mitad_alteradas < "$tmp/nuevo00.txt" > "$tmp/completas.txt"

# The plain loop counts only if it does the tool's work: the same bytes.
cabecera=$(head -n 1 "$tmp/nuevo00.txt" | tr -d '\r\n')
"$tmp/desnudo" "$tmp/00.txt" "$tmp/desnudo.txt" "$cabecera"
if ! cmp "$tmp/desnudo.txt" "$tmp/nuevo00.txt" > "$tmp/cmp" 2>&1; then
  echo "ERROR: el bucle desnudo (bench/desnudo.c) no escribe los mismos bytes que «$nuevo masivo 00»:" >&2
  cat "$tmp/cmp" >&2
  exit 1
fi
rm -f "$tmp/desnudo.txt"
distinto=""
if [ -n "$anterior" ]; then
  "$anterior" masivo 00 "$tmp/00.txt" -o "$tmp/anterior00.txt" 2> /dev/null
  cmp -s "$tmp/anterior00.txt" "$tmp/nuevo00.txt" || distinto=1
  rm -f "$tmp/anterior00.txt"
fi

# What each name runs; every output lands on the same file system as its input.
orden() {  # nombre
  local cli=$nuevo
  case $1 in a*) cli=$anterior ;; esac
  case $1 in
    cat00) comando=(cat "$tmp/00.txt") ;;
    cat10) comando=(cat "$tmp/10.txt") ;;
    catverificar) comando=(cat "$tmp/completas.txt") ;;
    desnudo) comando=(taskset -c 0 "$tmp/desnudo" "$tmp/00.txt" "$tmp/salida.txt" "$cabecera") ;;
    [na]00*) comando=("$cli" masivo 00 "$tmp/00.txt") ;;
    [na]10*) comando=("$cli" masivo 10 "$tmp/10.txt") ;;
    [na]verificar*) comando=("$cli" verificar 00 --archivo "$tmp/completas.txt") ;;
  esac
  case $1 in *uno) comando=(taskset -c 0 "${comando[@]}") ;; esac
  case $1 in *_o) comando+=(-o "$tmp/salida.txt") ;; esac
}

# Without a suffix to standard output; _o: with -o; uno: on core 0.
ordenes=(cat00 desnudo)
for o in "${versiones[@]}"; do ordenes+=("${o}00" "${o}00_o" "${o}00uno"); done
ordenes+=(cat10)
for o in "${versiones[@]}"; do ordenes+=("${o}10" "${o}10_o"); done
ordenes+=(catverificar)
for o in "${versiones[@]}"; do ordenes+=("${o}verificar" "${o}verificar_o"); done
declare -A mejor memoria
for ((k = 0; k < corridas; k++)); do
  for o in "${ordenes[@]}"; do
    orden "$o"
    medir "$tmp/copia.txt" "${comando[@]}"
    if [ -z "${mejor[$o]:-}" ] || awk -v s="$segundos" -v m="${mejor[$o]}" 'BEGIN { exit !(s < m) }'; then mejor[$o]=$segundos; fi
    if [ "$kb" -gt "${memoria[$o]:-0}" ]; then memoria[$o]=$kb; fi
  done
done
rm -f "$tmp/copia.txt" "$tmp/salida.txt" "$tmp/10.txt" "$tmp/completas.txt"

# python3-stdnum on the same references (the first $m), Debian's own
# interpreter, once: the file read and every digit calculated (not written),
# checked against masivo's.
/usr/bin/python3 - "$tmp/00.txt" "$tmp/stdnum.txt" "$m" > "$tmp/py" <<'PY'
import itertools, sys, time
from stdnum import luhn
inicio = time.perf_counter()
with open(sys.argv[1], 'rb') as f:
    referencias = [l.rstrip(b'\r\n').decode('ascii') for l in itertools.islice(f, int(sys.argv[3]))]
digitos = [luhn.calc_check_digit(r) for r in referencias]
fin = time.perf_counter()
with open(sys.argv[2], 'w') as f:
    f.write('\n'.join(digitos) + '\n')
print(fin - inicio)
PY
read -r py_s < "$tmp/py"
awk -F'\t' -v m="$m" 'NR > m + 1 { exit } NR > 1 { print $3 }' "$tmp/nuevo00.txt" | cmp -s - "$tmp/stdnum.txt" || py_distinto=1
rm -f "$tmp/00.txt" "$tmp/nuevo00.txt" "$tmp/stdnum.txt"

# The most output a byte of input gives: every line empty, every row an
# error text. Once each, then again with the data capped at 20 MB.
head -c "$vacias" /dev/zero | tr '\0' '\n' > "$tmp/vacias.txt"
declare -A vacias_s vacias_kb vacias_20
for o in "${versiones[@]}"; do
  cli=$nuevo
  [ "$o" = a ] && cli=$anterior
  medir /dev/null "$cli" masivo 10 "$tmp/vacias.txt" -o "$tmp/salida.txt"
  vacias_s[$o]=$segundos vacias_kb[$o]=$kb
  if (ulimit -c 0; ulimit -d 20480; exec "$cli" masivo 10 "$tmp/vacias.txt" -o "$tmp/salida.txt") > /dev/null 2>&1; then
    vacias_20[$o]="sí"
  else
    vacias_20[$o]="no"
  fi
  rm -f "$tmp/salida.txt"
done

# One row: what, seconds, records, peak KB ("" if not measured), the plain
# loop's and cat's seconds on $n records ("" for no ratio; ratios are per
# record), and its targets: the most times
# the plain loop, the fewest million records/s, the most MB ("" for none).
fila() {  # etiqueta segundos registros kb desnudo cat max_desnudo min_mps max_mb [nota]
  awk -v n="$n" -v e="$1" -v s="$2" -v r="$3" -v kb="$4" -v d="$5" -v c="$6" -v md="$7" -v mr="$8" -v mm="$9" -v nota="${10:-}" 'BEGIN {
    razon_d = d == "" ? "—" : sprintf("%.2fx", s / r / (d / n))
    razon_c = c == "" ? "—" : sprintf("%.1fx", s / r / (c / n))
    pico = kb == "" ? "—" : sprintf("%.1f", kb / 1024)
    objetivo = ""; cumple = 1
    if (md != "") { objetivo = objetivo sprintf("≤ %.1fx desnudo, ", md); if (s / r / (d / n) > md) cumple = 0 }
    if (mr != "") { objetivo = objetivo sprintf("≥ %d M/s, ", mr); if (r / s < mr * 1e6) cumple = 0 }
    if (mm != "") { objetivo = objetivo sprintf("< %d MB, ", mm); if (kb / 1024 >= mm) cumple = 0 }
    if (objetivo == "") objetivo = "—"; else objetivo = substr(objetivo, 1, length(objetivo) - 2) (cumple ? ": sí" : ": NO")
    printf "  %-38s %8.3f %8.2f M %9s %7s %6s  %s%s\n", e, s, r / s / 1e6, razon_d, razon_c, pico, objetivo, nota }'
}

echo
echo "  carga al terminar: $(uptime | sed 's/.*load average: //')"
printf "  %-38s %8s %10s %9s %7s %6s  %s\n" "qué ($n registros)" "segundos" "reg./s" "/desnudo" "/cat" "MB" "objetivo"
d=${mejor[desnudo]}
# One command's rows for each build: to standard output, then with -o.
filas() {  # etiqueta clave cat desnudo max_desnudo min_mps
  local o
  for o in "${versiones[@]}"; do
    fila "$1, ${nombres[$o]}" "${mejor[$o$2]}" "$n" "${memoria[$o$2]}" "$4" "$3" "$5" "$6" 20
    fila "$1, ${nombres[$o]}, -o" "${mejor[$o${2}_o]}" "$n" "${memoria[$o${2}_o]}" "$4" "$3" "$5" "$6" 20
  done
}
fila "cat, código 00" "${mejor[cat00]}" "$n" "${memoria[cat00]}" "$d" "${mejor[cat00]}" "" "" ""
fila "bucle desnudo 00, 1 núcleo" "$d" "$n" "${memoria[desnudo]}" "$d" "${mejor[cat00]}" "" "" ""
filas "masivo 00" 00 "${mejor[cat00]}" "$d" 1.0 25
for o in "${versiones[@]}"; do
  fila "masivo 00, ${nombres[$o]}, 1 núcleo" "${mejor[${o}00uno]}" "$n" "${memoria[${o}00uno]}" "$d" "${mejor[cat00]}" "" "" 20
done
fila "python3-stdnum, código 00$([ "$m" -lt "$n" ] && echo ", $m")" "$py_s" "$m" "" "$d" "${mejor[cat00]}" "" "" "" "${py_distinto:+ (DÍGITOS DISTINTOS de los de masivo)}"
fila "cat, código 10" "${mejor[cat10]}" "$n" "${memoria[cat10]}" "" "${mejor[cat10]}" "" "" ""
filas "masivo 10" 10 "${mejor[cat10]}" "" "" 10
fila "cat, referencias completas" "${mejor[catverificar]}" "$n" "${memoria[catverificar]}" "" "${mejor[catverificar]}" "" "" ""
filas "verificar 00 --archivo" verificar "${mejor[catverificar]}" "" "" 20
for o in "${versiones[@]}"; do
  cual=${nombres[$o]}
  fila "10 M líneas vacías, 10, $cual" "${vacias_s[$o]}" "$vacias" "${vacias_kb[$o]}" "" "" "" "" 20 "; con ulimit -d 20480 termina bien: ${vacias_20[$o]}"
done
[ -n "$distinto" ] && echo "  ATENCIÓN: masivo 00 del anterior no escribe los mismos bytes que el nuevo"
echo "  (sin -o: a la salida estándar, a un archivo, como desnudo y cat, sin sincronizar; -o: sincronizado en el disco y renombrado"
echo "   sobre el anterior; desnudo y «1 núcleo»: taskset -c 0; python3-stdnum lee y calcula, una vez, sin escribir)"
