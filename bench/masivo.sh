#!/usr/bin/env bash
# Measures vaviviv-cli masivo on generated files of 1,000,000 records (codes
# 00, 02, 06, 10 and 35) and prints, for each code, the best of three runs:
# seconds, records per second, peak resident memory (the highest of the three)
# and the ratio to a plain copy of the same bytes on the same file system.
# Then the code-00 references through Debian's python3-stdnum, code 00 on a
# 10,000,000-record file, to show the memory does not grow with the file, and
# code 10 on 10,000,000 empty lines, the input whose results take the most
# memory per byte. Last, the peak memory on the longest lines the tool takes
# (32,766 characters) and on empty lines, as this machine runs it and, where a
# mount namespace can be made (root, or user namespaces), with four processors
# shown to it (the most calculating threads it starts); and whether it ends
# well with its data (heap and thread stacks) capped at 20 MB, as
# tests/cli's memory test runs it.
#
# Usage: bench/masivo.sh [VAVIVIV_CLI]   (default build-bench/cli/vaviviv-cli)
# Environment: REGISTROS= records per file (1000000); GRANDE=0 skips the two
# 10,000,000-record files; LARGAS=0 skips the longest lines.
set -euo pipefail
cli=$(realpath "${1:-build-bench/cli/vaviviv-cli}")
cd "$(dirname "$0")/.."
scripts/dependencias.sh time gawk python3-stdnum
n=${REGISTROS:-1000000}
grande=10000000
corridas=3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The generators of codes 00 and 10 are shared with the other speed scripts;
# the rest are this script's own (02 only checks its date, so its tail may
# pass 19).
source bench/comun.sh
generar00 "$n" > "$tmp/00.txt"
gawk -v n="$n" 'BEGIN { srand(2); split("31 28 31 30 31 30 31 31 30 31 30 31", dias, " ")
  for (i = 0; i < n; i++) {
    aa = (90 + int(rand() * 40)) % 100; mm = 1 + int(rand() * 12)
    tope = dias[mm] + (mm == 2 && aa % 4 == 0)   # 1990-2029: every fourth year is a leap year
    s = sprintf("%02d%02d%02d", aa, mm, 1 + int(rand() * tope))
    len = int(rand() * 15); for (j = 0; j < len; j++) s = s int(rand() * 10)
    printf "%s\r\n", s } }' > "$tmp/02.txt"
gawk -v n="$n" 'function cifras(max,   s, len, j) { len = 1 + int(rand() * max); s = ""; for (j = 0; j < len; j++) s = s int(rand() * 10); return s }
  BEGIN { srand(6); for (i = 0; i < n; i++) { r = cifras(18); su = cifras(8); printf "%s\t%s\t%s\r\n", r, su, cifras(8) } }' > "$tmp/06.txt"
generar10 "$n" > "$tmp/10.txt"
gawk -v n="$n" 'BEGIN { srand(35); a = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
  for (i = 0; i < n; i++) { len = 1 + int(rand() * 19); s = ""; for (j = 0; j < len; j++) s = s substr(a, 1 + int(rand() * 62), 1); printf "%s\r\n", s } }' > "$tmp/35.txt"

# Best time and highest memory of $corridas runs: sets $mejor and $kb_max.
mejor_de() {  # salida comando...
  mejor="" kb_max=0
  for ((k = 0; k < corridas; k++)); do
    medir "$@"
    if [ -z "$mejor" ] || awk -v s="$segundos" -v m="$mejor" 'BEGIN { exit !(s < m) }'; then mejor=$segundos; fi
    if [ "$kb" -gt "$kb_max" ]; then kb_max=$kb; fi
  done
}

