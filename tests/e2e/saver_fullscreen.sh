#!/bin/bash
# The full-screen saver under Wine: it covers the screen, draws, and ends on
# ordinary input within two seconds while ignoring the system's commands.
. "$(dirname "$0")/saver_lib.sh"

reset_settings CompletionDelay=d:1
: >"$OUT/latency.txt"

if start_saver /s; then
  set -- $(tr ' =' '\n\n' <<<"$WINDOW" | sed -n '4p;6p;8p;10p;12p')
  [ "$1 $2 $3 $4 $5" = "0 0 800 600 1" ]
  check fullscreen-covers-screen $? "window is '$WINDOW'"
  n=$(wait_lit 5000 8)
  check fullscreen-draws-pictures $? "only $n lit pixels after 8 s"
  alive
  check fullscreen-first-mouse-report-kept $? "ended on the report of the cursor under the new window"
  r1=$(driver send 0x112 0xF140 0); sleep 0.3
  r2=$(driver send 0x112 0xF060 0); sleep 0.5
  alive
  check fullscreen-ignores-screensave-and-close-commands $? "$r1 / $r2"
  ends_saver fullscreen-one-pixel-move-ends xdotool mousemove_relative 1 0
else
  fail fullscreen-starts "no saver window"
fi

for button in 1 2 3; do
  if start_saver /s; then ends_saver "fullscreen-button-$button-ends" xdotool click $button
  else fail "fullscreen-button-$button-ends" "no saver window"; fi
done
if start_saver /s; then ends_saver fullscreen-key-ends xdotool key a
else fail fullscreen-key-ends "no saver window"; fi

reset_settings NextActive=d:1 NextKey=s:N
if start_saver /s; then ends_saver fullscreen-alt-hotkey-ends xdotool key alt+n
else fail fullscreen-alt-hotkey-ends "no saver window"; fi

if start_saver /s; then
  ends_saver fullscreen-lost-activation-ends driver_quiet send 0x6 0 0
else fail fullscreen-lost-activation-ends "no saver window"; fi

# The 64-bit build: a smoke test, when the suite ran another build.
if [ "$TREE" != "$MIROVANE_WIN64" ]; then
  TREE=$MIROVANE_WIN64
  reset_settings CompletionDelay=d:1
  if start_saver /s; then
    n=$(wait_lit 5000 8)
    check fullscreen-win64-draws $? "only $n lit pixels after 8 s"
    ends_saver fullscreen-win64-mouse-move-ends xdotool mousemove_relative 0 1
  else
    fail fullscreen-win64-starts "no saver window"
  fi
fi

awk '{s += $3; if ($3 > m) m = $3; n++} END {if (n) printf "close latency: %d events, mean %d ms, max %d ms\n", n, s / n, m}' "$OUT/latency.txt"
exit $failed
