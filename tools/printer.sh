# Sourced by tools/test: a private CUPS server with a PDF queue as the default
# printer of the Wine prefix. Needs BUILD_DIR set (and WINEPREFIX when Wine is
# already running). Provides tw_printer_start, tw_printer_stop and
# tw_printer_add / tw_printer_remove for tests that need the queue gone.
#
# Everything lives under $BUILD_DIR/cups: configuration, spool, logs and the
# socket, so several builds on one machine each have their own server. The PDF
# backend reads its settings only from /etc/cups, per queue name
# (cups-pdf-<queue>.conf): the queue is named after the build folder so that
# file is ours alone; it sends the PDFs to $TW_PDF_DIR.
#
# Exports: CUPS_SERVER (the socket, read by lpadmin, lpstat and Wine's libcups),
# TW_PRINTER (the queue name), TW_PDF_DIR (where each job's PDF appears) and
# TW_PDF_DIR_WIN (the same folder as the Wine prefix names it).

tw_printer_start() {
  local root="$BUILD_DIR/cups"
  local id
  id=$(printf '%s' "$BUILD_DIR" | md5sum | cut -c1-8)
  export TW_PRINTER="TW_PDF_$id"
  export TW_PDF_DIR="$root/pdf"
  export CUPS_SERVER="$root/cups.sock"
  TW_PDF_CONF="/etc/cups/cups-pdf-$TW_PRINTER.conf"

  tw_printer_stop_server
  rm -rf "$root"
  mkdir -p "$root"/{etc/ppd,spool/tmp,cache,state,log,pdf,pdfspool}
  # Filters run as lp: they must reach the spool through our folders.
  chmod 755 "$root" "$root"/* 2>/dev/null
  chmod 1777 "$root/spool/tmp" "$root/pdf" "$root/pdfspool"
  local d="$BUILD_DIR"
  while [ "$d" != / ]; do chmod o+x "$d" 2>/dev/null; d=$(dirname "$d"); done

  cat >"$root/etc/cupsd.conf" <<EOF
Listen $CUPS_SERVER
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
MaxJobs 0
PreserveJobFiles No
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
<Location />
  Order allow,deny
  Allow all
</Location>
EOF
  cat >"$root/etc/cups-files.conf" <<EOF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/state
AccessLog $root/log/access_log
ErrorLog $root/log/error_log
PageLog $root/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
FileDevice No
EOF
  cat >"$TW_PDF_CONF" <<EOF
Out $TW_PDF_DIR
Spool $root/pdfspool
Log $root/log
AnonDirName $TW_PDF_DIR
Grp lp
UserUMask 0000
EOF

  cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" </dev/null >"$root/log/cupsd.out" 2>&1 &
  TW_CUPSD_PID=$!
  local ok=0
  for _ in $(seq 1 100); do
    if [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1; then ok=1; break; fi
    kill -0 "$TW_CUPSD_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ "$ok" != 1 ]; then
    echo "tools/printer.sh: CUPS did not start (see $root/log)" >&2
    cat "$root/log/cupsd.out" "$root/log/error_log" 2>/dev/null >&2
    return 1
  fi
  export TW_PDF_DIR_WIN
  TW_PDF_DIR_WIN=$(winepath -w "$TW_PDF_DIR" 2>/dev/null </dev/null) || TW_PDF_DIR_WIN=""
  tw_printer_add || return 1
}

# Adds the PDF queue and makes it the default, for CUPS and for the prefix.
tw_printer_add() {
  local out
  # lpadmin warns on every PPD-based queue; show what it says only on failure.
  if ! out=$(lpadmin -p "$TW_PRINTER" -v "cups-pdf:/$TW_PRINTER" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E 2>&1); then
    echo "tools/printer.sh: lpadmin could not add $TW_PRINTER: $out" >&2
    return 1
  fi
  lpadmin -d "$TW_PRINTER" || return 1
}

tw_printer_remove() {
  lpadmin -x "$TW_PRINTER"
}

tw_printer_stop_server() {
  if [ -n "${TW_CUPSD_PID:-}" ]; then
    kill "$TW_CUPSD_PID" 2>/dev/null || true
    wait "$TW_CUPSD_PID" 2>/dev/null || true
    TW_CUPSD_PID=""
  fi
}

tw_printer_stop() {
  tw_printer_stop_server
  [ -n "${TW_PDF_CONF:-}" ] && rm -f "$TW_PDF_CONF"
  return 0
}
