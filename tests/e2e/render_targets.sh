#!/bin/bash
# What mirovane-render does with an output name that is not a plain file:
# links keep pointing at the replaced picture; FIFOs, devices and folders
# are refused with one line and status 2, and left as they were.
. "$(dirname "$0")/lib/checks.sh"
NATIVE="$MIROVANE_NATIVE/mirovane-render"
OUT="$MIROVANE_OUT/render-targets"
rm -rf "$OUT"; mkdir -p "$OUT"
expect() { if eval "$2"; then pass "$1"; else fail "$1" "$3"; fi; }
is_bmp() { [ "$(identify -format %m "$1" 2>/dev/null)" = BMP ] || [ "$(identify -format %m "$1" 2>/dev/null)" = BMP3 ]; }

# refused NAME RENDER [ARGS...]: status 2, exactly one line on stderr.
refused() {
  local name=$1; shift
  timeout 20 "$@" >"$OUT/$name.out" 2>"$OUT/$name.err"
  local rc=$?
  [ "$rc" = 2 ] && [ "$(wc -l <"$OUT/$name.err")" = 1 ]
  check_rc=$?
  [ "$check_rc" = 0 ] || echo "  $name: status $rc, stderr: $(head -2 "$OUT/$name.err" | tr '\n' '|')"
  return $check_rc
}

for tree in native ${MIROVANE_WINE_TREES:-}; do
  build=$(basename "$tree")
  d=$OUT/$build; mkdir -p "$d/real"
  if [ "$build" = native ]; then R=("$NATIVE"); else R=(wine "$tree/mirovane-render.exe"); fi
  cd "$d" || exit 1

  mkfifo pipe.bmp
  refused "$build-fifo" "${R[@]}" --swatch Mono --out pipe.bmp
  expect "$build-fifo-refused-and-kept" '[ $check_rc = 0 ] && [ -p pipe.bmp ] && [ -z "$(ls -A real)" ]' \
    "$(ls -l pipe.bmp)"

  echo old >real/a.bmp
  ln -s real/a.bmp link.bmp
  timeout 20 "${R[@]}" --swatch Mono --out link.bmp >/dev/null 2>&1
  expect "$build-link-kept-target-replaced" '[ -L link.bmp ] && [ "$(readlink link.bmp)" = real/a.bmp ] && is_bmp real/a.bmp && [ "$(ls real)" = a.bmp ]' \
    "$(ls -l link.bmp real | tr '\n' ' ')"

  # PNG files follow the same rule.
  mkfifo pipe.png
  refused "$build-fifo-png" "${R[@]}" --swatch Mono --out pipe.png
  echo old >real/b.png
  ln -s real/b.png link.png
  timeout 20 "${R[@]}" --swatch Mono --out link.png >/dev/null 2>&1
  expect "$build-png-fifo-refused-link-followed" \
    '[ -p pipe.png ] && [ -L link.png ] && [ "$(identify -format %m real/b.png 2>/dev/null)" = PNG ]' \
    "$(ls -l pipe.png link.png real | tr '\n' ' ')"

  mkdir folder.bmp
  refused "$build-folder" "${R[@]}" --swatch Mono --out folder.bmp
  expect "$build-folder-refused" '[ $check_rc = 0 ] && [ -d folder.bmp ]' "see above"
  cd "$OUT" || exit 1
done

# Only natively: a link to a device (a device node itself needs root and
# would be lost if the refusal failed), and the slide show's folder.
cd "$OUT/native" || exit 1
ln -s /dev/full full.bmp
refused native-device "$NATIVE" --swatch Mono --out full.bmp
expect native-device-refused '[ $check_rc = 0 ] && [ -L full.bmp ] && [ -c /dev/full ]' "$(ls -l full.bmp /dev/full | tr '\n' ' ')"

# A file of the folder's own under the name the writability probe would take stays.
mkdir -p probe; echo mine >probe/.mirovane-render-probe
"$NATIVE" --size 8x8 --seed 1 --pictures 1 --settings /dev/null --quiet --out probe >/dev/null 2>&1
expect native-folder-probe-keeps-files '[ "$(cat probe/.mirovane-render-probe)" = mine ] && [ -f probe/picture-0001.bmp ]' \
  "$(ls -a probe | tr '\n' ' ')"

# Wine shows a Unix link to nothing as no file at all, so natively only.
ln -s real/new.bmp dangling.bmp
timeout 20 "$NATIVE" --swatch Mono --out dangling.bmp >/dev/null 2>&1
expect native-link-to-free-name-creates-the-file '[ -L dangling.bmp ] && is_bmp real/new.bmp' "$(ls -l dangling.bmp real | tr '\n' ' ')"

mkdir -p show elsewhere
mkfifo show/picture-0002.bmp
ln -s ../elsewhere/first.bmp show/picture-0001.bmp
refused native-show-fifo "$NATIVE" --size 8x6 --seed 1 --pictures 3 --settings /dev/null --out show --quiet
expect native-show-stops-at-the-fifo '[ $check_rc = 0 ] && [ -p show/picture-0002.bmp ] && [ ! -e show/picture-0003.bmp ]' \
  "$(ls -l show | tr '\n' ' ')"
expect native-show-link-kept '[ -L show/picture-0001.bmp ] && is_bmp elsewhere/first.bmp' "$(ls -l show elsewhere | tr '\n' ' ')"
exit $failed
