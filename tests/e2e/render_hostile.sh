#!/bin/bash
# mirovane-render and the Linux display mode against hostile surroundings:
# two renderers writing one file, settings files that are FIFOs, devices,
# huge or begin with a byte-order mark, sizes no file holds, too little
# memory, signals in the middle of a picture, the longest file name.
. "$(dirname "$0")/lib/checks.sh"
R="$MIROVANE_NATIVE/mirovane-render"
SAVER="$MIROVANE_NATIVE/mirovane"
OUT="$MIROVANE_OUT/render-hostile"
rm -rf "$OUT"; mkdir -p "$OUT"
cd "$OUT" || exit 1
diagnose() { :; }
expect() { if eval "$2"; then pass "$1"; else fail "$1" "$3"; fi; }
wait_for() {  # SECONDS CONDITION
  local deadline=$(( $(now_ms) + $(scaled $(( $1 * 1000 ))) ))
  until eval "$2"; do [ "$(now_ms)" -ge "$deadline" ] && return 1; sleep 0.05; done
}
temporaries() { ls -A "${1:-.}" | grep -c '^\.mirovane-.*\.tmp$'; }
# refused NAME ARGS...: status 2 and one line on stderr, well within the
# deadline (a FIFO must not block, /dev/zero must not be read).
refused() {
  local name=$1 rc; shift
  timeout $(scaled 30) "$R" "$@" >"$name.out" 2>"$name.err"; rc=$?
  expect "$name" '[ $rc = 2 ] && [ "$(wc -l <"$name.err")" = 1 ]' "status $rc, stderr: $(head -2 "$name.err" | tr '\n' '|')"
}
A=(--curve mandelbrot:13 --scheme Metallic --size 3000x3000 --seed 1 --threads 1 --quiet)
B=(--curve julia:5 --scheme "Red / Purple" --size 3000x3000 --seed 1 --threads 1 --quiet)

# ---------------------------------------------------- two writers, one name
"$R" "${A[@]}" --out a.bmp && "$R" "${B[@]}" --out b.bmp
mkdir two
"$R" "${A[@]}" --out two/o.bmp & first=$!
wait_for 30 '[ "$(temporaries two)" -ge 1 ]'
"$R" "${B[@]}" --out two/o.bmp; second=$?
wait $first; first=$?
expect two-writers-both-succeed '[ $first = 0 ] && [ $second = 0 ]' "statuses $first and $second"
expect two-writers-leave-one-whole-picture 'cmp -s two/o.bmp a.bmp || cmp -s two/o.bmp b.bmp' \
  "o.bmp is neither picture ($(stat -c %s two/o.bmp 2>&1) bytes)"
expect two-writers-leave-no-temporary '[ "$(ls -A two)" = o.bmp ]' "$(ls -A two | tr '\n' ' ')"

# ---------------------------------------------------------- settings files
mkfifo fifo.ini
refused settings-fifo-refused --size 8x8 --settings fifo.ini --out s
ln -s /dev/zero zero.ini
refused settings-device-refused --size 8x8 --settings zero.ini --out s
yes x=1 | head -c 50000000 >big.ini
refused settings-huge-refused --size 16x16 --settings big.ini --out s
printf '\xEF\xBB\xBF[Settings]\r\nCurveType=2\r\n' >bom.ini
"$R" --size 16x16 --seed 4 --pictures 6 --settings bom.ini --quiet --out bom >bom.txt 2>&1
expect settings-byte-order-mark-read '[ $? = 0 ] && [ "$(grep -c "^picture [0-9]*: julia " bom.txt)" = 6 ]' "$(cut -c1-40 bom.txt | tr '\n' '|')"

# The Windows renderer under Wine, which reports a Unix FIFO as not found.
for tree in ${MIROVANE_WINE_TREES:-}; do
  name=$(basename "$tree")
  timeout $(scaled 60) wine "$tree/mirovane-render.exe" --size 8x8 --settings fifo.ini --out s >"$name.out" 2>"$name.err"; rc=$?
  expect "$name-settings-fifo-refused" '[ $rc = 2 ] && grep -q "not a regular file" "$name.err"' "status $rc, $(tr -d '\r' <"$name.err" | head -1)"
done

# The display mode takes the defaults instead, and says so with -verbose.
if [ -x "$SAVER" ] && [ -n "${DISPLAY:-}" ]; then
  mkdir -p xdg/Tolvarn && mkfifo xdg/Tolvarn/mirovane.ini
  XDG_CONFIG_HOME="$OUT/xdg" timeout $(scaled 60) "$SAVER" -verbose -delay 0 >saver.txt 2>&1 & pid=$!
  wait_for 20 'grep -q "^settings: size " saver.txt'
  expect display-mode-fifo-settings-defaults 'grep -q "mirovane.ini'"'"' is not a regular file: the defaults apply" saver.txt && grep -q "^settings: size " saver.txt' \
    "$(head -3 saver.txt | tr '\n' '|')"
  kill $pid 2>/dev/null; wait $pid 2>/dev/null
  expect display-mode-leaves-fifo '[ -p xdg/Tolvarn/mirovane.ini ]' "the FIFO was replaced"
