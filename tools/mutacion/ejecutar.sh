#!/usr/bin/env bash
# Mutation run over the non-window tests of VaviviV.
#
#   ejecutar.sh [options] TREE BUILD
#
# TREE   source tree (a checkout of the project; it is never committed to)
# BUILD  build directory; configured with the GUI and benchmarks off when it
#        holds no CMakeCache.txt yet
#
# Options
#   -m FILE   mutants (default: mutantes.tsv next to this script)
#   -o DIR    where results and logs go (default: resultados/<tree name>-<time>
#             next to this script)
#   -s IDS    only these mutants, comma separated (M01,M05)
#   -r FILE   path remapping for a tree whose files moved: lines "old<TAB>new",
#             each a file or a folder prefix ending in "/"
#   -j N      parallel jobs for the build and for ctest (default 2)
#   -t SEC    ctest per-test timeout (default 300)
#   -n        dry run: only resolve every mutant's file and check its substring
#   -k        keep going when the unmutated tree has failing tests (they are
#             excluded from every mutant's run); without -k that stops the run
#
# mutantes.tsv: a header line, then one mutant per line with the columns
#   id  file  original  replacement  description
# separated by tabs and taken literally (no escapes: a backslash is a
# backslash). "original" must occur exactly once in the file. When the file is
# missing (moved by a refactor) or does not hold the substring exactly once,
# the remapping is tried, then every source file of the tree outside tests/,
# fuzz/ and bench/; the mutant is applied only where exactly one file holds the
# substring exactly once, and is reported NO APLICA otherwise.
#
# Each mutant: apply, build, ctest; KILLED when some test fails, NO COMPILA when
# the build fails (counted as killed, and separately), SURVIVED otherwise. The
# file is restored from a saved copy (not with git, so that uncommitted work in
# the tree survives) and given a fresh time stamp so the next build recompiles.

set -uo pipefail

aqui=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mutantes="$aqui/mutantes.tsv"
salida=""
solo=""
remapeo=""
jobs=2
timeout=300
seco=0
seguir=0

uso() { sed -n '2,/^$/p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2; exit 2; }

while getopts "m:o:s:r:j:t:nkh" op; do
  case $op in
    m) mutantes=$OPTARG ;;
    o) salida=$OPTARG ;;
    s) solo=$OPTARG ;;
    r) remapeo=$OPTARG ;;
    j) jobs=$OPTARG ;;
    t) timeout=$OPTARG ;;
    n) seco=1 ;;
    k) seguir=1 ;;
    *) uso ;;
  esac
