#!/usr/bin/env bash
# Shared Wine set-up for ./run and the end-to-end tests. Source it for the
# functions, or run `tools/wine-env.sh prefix [DIR]` to prepare a prefix.
#
# Every Wine process must land in one 1024x768 virtual desktop: only there do
# the mouse hook, hot key and tray work, and an inspector can see our window.

VETRIX_ROOT=${VETRIX_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

# Exports the variables every wine call needs; defaults to the mingw build's prefix.
vetrix_wine_env() {
  export WINEPREFIX=${1:-${WINEPREFIX:-$VETRIX_ROOT/build/mingw/wineprefix}}
  export WINEDEBUG=-all
  # No Mono or Gecko: they would prompt for a download on a new prefix.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Starts Xvfb on a free display unless DISPLAY is already set; sets DISPLAY and
# VETRIX_XVFB_PID (empty when nothing was started).
vetrix_xvfb_start() {
  VETRIX_XVFB_PID=
  [[ -n ${DISPLAY:-} ]] && return 0
  local fdfile
  fdfile=$(mktemp)
  # -displayfd lets Xvfb pick a free display itself, so parallel callers never collide.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" \
    >/dev/null 2>&1 &
  VETRIX_XVFB_PID=$!
  local deadline=$((SECONDS + 15)) num=
  while ((SECONDS < deadline)); do
    num=$(head -n1 "$fdfile" 2>/dev/null)
    [[ -n $num ]] && break
    kill -0 "$VETRIX_XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$fdfile"
  if [[ -z $num ]]; then
    echo "wine-env: Xvfb did not start" >&2
    kill "$VETRIX_XVFB_PID" 2>/dev/null
    VETRIX_XVFB_PID=
    return 1
  fi
  export DISPLAY=:$num
  # Without this, Xvfb takes Ctrl+Alt+F1..F12 for itself as console switches.
  setxkbmap -display "$DISPLAY" -option srvrkeys:none
}

vetrix_xvfb_stop() {
  if [[ -n ${VETRIX_XVFB_PID:-} ]]; then
    kill "$VETRIX_XVFB_PID" 2>/dev/null
    wait "$VETRIX_XVFB_PID" 2>/dev/null
    VETRIX_XVFB_PID=
  fi
}

# Prepares the prefix once (wineboot, fonts, virtual desktop). Safe when several
# callers race: the first one prepares under a lock, the others wait and reuse.
vetrix_prefix_prepare() {
  vetrix_wine_env "${1:-}"
  local prefix=$WINEPREFIX stamp=$WINEPREFIX/.vetrix-prepared
  [[ -f $stamp ]] && return 0
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    [[ -f $stamp ]] && exit 0
    # A stamp-less prefix is what an interrupted preparation leaves behind.
    rm -rf "$prefix"
    local own_x=0
    if [[ -z ${DISPLAY:-} ]]; then
      vetrix_xvfb_start || exit 1
      own_x=1
    fi
    echo "wine-env: preparing Wine prefix $prefix" >&2
    wineboot -i >/dev/null 2>&1 && wineserver -w || {
      echo "wine-env: wineboot failed for $prefix" >&2
      ((own_x)) && vetrix_xvfb_stop
      exit 1
    }
    ln -sf /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null &&
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null &&
      wineserver -w
    local rc=$?
    ((own_x)) && vetrix_xvfb_stop
    ((rc == 0)) || { echo "wine-env: registry set-up failed for $prefix" >&2; exit 1; }
    touch "$stamp"
  ) 9>"$prefix.lock"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  set -euo pipefail
  case ${1:-} in
    prefix) vetrix_prefix_prepare "${2:-}" ;;
    *) echo "usage: $0 prefix [DIR]" >&2; exit 2 ;;
  esac
fi
