# Sourced by scripts/test and scripts/run: Wine's environment and an Xvfb.

# wine_env PREFIX BUILD [ARCH]: exports Wine's settings and initialises PREFIX
# once, as a 64-bit Windows (the default) or, with ARCH win32, a 32-bit one.
# Debian's wine command starts the 32-bit loader whenever it is installed;
# on a kernel that cannot run 32-bit programs only the 64-bit loader works,
# reached through a wrapper under BUILD. WINE_RUNS_32BIT says which it is.
# WINE64 runs a program in a 64-bit process, which sees the real system32
# and the 64-bit registry: where the 32-bit loader is installed, plain wine
# starts a Windows name or a built-in program (reg) as a 32-bit one, which
# WoW64 sends to syswow64 and the registry's 32-bit view.
wine_env() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEARCH=${3:-win64} WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_RUNS_32BIT=1
  WINE64=wine
  if [ -x /usr/lib/wine/wine64 ]; then
    mkdir -p "$2/winebin"
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' >"$2/winebin/wine64"
    chmod +x "$2/winebin/wine64"
    WINE64="$2/winebin/wine64"
    if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
      ln -sf wine64 "$2/winebin/wine"; ln -sf wine64 "$2/winebin/wine-stable"
      export PATH="$2/winebin:$PATH"
      WINE_RUNS_32BIT=0
    fi
  fi
  export WINE64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    printf '== initialising %s\n' "$WINEPREFIX" >&2
    timeout 300 wineboot -i >/dev/null 2>&1; timeout 120 wineserver -w
  fi
}

# start_xvfb: an 800 x 600 x 24 Xvfb on the first free display from :90;
# exports DISPLAY and sets XVFB_PID.
start_xvfb() {
  local n display=
  for n in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=$n; break; }; done
  Xvfb ":$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  export DISPLAY=":$display"
}

# win_path PATH: PATH's Windows name through the prefix's Z: drive (the whole
# Unix tree). A string rule, not winepath: that is a Wine process of its own
# and, on a loaded machine, has come back with nothing.
win_path() {
  local p
  p=$(realpath -m -- "$1")
  if [ "$(readlink "${WINEPREFIX:-$HOME/.wine}/dosdevices/z:" 2>/dev/null)" = / ]; then
    printf 'Z:%s\n' "${p//\//\\}"
  else
    winepath -w "$p" 2>/dev/null
  fi
}

# wine_pids PATTERN: the processes of Windows programs whose command line
# matches PATTERN, without the start.exe that wine may run them under (whose
# children Wine detaches) or a timeout around them.
wine_pids() {
  local p
  for p in $(pgrep -f -- "$1"); do
    case "$(cat "/proc/$p/comm" 2>/dev/null)" in start.exe|timeout|"") ;; *) echo "$p" ;; esac
  done
}
