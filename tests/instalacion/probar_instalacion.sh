#!/usr/bin/env bash
# Installs the build tree into an empty prefix and checks what a user gets:
# both programs, the files the window reads, the desktop entry, the metainfo,
# the themed icons and the manual page; then runs the installed programs.
# Usage: probar_instalacion.sh BUILD_DIR
set -euo pipefail
construccion=$1
prefijo=$(mktemp -d)
trap 'rm -rf "$prefijo"' EXIT
falla() { echo "FALLA: $*" >&2; exit 1; }

cmake --install "$construccion" --prefix "$prefijo" >/dev/null
cd "$prefijo"
for f in bin/vaviviv bin/vaviviv-cli share/vaviviv/VaviviV.hlp share/vaviviv/Vaviviv.hlp \
         share/vaviviv/tesk.bmp share/vaviviv/samples/referencias_00.txt share/man/man1/vaviviv-cli.1 \
         share/bash-completion/completions/vaviviv-cli \
         share/applications/org.vaviviv.VaviviV.desktop share/metainfo/org.vaviviv.VaviviV.metainfo.xml; do
  [ -s "$f" ] || falla "no se instaló $f"
done
[ -x bin/vaviviv ] && [ -x bin/vaviviv-cli ] || falla "programas sin permiso de ejecución"
grep -qx 'Categories=Office;Finance;' share/applications/*.desktop || falla "categorías"
grep -qx 'Icon=org.vaviviv.VaviviV' share/applications/*.desktop || falla "icono de la entrada"

tamanos=0
for lado in 16 22 24 32 48 64 128 256; do
  png=share/icons/hicolor/${lado}x${lado}/apps/org.vaviviv.VaviviV.png
  [ -f "$png" ] || falla "falta el icono de $lado px"
  # Width and height, big-endian, sit at bytes 16-23 of a PNG's header.
  [ "$(od -An -tu4 --endian=big -j16 -N8 "$png" | tr -s ' ')" = " $lado $lado" ] || falla "$png no mide $lado px"
  tamanos=$((tamanos + 1))
done
[ "$tamanos" -ge 4 ] || falla "menos de cuatro tamaños de icono"
grep -q '<svg xmlns="http://www.w3.org/2000/svg"' share/icons/hicolor/scalable/apps/org.vaviviv.VaviviV.svg \
  || falla "falta el icono escalable"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate share/applications/org.vaviviv.VaviviV.desktop || falla "entrada .desktop no válida"
else echo "desktop-file-validate no está instalado: se omite"; fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net share/metainfo/org.vaviviv.VaviviV.metainfo.xml || falla "metainfo no válida"
else echo "appstreamcli no está instalado: se omite"; fi
grep -q '^\.SH NOMBRE' share/man/man1/vaviviv-cli.1 || falla "página de manual"
avisos=$(groff -man -ww -z share/man/man1/vaviviv-cli.1 2>&1) && [ -z "$avisos" ] || falla "página de manual con avisos de groff: $avisos"

[ "$(bin/vaviviv-cli calcular 00 123456)" = $'1234566\t6' ] || falla "vaviviv-cli instalado"
# Completion as bash loads it: the codes come from the installed program.
[ "$(PATH="$prefijo/bin:$PATH" bash -c 'source share/bash-completion/completions/vaviviv-cli
  COMP_WORDS=(vaviviv-cli masivo 1); COMP_CWORD=2; $(complete -p vaviviv-cli | sed "s/.*-F \([^ ]*\).*/\1/")
  echo "${COMPREPLY[*]}"')" = "$(bin/vaviviv-cli codigos | grep '^1' | paste -sd' ')" ] || falla "compleción de bash instalada"
# Without a display the installed window computes the installed sample with the
# installed vaviviv-cli, and names nothing of the build tree.
estado=0
salida=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM bin/vaviviv 2>&1) || estado=$?
[ "$estado" -eq 3 ] || falla "estado $estado sin pantalla"
grep -qF "$prefijo/bin/vaviviv-cli masivo 00 $prefijo/share/vaviviv/samples/referencias_00.txt" <<<"$salida" \
  || falla "sin pantalla no usó los archivos instalados: $salida"
grep -q $'1234566\t6' <<<"$salida" || falla "sin pantalla no calculó la muestra"
! grep -qF "$(cd "$construccion" && pwd)" <<<"$salida" || falla "nombra la carpeta de construcción"
echo "instalación correcta: $tamanos tamaños de icono"
