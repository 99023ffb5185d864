# Sourced by the run and test scripts: the project's Wine prefix, GBK locale and a display.
# Creates the prefix on first use.
qelvan_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${QELVAN_WINEPREFIX:-$qelvan_root/.wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=zh_CN.GBK

qelvan_xvfb_pid=
qelvan_start_display() {
  if [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 90 120); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    qelvan_xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
}

qelvan_stop_display() {
  if [ -n "$qelvan_xvfb_pid" ]; then kill "$qelvan_xvfb_pid" 2>/dev/null || true; wait "$qelvan_xvfb_pid" 2>/dev/null || true; fi
}

qelvan_make_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  # Without a window manager Wine must draw the frames itself, or every hidden window stalls.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
}
