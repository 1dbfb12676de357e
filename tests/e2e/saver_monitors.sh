#!/bin/bash
# The full-screen saver on two monitors (a nested X server with two
# Xinerama heads): a show of its own on each, the pointer and the keys
# ruled as on one monitor, Next and Pause acting on both, the screenshot
# the primary's; then a second monitor left of the primary.
# e2e: each Windows tree
. "$(dirname "$0")/lib/checks.sh"
. "$(dirname "$0")/lib/monitors.sh"

HOST_DISPLAY=$DISPLAY
start_xephyr || abort monitors-display "no Xephyr display within $(scaled 10) s"
# Wine learns the monitors when its server starts: one of its own for the
# nested display, and another again for the suites that follow.
wineserver -k 2>/dev/null
export DISPLAY=$XEPHYR_DISPLAY
. "$(dirname "$0")/lib/saver.sh"
X11_KEY='HKCU\Software\Wine\X11 Driver'
leave() {
  stop_saver
  wine reg delete "$X11_KEY" /v PrimaryMonitor /f >/dev/null 2>&1
  wineserver -k 2>/dev/null
  stop_xephyr
  DISPLAY=$HOST_DISPLAY timeout "$(scaled 120)" wine "$TREE/saver_driver.exe" warm >/dev/null 2>&1
}
trap leave EXIT
: >"$OUT/latency.txt"
field() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }

# The two monitors as the suite expects them, LEFT_X being the second one's
# left edge; P_* and S_* their rectangles (x y w h).
layout() {
  if [ "$1" = right ]; then P=(0 0 800 600) S=(800 0 640 480); else P=(0 0 640 480) S=(-800 0 800 600); fi
}
monitors_are() {
  local want
  want=$(printf 'monitor=0 x=%d y=%d w=%d h=%d primary=1\nmonitor=1 x=%d y=%d w=%d h=%d primary=0' "${P[@]}" "${S[@]}")
  [ "$(driver monitors)" = "$want" ]
}
rect_of() { echo "$1,$2,$(( $1 + $3 )),$(( $2 + $4 ))"; }
saver_rects() { driver windows | grep 'class="MirovaneSaverWindow"' | grep 'visible=1' | sed 's/.* rect=\([^ ]*\) .*/\1/' | sort; }
windows_cover() { [ "$(saver_rects)" = "$(printf '%s\n' "$(rect_of "${P[@]}")" "$(rect_of "${S[@]}")" | sort)" ]; }
region() { driver region "$@"; }
lit_in() { field "$(region "$@")" lit; }
sum_in() { field "$(region "$@")" sum; }
both_lit() { [ "$(lit_in "${P[@]}")" -ge 5000 ] && [ "$(lit_in "${S[@]}")" -ge 5000 ]; }
still_in() { [ "$(field "$(driver changes 1000 "$@")" changed)" = 0 ]; }
moving_in() { [ "$(field "$(driver changes 500 "$@")" changed)" != 0 ]; }

# start_on XV YV ARGS...: the saver with the pointer at (XV, YV) of the
# virtual screen (X_SHIFT to the X server's), waited for until a window
# covers each monitor.
X_SHIFT=0
start_on() {
  local x=$1 y=$2; shift 2
  xdotool mousemove $(( x + X_SHIFT )) "$y" 2>/dev/null
  driver_quiet cursor "$x" "$y"
  timeout "$(scaled 120)" wine "$TREE/mirovane.scr" "$@" >/dev/null 2>&1 &
  SAVER_PID=$!
  poll 15 windows_cover || return 1
  sleep 0.3
}

layout right
monitors_are || abort monitors-seen "Wine lists: $(driver monitors | tr '\n' ' ')"
pass monitors-seen

# Pictures drawn in a moment, one after the other: the screen rests only
# while held.
shots=$OUT/mon-shots; rm -rf "$shots"; mkdir -p "$shots"
reset_settings CompletionDelay=d:0 "${FAST_PICTURES[@]}" PausingActive=d:1 PausingKay=s:P \
  PrintingActive=d:1 PrintingKey=s:S "FileLocation=s:$(win_path "$shots")"
start_on 1000 200 /s || abort monitors-window-each "saver windows: $(saver_rects | tr '\n' ' ')"
pass "monitors-window-each (own size on each monitor: $(saver_rects | tr '\n' ' '))"
poll 8 both_lit
check monitors-both-draw $? "lit: primary $(lit_in "${P[@]}"), second $(lit_in "${S[@]}")"
alive
check monitors-first-report-on-second-kept $? "saver $(saver_state) before any input"

xdotool key p
poll 10 still_in "${P[@]}" && poll 10 still_in "${S[@]}"
check monitors-pause-holds-both $? "still drawing after Pause: primary $(driver changes 500 "${P[@]}"), second $(driver changes 500 "${S[@]}")"
p0=$(sum_in "${P[@]}") s0=$(sum_in "${S[@]}")
sleep "$(scaled 3)"
[ "$(sum_in "${P[@]}")" = "$p0" ] && [ "$(sum_in "${S[@]}")" = "$s0" ] && alive
check monitors-pause-keeps-holding $? "a monitor changed within $(scaled 3) s of being held"
# The held picture comes back from the frame when the second monitor's
# window is invalidated and its background erased.
r=$(driver repaint "$(scaled 2000)" $(( S[0] + 10 )) $(( S[1] + 10 )))
[ "$(field "$r" restored)" = 1 ] && [ "$(field "$r" lit)" -gt 0 ]; ok=$?
check "monitors-second-repaints-after-invalidate ($(field "$r" ms) ms)" "$ok" "driver: $r"
xdotool key p
poll 5 moving_in "${P[@]}" && poll 5 moving_in "${S[@]}"
check monitors-second-pause-releases-both $? "primary $(driver changes 500 "${P[@]}"), second $(driver changes 500 "${S[@]}")"

