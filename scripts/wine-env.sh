# Sourced by the scripts that run Windows programs: finds Wine and points it at the
# project's own prefix inside the build tree, never at the user's ~/.wine.
# Expects QUILLERY_BUILD_DIR (the Windows build folder) to be set.

quillery_find_wine() {
  if command -v wine64 >/dev/null 2>&1; then
    QUILLERY_WINE=$(command -v wine64)
  elif [[ -x /usr/lib/wine/wine64 ]]; then
    QUILLERY_WINE=/usr/lib/wine/wine64
  elif command -v wine >/dev/null 2>&1; then
    QUILLERY_WINE=$(command -v wine)
  else
    echo "Wine is not installed; run scripts/install-deps.sh" >&2
    return 1
  fi
  if [[ -x /usr/lib/wine/wineserver ]]; then
    QUILLERY_WINESERVER=/usr/lib/wine/wineserver
  else
    QUILLERY_WINESERVER=$(command -v wineserver)
  fi
  export QUILLERY_WINE QUILLERY_WINESERVER
  # QUILLERY_WINEPREFIX names another prefix, for programs that run beside those of this one.
  export WINEPREFIX="${QUILLERY_WINEPREFIX:-${QUILLERY_BUILD_DIR}/wineprefix}"
  export WINEARCH=win64
  export WINEDEBUG=${WINEDEBUG:--all}
  # The model and the tests expect the Western code pages (ANSI 1252, OEM 437), which Wine
  # takes from this locale; C.UTF-8 is on every Debian machine and keeps UTF-8 file names.
  export LANG=C.UTF-8 LC_ALL=
  # No Mono or Gecko installer prompts: the programs need neither.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Creates the prefix once; later calls return at once.
quillery_prepare_wine_prefix() {
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "creating Wine prefix in $WINEPREFIX"
    "$QUILLERY_WINE" wineboot --init >/dev/null 2>&1 || true
    "$QUILLERY_WINESERVER" -w
  fi
}

# Starts one Wine session for several programs: a persistent server and Wine's own
# services, started here with their output on /dev/null. Started by the first test program
# instead, the services would inherit its output pipe and CTest would wait on them.
# The caller stops the session with "$QUILLERY_WINESERVER" -k.
quillery_start_wine_session() {
  quillery_prepare_wine_prefix
  "$QUILLERY_WINESERVER" -p
  "$QUILLERY_WINE" wineboot >/dev/null 2>&1 </dev/null || true
}
