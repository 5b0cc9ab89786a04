#!/usr/bin/env bash
# Runs one Windows x64 program under wine64 on the test prefix and a private
# display, and exits with the program's exit code: run-wine.sh <program> [args]
# The screen has KVS_WINE_DPI logical dpi, 96 unless set.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"

if [ $# -lt 1 ]; then
  echo "usage: $0 <program.exe> [args...]" >&2
  exit 2
fi
trap stop_all EXIT
start_xvfb || exit 1
wine_env || { echo "run-wine: no wine prefix" >&2; exit 1; }
wine_set_dpi "${KVS_WINE_DPI:-96}" || { echo "run-wine: could not set the dpi" >&2; exit 1; }
run_wine "$@"
