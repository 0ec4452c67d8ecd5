# Sourced by the scripts that need an X display: starts a private Xvfb on a free display
# number and stops it (and this prefix's wineserver) when the calling script exits.
# It never reuses or touches a display that another process owns.

quillery_start_virtual_display() {
  local n
  for n in $(seq 90 189); do
    if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      QUILLERY_XVFB_PID=$!
      local tries
      for tries in $(seq 1 50); do
        if [[ -e /tmp/.X11-unix/X$n ]] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
          export DISPLAY=":$n"
          trap quillery_stop_virtual_display EXIT
          return 0
        fi
        if ! kill -0 "$QUILLERY_XVFB_PID" 2>/dev/null; then break; fi
        sleep 0.1
      done
      kill "$QUILLERY_XVFB_PID" 2>/dev/null || true
    fi
  done
  echo "could not start Xvfb on any display from :90 to :189" >&2
  return 1
}

quillery_stop_virtual_display() {
  if [[ -n "${QUILLERY_WINESERVER:-}" && -n "${WINEPREFIX:-}" ]]; then
    "$QUILLERY_WINESERVER" -k >/dev/null 2>&1 || true
  fi
  if [[ -n "${QUILLERY_XVFB_PID:-}" ]]; then
    kill "$QUILLERY_XVFB_PID" 2>/dev/null || true
    wait "$QUILLERY_XVFB_PID" 2>/dev/null || true
  fi
}