else
  fail display-mode-fifo-settings-defaults "no display mode or no DISPLAY"
fi

# ------------------------------------------------------- sizes and memory
refused_early() {  # NAME ARGS...: refused before any work, with the reason
  local name=$1 rc start; shift
  start=$(now_ms)
  timeout $(scaled 30) "$R" "$@" >"$name.out" 2>"$name.err"; rc=$?
  expect "$name" '[ $rc = 2 ] && grep -q "too large for a BMP file (at most 2 GiB" "$name.err" && [ $(( $(now_ms) - start )) -lt $(scaled 5000) ] && [ -z "$(ls -A d 2>/dev/null)" ]' \
    "status $rc, stderr: $(head -1 "$name.err")"
}
refused_early bmp-too-large-slide-show --size 32767x21900 --out d --quiet
refused_early bmp-too-large-curve --curve mandelbrot:1 --scheme Metallic --size 32767x32767 --out big.bmp
expect bmp-largest-size-named '"$R" --help | grep -q "32767 x 21845"' "--help names no BMP limit"
(ulimit -v 3000000; exec timeout $(scaled 120) "$R" --size 32767x21845 --out mem --quiet) >mem.out 2>mem.err; rc=$?
expect out-of-memory-one-line '[ $rc = 2 ] && [ "$(cat mem.err)" = "mirovane-render: out of memory for a picture of 32767 x 21845 pixels" ] && [ -z "$(ls -A mem 2>/dev/null)" ]' \
  "status $rc, stderr: $(head -2 mem.err | tr '\n' '|')"

# ---------------------------------------------------------------- signals
n=0
for sig in INT TERM HUP; do
  n=$((n + 1)); mkdir "sig$n"; echo old >"sig$n/out.bmp"
  "$R" --curve mandelbrot:13 --scheme Metallic --size 6000x6000 --threads 1 --quiet --out "sig$n/out.bmp" & pid=$!
  wait_for 30 '[ "$(temporaries sig$n)" -ge 1 ]'
  kill -s $sig $pid; wait $pid; rc=$?
  expect "signal-$sig-removes-temporary" '[ $rc = $((128 + $(kill -l $sig))) ] && [ "$(ls -A sig$n)" = out.bmp ] && [ "$(cat sig$n/out.bmp)" = old ]' \
    "status $rc, left: $(ls -A sig$n | tr '\n' ' ')"
done
# The Windows renderer: Wine turns a SIGINT of the program's own process
# (which may be a child of start.exe) into the console's Ctrl+C.
: >empty.ini
for tree in ${MIROVANE_WINE_TREES:-}; do
  name=$(basename "$tree"); dir="ctrl-c-$name"
  mkdir "$dir"; echo old >"$dir/out.bmp"
  wine "$tree/mirovane-render.exe" --settings empty.ini "${A[@]/3000x3000/6000x6000}" --out "$dir/out.bmp" \
    >/dev/null 2>&1 & pid=$!
  wait_for 60 '[ "$(temporaries "$dir")" -ge 1 ]'
  exe=$(wine_pids "mirovane-render\.exe .*$dir" | tail -1)
  kill -s INT ${exe:-$pid}; wait $pid
  expect "$name-ctrl-c-removes-temporary" '[ -n "$exe" ] && [ "$(ls -A "$dir")" = out.bmp ] && [ "$(cat "$dir/out.bmp")" = old ]' \
    "process ${exe:-not found}, left: $(ls -A "$dir" | tr '\n' ' ')"
done
# What an older run left where a temporary might go trips nobody.
mkfifo sig1/out.bmp.tmp; : >sig1/.mirovane-0000000000000000.tmp
"$R" --swatch Mono --out sig1/out.bmp
expect stale-temporaries-ignored '[ $? = 0 ] && [ "$(head -c 2 sig1/out.bmp)" = BM ]' "$(ls -A sig1 | tr '\n' ' ')"

# ------------------------------------------------------- the longest name
long=$(printf 'n%.0s' $(seq 251)).bmp
"$R" --swatch Mono --out "$long" 2>long.err
expect longest-file-name '[ $? = 0 ] && [ "$(head -c 2 "$long")" = BM ]' "$(cat long.err)"
exit $failed