echo "== vaviviv-cli masivo, $n registros (mejor de $corridas corridas) =="
echo "  binario: $cli"
printf "  %-7s %9s %14s %10s %16s %8s\n" "código" "segundos" "registros/s" "memoria" "copia simple" "razón"
declare -A tiempo memoria
for codigo in 00 02 06 10 35; do
  entrada="$tmp/$codigo.txt"
  mejor_de /dev/null "$cli" masivo "$codigo" "$entrada" -o "$tmp/salida.txt"
  tiempo[$codigo]=$mejor memoria[$codigo]=$kb_max
  cli_s=$mejor cli_kb=$kb_max
  # Every generated record is valid: a row without check digits (the column
  # before the trailing tab) means the files or the tool went wrong.
  errores=$(awk -F'\t' 'NR > 1 && $(NF - 1) == "" { e++ } END { print e + 0 }' "$tmp/salida.txt")
  if [ "$codigo" = 00 ]; then cp "$tmp/salida.txt" "$tmp/salida00.txt"; fi
  # The I/O floor: the same input bytes copied to a file on the same file system.
  mejor_de "$tmp/copia.txt" cat "$entrada"
  awk -v c="$codigo" -v s="$cli_s" -v kb="$cli_kb" -v n="$n" -v copia="$mejor" -v e="$errores" 'BEGIN {
    printf "  %-6s %9.3f %14.0f %7.1f MB %14.3f s %7.1fx", c, s, n / s, kb / 1024, copia, s / copia
    if (e > 0) printf "   (%d registros con error)", e
    printf "\n" }'
done

echo "== Algoritmo 00 frente a python3-stdnum (luhn.calc_check_digit), $n referencias =="
# Debian's own interpreter, where python3-stdnum is installed. It reads the
# same file and produces every check digit; the tool also writes the results.
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
# The same digits, or the comparison means nothing.
if awk -F'\t' 'NR > 1 { print $3 }' "$tmp/salida00.txt" | cmp -s - "$tmp/stdnum.txt"; then iguales="los mismos dígitos"; else iguales="DÍGITOS DISTINTOS"; fi
awk -v n="$n" -v p="$py_s" -v l="$py_llamadas" -v c="${tiempo[00]}" -v i="$iguales" 'BEGIN {
  printf "  python3-stdnum:   %.3f s, %.0f referencias/s (solo el cálculo: %.0f llamadas/s)\n", p, n / p, l
  printf "  vaviviv-cli 00:   %.3f s, %.0f registros/s (lee, calcula y escribe)\n", c, n / c
  printf "  razón: vaviviv-cli es %.1f veces más rápido; %s\n", p / c, i }'

if [ "${GRANDE:-1}" != 0 ]; then
  echo "== Memoria con cualquier tamaño: código 00, $grande registros =="
  generar00 "$grande" > "$tmp/grande.txt"
  rm -f "$tmp"/{02,06,10,35}.txt "$tmp/copia.txt"
  medir /dev/null "$cli" masivo 00 "$tmp/grande.txt" -o "$tmp/salida.txt"
  rm -f "$tmp/grande.txt" "$tmp/salida.txt"
  awk -v s="$segundos" -v kb="$kb" -v kb1="${memoria[00]}" -v n="$grande" -v m="$n" 'BEGIN {
    printf "  %d registros: %.2f s, %.0f registros/s, memoria máxima %.1f MB (con %d: %.1f MB)\n", n, s, n / s, kb / 1024, m, kb1 / 1024 }'
fi

if [ "${GRANDE:-1}" != 0 ]; then
  # The most output a byte of input can give: every line empty, every row an
  # error text. Memory holds a few results blocks; this is their largest.
  echo "== Memoria en el peor caso: código 10, $grande líneas vacías =="
  head -c "$grande" /dev/zero | tr '\0' '\n' > "$tmp/vacias.txt"
  medir /dev/null "$cli" masivo 10 "$tmp/vacias.txt" -o "$tmp/salida.txt"
  bytes=$(stat -c %s "$tmp/salida.txt")
  rm -f "$tmp/vacias.txt" "$tmp/salida.txt"
  awk -v s="$segundos" -v kb="$kb" -v n="$grande" -v b="$bytes" 'BEGIN {
    printf "  %d registros: %.2f s, %.0f MB escritos, memoria máxima %.1f MB\n", n, s, b / 1e6, kb / 1024 }'
