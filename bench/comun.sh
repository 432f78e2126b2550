# shellcheck shell=bash
# What the speed scripts share, sourced by bench/masivo.sh,
# bench/verificar.sh and bench/velocidad.sh: the input files and the timed
# run. Fixed seeds: the same files on every run, CR LF like the files the
# tool meets. Each reference length is drawn up to the code's limit in
# engine/catalogo.h.

# Code 00: references of 1-19 digits (seed 7).
generar00() {  # records
  gawk -v n="$1" 'BEGIN { srand(7); for (i = 0; i < n; i++) { len = 1 + int(rand() * 19); s = ""; for (j = 0; j < len; j++) s = s int(rand() * 10); printf "%s\r\n", s } }'
}

# Code 10: reference of up to 12 digits, amount with two decimals, date
# DD/MM/AAAA from 1988 to 2013 (seed 11).
generar10() {  # records
  gawk -v n="$1" 'BEGIN { srand(11); for (i = 0; i < n; i++) printf "%d\t%d.%02d\t%02d/%02d/%d\r\n", int(rand() * 1e12), int(rand() * 1e6), int(rand() * 100), 1 + int(rand() * 28), 1 + int(rand() * 12), 1988 + int(rand() * 26) }'
}

# The complete references of a code-00 results file (standard input), CR LF;
# every second one with its check digit moved on by one, so that half are
# valid and half are not.
completas_mitad_alteradas() {
  gawk -F'\t' 'NR > 1 {
    c = $2; if (NR % 2) c = substr(c, 1, length(c) - 1) (substr(c, length(c)) + 1) % 10; printf "%s\r\n", c }'
}

# One timed run, its standard output to $1, in the caller's $tmp.
# /usr/bin/time gives the peak memory; its %e has two decimals, too coarse
# near 0.1 s, so the wall time comes from the shell's microsecond clock. Sets
# $segundos and $kb; stops the script if the command fails.
medir() {  # salida comando...
  local salida=$1 inicio fin estado=0
  shift
  inicio=$EPOCHREALTIME
  /usr/bin/time -f "%M" -o "$tmp/t" "$@" > "$salida" 2> "$tmp/err" || estado=$?
  fin=$EPOCHREALTIME
  if [ "$estado" -ne 0 ]; then
    echo "ERROR: «$*» terminó con estado $estado" >&2
    cat "$tmp/err" >&2
    exit 1
  fi
  segundos=$(awk -v a="$inicio" -v b="$fin" 'BEGIN { printf "%.6f", b - a }')
  read -r kb < "$tmp/t"
}
