#!/usr/bin/env bash
# Runs a Qt Test program under Wine and prints its report. Under Wine the
# report sent to standard output reaches only Windows' debugger channel, so
# it is written to a file instead.
#   run-qttest.sh WINE_RUN TEST.exe [arguments...]
set -uo pipefail
wine_run="$1"; test="$2"; shift 2
report="$(mktemp)"
trap 'rm -f "$report"' EXIT
"$wine_run" "$test" -o "Z:$report,txt" "$@"
status=$?
tr -d '\r' < "$report"
exit "$status"
