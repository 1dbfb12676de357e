# Shared by the saver suites (sourced, not run): starting the saver under
# Wine, waiting for it to end, looking at the screen.
set -u
# The Windows trees this machine can run (a kernel without 32-bit support
# runs only the 64-bit one); the suites drive the first.
WINE_TREES=${MIROVANE_WINE_TREES:-"$MIROVANE_WIN32 $MIROVANE_WIN64"}
TREE=${WINE_TREES%% *}
KEY='HKCU\Software\Tolvarn\mirovane\Settings'
OUT="$MIROVANE_OUT/saver"
mkdir -p "$OUT"
failed=0
SAVER_PID=
pass() { echo "PASS $1"; }
fail() { echo "FAIL $1: $2"; failed=1; }
check() { if [ "$2" = 0 ]; then pass "$1"; else fail "$1" "$3"; fi; }

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
  wine reg import "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
  rm -f "$reg"
}
reg_value() { wine reg query "$KEY" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n {print $3}'; }

driver() { timeout 20 wine "$TREE/saver_driver.exe" "$@" 2>/dev/null | tr -d '\r'; }
driver_quiet() { driver "$@" >/dev/null; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# start_saver ARGS...: starts the saver in the background (SAVER_PID), and
# waits for its full-screen window; returns 1 when none appears.
start_saver() {
  xdotool mousemove 400 300 2>/dev/null
  timeout 120 wine "$TREE/mirovane.scr" "$@" >/dev/null 2>&1 &
  SAVER_PID=$!
  WINDOW=$(driver find 8000)
  case "$WINDOW" in hwnd=0*|"") return 1 ;; esac
  sleep 0.3
}
alive() { kill -0 "$SAVER_PID" 2>/dev/null; }
# wait_exit MS: waits up to MS for the saver to end; prints the time taken.
wait_exit() {
  local t0 t
  t0=$(now_ms)
  while alive; do
    t=$(( $(now_ms) - t0 ))
    [ "$t" -gt "$1" ] && { echo "$t"; return 1; }
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
# saver exits within two seconds, and records the latency.
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

trap 'stop_saver' EXIT
# wait_lit MIN SECONDS: polls until at least MIN pixels are lit; prints the last count.
wait_lit() {
  local n=0 i
  for i in $(seq $(( $2 * 2 ))); do
    n=$(lit); n=${n:-0}
    [ "$n" -ge "$1" ] && break
    sleep 0.5
  done
  echo "$n"; [ "$n" -ge "$1" ]
}
# wait_still FILE SECONDS: captures once a second until two captures match
# (the picture is complete, or the drawing held); FILE keeps the last one.
wait_still() {
  local t0 tprev prev="$OUT/still.$$.png" i
  t0=$(now_ms); tprev=$t0
  capture "$prev"
  for i in $(seq "$2"); do
    sleep 1
    capture "$1"
    # STILL_MS: when the first of the matching captures was taken.
    if [ "$(differ "$prev" "$1")" = 0 ]; then rm -f "$prev"; STILL_MS=$(( tprev - t0 )); return 0; fi
    cp "$1" "$prev"; tprev=$(now_ms)
  done
  rm -f "$prev"; return 1
}
