# Shell functions for running Windows x64 programs under wine64 on a private
# prefix and a private Xvfb display. Source this file, then:
#   start_xvfb          # DISPLAY from KVS_TEST_DISPLAY, or a fresh Xvfb
#   wine_env            # WINEPREFIX (created once), WINEDLLOVERRIDES, WINEDEBUG
#   wine_set_dpi N      # the screen's logical dpi for the programs run after it
#   run_wine prog args  # wine64 under a timeout; returns the program's exit code
#   stop_all            # wineserver -k for the prefix, then the Xvfb we started
# Settings: KVS_WINEPREFIX (default ./wineprefix), KVS_TEST_DISPLAY,
# KVS_WINE_TIMEOUT (seconds, default 60), WINEDEBUG, WINEDLLOVERRIDES.

KVS_WINE64=/usr/lib/wine/wine64
KVS_WINESERVER=/usr/lib/wine/wineserver
kvs_xvfb_pid=""
kvs_xvfb_fdfile=""

start_xvfb() {
  if [ -n "${KVS_TEST_DISPLAY:-}" ]; then
    export DISPLAY="$KVS_TEST_DISPLAY"
    return 0
  fi
  # Xvfb picks a free display number itself and writes it to fd 3 once it
  # accepts connections.
  kvs_xvfb_fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$kvs_xvfb_fdfile" 2>/dev/null &
  kvs_xvfb_pid=$!
  local waited=0
  while ! grep -q '[0-9]' "$kvs_xvfb_fdfile"; do
    if ! kill -0 "$kvs_xvfb_pid" 2>/dev/null || [ "$waited" -ge 100 ]; then
      echo "wine-lib: Xvfb did not start" >&2
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  export DISPLAY=":$(tr -dc '0-9' <"$kvs_xvfb_fdfile")"
}

wine_env() {
  export WINEPREFIX="${KVS_WINEPREFIX:-$PWD/wineprefix}"
  export WINEARCH=win64
  export WINEDEBUG="${WINEDEBUG:--all}"
  # No Mono or Gecko installer dialogs; the caller's overrides come after.
  export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
  # The first start builds the prefix (about 15 s); later runs reuse it.
  # Windows are unmanaged: a bare Xvfb has no window manager, and wine would
  # wait 2 s for one whenever it hides or destroys a managed window.
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "wine-lib: creating $WINEPREFIX" >&2
      timeout 120 "$KVS_WINE64" wineboot --init >/dev/null 2>&1
      timeout 60 "$KVS_WINESERVER" -w
    fi
    if [ -f "$WINEPREFIX/system.reg" ] && [ ! -f "$WINEPREFIX/.kvs-unmanaged" ]; then
      timeout 30 "$KVS_WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ \
        /d N /f >/dev/null 2>&1 && touch "$WINEPREFIX/.kvs-unmanaged"
    fi
  ) 9>"$WINEPREFIX.lock"
  [ -f "$WINEPREFIX/system.reg" ]
}

# Wine reports this dpi to every program, DPI-aware or not. The prefix keeps
# the value, so a run that cares sets it each time.
wine_set_dpi() {
  timeout 30 "$KVS_WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$1" /f >/dev/null 2>&1
}

run_wine() {
  timeout --kill-after=5 "${KVS_WINE_TIMEOUT:-60}" "$KVS_WINE64" "$@"
}

stop_all() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    timeout 10 "$KVS_WINESERVER" -k 2>/dev/null
  fi
  if [ -n "$kvs_xvfb_pid" ]; then
    kill "$kvs_xvfb_pid" 2>/dev/null
    wait "$kvs_xvfb_pid" 2>/dev/null
    kvs_xvfb_pid=""
  fi
  if [ -n "$kvs_xvfb_fdfile" ]; then
    rm -f "$kvs_xvfb_fdfile"
    kvs_xvfb_fdfile=""
  fi
  return 0
}
