#!/usr/bin/env bash
# trackwend-cli with its standard output on a full device: the lost output is
# a failure, told in one line on standard error, with status 1.
# Usage: fullOutput.sh <trackwend-cli.exe> <simulator folder>
set -u
err=$(wine "$1" --json "$(winepath -w "$2")" </dev/null 2>&1 >/dev/full)
rc=$?
lines=$(printf '%s\n' "$err" | grep -c .)
if [ "$rc" -ne 1 ] || [ "$lines" -ne 1 ] || ! printf '%s' "$err" | grep -q "Cannot write to standard output"; then
  echo "status $rc, standard error:" >&2
  printf '%s\n' "$err" >&2
  exit 1
fi
