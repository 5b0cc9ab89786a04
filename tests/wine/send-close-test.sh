#!/usr/bin/env bash
# send_close.exe against close_target.exe, two processes on one display:
# a found window gets WM_CLOSE (exit 0, and the target sees OnCloseRequest),
# a title that no window has gives exit 1. Usage: send-close-test.sh <x64 test program folder>
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"
programs=$1
title="KVS close target"

trap stop_all EXIT
start_xvfb || exit 1
wine_env || exit 1

run_wine "$programs/close_target.exe" "$title" &
target=$!
run_wine "$programs/send_close.exe" "$title"
found=$?
wait "$target"
closed=$?
run_wine "$programs/send_close.exe" "KVS no such window"
missing=$?

echo "send_close on the target: exit $found; close_target: exit $closed;" \
     "send_close on a missing title: exit $missing"
[ "$found" -eq 0 ] && [ "$closed" -eq 0 ] && [ "$missing" -eq 1 ]
