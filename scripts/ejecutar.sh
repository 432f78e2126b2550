#!/usr/bin/env bash
# Builds the tool and starts it. Without a display the tool says how to start
# it under xvfb-run and runs vaviviv-cli on the bundled sample instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
scripts/compilar.sh
exec build/app/vaviviv "$@"
