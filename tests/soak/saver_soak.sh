#!/bin/bash
# Long run of the real full-screen saver under Wine: resident memory over
# MIROVANE_SOAK_MINUTES (default 10) of pictures changing several times a
# second, then MIROVANE_SOAK_KEY_SECONDS (default 180) of hot keys pressed at
# random, the close latency and every screenshot file whole. Prints the
# figures and PASS/FAIL lines; too long for every test run.
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
MINUTES=${MIROVANE_SOAK_MINUTES:-10}
KEY_SECONDS=${MIROVANE_SOAK_KEY_SECONDS:-180}
export MIROVANE_WIN64=${MIROVANE_WIN64:-$ROOT/build/win64} MIROVANE_WIN32=${MIROVANE_WIN32:-}
export MIROVANE_OUT=${MIROVANE_OUT:-$ROOT/build/soak-out}
# The 64-bit build runs everywhere Wine does.
export MIROVANE_WINE_TREES=${MIROVANE_WINE_TREES:-$MIROVANE_WIN64}
if [ -z "${WINEPREFIX:-}" ]; then
  . "$ROOT/scripts/wine_lib.sh"
  wine_env "$ROOT/build/wineprefix" "$ROOT/build"
fi
own_xvfb=
if [ -z "${DISPLAY:-}" ]; then
  . "$ROOT/scripts/wine_lib.sh"
  start_xvfb; own_xvfb=$XVFB_PID
fi
MIROVANE_TREE=$MIROVANE_WIN64 . "$ROOT/tests/e2e/lib/saver.sh"
trap 'stop_saver; [ -n "$own_xvfb" ] && kill "$own_xvfb" 2>/dev/null' EXIT
[ -f "$TREE/mirovane.scr" ] || { fail soak-build "no $TREE/mirovane.scr"; exit 1; }

count_file=$OUT/soak-pictures.txt
export MIROVANE_PICTURE_LOG
MIROVANE_PICTURE_LOG=$(win_path "$count_file")
pictures() { local n; n=$(tr -dc 0-9 <"$count_file" 2>/dev/null); echo "${n:-0}"; }

# The Wine process of the saver.
saver_unix_pid() { local p; p=$(wine_pids 'mirovane\.scr' | head -1); [ -n "$p" ] && echo "$p"; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null; }

# start_long TIMEOUT_S ARGS...: like start_saver, without its two-minute cap.
start_long() {
  local limit=$1; shift
  xdotool mousemove 400 300 2>/dev/null
  timeout "$limit" wine "$TREE/mirovane.scr" "$@" >/dev/null 2>&1 &
  SAVER_PID=$!
  WINDOW=$(driver find 8000)
  case "$WINDOW" in hwnd=0*|"") return 1 ;; esac
}
# close_saver NAME: an ordinary key; passes when the saver ends within 2 s.
close_saver() {
  local t0 ms
  t0=$(now_ms); xdotool key a
  if ms=$(wait_exit 2000); then
    ms=$(( $(now_ms) - t0 )); pass "$1 (closed after $ms ms)"; echo "soak $1 close latency: $ms ms"
  else fail "$1" "still running ${ms} ms after the key"; stop_saver; fi
}

