#!/bin/bash
# The saver in a host's preview pane: the child window, its drawing, the
# host's two ways of ending it, and preview requests without a pane.
# e2e: each Windows tree
. "$(dirname "$0")/lib/saver.sh"

SCR=$(win_path "$TREE/mirovane.scr")
field() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }

# Wine shows nothing that one process draws into another's window (the
# driver's own paint of the pane shows nothing either): the drawing is then
# only reported, with the preview's processor time.
driver host destroy "$(scaled 3000)" "$SCR" /p:1 >/dev/null &
host=$!
painted() { [ "$(driver paint)" = painted=1 ]; }
poll 10 painted
r=$(driver lit 320 220 152 112)
cross=1; [ "${r#lit=}" = 0 ] && cross=0
wait "$host"
reset_settings CompletionDelay=d:0
for form in "/p {h}" "/p:{h}"; do
  r=$(driver host destroy 3000 "$SCR" $form | tr '\n' ' ')
  [ "$(field "$r" child) $(field "$r" cx) $(field "$r" cy) $(field "$r" cw) $(field "$r" ch)" = "1 0 0 152 112" ]
  check "preview-child-fills-pane ($form)" $? "$r"
  if [ "$cross" = 1 ]; then
    [ "$(field "$r" lit)" -gt 2000 ] 2>/dev/null
    check "preview-draws ($form)" $? "$r"
  else
    echo "note: Wine shows no drawing across processes; preview-draws ($form) not checked, lit=$(field "$r" lit), cpu_ms=$(field "$r" cpu_ms)"
  fi
  ms=$(field "$r" exit_ms)
  [ "$(field "$r" exited)" = 1 ] && [ "${ms:-9999}" -lt 2000 ] && [ "$(field "$r" code)" = 0 ]
  check "preview-pane-destroyed-ends-cleanly ($form)" $? "$r"
  echo "preview exit after the pane's destruction ($form): $ms ms"
done

# Windows' own dialog ends the preview with TerminateProcess at each change
# of selection: nothing may be left half-written in the store.
reset_settings CompletionDelay=d:1 SequenceNo=d:7 NextKey=s:N "FileLocation=s:C:\\shots"
before=$(wine reg query 'HKCU\Software\Tolvarn' /s 2>/dev/null | tr -d '\r')
r=$(driver host terminate 2000 "$SCR" /p {h} | tr '\n' ' ')
after=$(wine reg query 'HKCU\Software\Tolvarn' /s 2>/dev/null | tr -d '\r')
[ "$(field "$r" child)" = 1 ] && [ "$(field "$r" exited)" = 1 ] && [ -n "$before" ] && [ "$before" = "$after" ]
check preview-terminated-leaves-registry $? "$r; $(diff <(echo "$before") <(echo "$after") | head -5 | tr '\n' ' ')"

for args in "/p" "/p 12345" "/p:0" "/a" "x" "/"; do
  r=$(driver run 5000 "$SCR" $args)
  ms=$(field "$r" ms)
  [ "$(field "$r" exited) $(field "$r" windows)" = "1 0" ] && [ "${ms:-9999}" -lt 2000 ]
  check "preview-ends-at-once ($args)" $? "$r"
done
exit $failed
