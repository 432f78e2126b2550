#!/usr/bin/env bash
# libvaviviv as a user gets it: the library and development components
# installed into an empty prefix; only vaviviv_* exported; a C99 program built
# with pkg-config alone, and the same program built as C++ by a CMake project
# with find_package(Vaviviv), both giving, for random records of every code,
# the cells vaviviv-cli masivo writes (its file recoded to UTF-8).
# Usage: probar_libvaviviv.sh BUILD_DIR VAVIVIV_CLI [SEED]
set -euo pipefail
construccion=$1
cli=$2
semilla=${3:-$RANDOM}
fuentes=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
falla() { echo "FALLA (semilla $semilla): $*" >&2; exit 1; }

prefijo=$tmp/prefijo
for componente in libvaviviv1 libvaviviv-dev; do
  cmake --install "$construccion" --prefix "$prefijo" --component $componente >/dev/null
done
lib=$(find "$prefijo" -name libvaviviv.so.1 -print -quit)
[ -n "$lib" ] || falla "no se instaló libvaviviv.so.1"
dir=$(dirname "$lib")
[ -L "$lib" ] && [ -L "$dir/libvaviviv.so" ] || falla "enlaces de la biblioteca"
readelf -d "$lib" | grep -q 'SONAME.*\[libvaviviv\.so\.1\]' || falla "SONAME"
otros=$(nm -D --defined-only "$lib" | awk '{print $NF}' | grep -v '^vaviviv_' || true)
[ -z "$otros" ] || falla "exporta más que vaviviv_*: $otros"
[ -f "$prefijo/include/vaviviv/vaviviv.h" ] || falla "cabecera"

PKG_CONFIG_PATH=$dir/pkgconfig cc -std=c99 -Wall -Wextra -pedantic -Werror "$fuentes/celdas.c" -o "$tmp/celdas_c" \
  $(PKG_CONFIG_PATH=$dir/pkgconfig pkg-config --cflags --libs vaviviv) || falla "programa C con pkg-config"
cmake -S "$fuentes/proyecto" -B "$tmp/proyecto" -DCMAKE_PREFIX_PATH="$prefijo" >/dev/null || falla "find_package(Vaviviv)"
cmake --build "$tmp/proyecto" >/dev/null || falla "proyecto CMake"

for codigo in 00 02 03 04 06 10 35 36 37; do
  awk -v codigo=$((10#$codigo)) -v semilla=$semilla -v n=400 -f "$fuentes/registros.awk" >"$tmp/entrada"
  "$cli" masivo $codigo "$tmp/entrada" -o "$tmp/masivo" 2>/dev/null || falla "masivo $codigo"
  tail -n +2 "$tmp/masivo" | iconv -f WINDOWS-1252 -t UTF-8 >"$tmp/esperado"
  LD_LIBRARY_PATH=$dir "$tmp/celdas_c" $codigo "$tmp/entrada" >"$tmp/c" || falla "programa C, código $codigo"
  "$tmp/proyecto/celdas" $codigo "$tmp/entrada" >"$tmp/cxx" || falla "programa C++, código $codigo"
  cmp "$tmp/esperado" "$tmp/c" || { diff "$tmp/esperado" "$tmp/c" | head; falla "celdas de C, código $codigo"; }
  cmp "$tmp/esperado" "$tmp/cxx" || falla "celdas de C++, código $codigo"
done
echo "libvaviviv instalada: mismas celdas que masivo en 9 códigos (semilla $semilla)"
