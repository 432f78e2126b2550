#!/usr/bin/env bash
# Builds the tool and runs it on the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
scripts/compilar.sh
echo "vaviviv-cli masivo 00 samples/referencias_00.txt:"
build/cli/vaviviv-cli masivo 00 samples/referencias_00.txt | iconv -f WINDOWS-1252 -t UTF-8