done
shift $((OPTIND - 1))
[[ $# -eq 2 ]] || uso

command -v python3 >/dev/null || { echo "python3 is needed" >&2; exit 2; }
command -v cmake >/dev/null && command -v ctest >/dev/null || { echo "cmake and ctest are needed" >&2; exit 2; }

arbol=$(cd "$1" 2>/dev/null && pwd) || { echo "no such tree: $1" >&2; exit 2; }
mkdir -p "$2" || exit 2
build=$(cd "$2" && pwd)
mutantes=$(cd "$(dirname "$mutantes")" && pwd)/$(basename "$mutantes")
[[ -f $mutantes ]] || { echo "no mutants file: $mutantes" >&2; exit 2; }
[[ -z $remapeo || -f $remapeo ]] || { echo "no remapping file: $remapeo" >&2; exit 2; }
[[ -f $arbol/CMakeLists.txt ]] || { echo "not a source tree: $arbol" >&2; exit 2; }

[[ -n $salida ]] || salida="$aqui/resultados/$(basename "$arbol")-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$salida/logs" || exit 2
salida=$(cd "$salida" && pwd)

# One run per build directory at a time.
exec 9>"$build/.mutacion.lock"
flock -n 9 || { echo "another mutation run holds $build" >&2; exit 2; }

# ---------------------------------------------------------------------------
# Helpers in Python: reading the TSV, resolving a file, applying, junit.

py_resolver() {  # id -> prints "file<TAB>status" where status is OK or a reason
  python3 - "$mutantes" "$arbol" "$build" "$remapeo" "$1" <<'PY'
import os, subprocess, sys
tsv, arbol, build, remapeo, ident = sys.argv[1:6]
fila = None
with open(tsv, encoding="utf-8", newline="") as f:
    for n, linea in enumerate(f):
        linea = linea.rstrip("\r\n")
        if n == 0 or not linea.strip() or linea.startswith("#"):
            continue
        c = linea.split("\t")
        if c[0] == ident:
            fila = c
            break
if fila is None or len(fila) < 5:
    print("\tbad line in the mutants file"); sys.exit(0)
ruta, original = fila[1], fila[2]

def veces(rel):
    try:
        with open(os.path.join(arbol, rel), encoding="utf-8", newline="") as f:
            return f.read().count(original)
    except (OSError, UnicodeDecodeError):
        return -1

if veces(ruta) == 1:
    print(ruta + "\tOK"); sys.exit(0)
if remapeo:
    with open(remapeo, encoding="utf-8") as f:
        for linea in f:
            linea = linea.rstrip("\r\n")
            if not linea or linea.startswith("#") or "\t" not in linea:
                continue
            viejo, nuevo = linea.split("\t", 1)
            if ruta == viejo or (viejo.endswith("/") and ruta.startswith(viejo)):
                otra = nuevo + ruta[len(viejo):] if viejo.endswith("/") else nuevo
                if veces(otra) == 1:
                    print(otra + "\tOK (remapped from " + ruta + ")"); sys.exit(0)
# Search the tree's own sources.
try:
    nombres = subprocess.run(["git", "-C", arbol, "ls-files", "-co", "--exclude-standard"],
                             capture_output=True, text=True, check=True).stdout.splitlines()
except Exception:
    nombres = []
    for raiz, dirs, archivos in os.walk(arbol):
        dirs[:] = [d for d in dirs if not d.startswith(".")]
        for a in archivos:
            nombres.append(os.path.relpath(os.path.join(raiz, a), arbol))
build_rel = os.path.relpath(build, arbol)
candidatos = []
for n in nombres:
    if not n.endswith((".cpp", ".cc", ".cxx", ".h", ".hpp")):
        continue
    if n.split("/")[0] in ("tests", "fuzz", "bench") or n.startswith("build"):
        continue
    if not build_rel.startswith("..") and (n + "/").startswith(build_rel + "/"):
        continue
    v = veces(n)
    if v >= 1:
        candidatos.append((n, v))
unicos = [n for n, v in candidatos if v == 1]
if len(candidatos) == 1 and len(unicos) == 1:
    print(unicos[0] + "\tOK (found; " + ruta + " " + ("holds it %d times" % veces(ruta) if veces(ruta) >= 0 else "missing") + ")")
elif not candidatos:
    print("\tsubstring found nowhere (" + ruta + " " + ("missing" if veces(ruta) < 0 else "holds it %d times" % veces(ruta)) + ")")
else:
    print("\tsubstring in several places: " + ", ".join("%s x%d" % c for c in candidatos))
PY
}

py_aplicar() {  # id file -> replaces in place; exit 1 unless exactly once
  python3 - "$mutantes" "$arbol" "$1" "$2" <<'PY'
import os, sys
tsv, arbol, ident, ruta = sys.argv[1:5]
with open(tsv, encoding="utf-8", newline="") as f:
    for n, linea in enumerate(f):
        c = linea.rstrip("\r\n").split("\t")
        if n > 0 and c[0] == ident:
            break
    else:
        sys.exit(1)
original, reemplazo = c[2], c[3]
p = os.path.join(arbol, ruta)
with open(p, encoding="utf-8", newline="") as f:
    texto = f.read()
if texto.count(original) != 1:
    print("substring occurs %d times" % texto.count(original)); sys.exit(1)
with open(p, "w", encoding="utf-8", newline="") as f:
    f.write(texto.replace(original, reemplazo, 1))
PY
}

py_campo() {  # id column -> value of that column (1-based)
  python3 - "$mutantes" "$1" "$2" <<'PY'
import sys
tsv, ident, col = sys.argv[1], sys.argv[2], int(sys.argv[3])
with open(tsv, encoding="utf-8", newline="") as f:
    for n, linea in enumerate(f):
        c = linea.rstrip("\r\n").split("\t")
        if n > 0 and c[0] == ident and len(c) >= col:
            print(c[col - 1]); break
PY
}

py_fallidos() {  # junit map -> prints "count<TAB>executables<TAB>tests" of the failed tests
  python3 - "$1" "$2" <<'PY'
import json, os, sys
import xml.etree.ElementTree as ET
junit, mapa = sys.argv[1:3]
ejecutables = json.load(open(mapa)) if os.path.exists(mapa) else {}
try:
    raiz = ET.parse(junit).getroot()
except Exception:
    print("-1\t\t"); sys.exit(0)
fallidos, corridos = [], 0
for caso in raiz.iter("testcase"):
    corridos += 1
    estado = caso.get("status", "run")
    if estado in ("fail", "notrun") or caso.find("failure") is not None or caso.find("error") is not None:
        fallidos.append(caso.get("name"))
if corridos == 0:
    print("-1\t\t"); sys.exit(0)
exes = sorted({ejecutables.get(n, "?") for n in fallidos})
print("%d\t%s\t%s" % (len(fallidos), ",".join(exes), ";".join(fallidos)))
PY
}

py_mapa() {  # writes test name -> executable file name, from ctest's own listing
  (cd "$build" && ctest -N --show-only=json-v1) | python3 -c '
import json, os, sys
d = json.load(sys.stdin)
m = {}
for t in d.get("tests", []):
    cmd = t.get("command") or ["?"]
    m[t["name"]] = os.path.basename(cmd[0])
json.dump(m, open(sys.argv[1], "w"), indent=1)
' "$1"
}

py_lentos() {  # junit -> the five slowest tests
  python3 - "$1" <<'PY'
import sys
import xml.etree.ElementTree as ET
casos = [(float(c.get("time") or 0), c.get("name")) for c in ET.parse(sys.argv[1]).getroot().iter("testcase")]
for t, n in sorted(casos, reverse=True)[:5]:
    print("  %8.2f s  %s" % (t, n))
PY
}

py_regex() {  # names on stdin -> one anchored ctest regex
  python3 -c '
import re, sys
n = [l.strip() for l in sys.stdin if l.strip()]
print("^(" + "|".join(re.sub(r"([][.*+?^$(){}|\\])", r"\\\1", x) for x in n) + ")$" if n else "")
'
}

ids() {
  awk -F'\t' 'NR > 1 && $1 != "" && $1 !~ /^#/ { print $1 }' "$mutantes"
}

# ---------------------------------------------------------------------------
# Restoring whatever is mutated, also on interruption.

actual_archivo=""
actual_copia=""

restaurar() {
  [[ -n $actual_archivo ]] || return 0
  cat "$actual_copia" > "$arbol/$actual_archivo"
  touch "$arbol/$actual_archivo"
  if ! cmp -s "$actual_copia" "$arbol/$actual_archivo"; then
    echo "COULD NOT RESTORE $arbol/$actual_archivo (saved copy: $actual_copia)" >&2
    return 1
  fi
  rm -f "$actual_copia"
  actual_archivo=""
  actual_copia=""
}
trap 'restaurar; exit 130' INT TERM
trap 'restaurar' EXIT

segundos() { date +%s; }

construir() {  # log -> rc
  cmake --build "$build" -j "$jobs" > "$1" 2>&1
}

probar() {  # junit log -> rc
  local args=(-j "$jobs" --timeout "$timeout" --output-junit "$1" --no-tests=error)
  [[ -n $excluir ]] && args+=(-E "$excluir")
  (cd "$build" && ctest "${args[@]}") > "$2" 2>&1
}

# ---------------------------------------------------------------------------
# Which mutants.

todos=$(ids)
if [[ -n $solo ]]; then
  elegidos=""
  for i in ${solo//,/ }; do
    grep -qx -- "$i" <<<"$todos" || { echo "unknown mutant: $i" >&2; exit 2; }
    elegidos+="$i"$'\n'
  done
else
  elegidos=$todos
fi

# Resolve every file first: a dry run stops here.
declare -A archivo nota
: > "$salida/resolucion.txt"
for i in $elegidos; do
  IFS=$'\t' read -r f estado < <(py_resolver "$i")
  archivo[$i]=$f
  nota[$i]=$estado
  printf '%-6s %-40s %s\n' "$i" "${f:--}" "$estado" >> "$salida/resolucion.txt"
done
cat "$salida/resolucion.txt"
[[ $seco -eq 1 ]] && exit 0

# ---------------------------------------------------------------------------
# The unmutated tree, once.

if [[ ! -f $build/CMakeCache.txt ]]; then
  echo "configuring $build"
  cmake -S "$arbol" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVAVIVIV_GUI=OFF -DVAVIVIV_BENCH=OFF \
    > "$salida/logs/configurar.log" 2>&1 || { echo "configure failed: $salida/logs/configurar.log" >&2; exit 1; }
fi
if grep -q '^VAVIVIV_GUI:BOOL=ON' "$build/CMakeCache.txt"; then
  echo "warning: $build was configured with VAVIVIV_GUI=ON; window tests take part" >&2
fi
if ! grep -q "^CMAKE_HOME_DIRECTORY:INTERNAL=$arbol\$" "$build/CMakeCache.txt"; then
  echo "$build was configured for another source tree" >&2; exit 2
fi

excluir=""
echo "unmutated: build"
t0=$(segundos)
construir "$salida/logs/base-build.log" || { echo "the unmutated tree does not build: $salida/logs/base-build.log" >&2; exit 1; }
t1=$(segundos)
py_mapa "$salida/ejecutables.json"
echo "unmutated: ctest"
probar "$salida/logs/base-junit.xml" "$salida/logs/base-ctest.log"
t2=$(segundos)
IFS=$'\t' read -r nbase _ fallan_base < <(py_fallidos "$salida/logs/base-junit.xml" "$salida/ejecutables.json")
if [[ $nbase -lt 0 ]]; then echo "no test results for the unmutated tree: $salida/logs/base-ctest.log" >&2; exit 1; fi
{
  echo "unmutated build: $((t1 - t0)) s, ctest: $((t2 - t1)) s"
  echo "tests: $(grep -c '<testcase' "$salida/logs/base-junit.xml")"
  echo "failing unmutated: $nbase ${fallan_base}"
  echo "slowest:"
  py_lentos "$salida/logs/base-junit.xml"
} > "$salida/base.txt"
cat "$salida/base.txt"
if [[ $nbase -gt 0 ]]; then
  [[ $seguir -eq 1 ]] || { echo "the unmutated tree has failing tests (use -k to exclude them)" >&2; exit 1; }
  excluir=$(tr ';' '\n' <<<"$fallan_base" | py_regex)
  echo "excluded from every run: $excluir"
fi

# ---------------------------------------------------------------------------
# The mutants.

resultados="$salida/resultados.tsv"
printf 'id\tfile\tresult\tfailed tests\texecutables\tbuild s\ttest s\tdescription\tfailed test names\n' > "$resultados"

for i in $elegidos; do
  f=${archivo[$i]}
  desc=$(py_campo "$i" 5)
  if [[ -z $f ]]; then
    printf '%s\t%s\tNO APLICA\t\t\t\t\t%s\t%s\n' "$i" "$(py_campo "$i" 2)" "$desc" "${nota[$i]}" >> "$resultados"
    echo "$i NO APLICA: ${nota[$i]}"
    continue
  fi
  actual_copia=$(mktemp "$salida/logs/copia.XXXXXX")
  cp "$arbol/$f" "$actual_copia"
  actual_archivo=$f
  if ! py_aplicar "$i" "$f" > "$salida/logs/$i-aplicar.log" 2>&1; then
    restaurar
    printf '%s\t%s\tNO APLICA\t\t\t\t\t%s\t%s\n' "$i" "$f" "$desc" "$(cat "$salida/logs/$i-aplicar.log")" >> "$resultados"
    echo "$i NO APLICA"
    continue
  fi
  (cd "$arbol" && diff -u "$actual_copia" "$f" > "$salida/logs/$i.diff")
  t0=$(segundos)
  if ! construir "$salida/logs/$i-build.log"; then
    t1=$(segundos)
    restaurar || exit 1
    printf '%s\t%s\tNO COMPILA\t\t\t%s\t\t%s\t\n' "$i" "$f" "$((t1 - t0))" "$desc" >> "$resultados"
    echo "$i NO COMPILA"
    continue
  fi
  t1=$(segundos)
  probar "$salida/logs/$i-junit.xml" "$salida/logs/$i-ctest.log"
  rc=$?
  t2=$(segundos)
  restaurar || exit 1
  IFS=$'\t' read -r n exes nombres < <(py_fallidos "$salida/logs/$i-junit.xml" "$salida/ejecutables.json")
  if [[ $n -lt 0 || ( $n -eq 0 && $rc -ne 0 ) ]]; then
    r="ERROR"  # ctest did not run the tests: see the log
  elif [[ $n -gt 0 ]]; then
    r="KILLED"
  else
    r="SURVIVED"
  fi
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$i" "$f" "$r" "$n" "$exes" "$((t1 - t0))" "$((t2 - t1))" "$desc" "$nombres" >> "$resultados"
  echo "$i $r ${exes}"
done

# Leave the build matching the unmutated tree.
echo "unmutated: rebuild"
construir "$salida/logs/final-build.log" || echo "warning: the final rebuild failed: $salida/logs/final-build.log" >&2

# ---------------------------------------------------------------------------
# Totals.

awk -F'\t' 'NR > 1 {
    n[$3]++; total++
  }
  END {
    k = n["KILLED"] + n["NO COMPILA"]; a = total - n["NO APLICA"] - n["ERROR"]
    printf "mutants: %d\n", total
    printf "killed: %d (of which no compila: %d)\n", k, n["NO COMPILA"] + 0
    printf "survived: %d\n", n["SURVIVED"] + 0
    printf "no aplica: %d, error: %d\n", n["NO APLICA"] + 0, n["ERROR"] + 0
    if (a > 0) printf "score: %d/%d = %.1f%%\n", k, a, 100 * k / a
  }' "$resultados" | tee "$salida/resumen.txt"
echo "results: $resultados"
