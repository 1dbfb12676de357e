# Shared by the Windows suites (sourced, not run): starting the saver under
# Wine, waiting for it to end, looking at the screen. A suite drives one
# Windows tree, MIROVANE_TREE; the test command runs it once per tree.
. "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
TREE=${MIROVANE_TREE:-$MIROVANE_WIN64}
[ -n "$TREE_NAME" ] || { TREE_NAME=$(basename "$TREE"); TAG="[$TREE_NAME] "; }
KEY='HKCU\Software\Tolvarn\mirovane\Settings'
OUT="$MIROVANE_OUT/saver-$TREE_NAME"
mkdir -p "$OUT"
SAVER_PID=

# Without a window manager Wine waits two seconds for one to confirm each
# full-screen window's unmapping; unmanaged windows need no confirmation.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# reset_settings NAME=TYPE:VALUE ...   (TYPE d for a number, s for a string)
reset_settings() {
  local reg="$OUT/settings.$$.reg" nv name type value
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tolvarn\\mirovane\\Settings]\r\n' >"$reg"
  for nv in "$@"; do
    name=${nv%%=*}; type=${nv#*=}; type=${type%%:*}; value=${nv#*=}; value=${value#*:}
    if [ "$type" = d ]; then printf '"%s"=dword:%08x\r\n' "$name" "$value" >>"$reg"
    else value=${value//\\/\\\\}; printf '"%s"="%s"\r\n' "$name" "$value" >>"$reg"; fi
  done
  wine reg delete "$KEY" /f >/dev/null 2>&1
  wine reg import "$(win_path "$reg")" >/dev/null 2>&1
  rm -f "$reg"
}
reg_value() { wine reg query "$KEY" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n {print $3}'; }

driver() { timeout "$(scaled 30)" wine "$TREE/saver_driver.exe" "$@" 2>/dev/null | tr -d '\r'; }
driver_quiet() { driver "$@" >/dev/null; }
list_windows() { driver windows; }

# Settings under which every picture lights many pixels within a fraction of
# a second: Mandelbrot views whose outside is coloured, iterated briefly.
FAST_PICTURES=(CurveType=d:1 MaxIterations=d:300)

# start_saver ARGS...: starts the saver in the background (SAVER_PID), and
# waits for its full-screen window; returns 1 when none appears.
start_saver() {
  # Wine may report a pointer position it last saw before the X server's
  # current one when the window appears: make both agree first.
  xdotool mousemove 400 300 2>/dev/null
  driver_quiet cursor 400 300
  timeout "$(scaled 120)" wine "$TREE/mirovane.scr" "$@" >/dev/null 2>&1 &
  SAVER_PID=$!
  WINDOW=$(driver find "$(scaled 15000)")
  case "$WINDOW" in hwnd=0*|"") return 1 ;; esac
  # The window's first pointer report, which it keeps, is the cursor under it.
  sleep 0.3
}
# must_start NAME ARGS...: start_saver, or the suite stops with a diagnosis.
must_start() {
  local name=$1; shift
  start_saver "$@" || abort "$name" "no saver window within $(scaled 15) s"
}
alive() { kill -0 "$SAVER_PID" 2>/dev/null; }
# How the saver ended, for failure messages: "running", or its exit status.
saver_state() { if alive; then echo running; else wait "$SAVER_PID" 2>/dev/null; echo "ended with status $?"; fi; }
# wait_exit MS: waits up to MS (scaled) for the saver to end; prints the time taken.
wait_exit() {
  local t0 t limit
  t0=$(now_ms); limit=$(scaled "$1")
  while alive; do
    t=$(( $(now_ms) - t0 ))
    [ "$t" -gt "$limit" ] && { echo "$t"; return 1; }
    sleep 0.01
  done
  wait "$SAVER_PID" 2>/dev/null
  echo $(( $(now_ms) - t0 ))
}
stop_saver() {
  if [ -n "$SAVER_PID" ] && alive; then
    xdotool key Escape 2>/dev/null
    wait_exit 3000 >/dev/null || { pkill -P "$SAVER_PID" 2>/dev/null; kill "$SAVER_PID" 2>/dev/null; wait "$SAVER_PID" 2>/dev/null; }
  fi
  SAVER_PID=
}
# ends_saver NAME CMD...: runs CMD against a running saver; passes when the
# saver exits within two seconds (scaled), and records the latency.
ends_saver() {
  local name=$1 t0 ms; shift
  t0=$(now_ms)
  "$@"
  if ms=$(wait_exit 2000); then
    ms=$(( $(now_ms) - t0 ))
    pass "$name (exit after $ms ms)"
    echo "latency $name $ms" >>"$OUT/latency.txt"
  else fail "$name" "still running ${ms} ms later"; stop_saver; fi
}

capture() { import -window root "$1" 2>/dev/null; }
# Non-black pixels on the screen, as Wine itself reads it.
lit() { driver lit 0 0 800 600 | sed -n 's/^lit=//p'; }
differ() { compare -metric AE "$1" "$2" null: 2>&1 | awk '{print int($1)}'; }
litof() { convert "$1" -colorspace gray -threshold 0 -format '%[fx:int(mean*w*h+0.5)]' info:; }

trap 'stop_saver' EXIT
# wait_lit MIN SECONDS: polls until at least MIN pixels are lit; prints the last count.
wait_lit() {
  local n=0 end
  end=$(( $(now_ms) + $(scaled $(( $2 * 1000 ))) ))
  while :; do
    n=$(lit); n=${n:-0}
    [ "$n" -ge "$1" ] && break
    [ "$(now_ms)" -ge "$end" ] && break
    sleep 0.2
  done
  echo "$n"; [ "$n" -ge "$1" ]
}
# wait_still FILE SECONDS: captures every half second until two captures
# match (the picture is complete, or the drawing held); FILE keeps the last.
wait_still() {
  local prev="$OUT/still.$$.png" end
  end=$(( $(now_ms) + $(scaled $(( $2 * 1000 ))) ))
  capture "$prev"
  while [ "$(now_ms)" -lt "$end" ]; do
    sleep 0.5
    capture "$1"
    if [ "$(differ "$prev" "$1")" = 0 ]; then rm -f "$prev"; return 0; fi
    cp "$1" "$prev"
  done
  rm -f "$prev"; return 1
}
# wait_change FILE SECONDS: captures until the screen differs from FILE.
wait_change() {
  local now="$OUT/change.$$.png" end
  end=$(( $(now_ms) + $(scaled $(( $2 * 1000 ))) ))
  while [ "$(now_ms)" -lt "$end" ]; do
    capture "$now"
    if [ "$(differ "$1" "$now")" != 0 ]; then rm -f "$now"; return 0; fi
    sleep 0.2
  done
  rm -f "$now"; return 1
}
