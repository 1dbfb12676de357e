#!/bin/bash
# The configuration sheet under Wine, driven as a user would: pages switched,
# boxes ticked and typed into, OK / Cancel / the close box, message boxes
# read back, the folder chooser; then the registry read with `wine reg query`.
# Saves a PNG of each page under $MIROVANE_OUT/config-<tree>.
# e2e: each Windows tree
. "$(dirname "$0")/lib/saver.sh"
OUT="$MIROVANE_OUT/config-$TREE_NAME"
mkdir -p "$OUT"
CAPTION="Wexly Fractals v2.0"
SCR=$(win_path "$TREE/mirovane.scr")

# sheet CMD...: starts `mirovane.scr /c`, waits for the sheet, runs the
# driver's commands; the program is ended by the driver if still open.
sheet() {
  timeout "$(scaled 120)" wine "$TREE/config_driver.exe" start "$SCR" /c sheet "$CAPTION" "$@" 2>/dev/null |
    tr -d '\r' | grep -v '^wine:'
}
dump() { wine reg query "$KEY" 2>/dev/null; }
# has OUTPUT LINE: OUTPUT holds LINE exactly.
has() { grep -qxF -- "$2" <<<"$1"; }
# expect NAME OUTPUT LINE...: passes when OUTPUT holds every LINE, in order.
expect() {
  local name=$1 out=$2 line k=0; shift 2
  local -a lines want=("$@")
  mapfile -t lines <<<"$out"
  for line in "${lines[@]}"; do
    [ "$k" -lt ${#want[@]} ] && [ "$line" = "${want[$k]}" ] && k=$((k + 1))
  done
  if [ "$k" -eq ${#want[@]} ]; then pass "$name"
  else fail "$name" "no '${want[$k]}' in order in: $(tr '\n' ';' <<<"$out")"; return 1; fi
}
# regs NAME=VALUE...: the registry holds each value (numbers as 0x hex).
regs() {
  local nv got bad=
  for nv in "$@"; do
    got=$(reg_value "${nv%%=*}")
    [ "$got" = "${nv#*=}" ] || bad+=" ${nv%%=*}=$got (want ${nv#*=})"
  done
  echo "${bad# }"
}
expect_regs() {
  local name=$1 bad; shift
  bad=$(regs "$@")
  if [ -z "$bad" ]; then pass "$name"; else fail "$name" "$bad"; fi
}

DIR="$OUT/folders"
rm -rf "$DIR"; mkdir -p "$DIR/shots/alpha" "$DIR/shots/beta"
: >"$DIR/plain.txt"
WDIR=$(win_path "$DIR")

# Masks with bits the sheet drops: CurveType 63 (five types), ColourScheme
# with bit 16, BlankingMethod with bit 0.
BASE=(CurveType=d:63 ColourScheme=d:131071 BlankingMethod=d:3 CompletionDelay=d:5
  ExtraMemory=d:1 MinIterations=d:100 MaxIterations=d:5000 ExcludeCurves=d:0
  PausingActive=d:1 PrintingActive=d:0 NextActive=d:1 PausingKay=s:P PrintingKey=s:S
  NextKey=s:N "FileLocation=s:$WDIR\\shots" SequenceNo=d:7 DrawingTime=d:9)

# ---------------------------------------------------------------- pages
# The pictures show a folder of their own; leaving Hotkeys needs it to exist.
mkdir -p "$WINEPREFIX/drive_c/Screenshots"
reset_settings "${BASE[@]}" 'FileLocation=s:C:\Screenshots'
names=("Fractal Types" "Colour Schemes" "Blanking Methods" "Iteration Options" "Hotkeys" "About")
cmds=()
for n in 0 1 2 3 4 5; do cmds+=(page "$n" curpage shot "$(win_path "$OUT/page$n.bmp")"); done
out=$(sheet "${cmds[@]}" cancel gone)
has "$out" SHEET || abort "sheet opens" "no sheet: $(tr '\n' ';' <<<"$out")"
want=(SHEET)
for n in 0 1 2 3 4 5; do want+=("CURPAGE $n ${names[$n]}"); done
expect "six pages in tab order" "$out" "${want[@]}" GONE
shots_ok=1
for n in 0 1 2 3 4 5; do
  file="$OUT/page$n-$(tr 'A-Z ' 'a-z-' <<<"${names[$n]}").png"
  convert "$OUT/page$n.bmp" "$file" 2>/dev/null && rm -f "$OUT/page$n.bmp" || shots_ok=0
  # A blank or single-coloured picture means nothing was drawn.
  colours=$(identify -format '%k' "$file" 2>/dev/null)
  [ "${colours:-0}" -gt 8 ] || shots_ok=0
done
check "page pictures saved" $((1 - shots_ok)) "see $OUT/page*.png"

# Loaded values on the pages (the masks shown without their stray bits).
reset_settings "${BASE[@]}"
out=$(sheet getcheck 1001 getcheck 1002 getcheck 1003 getcheck 1004 getcheck 1029 \
  page 2 getcheck 1020 getcheck 1021 getcheck 1022 gettext 1035 \
  page 3 gettext 1024 gettext 1025 gettext 1026 getcheck 1023 getcheck 1027 getcheck 1028 \
  page 4 getcheck 1027 getcheck 1028 getcheck 1029 gettext 1030 gettext 1031 gettext 1034 gettext 1032 \
  cancel gone)
expect "pages show the stored settings" "$out" \
  "CHECK 1001 1" "CHECK 1002 1" "CHECK 1003 1" "CHECK 1004 1" "CHECK 1029 1" \
  "CHECK 1020 0" "CHECK 1021 1" "CHECK 1022 0" "TEXT 1035 9" \
  "TEXT 1024 5" "TEXT 1025 100" "TEXT 1026 5000" "CHECK 1023 1" "CHECK 1027 0" "CHECK 1028 1" \
  "CHECK 1027 1" "CHECK 1028 0" "CHECK 1029 1" "TEXT 1030 P" "TEXT 1031 S" "TEXT 1034 N" \
  "TEXT 1032 $WDIR\\shots" GONE

# ------------------------------------------------------------ Cancel, close
reset_settings "${BASE[@]}"
before=$(dump)
out=$(sheet check 1001 0 page 1 check 1006 0 page 2 check 1022 1 page 3 settext 1024 200 \
  click 1027 page 4 check 1028 1 settext 1031 X settext 1032 'C:\' page 5 cancel gone)
after=$(dump)
if has "$out" GONE && [ -n "$before" ] && [ "$before" = "$after" ]; then pass "Cancel after edits writes nothing"
else fail "Cancel after edits writes nothing" "$(diff <(echo "$before") <(echo "$after") | tr '\n' ';') $out"; fi
out=$(sheet page 3 settext 1024 7 page 4 check 1029 0 close gone)
after=$(dump)
if has "$out" GONE && [ "$before" = "$after" ]; then pass "close box after edits writes nothing"
else fail "close box after edits writes nothing" "$(diff <(echo "$before") <(echo "$after") | tr '\n' ';') $out"; fi

# ------------------------------------------------------ OK without changes
reset_settings "${BASE[@]}"
out=$(sheet ok gone)
expect "OK without changes closes the sheet" "$out" GONE
expect_regs "OK without changes writes the loaded values back" \
  CurveType=0x1f ColourScheme=0xffff BlankingMethod=0x2 CompletionDelay=0x5 ExtraMemory=0x1 \
  MinIterations=0x64 MaxIterations=0x1388 ExcludeCurves=0x0 PausingActive=0x1 PrintingActive=0x0 \
  NextActive=0x1 PausingKay=P PrintingKey=S NextKey=N "FileLocation=$WDIR\\shots" SequenceNo=0x7 \
  DrawingTime=0x9
# Times beyond the pages' ranges, set outside the sheet, survive when their pages stay closed.
reset_settings CompletionDelay=d:600 SequenceNo=d:3 DrawingTime=d:1000
out=$(sheet page 4 ok gone)
expect_regs "unopened pages keep a delay of 600 and a drawing time of 1000" CompletionDelay=0x258 \
  DrawingTime=0x3e8 CurveType=0x1f ColourScheme=0xffff BlankingMethod=0x2 SequenceNo=0x3

# ------------------------------------------------------- Blanking Methods
reset_settings "${BASE[@]}"
out=$(sheet page 2 settext 1035 601 ok msgbox focus curpage \
  settext 1035 600 page 3 nomsgbox curpage ok gone)
expect "drawing time 601 refused, 600 accepted" "$out" \
  "MSGBOX mirovane|Please enter an integer between 0 and 600.|warning" "FOCUS 1035" \
  "CURPAGE 2 Blanking Methods" NOMSGBOX "CURPAGE 3 Iteration Options" GONE
expect_regs "drawing time 600 stored" DrawingTime=0x258 CompletionDelay=0x5
reset_settings "${BASE[@]}"
out=$(sheet page 2 settext 1035 0 ok gone)
expect_regs "drawing time 0 stored" DrawingTime=0x0
# A store without the value (older settings) shows and keeps 0.
reset_settings CompletionDelay=d:5
out=$(sheet page 2 gettext 1035 ok gone)
expect "missing drawing time shows 0" "$out" "TEXT 1035 0" GONE
expect_regs "missing drawing time stored as 0" DrawingTime=0x0

# ------------------------------------------------------ Iteration Options
reset_settings "${BASE[@]}"
out=$(sheet page 3 settext 1024 301 ok msgbox focus curpage \
  settext 1024 300 page 4 nomsgbox curpage page 3 settext 1024 0 ok gone)
expect "delay 301 refused, 300 and 0 accepted" "$out" \
  "MSGBOX mirovane|Please enter an integer between 0 and 300.|warning" "FOCUS 1024" \
  "CURPAGE 3 Iteration Options" NOMSGBOX "CURPAGE 4 Hotkeys" GONE
expect_regs "delay 0 stored" CompletionDelay=0x0
reset_settings "${BASE[@]}"
out=$(sheet page 3 settext 1024 300 ok gone)
expect_regs "delay 300 stored" CompletionDelay=0x12c

reset_settings "${BASE[@]}"
before=$(dump)
out=$(sheet page 3 settext 1024 "" page 1 msgbox focus curpage ok msgbox cancel gone)
expect "empty delay box cannot be left" "$out" \
  "MSGBOX mirovane|Please enter a positive integer.|warning" "FOCUS 1024" "CURPAGE 3 Iteration Options" \
  "MSGBOX mirovane|Please enter a positive integer.|warning" GONE
[ "$before" = "$(dump)" ]; check "refused page writes nothing" $? "registry changed"

out=$(sheet page 3 settext 1024 301 settext 1026 1000000 ok msgbox focus \
  settext 1024 10 ok msgbox focus settext 1026 100 settext 1025 500 ok nomsgbox gone)
expect "bad delay reported before bad maximum" "$out" \
  "MSGBOX mirovane|Please enter an integer between 0 and 300.|warning" "FOCUS 1024" \
  "MSGBOX mirovane|Please enter an integer between 0 and 999999.|warning" "FOCUS 1026" NOMSGBOX GONE
expect_regs "minimum above maximum accepted" CompletionDelay=0xa MinIterations=0x1f4 MaxIterations=0x64

reset_settings "${BASE[@]}"
out=$(sheet page 3 click 1027 getcheck 1027 getcheck 1028 ok gone)
expect "Exclude clicked" "$out" "CHECK 1027 1" "CHECK 1028 0" GONE
expect_regs "Exclude clicked then OK stores 1" ExcludeCurves=0x1

# ---------------------------------------------------------------- Hotkeys
reset_settings "${BASE[@]}"
out=$(sheet page 4 check 1029 0 settext 1030 "" settext 1031 "" check 1028 1 ok msgbox focus curpage \
  page 0 msgbox focus cancel gone)
expect "two active empty keys refused" "$out" \
  "MSGBOX Error|Active hotkeys must be unique ...|error" "FOCUS 1031" "CURPAGE 4 Hotkeys" \
  "MSGBOX Error|Active hotkeys must be unique ...|error" "FOCUS 1031" GONE

reset_settings "${BASE[@]}"
out=$(sheet page 4 check 1028 1 check 1029 1 settext 1030 Q settext 1031 Q settext 1034 Q ok msgbox focus \
  check 1028 0 settext 1034 N ok nomsgbox gone)
expect "all keys equal: Pause and screenshot pair reported" "$out" \
  "MSGBOX Error|Active hotkeys must be unique ...|error" "FOCUS 1031" NOMSGBOX GONE
expect_regs "inactive duplicate key accepted" PausingKay=Q PrintingKey=Q NextKey=N PrintingActive=0x0

# Typed keys come out in upper case, one character at most.
reset_settings "${BASE[@]}"
out=$(sheet page 4 type 1030 xy type 1031 s gettext 1030 gettext 1031 ok gone)
expect "key boxes: upper case, one character" "$out" "TEXT 1030 X" "TEXT 1031 S" GONE

reset_settings "${BASE[@]}"
out=$(sheet page 4 settext 1032 "$WDIR\\plain.txt" ok msgbox focus \
  settext 1032 "$WDIR\\nowhere\\shots" page 0 msgbox focus curpage \
  settext 1032 "$WDIR\\shots\\alpha" ok nomsgbox gone)
expect "folder: file and missing parent refused, folder accepted" "$out" \
  "MSGBOX Error|Directory does not exist ...|error" "FOCUS 1032" \
  "MSGBOX Error|Directory does not exist ...|error" "FOCUS 1032" "CURPAGE 4 Hotkeys" NOMSGBOX GONE
expect_regs "existing folder stored" "FileLocation=$WDIR\\shots\\alpha"

reset_settings "${BASE[@]}"
out=$(sheet page 4 settext 1032 "" ok gone)
expect_regs "empty folder accepted" FileLocation=

# 240 characters: within the box's 255, beyond what a screenshot name allows.
long="$WDIR\\$(printf 'x%.0s' $(seq $((239 - ${#WDIR}))))"
out=$(sheet page 4 settext 1032 "$long" ok msgbox focus cancel gone)
if grep -q '^MSGBOX Error|.*|error$' <<<"$out" && has "$out" "FOCUS 1032" && has "$out" GONE
then pass "folder too long for a screenshot refused"; else fail "folder too long for a screenshot refused" "$out"; fi

# --------------------------------------------------------- folder chooser
# The first row of the folder view is "alpha".
reset_settings "${BASE[@]}"
out=$(sheet page 4 type 1030 k click 1033 chooser chooser-select gettext 1032 gettext 1030 \
  click 1033 chooser chooser-open 20 9 chooser-select gettext 1032 \
  click 1033 chooser chooser-open 20 9 chooser-cancel gettext 1032 ok gone)
expect "chooser: Select returns the folder on display, Cancel changes nothing" "$out" \
  "CHOOSER Choose folder|Select|0" "TEXT 1032 $WDIR\\shots" "TEXT 1030 K" \
  "CHOOSER Choose folder|Select|0" "TEXT 1032 $WDIR\\shots\\alpha" \
  "CHOOSER Choose folder|Select|0" "TEXT 1032 $WDIR\\shots\\alpha" GONE
expect_regs "chosen folder stored" "FileLocation=$WDIR\\shots\\alpha" PausingKay=K

exit $failed
