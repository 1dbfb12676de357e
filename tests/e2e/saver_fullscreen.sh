#!/bin/bash
# The full-screen saver under Wine: it covers the screen, draws from the
# first moments of every start, and ends on ordinary input within two
# seconds while ignoring the system's commands.
# e2e: each Windows tree
. "$(dirname "$0")/lib/saver.sh"

reset_settings CompletionDelay=d:1 "${FAST_PICTURES[@]}"
: >"$OUT/latency.txt"

must_start fullscreen-starts /s
set -- $(tr ' =' '\n\n' <<<"$WINDOW" | sed -n '4p;6p;8p;10p;12p')
[ "$1 $2 $3 $4 $5" = "0 0 800 600 1" ]
check fullscreen-covers-screen $? "window is '$WINDOW'"
n=$(wait_lit 5000 8)
check fullscreen-draws-pictures $? "only $n lit pixels after $(scaled 8) s, saver $(saver_state)"
alive
check fullscreen-first-mouse-report-kept $? "saver $(saver_state) before any input"
r1=$(driver send 0x112 0xF140 0)
r2=$(driver send 0x112 0xF060 0)
# The window handles sent messages at once; a close it had posted would
# have ended it within the usual close time.
! wait_exit 1000 >/dev/null
check fullscreen-ignores-screensave-and-close-commands $? "$r1 / $r2"
ends_saver fullscreen-one-pixel-move-ends xdotool mousemove_relative 1 0

# Every start shows its drawing (a drawing thread drawing straight into the
# window once drew into nothing for its whole life in about one start of ten).
reset_settings CompletionDelay=d:0 "${FAST_PICTURES[@]}"
dark=()
for i in $(seq 20); do
  must_start fullscreen-every-start-lit /s
  n=$(wait_lit 1000 3) || dark+=("start $i: $n lit")
  stop_saver
done
# The status first: the name's own substitution would reset it.
[ ${#dark[@]} = 0 ]; ok=$?
check "fullscreen-every-start-lit (20 starts within $(scaled 3) s)" "$ok" "${dark[*]}"

for button in 1 2 3; do
  must_start "fullscreen-button-$button-ends" /s
  ends_saver "fullscreen-button-$button-ends" xdotool click $button
done
must_start fullscreen-key-ends /s
ends_saver fullscreen-key-ends xdotool key a

reset_settings NextActive=d:1 NextKey=s:N
must_start fullscreen-alt-hotkey-ends /s
ends_saver fullscreen-alt-hotkey-ends xdotool key alt+n

must_start fullscreen-lost-activation-ends /s
ends_saver fullscreen-lost-activation-ends driver_quiet send 0x6 0 0

awk '{s += $3; if ($3 > m) m = $3; n++} END {if (n) printf "close latency: %d events, mean %d ms, max %d ms\n", n, s / n, m}' "$OUT/latency.txt"
exit $failed
