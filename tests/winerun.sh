#!/usr/bin/env bash
# Runs a Windows program under Wine, with what it writes through OutputDebugString shown on
# standard error (the cross-build's CMAKE_CROSSCOMPILING_EMULATOR, see scripts/windows.sh).
# Under Wine a program whose output goes to a pipe has no console, so Qt sends its messages and
# Qt Test its results there instead of to standard output. The exit code is the program's.
set -uo pipefail
log=$(mktemp)
WINEDEBUG=-all,+debugstr /usr/lib/wine/wine64 "$@" 2>"$log"
status=$?
pattern='^[0-9a-f]+:warn:debugstr:OutputDebugString[AW] "(.*)"$'
while IFS= read -r line; do
    if [[ $line =~ $pattern ]]; then
        text=${BASH_REMATCH[1]}
        printf '%b' "${text//\\\"/\"}"
    else
        printf '%s\n' "$line"
    fi
done < "$log" >&2
rm -f "$log"
exit $status