xdotool key s
poll 10 test -s "$shots/Wexly Fractals 00001.bmp"
size=$(identify -format '%wx%h' "$shots/Wexly Fractals 00001.bmp" 2>/dev/null)
[ "$size" = 800x600 ] && alive
check monitors-screenshot-is-primary $? "screenshot ${size:-missing}, saver $(saver_state)"
ends_saver monitors-one-pixel-move-on-second-ends xdotool mousemove_relative 1 0

# Next while both monitors draw a slow picture (Mandelbrot views iterated a
# million times inside take minutes; those without inside pass in a moment
# and, without a pause between pictures, the next one follows).
A=$OUT/mon-a.png B=$OUT/mon-b.png
crop() { convert "$1" -crop "${4}x${5}+$(( $2 + X_SHIFT ))+$3" +repage "$6"; }
# relit FILE1 FILE2 X Y W H: lit pixels of the first capture's rectangle that
# the second shows otherwise; the drawing only lights black ones.
relit() {
  crop "$1" "$3" "$4" "$5" "$6" "$OUT/mon-1.png"; crop "$2" "$3" "$4" "$5" "$6" "$OUT/mon-2.png"
  convert "$OUT/mon-1.png" "$OUT/mon-2.png" -compose difference -composite -colorspace gray -threshold 0 "$OUT/mon-d.png"
  convert "$OUT/mon-1.png" -colorspace gray -threshold 0 "$OUT/mon-m.png"
  convert "$OUT/mon-d.png" "$OUT/mon-m.png" -compose multiply -composite -format '%[fx:int(mean*w*h+0.5)]' info:
}
lit_of() { crop "$1" "$2" "$3" "$4" "$5" "$OUT/mon-1.png"; convert "$OUT/mon-1.png" -colorspace gray -threshold 0 -format '%[fx:int(mean*w*h+0.5)]' info:; }
both_slow() {
  capture "$A"; sleep 1; capture "$B"
  [ "$(relit "$A" "$B" "${P[@]}")" = 0 ] && [ "$(relit "$A" "$B" "${S[@]}")" = 0 ] &&
    [ "$(lit_of "$B" "${P[@]}")" -gt 1000 ] && [ "$(lit_of "$B" "${S[@]}")" -gt 1000 ]
}
switched() {
  capture "$A"
  [ "$(relit "$B" "$A" "${P[@]}")" -gt $(( $(lit_of "$B" "${P[@]}") / 2 )) ] &&
    [ "$(relit "$B" "$A" "${S[@]}")" -gt $(( $(lit_of "$B" "${S[@]}") / 2 )) ]
}
reset_settings CompletionDelay=d:0 CurveType=d:1 MinIterations=d:999999 BlankingMethod=d:2 NextActive=d:1 NextKey=s:N
start_on 1000 200 /s || abort monitors-next-start "saver windows: $(saver_rects | tr '\n' ' ')"
if poll 40 both_slow; then
  xdotool key n
  poll 3 switched && alive
  check monitors-next-switches-both $? "lit pixels changed within $(scaled 3) s: primary $(relit "$B" "$A" "${P[@]}") of $(lit_of "$B" "${P[@]}"), second $(relit "$B" "$A" "${S[@]}") of $(lit_of "$B" "${S[@]}")"
else
  fail monitors-next-switches-both "no slow picture on both monitors within $(scaled 40) s"
fi
ends_saver monitors-click-on-second-ends xdotool click 1

# A second monitor left of the primary: negative coordinates. Wine takes
# the head it is told as primary and puts that one at (0, 0).
wineserver -k 2>/dev/null
wine reg add "$X11_KEY" /v PrimaryMonitor /d 1 /f >/dev/null 2>&1
wineserver -k 2>/dev/null
layout left; X_SHIFT=800
if ! monitors_are; then
  fail monitors-left-seen "Wine lists: $(driver monitors | tr '\n' ' ')"
else
  pass monitors-left-seen
  reset_settings CompletionDelay=d:0 "${FAST_PICTURES[@]}"
  if start_on -400 300 /s; then
    pass "monitors-left-window-each ($(saver_rects | tr '\n' ' '))"
    poll 8 both_lit
    check monitors-left-both-draw $? "lit: primary $(lit_in "${P[@]}"), left $(lit_in "${S[@]}")"
    ends_saver monitors-left-one-pixel-move-ends xdotool mousemove_relative 0 1
  else
    fail monitors-left-window-each "saver windows: $(saver_rects | tr '\n' ' ')"
  fi
fi

awk '{s += $3; if ($3 > m) m = $3; n++} END {if (n) printf "close latency (two monitors): %d events, mean %d ms, max %d ms\n", n, s / n, m}' "$OUT/latency.txt"
exit $failed
