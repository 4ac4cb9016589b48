#!/usr/bin/env bash
# Unlistable folders for real (as root Wine ignores permissions): the tool runs as "nobody", in a
# prefix of its own, on a TRAINSET sub-folder and an ACTIVITIES folder of mode 000. Usage: $0 <cli.exe>
[ "$(id -u)" = 0 ] && command -v runuser >/dev/null && id nobody >/dev/null 2>&1 || exit 77
w="$(mktemp -d /tmp/tw-unreadable.XXXXXX)" && chmod 755 "$w" && cp "$1" "$w/cli.exe"
as_nobody() { runuser -u nobody -- env HOME="$w" WINEPREFIX="$w/prefix" WINEDEBUG=-all "$@" </dev/null 2>/dev/null; }
trap 'as_nobody wineserver -k; chmod -R u+rwx "$w"; rm -rf "$w"' EXIT
consist() { { printf '\xff\xfe'; printf 'SIMISA@@@@@@@@@@JINX0D0t______\r\nTrain ( %s )' "$2" | iconv -t UTF-16LE; } >"$1"; }
s="$w/MSTS" && mkdir -p "$s/TRAINS/CONSISTS" "$s/TRAINS/TRAINSET/Open" "$s/TRAINS/TRAINSET/Locked" "$s/ROUTES/Line/ACTIVITIES"
touch "$s/TRAINS/TRAINSET/Open/o.eng" "$s/TRAINS/TRAINSET/Locked/l.wag"
consist "$s/TRAINS/CONSISTS/c.con" 'Engine ( EngineData ( o Open ) ) Wagon ( WagonData ( l Locked ) )'
consist "$s/ROUTES/Line/ACTIVITIES/a.act" 'Wagon ( WagonData ( o Open ) )'
chown -R nobody "$w" && chmod 000 "$s/TRAINS/TRAINSET/Locked" "$s/ROUTES/Line/ACTIVITIES"
as_nobody wineserver -p >/dev/null; as_nobody wineboot -i >/dev/null
win="Z:$(printf '%s' "$s" | tr / '\\')"
json="$(as_nobody wine "$w/cli.exe" --json --activities --lang=en "$win")"; status=$?
report="$(as_nobody wine "$w/cli.exe" --report=missing --activities --lang=fr "$win")"
fail=0
# JSON doubles each backslash. The run goes on to its end, and says what it could not read.
[ $status = 1 ] || { echo "exit status $status, not 1" >&2; fail=1; }
[[ "$json" == *'"completed":true'*'"messages":["These folders could not be read; the results are incomplete:\r\n'*'\\TRAINSET\\Locked","These folders'*'\\ROUTES\\Line\\ACTIVITIES"]'* ]] ||
  { echo "messages: $json" >&2; fail=1; }
[[ "$report" == *$'\r\n(Dossiers illisibles : 2 \xe2\x80\x94 r\xc3\xa9sultats incomplets)\r\n'* ]] || { echo "report: $report" >&2; fail=1; }
exit $fail
