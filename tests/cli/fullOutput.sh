#!/usr/bin/env bash
# trackwend-cli with its standard output on a full device: one line on
# standard error and status 1. Usage: fullOutput.sh <trackwend-cli.exe> <simulator folder>
err=$(wine "$1" --json "$(winepath -w "$2")" </dev/null 2>&1 >/dev/full)
rc=$?
echo "status $rc: $err"
[ "$rc" -eq 1 ] && [ "$(printf '%s\n' "$err" | grep -c .)" -eq 1 ] && [[ "$err" == "Cannot write to standard output"* ]]
