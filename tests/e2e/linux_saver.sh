#!/bin/bash
# The X11 display mode under Xvfb: its own full-screen window with the input
# rules and hot keys, a window made by another program (-window-id), -root,
# signals, resizing and exposure, every option with its bad values, the
# option description read by XScreenSaver's settings dialog, and the real
# XScreenSaver running mirovane as an unprivileged user.
. "$(dirname "$0")/lib/checks.sh"
BIN=$MIROVANE_NATIVE/mirovane
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
XML=$ROOT/src/x11/config/mirovane.xml
OUT=$MIROVANE_OUT/linux_saver
rm -rf "$OUT"; mkdir -p "$OUT"
export XDG_CONFIG_HOME=$OUT/config
INI=$XDG_CONFIG_HOME/Tolvarn/mirovane.ini

if [ ! -x "$BIN" ]; then fail linux-saver-built "no $BIN"; exit 1; fi

# settings NAME=VALUE ...: a fresh per-user settings file.
settings() {
  mkdir -p "${INI%/*}"
  printf '[Settings]\n' >"$INI"
  local nv; for nv in "$@"; do printf '%s\n' "$nv" >>"$INI"; done
}

PIDS=()
cleanup() {
  local p; for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
}
trap cleanup EXIT

# start ARGS...: the saver in the background (SAVER), its stdout in $OUT/run.log.
start() {
  "$BIN" "$@" >"$OUT/run.log" 2>"$OUT/run.err" &
  SAVER=$!
  PIDS+=("$SAVER")
}
alive() { kill -0 "$SAVER" 2>/dev/null; }
# wait_gone MS: waits up to MS for the saver to end; prints the time taken.
wait_gone() {
  local t0 t; t0=$(now_ms)
  while alive; do
    t=$(( $(now_ms) - t0 )); [ "$t" -gt "$1" ] && { echo "$t"; return 1; }
    sleep 0.005
  done
  wait "$SAVER" 2>/dev/null
  echo $(( $(now_ms) - t0 ))
}
stop() { if alive; then kill -TERM "$SAVER"; wait_gone 2000 >/dev/null || kill -KILL "$SAVER"; fi; wait "$SAVER" 2>/dev/null; }

