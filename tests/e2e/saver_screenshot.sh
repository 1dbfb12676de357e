#!/bin/bash
# The screenshot hot key of the full-screen saver: the BMP file, its number
# in the store, and folders the system refuses.
# e2e: each Windows tree
. "$(dirname "$0")/lib/saver.sh"

A=$OUT/ss-a.png B=$OUT/ss-b.png
shots=$OUT/shots; rm -rf "$shots"; mkdir -p "$shots"
first="$shots/Wexly Fractals 00001.bmp"
# The screenshot key; every case runs with a finished picture held on screen.
shoot_with() {  # settings...
  reset_settings CompletionDelay=d:300 "${FAST_PICTURES[@]}" PrintingActive=d:1 PrintingKey=s:P "$@"
  must_start screenshot-starts /s
}
# The saver stores the advanced number once the file is written (or the
# write has failed).
sequence_moved() { [ "$(reg_value SequenceNo)" != "$1" ]; }
shoot() { local before; before=$(reg_value SequenceNo); xdotool key p; poll 10 sequence_moved "$before"; }
bmp_bits() { od -An -tu2 -j28 -N2 "$1" | tr -d ' '; }

set -- $(driver screen | tr ' =' '\n\n' | sed -n '2p;4p;6p')
SW=$1 SH=$2 BPP=$3
shoot_with "FileLocation=s:$(win_path "$shots")"
wait_lit 1000 8 >/dev/null
wait_still "$A" 20 || fail screenshot-picture-completes "the screen kept changing"
shoot
[ -f "$first" ]
check screenshot-first-file-written $? "files: $(ls "$shots" | tr '\n' ' ')"
geom=$(identify -format '%w %h' "$first" 2>/dev/null)
[ "$geom $(bmp_bits "$first")" = "$SW $SH $BPP" ]
check screenshot-screen-size-and-depth $? "file: '$geom' $(bmp_bits "$first") bits, screen: $SW $SH $BPP"
convert "$first" "$OUT/ss-file.png" 2>/dev/null
n=$(differ "$A" "$OUT/ss-file.png")
[ "$n" = 0 ]
check screenshot-pixels-match-screen $? "${n:-unreadable} pixels differ from the screen"
[ "$(reg_value SequenceNo)" = 0x1 ]
check screenshot-stores-sequence-1 $? "SequenceNo is '$(reg_value SequenceNo)'"
shoot
cmp -s "$first" "$shots/Wexly Fractals 00002.bmp"
check screenshot-unchanged-picture-identical-files $? "files: $(ls "$shots" | tr '\n' ' ')"
alive
check screenshot-saver-goes-on $? "the saver ended"
stop_saver

rm -rf "$shots"; mkdir -p "$shots"
if shoot_with SequenceNo=d:9999 "FileLocation=s:$(win_path "$shots")"; then
  shoot; a=$(reg_value SequenceNo); shoot; b=$(reg_value SequenceNo)
  [ -f "$shots/Wexly Fractals 10000.bmp" ] && [ -f "$shots/Wexly Fractals 00000.bmp" ] &&
    [ "$a $b" = "0x2710 0x0" ]
  check screenshot-9999-10000-0 $? "stored $a then $b, files: $(ls "$shots" | tr '\n' ' ')"
  stop_saver
fi

# A stored number below 0 counts as wrapped: the next file is 00000.
rm -rf "$shots"; mkdir -p "$shots"
if shoot_with SequenceNo=d:2147483648 "FileLocation=s:$(win_path "$shots")"; then
  shoot
  [ -f "$shots/Wexly Fractals 00000.bmp" ] && [ "$(reg_value SequenceNo)" = 0x0 ]
  check screenshot-negative-number-wraps-to-0 $? "SequenceNo '$(reg_value SequenceNo)', files: $(ls "$shots" | tr '\n' ' ')"
  stop_saver
else fail screenshot-negative-number-wraps-to-0 "no saver window"; fi

# What holds the next names: a FIFO and a folder are left alone (the number
# still advances), a link keeps pointing at the replaced file.
rm -rf "$shots"; mkdir -p "$shots/real"
mkfifo "$shots/Wexly Fractals 00001.bmp"
mkdir "$shots/Wexly Fractals 00002.bmp"
echo old >"$shots/real/third.bmp"
ln -s real/third.bmp "$shots/Wexly Fractals 00003.bmp"
if shoot_with "FileLocation=s:$(win_path "$shots")"; then
  shoot; shoot; shoot
  [ -p "$shots/Wexly Fractals 00001.bmp" ] && [ -d "$shots/Wexly Fractals 00002.bmp" ] &&
    [ "$(reg_value SequenceNo)" = 0x3 ] && alive
  check screenshot-fifo-and-folder-left-alone $? "SequenceNo '$(reg_value SequenceNo)', $(ls -l "$shots" | tr '\n' ' ')"
  [ -L "$shots/Wexly Fractals 00003.bmp" ] &&
    [ "$(identify -format '%w %h' "$shots/real/third.bmp" 2>/dev/null)" = "$SW $SH" ] &&
    [ "$(ls "$shots/real")" = third.bmp ]
  check screenshot-link-kept-file-replaced $? "$(ls -l "$shots" "$shots/real" | tr '\n' ' ')"
  stop_saver
else fail screenshot-fifo-and-folder-left-alone "no saver window"; fi

rm -rf "$shots"; mkdir -p "$shots"
if shoot_with SequenceNo=d:41 "FileLocation=s:$(win_path "$shots")\\missing"; then
  shoot
  [ "$(ls -A "$shots")" = "" ] && [ "$(reg_value SequenceNo)" = 0x2a ] && alive
  check screenshot-missing-folder-writes-nothing $? "SequenceNo '$(reg_value SequenceNo)', files: $(ls -A "$shots" | tr '\n' ' ')"
  stop_saver
fi

# A folder of 240 characters that exists: the name is longer than the
# system's usual path limit. Either the file is written whole or nothing is;
# the saver goes on and the number advances.
long=$shots; wlong=$(win_path "$long")
while [ ${#wlong} -lt 240 ]; do
  part=$(printf 'd%.0s' $(seq $(( 240 - ${#wlong} - 1 > 60 ? 60 : 240 - ${#wlong} - 1 ))))
  long=$long/$part; wlong=$wlong\\$part
done
mkdir -p "$long"
if [ ${#wlong} = 240 ] && shoot_with "FileLocation=s:$wlong"; then
  shoot; shoot
  f="$long/Wexly Fractals 00002.bmp"
  whole=1; [ -f "$f" ] && { [ "$(identify -format '%w %h' "$f" 2>/dev/null)" = "$SW $SH" ] || whole=0; }
  [ "$(reg_value SequenceNo)" = 0x2 ] && [ "$whole" = 1 ] && alive
  check screenshot-240-character-folder $? "SequenceNo '$(reg_value SequenceNo)', whole=$whole, alive: $(alive && echo yes)"
  echo "240-character folder: $([ -f "$f" ] && echo "file written" || echo "nothing written")"
  stop_saver
else fail screenshot-240-character-folder "folder of ${#wlong} characters, or no saver window"; fi
rm -rf "$shots"
exit $failed
