# Sourced by the tools: a private Wine prefix and display for this build folder.
# Needs BUILD_DIR set. Provides tw_wine_start and tw_wine_stop.

tw_find_display() {
  local n
  for n in $(seq 90 190); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      echo "$n"; return 0
    fi
  done
  return 1
}

# Starts Xvfb on a free display (unless TW_USE_DISPLAY is set) and a persistent
# wineserver for a fresh prefix, every standard stream detached so that nothing
# waiting on our pipes is kept alive by Wine's background processes.
tw_wine_start() {
  export WINEPREFIX="$BUILD_DIR/wineprefix"
  export WINEDEBUG=-all
  # A crashing test ends at once instead of waiting in the debugger.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
  if [ -z "${TW_USE_DISPLAY:-}" ]; then
    local d
    d=$(tw_find_display)
    Xvfb ":$d" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    TW_XVFB_PID=$!
    export DISPLAY=":$d"
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$d" ] && break
      sleep 0.1
    done
  fi
  if [ "${TW_KEEP_PREFIX:-0}" != 1 ]; then rm -rf "$WINEPREFIX"; fi
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
  wineboot -i </dev/null >/dev/null 2>&1 || true

  # No window manager: without this every top-level window waits about 2 s.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  # Courier New for the results window, the real MS Sans Serif and Tahoma.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /t REG_SZ /d 'Liberation Mono' /f </dev/null >/dev/null 2>&1
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp -f /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
  cp -f /usr/share/fonts/truetype/liberation2/*.ttf "$fonts/" 2>/dev/null || true
}

tw_wine_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "${TW_XVFB_PID:-}" ]; then
    kill "$TW_XVFB_PID" 2>/dev/null || true
    wait "$TW_XVFB_PID" 2>/dev/null || true
    TW_XVFB_PID=""
  fi
}