# lit WINDOW: the share of pixels that are not black.
lit() {
  import -silent -window "$1" "$OUT/cap.png" 2>/dev/null || { echo 0; return; }
  convert "$OUT/cap.png" -colorspace gray -threshold 0 -format '%[fx:mean]' info: 2>/dev/null || echo 0
}
# coloured WINDOW: the share of pixels whose channels differ (not grey, white or black).
coloured() {
  import -silent -window "$1" "$OUT/cap.png" 2>/dev/null || { echo 0; return; }
  convert "$OUT/cap.png" -fx 'max(r,max(g,b))-min(r,min(g,b)) > 0.06' -format '%[fx:mean]' info: 2>/dev/null || echo 0
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
# wait_for MS CMD...: retries CMD every 100 ms until it succeeds or MS (scaled) pass.
wait_for() {
  local t0 limit; t0=$(now_ms); limit=$(scaled "$1")
  until "${@:2}"; do [ $(( $(now_ms) - t0 )) -gt "$limit" ] && return 1; sleep 0.1; done
}
# still WINDOW: two captures a quarter of a second apart are the same.
still() {
  import -silent -window "$1" "$OUT/still1.png" 2>/dev/null; sleep 0.25
  import -silent -window "$1" "$OUT/still2.png" 2>/dev/null
  [ "$(compare -metric AE "$OUT/still1.png" "$OUT/still2.png" null: 2>&1)" = 0 ]
}
# changed WINDOW FILE: the window shows something other than FILE.
changed() {
  import -silent -window "$1" "$OUT/now.png" 2>/dev/null
  [ "$(compare -metric AE "$2" "$OUT/now.png" null: 2>&1)" != 0 ]
}
lit_above() { above "$(lit "$1")" "$2"; }
coloured_above() { above "$(coloured "$1")" "$2"; }

# A plain window of another program to draw into: xev's, from x11-utils.
target_window() {
  xev -geometry "$1" >/dev/null 2>&1 &
  TARGET_PID=$!; PIDS+=("$TARGET_PID")
  TARGET=
  local _; for _ in $(seq 50); do
    TARGET=$(xwininfo -root -children 2>/dev/null | awk '/"Event Tester"/ {print $1; exit}')
    [ -n "$TARGET" ] && return 0; sleep 0.1
  done
  return 1
}
close_target() { kill "$TARGET_PID" 2>/dev/null; wait "$TARGET_PID" 2>/dev/null; }

own_window() { xwininfo -root -children 2>/dev/null | awk '/"mirovane"/ {print $1; exit}'; }
# wait_own_window: polls for the own window while the saver runs.
wait_own_window() {
  local t0 limit; t0=$(now_ms); limit=$(scaled 15000)
  until OWN=$(own_window); [ -n "$OWN" ]; do
    alive && [ $(( $(now_ms) - t0 )) -le "$limit" ] || return 1
    sleep 0.1
  done
}
# Why no window came: the saver's state and what it said.
state() { if alive; then echo running; else wait "$SAVER" 2>/dev/null; echo "ended with status $?"; fi; }
no_window() { echo "no window named mirovane; saver $(state), stderr: $(head -c 300 "$OUT/run.err" | tr '\n' '|')"; }

# ------------------------------------------------------------- own window
SHOTS=$OUT/shots; mkdir -p "$SHOTS"
settings NextActive=1 NextKey=N PrintingActive=1 PrintingKey=P PausingActive=1 PausingKay=S \
  "FileLocation=$SHOTS" SequenceNo=0
xdotool mousemove 400 300
start -delay 0 -seed 7
if wait_own_window; then
  wait_for 8000 lit_above "$OWN" 0.05
  check own-window-draws $? "lit share $(lit "$OWN") after 8 s"
  xdotool key n
  # A key that ended the saver would have done so within the close time.
  ! wait_gone 1000 >/dev/null; check own-window-next-hot-key-keeps-it $? "the Next hot key ended the saver"
  # Pause holds the drawing, a second press lets it go on. With no delay
  # between pictures the window never rests unless held.
  xdotool key s
  wait_for 10000 still "$OWN"
  import -silent -window "$OWN" "$OUT/paused1.png"; sleep 1
  import -silent -window "$OWN" "$OUT/paused2.png"
  held=$(compare -metric AE "$OUT/paused1.png" "$OUT/paused2.png" null: 2>&1)
  xdotool key s
  wait_for 5000 changed "$OWN" "$OUT/paused2.png"; moved=$?
  [ "$held" = 0 ] && [ "$moved" = 0 ] && alive
  check own-window-pause-hot-key $? "$held pixels changed while paused, $moved after resuming"
  xdotool key p
  wait_for 3000 test -f "$SHOTS/Wexly Fractals 00001.bmp"
  check own-window-screenshot-hot-key $? "no '$SHOTS/Wexly Fractals 00001.bmp'"
  alive; check own-window-screenshot-keeps-it $? "the Screenshot hot key ended the saver"
  [ "$(sed -n 's/^SequenceNo=//p' "$INI")" = 1 ]
  check own-window-screenshot-number-stored $? "settings file has SequenceNo=$(sed -n 's/^SequenceNo=//p' "$INI")"
  screen=$(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
  identify "$SHOTS/Wexly Fractals 00001.bmp" 2>/dev/null | grep -q " $screen "
  check own-window-screenshot-size $? "$(identify "$SHOTS/Wexly Fractals 00001.bmp" 2>&1 | head -1)"
  t0=$(now_ms)
  xdotool mousemove_relative 1 0
  if ms=$(wait_gone 2000); then pass "own-window-one-pixel-move-ends-it ($(( $(now_ms) - t0 )) ms)"
  else fail own-window-one-pixel-move-ends-it "still running after $ms ms"; fi
  wait "$SAVER"; rc=$?
  [ "$rc" = 0 ]; check own-window-clean-exit $? "exit status $rc"
else
  fail own-window-draws "$(no_window)"
fi
stop

# Covered and uncovered, the own window shows its picture again from the
# frame: a finished picture held by a long delay.
xdotool mousemove 400 300
start -delay 300 -seed 3 -verbose
same_as_before() {
  import -silent -window "$OWN" "$OUT/after.png" 2>/dev/null &&
    [ "$(compare -metric AE "$OUT/before.png" "$OUT/after.png" null: 2>&1)" = 0 ]
}
if wait_own_window && wait_for 15000 grep -q '^picture 1:' "$OUT/run.log"; then
  sleep 0.3
  import -silent -window "$OWN" "$OUT/before.png" 2>/dev/null
  if target_window 200x150+20+20; then
    sleep 0.3; close_target
    poll 5 same_as_before && above "$(lit "$OWN")" 0.3 && alive
    check own-window-uncovered-repaints $? "$(compare -metric AE "$OUT/before.png" "$OUT/after.png" null: 2>&1) pixels differ after uncovering; saver alive: $(alive && echo yes)"
  else fail own-window-uncovered-repaints "xev made no window"; fi
else fail own-window-uncovered-repaints "no first picture"; fi
stop

# An inactive hot key ends it like any other key; so does a mouse button.
settings NextActive=0 NextKey=N
xdotool mousemove 400 300
start -delay 0
if wait_own_window; then
  sleep 0.5
  alive; check own-window-first-pointer-report-keeps-it $? "ended before any input"
  xdotool key n
  ms=$(wait_gone 2000); check own-window-inactive-hot-key-ends-it $? "still running after $ms ms"
else fail own-window-inactive-hot-key-ends-it "$(no_window)"; fi
stop
start -delay 0
if wait_own_window; then
  sleep 0.5; xdotool click 3
  ms=$(wait_gone 2000); check own-window-button-ends-it $? "still running after $ms ms"
else fail own-window-button-ends-it "$(no_window)"; fi
stop
settings

# -------------------------------------------------------------- -window-id
if target_window 320x240+20+20; then
  start -window-id "$TARGET" -delay 0 -colour-schemes 1 -verbose
  wait_for 8000 coloured_above "$TARGET" 0.3
  check window-id-draws $? "coloured share $(coloured "$TARGET") after 8 s"
  grep -q '^settings: size 320x240 ' "$OUT/run.log"
  check window-id-size $? "$(head -1 "$OUT/run.log")"

  # A resize restarts the slide show at the new size with one drawing thread.
  xdotool windowsize "$TARGET" 200 150
  wait_for 3000 grep -q '^settings: size 200x150 ' "$OUT/run.log"
  check window-id-resize-restarts $? "no restart at 200x150: $(grep '^settings' "$OUT/run.log" | tr '\n' ' ')"
  threads=$(awk '/^Threads:/ {print $2}' "/proc/$SAVER/status" 2>/dev/null)
  [ "${threads:-0}" -le 2 ]; check window-id-resize-one-drawing-thread $? "$threads threads"
  alive; check window-id-resize-keeps-running $? "ended on resize"

  t0=$(now_ms); kill -TERM "$SAVER"
  if ms=$(wait_gone 1000); then
    echo "measured: SIGTERM to exit $ms ms"
    [ "$ms" -le "$(scaled 200)" ]; check "window-id-sigterm-ends-within-200ms ($ms ms)" $? "took $ms ms"
  else fail window-id-sigterm-ends-within-200ms "still running after $ms ms"; fi
  wait "$SAVER"; rc=$?
  [ "$rc" = 0 ]; check window-id-sigterm-clean-exit $? "exit status $rc"

  # Exposed parts come back from the image: a finished picture held by a long delay.
  start -window-id "$TARGET" -delay 300 -seed 3 -verbose
  wait_for 15000 grep -q '^picture 1:' "$OUT/run.log"
  sleep 0.3
  import -silent -window "$TARGET" "$OUT/before.png" 2>/dev/null
  xdotool windowunmap --sync "$TARGET"; xdotool windowmap --sync "$TARGET"; sleep 0.5
  import -silent -window "$TARGET" "$OUT/after.png" 2>/dev/null
  diff=$(compare -metric AE "$OUT/before.png" "$OUT/after.png" null: 2>&1)
  [ "$diff" = 0 ] && above "$(lit "$TARGET")" 0.3
  check window-id-expose-repaints $? "$diff pixels differ after the window was mapped again"

  kill -INT "$SAVER"
  if ms=$(wait_gone 1000); then
    echo "measured: SIGINT to exit $ms ms"
    [ "$ms" -le "$(scaled 200)" ]; check "window-id-sigint-ends-within-200ms ($ms ms)" $? "took $ms ms"
  else fail window-id-sigint-ends-within-200ms "still running after $ms ms"; fi

  # $XSCREENSAVER_WINDOW names the window, even with -root given.
  XSCREENSAVER_WINDOW=$TARGET start -root -delay 0 -verbose
  wait_for 3000 grep -q '^settings: size 200x150 ' "$OUT/run.log"
  check xscreensaver-window-variable $? "$(head -1 "$OUT/run.log")"
  stop

  # The host destroying its window ends the mode.
  start -window-id "$TARGET" -delay 0
  sleep 0.5; close_target
  ms=$(wait_gone 2000); check window-id-destroyed-ends-it $? "still running $ms ms after"
  stop
else
  fail window-id-draws "xev made no window"
fi

# ------------------------------------------------------------------ -root
start -root -delay 0
wait_for 8000 lit_above root 0.05
check root-draws $? "lit share $(lit root)"
kill -TERM "$SAVER"; ms=$(wait_gone 1000); check root-sigterm-ends $? "still running after $ms ms"
wait "$SAVER"; rc=$?; [ "$rc" = 0 ]; check root-sigterm-clean-exit $? "exit status $rc"

# ---------------------------------------------------------------- options
# pictures N ARGS...: the picture lines of a run into a small window, once
# it has finished N pictures (or the scaled deadline has passed).
target_window 96x72+600+20
picture_lines() { [ "$(grep -c '^picture ' "$OUT/run.log")" -ge "$1" ]; }
# settings_line ARGS...: the settings a run reports first.
settings_line() {
  start -window-id "$TARGET" -verbose "$@"
  wait_for 10000 grep -q '^settings: ' "$OUT/run.log"; stop
  grep '^settings: ' "$OUT/run.log"
}
pictures() {
  local n=$1; shift
  start -window-id "$TARGET" -verbose "$@"
  wait_for 20000 picture_lines "$n"; stop
  cat "$OUT/run.log"
}
only() {  # only NAME PATTERN ARGS...: every picture line matches, at least 3 lines
  local name=$1 pattern=$2; shift 2
  local log n bad
  log=$(pictures 3 -delay 0 "$@")
  n=$(grep -c '^picture ' <<<"$log"); bad=$(grep '^picture ' <<<"$log" | grep -vE "$pattern" | head -1)
  [ "$n" -ge 3 ] && [ -z "$bad" ]
  check "$name" $? "$n pictures; ${bad:-}"
}
only option-curve-types 'dragon' -curve-types 4
only option-curve-types-combined ': (mandelbrot|newton) ' -curve-types 1 -curve-types 16
only option-colour-schemes 'scheme Mono blanking' -colour-schemes 2
only option-colour-schemes-combined 'scheme (Firestorm|Metallic) blanking' -colour-schemes 256 -colour-schemes 0x8000
log=$(pictures 3 -delay 0 -blanking 8)
n=$(grep -c '^picture ' <<<"$log"); bad=$(grep '^picture ' <<<"$log" | tail -n +2 | grep -v 'blanking No Fade' | head -1)
[ "$n" -ge 3 ] && [ -z "$bad" ]; check option-blanking $? "$n pictures; $bad"
only option-max-iterations-reduce 'iterations ([0-9]|[1-4][0-9]|5[0-5]) threshold ' -max-iterations 55 -reduce
log=$(pictures 6 -delay 0 -max-iterations 55 -reduce); grep -q 'iterations 55 threshold ' <<<"$log"
check option-reduce-lowers-counts $? "no curve reduced to 55"
only option-max-iterations-exclude 'iterations ([0-9]|[1-4][0-9]|5[0-4]) threshold ' -max-iterations 55 -exclude
only option-min-iterations '(dragon .*|iterations [0-9]{4,} threshold .*)$' -min-iterations 1000 -curve-types 3
# Six pictures without a delay come soon; with a delay of two seconds no
# more than two can finish in three seconds, however busy the machine.
n0=$(pictures 6 -delay 0 | grep -c '^picture ')
start -window-id "$TARGET" -verbose -delay 2; sleep 3; stop
n2=$(grep -c '^picture ' "$OUT/run.log")
[ "$n0" -ge 6 ] && [ "$n2" -le 2 ]; check option-delay $? "$n0 pictures without delay, $n2 in 3 s with 2 s"
a=$(settings_line -extra-memory); b=$(settings_line -extra-memory -no-extra-memory)
grep -q 'extra-memory 1 ' <<<"$a" && grep -q 'extra-memory 0 ' <<<"$b"
check option-extra-memory $? "$a / $b"
s1=$(pictures 3 -delay 0 -seed 11 | grep '^picture ' | head -3)
s2=$(pictures 3 -delay 0 -seed 11 | grep '^picture ' | head -3)
s3=$(pictures 3 -delay 0 -seed 12 | grep '^picture ' | head -3)
[ -n "$s1" ] && [ "$s1" = "$s2" ] && [ "$s1" != "$s3" ]
check option-seed $? "seed 11: $(tr '\n' '|' <<<"$s1") again: $(tr '\n' '|' <<<"$s2") seed 12: $(tr '\n' '|' <<<"$s3")"
# The settings file is read, and an option overrides it.
settings CurveType=2 CompletionDelay=0 ExtraMemory=1
only settings-file-read ': julia ' -seed 5
only option-overrides-settings-file ': phoenix ' -curve-types 8
a=$(settings_line); b=$(settings_line -no-extra-memory)
grep -q 'delay-ms 0 extra-memory 1 ' <<<"$a" && grep -q 'extra-memory 0 ' <<<"$b"
check settings-file-flags $? "$a / $b"
settings
close_target

# Bad values: exit status 2 and one line on stderr, before any window.
bad_ok=0
while read -r args; do
  # shellcheck disable=SC2086
  "$BIN" $args >/dev/null 2>"$OUT/bad.err"; rc=$?
  lines=$(wc -l <"$OUT/bad.err")
  if [ "$rc" != 2 ] || [ "$lines" != 1 ]; then
    fail "bad-value-refused ($args)" "exit $rc, $lines lines: $(head -c 200 "$OUT/bad.err")"; bad_ok=1
  fi
done <<'EOF'
-curve-types 0
-curve-types 32
-curve-types 64
-curve-types x
-colour-schemes 0
-colour-schemes 65536
-blanking 1
-blanking 16
-delay 301
-delay -1
-delay 2.5
-min-iterations 1000000
-max-iterations 1e6
-seed 4294967296
-seed
-window-id 0
-window-id nothing
-extra
-delay
stray
EOF
XSCREENSAVER_WINDOW=junk "$BIN" -root >/dev/null 2>"$OUT/bad.err"; rc=$?
[ "$rc" = 2 ] && [ "$(wc -l <"$OUT/bad.err")" = 1 ] || { fail "bad-value-refused (XSCREENSAVER_WINDOW=junk)" "exit $rc"; bad_ok=1; }
[ "$bad_ok" = 0 ] && pass "bad-values-refused-with-exit-2"
"$BIN" -help >"$OUT/help.txt" 2>&1; rc=$?
[ "$rc" = 0 ] && grep -q -- '-curve-types' "$OUT/help.txt"; check help $? "exit $rc"

# --------------------------------------------------- the option description
xmllint --noout "$XML" 2>"$OUT/xmllint.err"; check xml-well-formed $? "$(head -3 "$OUT/xmllint.err")"
xml_args() { xmllint --xpath '//@arg-set' "$XML" | grep -o 'arg-set="[^"]*"' | sed 's/^arg-set="//; s/"$//'; }
# Every switch the dialog can send is taken by the program; every number's
# bounds are the program's.
xml_ok=0
while IFS= read -r arg; do
  "$BIN" $arg -help >/dev/null 2>"$OUT/xmlarg.err" || { fail "xml-arg-accepted ($arg)" "$(cat "$OUT/xmlarg.err")"; xml_ok=1; }
done < <(xml_args)
while IFS='|' read -r arg low high; do
  for v in "$low" "$high"; do
    "$BIN" ${arg/\%/$v} -help >/dev/null 2>&1 || { fail "xml-number-accepted (${arg/\%/$v})" "refused"; xml_ok=1; }
  done
  "$BIN" ${arg/\%/$((high + 1))} -help >/dev/null 2>&1
  [ $? = 2 ] || { fail "xml-number-bound (${arg/\%/$((high + 1))})" "not refused"; xml_ok=1; }
done < <(for n in $(xmllint --xpath 'count(//number)' "$XML" | cut -d. -f1 | xargs seq 2>/dev/null); do
  printf '%s|%s|%s\n' "$(xmllint --xpath "string((//number)[$n]/@arg)" "$XML")" \
    "$(xmllint --xpath "string((//number)[$n]/@low)" "$XML")" "$(xmllint --xpath "string((//number)[$n]/@high)" "$XML")"
done)
n_bool=$(xmllint --xpath 'count(//boolean)' "$XML")
[ "$n_bool" = 25 ] || { fail xml-controls "$n_bool check boxes, expected 5 types + 3 blankings + 16 schemes + extra memory"; xml_ok=1; }
[ "$xml_ok" = 0 ] && pass xml-args-match-the-program

# XScreenSaver's own settings dialog reads the description (it looks only in
# /usr/share/xscreensaver/config, so a private mount namespace gives it a
# copy of that folder with mirovane.xml added) and must find a control for
# every switch of a command line that sets all of them, sending back the
# same command line.
if command -v xscreensaver-settings >/dev/null && unshare -m true 2>/dev/null; then
  XS=$OUT/settings-dialog; mkdir -p "$XS/home" "$XS/config"
  cp /usr/share/xscreensaver/config/*.xml "$XS/config/" 2>/dev/null
  cp "$XML" "$XS/config/"
  cmdline="mirovane --root $(xml_args | tr '\n' ' ')--delay 7 --drawing-time 12 --min-iterations 10 --max-iterations 900"
  printf 'mode: one\nselected: 0\nprograms: %s\n' "$cmdline" >"$XS/home/.xscreensaver"
  unshare -m sh -c 'mount --bind "$1" /usr/share/xscreensaver/config && HOME="$2" timeout 8 xscreensaver-settings --debug' \
    sh "$XS/config" "$XS/home" >"$XS/dialog.log" 2>&1
  grep -q 'reading /usr/share/xscreensaver/config/mirovane.xml' "$XS/dialog.log"
  check xml-read-by-settings-dialog $? "$(grep -i 'mirovane\|error' "$XS/dialog.log" | head -3)"
  warnings=$(grep -i 'warning.*mirovane\|mirovane.xml:' "$XS/dialog.log" | head -3)
  [ -z "$warnings" ]; check xml-settings-dialog-no-warnings $? "$warnings"
  back=$(grep -o 'scheduling preview ".*"' "$XS/dialog.log" | sed 's/^scheduling preview "//; s/"$//' | sort -u)
  # Same switches with the same values; the dialog writes them in its own order.
  words() { sed 's/ \([^-]\)/=\1/g' <<<"$1" | tr ' ' '\n' | sort; }
  # It logs the line it was given and the line it makes from its controls.
  same=0; n=0
  while IFS= read -r line; do n=$((n + 1)); [ "$(words "$line")" = "$(words "$cmdline")" ] || same=1; done <<<"$back"
  [ "$n" -ge 1 ] && [ "$same" = 0 ]; check xml-settings-dialog-round-trip $? "sent back: $back"
else
  echo "skipped: xscreensaver-settings under a private mount namespace"
fi

# -------------------------------------------------------- the real host
# XScreenSaver will not launch display modes as root: run it as a user of
# its own against an Xvfb that lets that user in (-ac).
XS_USER=mirovane-e2e
xs_display=
for n in $(seq "${MIROVANE_XS_DISPLAY:-141}" 180); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { xs_display=$n; break; }; done
HOST=$(mktemp -d /tmp/mirovane-xs.XXXXXX); chmod 755 "$HOST"
if [ "$(id -u)" = 0 ] && [ -n "$xs_display" ] && command -v xscreensaver >/dev/null; then
  Xvfb ":$xs_display" -ac -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB=$!; PIDS+=("$XVFB")
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$xs_display" ] && break; sleep 0.1; done
  id "$XS_USER" >/dev/null 2>&1 || useradd -M -d "$HOST/home" -s /bin/sh "$XS_USER"
  usermod -d "$HOST/home" "$XS_USER" >/dev/null 2>&1
  mkdir -p "$HOST/home"
  "$ROOT/scripts/install-linux" --destdir "$HOST/stage" --build "$MIROVANE_NATIVE" >"$OUT/install.log" 2>&1
  check install-linux $? "$(tail -3 "$OUT/install.log")"
  HACK=$HOST/stage/usr/libexec/xscreensaver/mirovane
  [ -x "$HACK" ] && [ -f "$HOST/stage/usr/share/xscreensaver/config/mirovane.xml" ] && grep -q 'programs:' "$OUT/install.log"
  check install-linux-places-files $? "$(find "$HOST/stage" -type f | tr '\n' ' ')"
  printf 'timeout: 60\nlock: False\nfade: False\nunfade: False\nsplash: False\nmode: one\nselected: 0\nprograms: %s --root -delay 0\n' \
    "$HACK" >"$HOST/home/.xscreensaver"
  chown -R "$XS_USER" "$HOST/home"
  as_user() { runuser -u "$XS_USER" -- env HOME="$HOST/home" DISPLAY=":$xs_display" "$@"; }
  (cd "$HOST/home" && exec runuser -u "$XS_USER" -- env HOME="$HOST/home" DISPLAY=":$xs_display" \
     xscreensaver -no-splash -verbose) >"$OUT/xscreensaver.log" 2>&1 &
  XSPID=$!; PIDS+=("$XSPID")
  wait_for 10000 as_user xscreensaver-command -version >/dev/null 2>&1
  as_user xscreensaver-command -activate >>"$OUT/xscreensaver.log" 2>&1
  wait_for 10000 pgrep -u "$XS_USER" -x mirovane >/dev/null
  check xscreensaver-runs-mirovane $? "$(grep -i 'mirovane\|running as root' "$OUT/xscreensaver.log" | tail -2)"
  host_lit() { above "$(DISPLAY=":$xs_display" lit root)" 0.05; }
  wait_for 10000 host_lit
  check xscreensaver-screen-drawn $? "lit share $(DISPLAY=":$xs_display" lit root)"
  grep -q 'forked ".*mirovane --root' "$OUT/xscreensaver.log" && grep -q 'on window 0x' "$OUT/xscreensaver.log"
  check xscreensaver-gives-its-window $? "$(grep forked "$OUT/xscreensaver.log" | tail -1)"
  # Let the host finish starting up: right after blanking it may still be busy.
  sleep 1.5
  as_user xscreensaver-command -deactivate >>"$OUT/xscreensaver.log" 2>&1
  t0=$(now_ms)
  # A zombie has ended; only its parent has not collected its status yet.
  live_modes() { ps -u "$XS_USER" -o pid=,stat=,comm= 2>/dev/null | awk '$3 == "mirovane" && $2 !~ /^Z/'; }
  gone() { [ -z "$(live_modes)" ]; }
  if wait_for 1000 gone; then
    ms=$(( $(now_ms) - t0 )); echo "measured: no mirovane process $ms ms after -deactivate"
    pass "xscreensaver-deactivate-leaves-no-process ($ms ms)"
  else fail xscreensaver-deactivate-leaves-no-process "$(live_modes)"; fi
  as_user xscreensaver-command -exit >/dev/null 2>&1
  wait_for 3000 sh -c "! kill -0 $XSPID 2>/dev/null"
  for p in $(pgrep -u "$XS_USER"); do kill -KILL "$p" 2>/dev/null; done
  kill "$XVFB" 2>/dev/null; wait "$XVFB" 2>/dev/null
  userdel "$XS_USER" 2>/dev/null
else
  fail xscreensaver-runs-mirovane "needs root (to add a user), a free display and xscreensaver"
fi
rm -rf "$HOST"

exit $failed
