#!/bin/bash
# Pictures per second on screen against the renderer, in one run: the 64-bit
# saver under Wine full screen and the Linux display mode in its own window,
# each in an Xvfb of the picture's size, beside mirovane-render on one
# thread. Then what presenting a standing picture costs, the close latency
# and how many of a series of starts stayed black. Prints figures only.
#
#   bench/display_throughput.sh [SECONDS] [STARTS]   (default 10 s a run, 50 starts)
#   BENCH_RUNS='800x600 0,...'  only these throughput runs (size, iterations; 0 their own)
#
# Settings: Mandelbrot entries, no completion delay, Fast Fade; at most 4
# iterations, and once at the entries' own counts.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${MIROVANE_BUILD:-$ROOT/build}
SECONDS_A_RUN=${1:-10}
STARTS=${2:-50}
RENDER=$BUILD/native/mirovane-render
MODE=$BUILD/native/mirovane
SCR=$BUILD/win64/mirovane.scr
DRIVER=$BUILD/win64/saver_driver.exe
WORK=$(mktemp -d)
. "$ROOT/scripts/wine_lib.sh"
wine_env "$BUILD/wineprefix" "$BUILD"
KEY='HKCU\Software\Tolvarn\mirovane\Settings'
# Without a window manager Wine waits two seconds for one to confirm each
# full-screen window's unmapping; unmanaged windows need no confirmation.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
XVFB=
cleanup() { [ -n "$XVFB" ] && kill "$XVFB" 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$WORK"; }
trap cleanup EXIT

now() { date +%s.%N; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }  # user + system, in clock ticks
HZ=$(getconf CLK_TCK)
# The saver's picture log is rewritten after every picture: a read may
# catch it empty.
count_of() {
  local n=
  for _ in $(seq 50); do n=$({ tr -dc 0-9 <"$1"; } 2>/dev/null); [ -n "$n" ] && break; sleep 0.01; done
  echo "${n:-0}"
}
# The Linux mode's -verbose lines, one a finished picture.
lines_of() { { grep -c '^picture ' "$1"; } 2>/dev/null || echo 0; }

xvfb_at() {  # WxH
  [ -n "$XVFB" ] && kill "$XVFB" 2>/dev/null && wait "$XVFB" 2>/dev/null
  local n
  for n in $(seq 130 160); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
  Xvfb ":$n" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
  XVFB=$!
  export DISPLAY=:$n
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}

settings() {  # MAXITER -> INI file for the renderer and the Linux mode, registry for the saver
  mkdir -p "$WORK/config/Tolvarn"
  printf '[Settings]\nCurveType=1\nMaxIterations=%s\nExcludeCurves=0\nCompletionDelay=0\nBlankingMethod=2\n' "$1" \
    >"$WORK/config/Tolvarn/mirovane.ini"
  wine reg delete "$KEY" /f >/dev/null 2>&1
  wine reg add "$KEY" /v CurveType /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine reg add "$KEY" /v MaxIterations /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add "$KEY" /v ExcludeCurves /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$KEY" /v CompletionDelay /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$KEY" /v BlankingMethod /t REG_DWORD /d 2 /f >/dev/null 2>&1
}

# The renderer on one thread: pictures a second over SECONDS_A_RUN.
render_rate() {  # WxH
  local n=1 t0 t1 dir=$WORK/render
  # As many pictures as take about the run's time, from a short probe.
  rm -rf "$dir"; t0=$(now)
  "$RENDER" --size "$1" --threads 1 --seed 1 --pictures 5 --settings "$WORK/config/Tolvarn/mirovane.ini" --quiet --out "$dir" >/dev/null
  t1=$(now)
  n=$(awk -v a="$t0" -v b="$t1" -v s="$SECONDS_A_RUN" 'BEGIN { n = int(5 * s / (b - a)); print n < 5 ? 5 : n }')
  rm -rf "$dir"; t0=$(now)
  "$RENDER" --size "$1" --threads 1 --seed 1 --pictures "$n" --settings "$WORK/config/Tolvarn/mirovane.ini" --quiet --out "$dir" >/dev/null
  t1=$(now)
  rm -rf "$dir"
  awk -v a="$t0" -v b="$t1" -v n="$n" 'BEGIN { printf "%.1f", n / (b - a) }'
}

# Pictures a second a running program finishes, counted in its picture log
# or its lines over SECONDS_A_RUN after a second of warming up.
counted_rate() {  # counter logfile
  local c0 c1 t0 t1
  sleep 1
  c0=$($1 "$2"); t0=$(now)
  sleep "$SECONDS_A_RUN"
  c1=$($1 "$2"); t1=$(now)
  awk -v a="$t0" -v b="$t1" -v n=$((c1 - c0)) 'BEGIN { printf "%.1f", n / (b - a) }'
}

# The Wine process running the saver.
saver_pid() {
  local p
  for _ in $(seq 100); do
    p=$(wine_pids 'mirovane\.scr' | head -1)
    [ -n "$p" ] && { echo "$p"; return 0; }
    sleep 0.1
  done
  return 1
}

saver_rate() {  # -> pictures a second
  local log=$WORK/saver.count pid rate
  rm -f "$log"
  MIROVANE_PICTURE_LOG=$(win_path "$log") timeout 120 wine "$SCR" /s >/dev/null 2>&1 &
  pid=$!
  wine "$DRIVER" find 15000 >/dev/null 2>&1
  rate=$(counted_rate count_of "$log")
  xdotool key Escape 2>/dev/null; wait "$pid" 2>/dev/null
  echo "$rate"
}

mode_rate() {
  local log=$WORK/mode.out pid rate
  rm -f "$log"
  XDG_CONFIG_HOME=$WORK/config stdbuf -oL "$MODE" -verbose >"$log" 2>/dev/null &
  pid=$!
  rate=$(counted_rate lines_of "$log")
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  echo "$rate"
}

echo "throughput, pictures a second (fraction of the renderer's):"
printf '%-34s %10s %22s %22s\n' setup renderer "saver (Wine)" "Linux own window"
IFS=, read -ra RUNS <<<"${BENCH_RUNS:-800x600 4,1920x1080 4,800x600 0}"
for run in "${RUNS[@]}"; do
  set -- $run
  size=$1 maxiter=$2
  settings "$maxiter"
  xvfb_at "$size"
  r=$(render_rate "$size"); s=$(saver_rate); m=$(mode_rate)
  label="$size, $([ "$maxiter" = 0 ] && echo "own iterations" || echo "at most $maxiter iterations")"
  printf '%-34s %10s %14s (%4.2f) %14s (%4.2f)\n' "$label" "$r" "$s" "$(awk -v a="$s" -v b="$r" 'BEGIN{print a/b}')" \
    "$m" "$(awk -v a="$m" -v b="$r" 'BEGIN{print a/b}')"
done

# A picture that stands: after the first picture, a completion delay of a
# minute; the saver's and the X server's processor time over the run.
echo
echo "presenting a standing picture (800x600, 60 s completion delay), processor time over ${SECONDS_A_RUN} s:"
xvfb_at 800x600
settings 4
wine reg add "$KEY" /v CompletionDelay /t REG_DWORD /d 60000 /f >/dev/null 2>&1
timeout 120 wine "$SCR" /s >/dev/null 2>&1 &
wpid=$!
wine "$DRIVER" find 15000 >/dev/null 2>&1
sleep 3
spid=$(saver_pid)
a=$(ticks "$spid"); x=$(ticks "$XVFB"); t0=$(now)
sleep "$SECONDS_A_RUN"
b=$(ticks "$spid"); y=$(ticks "$XVFB"); t1=$(now)
awk -v a="$a" -v b="$b" -v x="$x" -v y="$y" -v t0="$t0" -v t1="$t1" -v hz="$HZ" \
  'BEGIN { printf "  saver %.1f %% of one core, X server %.1f %%\n", 100 * (b - a) / hz / (t1 - t0), 100 * (y - x) / hz / (t1 - t0) }'
xdotool key Escape 2>/dev/null; wait "$wpid" 2>/dev/null

# Starts: a key ends each; the first picture must light pixels on the screen.
echo
settings 4
black=0 total_ms=0 max_ms=0 closes=0
for i in $(seq "$STARTS"); do
  xdotool mousemove 400 300 2>/dev/null
  timeout 60 wine "$SCR" /s >/dev/null 2>&1 &
  pid=$!
  wine "$DRIVER" find 15000 >/dev/null 2>&1
  lit=0
  for _ in $(seq 50); do
    lit=$(wine "$DRIVER" lit 0 0 800 600 2>/dev/null | tr -d '\r' | sed -n 's/^lit=//p')
    [ "${lit:-0}" -gt 0 ] && break
    sleep 0.1
  done
  [ "${lit:-0}" -gt 0 ] || black=$((black + 1))
  t0=$(date +%s%3N); xdotool key a 2>/dev/null
  while kill -0 "$pid" 2>/dev/null; do sleep 0.01; done
  ms=$(( $(date +%s%3N) - t0 ))
  total_ms=$((total_ms + ms)); closes=$((closes + 1)); [ "$ms" -gt "$max_ms" ] && max_ms=$ms
done
[ "$closes" -gt 0 ] && echo "starts: $black black of $STARTS; close after a key: mean $((total_ms / closes)) ms, max $max_ms ms"
