#!/bin/bash
# The full-screen window repaints from its frame: with a picture held by
# Pause, invalidating the window (its background erased to black) brings
# the same picture back, pixel for pixel, as the screen showed it before.
# e2e: each Windows tree
. "$(dirname "$0")/lib/saver.sh"
field() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }

A=$OUT/repaint-a.png
reset_settings CompletionDelay=d:300 "${FAST_PICTURES[@]}" PausingActive=d:1 PausingKay=s:Q
must_start repaint-starts /s
wait_lit 1000 8 >/dev/null
wait_still "$A" 20 || fail repaint-picture-completes "the screen kept changing"
xdotool key q
r=$(driver repaint "$(scaled 2000)" 10 10)
[ "$(field "$r" restored)" = 1 ] && [ "$(field "$r" lit)" -gt 1000 ]; ok=$?
check "repaint-invalidated-window-shows-picture-again ($(field "$r" ms) ms)" "$ok" "driver: $r"
echo "latency repaint $(field "$r" ms)" >>"$OUT/latency.txt"
# Twice more: the frame is not used up by a repaint.
r=$(driver repaint "$(scaled 2000)" 400 300); r2=$(driver repaint "$(scaled 2000)" 790 590)
[ "$(field "$r" restored)$(field "$r2" restored)" = 11 ]
check repaint-again-and-again $? "driver: $r / $r2"
alive
check repaint-saver-goes-on $? "saver $(saver_state)"
ends_saver repaint-key-ends-while-held xdotool key a
exit $failed
