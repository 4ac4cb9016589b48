#!/usr/bin/env bash
# Folders that exist but cannot be listed, for real: as root Wine (like Linux)
# ignores permissions, so the tool runs as the unprivileged user "nobody", in
# a Wine prefix of that user's own, on an installation where a TRAINSET
# sub-folder and an ACTIVITIES folder have mode 000. Their stock must not
# vanish silently: named in the messages, exit status 1, the report line.
# Usage: unreadableFolders.sh <trackwend-cli.exe>   (exit 77: cannot run here)
set -u
cli="$1"
if [ "$(id -u)" != 0 ] || ! command -v runuser >/dev/null || ! id nobody >/dev/null 2>&1; then
  echo "needs root, runuser and the user nobody" >&2
  exit 77
fi

work="$(mktemp -d /tmp/tw-unreadable.XXXXXX)"
chmod 755 "$work"
cp "$cli" "$work/trackwend-cli.exe"
as_nobody() {
  runuser -u nobody -- env HOME="$work" WINEPREFIX="$work/prefix" WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d" "$@"
}
cleanup() {
  as_nobody wineserver -k </dev/null >/dev/null 2>&1
  chmod -R u+rwx "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A UTF-16 consist as the simulator writes it.
consist() {
  { printf '\xff\xfe'; printf 'SIMISA@@@@@@@@@@JINX0D0t______\r\n\r\nTrain (\r\n%s\r\n)' "$2" | iconv -f UTF-8 -t UTF-16LE; } >"$1"
}
sim="$work/MSTS"
mkdir -p "$sim/TRAINS/CONSISTS" "$sim/TRAINS/TRAINSET/Open" "$sim/TRAINS/TRAINSET/Locked" "$sim/ROUTES/Line/ACTIVITIES"
touch "$sim/TRAINS/TRAINSET/Open/o.eng" "$sim/TRAINS/TRAINSET/Locked/l.wag"
consist "$sim/TRAINS/CONSISTS/c.con" 'Engine ( EngineData ( o Open ) ) Wagon ( WagonData ( l Locked ) )'
consist "$sim/ROUTES/Line/ACTIVITIES/a.act" 'Wagon ( WagonData ( o Open ) )'
chown -R nobody "$work"
chmod 000 "$sim/TRAINS/TRAINSET/Locked" "$sim/ROUTES/Line/ACTIVITIES"

as_nobody wineserver -p </dev/null >/dev/null 2>&1
as_nobody wineboot -i </dev/null >/dev/null 2>&1
winsim="Z:$(printf '%s' "$sim" | tr / '\\')"
fail=0
expect() { # status of a test, what it checks
  if [ "$1" != 0 ]; then echo "FAILED: $2" >&2; fail=1; fi
}

json="$(as_nobody wine "$work/trackwend-cli.exe" --json --activities --lang=en "$winsim" 2>/dev/null </dev/null)"
status=$?
expect "$([ $status = 1 ]; echo $?)" "exit status 1 (was $status)"
# JSON doubles each backslash.
[[ "$json" == *'"These folders could not be read; the results are incomplete:\r\n'*'\\TRAINS\\TRAINSET\\Locked"'* ]]
expect $? "step 2 names its folder: $json"
[[ "$json" == *'\\ROUTES\\Line\\ACTIVITIES"]'* ]]
expect $? "step 3 names its folder"
[[ "$json" == *'"completed":true'* ]]
expect $? "the run went on to its end"

report="$(as_nobody wine "$work/trackwend-cli.exe" --report=missing --activities --lang=fr "$winsim" 2>/dev/null </dev/null)"
[[ "$report" == *$'\r\n(Dossiers illisibles : 2 \xe2\x80\x94 r\xc3\xa9sultats incomplets)\r\n'* ]]
expect $? "report line: $report"
exit $fail