fi

if [ "${LARGAS:-1}" != 0 ]; then
  # Lines of the limit, about 50 MB each file: four-byte UTF-8 characters (each
  # line counted, decoded and re-encoded whole), tabs, Windows-1252 letters,
  # and for code 02 a reference it calculates, written twice in its results.
  echo "== Memoria máxima en las entradas que más toman: líneas de 32,766 caracteres, líneas vacías =="
  /usr/bin/python3 - "$tmp" <<'PY'
import sys
d, n = sys.argv[1], 32766
def escribir(nombre, inicio, linea, veces):
    with open(f"{d}/{nombre}.txt", "wb") as f:
        f.write(inicio)
        for _ in range(veces): f.write(linea + b"\r\n")
escribir("cuatro", b"\xef\xbb\xbf", b"\xf0\x9f\x98\x80" * n, 400)
escribir("tabuladores", b"", b"\t" * n, 1600)
escribir("enes", b"", b"\xd1" * n, 1600)
escribir("cifras", b"", b"141118" + b"0" * (n - 6), 1600)
escribir("vacias", b"", b"", 4000000)
PY
  printf '0-3\n' > "$tmp/cpus"
  usuario=()
  [ "$(id -u)" -eq 0 ] || usuario=(--user --map-root-user)
  # What runs the tool with four processors shown to it; exit 99 where that cannot be done.
  con_cuatro=(unshare "${usuario[@]}" --mount sh -c 'mount --bind "$1" /sys/devices/system/cpu/online 2>/dev/null &&
    [ "$(getconf _NPROCESSORS_ONLN)" = 4 ] || exit 99; shift; exec "$@"' sh "$tmp/cpus")
  cuatro=""
  if command -v unshare > /dev/null && "${con_cuatro[@]}" true 2>/dev/null; then cuatro=1; fi
  # Whether the command ends well with its data capped at 20 MB: "sí" or "no".
  con_20_mb() {
    if (ulimit -c 0; ulimit -d 20480; exec "$@") > /dev/null 2>&1; then echo "sí"; else echo "no"; fi
  }
  printf "  %-12s %-6s %22s %22s\n" "líneas" "código" "$(nproc) procesadores" "${cuatro:+4 procesadores}"
  printf "  %-12s %-6s %22s %22s\n" "" "" "pico; con 20 MB" "${cuatro:+pico; con 20 MB}"
  for caso in "cuatro:00 06 10 35" "tabuladores:00 06 10 35" "enes:00 06 10 35" "cifras:02" "vacias:10"; do
    nombre=${caso%%:*}
    for codigo in ${caso#*:}; do
      argumentos=("$cli" masivo "$codigo" "$tmp/$nombre.txt" -o "$tmp/salida.txt")
      medir /dev/null "${argumentos[@]}"
      propia="$kb $(con_20_mb "${argumentos[@]}")" otra=""
      if [ -n "$cuatro" ]; then
        medir /dev/null "${con_cuatro[@]}" "${argumentos[@]}"
        otra="$kb $(con_20_mb "${con_cuatro[@]}" "${argumentos[@]}")"
      fi
      awk -v l="$nombre" -v c="$codigo" -v a="$propia" -v b="$otra" 'BEGIN {
        split(a, x, " "); printf "  %-12s %-6s %14.1f MB; %s", l, c, x[1] / 1024, x[2]
        if (b != "") { split(b, y, " "); printf " %14.1f MB; %s", y[1] / 1024, y[2] }
        printf "\n" }'
    done
  done
  [ -n "$cuatro" ] || echo "  (sin espacio de nombres de montaje: solo con los procesadores de esta máquina)"
  rm -f "$tmp"/{cuatro,tabuladores,enes,cifras,vacias}.txt "$tmp/salida.txt"
fi
