#!/usr/bin/env bash
# The report tests that need no default printer: the private queue of
# tools/printer.sh is removed, the tests run in a process of their own (Wine
# reads the printer list when a process starts), and the queue comes back.
# Usage: noDefaultPrinter.sh <test_report.exe>
set -u
exe="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
. "$root/tools/printer.sh"
if [ -z "${TW_PRINTER:-}" ] || [ -z "${CUPS_SERVER:-}" ]; then
  echo "no private printer: run the tests through tools/test" >&2
  exit 1
fi
tw_printer_remove || exit 1
if lpstat -d 2>/dev/null | grep -q "$TW_PRINTER"; then
  echo "the queue $TW_PRINTER is still the default" >&2
  tw_printer_add
  exit 1
fi
wine "$exe" --gtest_also_run_disabled_tests --gtest_filter='DISABLED_NoDefaultPrinter.*' </dev/null
rc=$?
tw_printer_add 2>/dev/null || rc=1
exit $rc