# ---- memory over a long run
rm -f "$count_file"
reset_settings CompletionDelay=d:0 MinIterations=d:16 MaxIterations=d:64
if start_long $(( MINUTES * 60 + 300 )) /s && pid=$(saver_unix_pid); then
  echo "soak: saver Wine process $pid, $MINUTES minutes at $(driver screen | tr '\n' ' ')"
  t0=$(now_ms); rss1=; peak=0; minute=0; last=0; stalled=0
  while [ "$minute" -lt "$MINUTES" ] && alive; do
    minute=$(( minute + 1 ))
    while [ $(( $(now_ms) - t0 )) -lt $(( minute * 60000 )) ] && alive; do sleep 1; done
    rss=$(rss_kb "$pid"); rss=${rss:-0}
    now=$(pictures)
    echo "soak minute $minute: resident ${rss} kB, pictures $now"
    [ "$now" -gt "$last" ] || stalled=$(( stalled + 1 )); last=$now
    [ "$minute" = 1 ] && rss1=$rss
    [ "$minute" -gt 1 ] && [ "$rss" -gt "$peak" ] && peak=$rss
  done
  drawn=$(pictures)
  alive
  check soak-runs-$MINUTES-minutes $? "the saver ended after minute $minute"
  if [ "$MINUTES" -gt 1 ]; then
    [ -n "$rss1" ] && [ "$rss1" -gt 0 ] && [ $(( peak * 100 )) -le $(( rss1 * 105 )) ]
    check soak-memory-within-5-percent $? "resident ${rss1:-?} kB after 1 minute, peak $peak kB later"
    echo "soak memory: ${rss1} kB after 1 minute, ${rss} kB after $MINUTES minutes, peak after the first minute $peak kB"
  fi
  # However busy the machine, every minute finishes some pictures.
  [ "$stalled" = 0 ] && [ "$drawn" -gt "$MINUTES" ]
  check soak-pictures-keep-coming $? "$drawn pictures in $MINUTES minutes, $stalled minutes without one"
  echo "soak pictures drawn: $drawn in $MINUTES minutes"
  close_saver soak-long-run
else fail soak-start "no saver window or Wine process"; fi

# ---- hot keys at random, screenshots into a folder
shots=$OUT/soak-shots; rm -rf "$shots"; mkdir -p "$shots"
reset_settings CompletionDelay=d:0 MinIterations=d:16 MaxIterations=d:64 NextActive=d:1 NextKey=s:N \
  PausingActive=d:1 PausingKay=s:P PrintingActive=d:1 PrintingKey=s:S "FileLocation=s:$(win_path "$shots")"
taken=0; nexts=0; pauses=0
if start_long $(( KEY_SECONDS + 300 )) /s; then
  t0=$(now_ms)
  while [ $(( $(now_ms) - t0 )) -lt $(( KEY_SECONDS * 1000 )) ] && alive; do
    sleep "$(( RANDOM % 4 + 1 )).$(( RANDOM % 10 ))"
    case $(( RANDOM % 3 )) in
      0) xdotool key n; nexts=$(( nexts + 1 )) ;;
      1) xdotool key p; sleep "0.$(( RANDOM % 10 ))"; xdotool key p; pauses=$(( pauses + 1 )) ;;
      2) xdotool key s; taken=$(( taken + 1 )) ;;
    esac
  done
  alive
  check soak-keys-saver-goes-on $? "the saver ended during the key run"
  echo "soak keys: $nexts Next, $pauses Pause pairs, $taken screenshots in $KEY_SECONDS s"
  close_saver soak-keys-run
  set -- $(driver screen | tr ' =' '\n\n' | sed -n '2p;4p')
  bad=0; files=0
  for f in "$shots"/*.bmp; do
    [ -f "$f" ] || continue
    files=$(( files + 1 ))
    # Whole: the size the header announces, and a picture of the screen's size.
    size=$(stat -c %s "$f"); said=$(od -An -tu4 -j2 -N4 "$f" | tr -d ' ')
    [ "$size" = "$said" ] && [ "$(identify -format '%w %h' "$f" 2>/dev/null)" = "$1 $2" ] || {
      bad=$(( bad + 1 )); echo "soak: incomplete screenshot $f ($size bytes, header says $said)"; }
  done
  [ "$files" = "$taken" ] && [ "$bad" = 0 ] && [ -z "$(ls "$shots" | grep -v '\.bmp$')" ]
  check soak-screenshots-complete $? "$files files for $taken presses, $bad incomplete, others: $(ls "$shots" | grep -v '\.bmp$' | tr '\n' ' ')"
else fail soak-keys-start "no saver window"; fi
exit $failed
