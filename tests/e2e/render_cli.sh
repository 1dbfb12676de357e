#!/bin/bash
# mirovane-render from the outside: real BMP files a real reader accepts,
# repeatable output, refused input, and the same bytes from every build.
. "$(dirname "$0")/lib/checks.sh"
NATIVE="$MIROVANE_NATIVE/mirovane-render"
OUT="$MIROVANE_OUT/render"
rm -rf "$OUT"; mkdir -p "$OUT"
expect() { if eval "$2"; then pass "$1"; else fail "$1" "$3"; fi; }

# Three pictures that ImageMagick reads as 640x480, and the same twice.
"$NATIVE" --size 640x480 --seed 7 --pictures 3 --out "$OUT/a" --settings /dev/null >"$OUT/a.txt" 2>&1
"$NATIVE" --size 640x480 --seed 7 --pictures 3 --out "$OUT/b" --settings /dev/null >"$OUT/b.txt" 2>&1
expect three-pictures-identified \
  '[ "$(identify -format "%m %wx%h\n" "$OUT"/a/picture-000{1,2,3}.bmp 2>/dev/null | grep -cE "^BMP3? 640x480$")" = 3 ]' \
  "identify: $(identify "$OUT"/a/*.bmp 2>&1 | head -3)"
expect same-command-same-files 'diff -r "$OUT/a" "$OUT/b" >/dev/null && cmp -s "$OUT/a.txt" "$OUT/b.txt"' "outputs differ"
expect picture-lines \
  '[ "$(grep -cE "^picture [123]: (mandelbrot|julia|dragon|phoenix|newton) ([0-9]+|default) scheme [A-Za-z /0-9]+ blanking (Fast Fade|Wexly Fade|No Fade) iterations [0-9]+ threshold [0-9.]+$" "$OUT/a.txt")" = 3 ]' \
  "$(head -3 "$OUT/a.txt")"
expect pictures-are-not-black \
  '[ "$(convert "$OUT/a/picture-0001.bmp" -format "%[fx:maxima.r+maxima.g+maxima.b>0]" info:)" = 1 ]' "all black"

# Settings from the file: only Newton curves, Metallic, with Wexly Fade.
printf '[Settings]\nCurveType=16\nColourScheme=32768\nBlankingMethod=4\nCompletionDelay=0\n' >"$OUT/s.ini"
"$NATIVE" --size 40x30 --seed 3 --pictures 4 --out "$OUT/s" --settings "$OUT/s.ini" >"$OUT/s.txt" 2>&1
expect settings-file-obeyed \
  '[ "$(grep -c "newton .* scheme Metallic blanking" "$OUT/s.txt")" = 4 ] && grep -q "picture 2: .*Wexly Fade" "$OUT/s.txt"' \
  "$(cat "$OUT/s.txt")"

# One catalogue curve and a swatch.
"$NATIVE" --curve mandelbrot:1 --scheme "Bold 1" --size 160x120 --seed 1 --out "$OUT/m1.bmp" --settings /dev/null
expect curve-mode '[ "$(identify -format "%wx%h" "$OUT/m1.bmp" 2>/dev/null)" = 160x120 ]' "no 160x120 picture"
"$NATIVE" --swatch "Aluminium Foils" --variant 2 --out "$OUT/sw.bmp"
expect swatch-mode '[ "$(identify -format "%wx%h" "$OUT/sw.bmp" 2>/dev/null)" = 254x16 -o "$(identify -format "%wx%h" "$OUT/sw.bmp" 2>/dev/null)" = 253x16 ]' \
  "$(identify "$OUT/sw.bmp" 2>&1)"

# Bad input: a message, status 2, and nothing written.
bad() {  # name, args...
  local name=$1; shift
  rm -rf "$OUT/bad"; mkdir -p "$OUT/bad"
  (cd "$OUT/bad" && "$NATIVE" "$@" >stdout.txt 2>stderr.txt)
  local rc=$?
  local files; files=$(cd "$OUT/bad" && ls | grep -v -e stdout.txt -e stderr.txt)
  if [ $rc = 2 ] && [ -s "$OUT/bad/stderr.txt" ] && [ -z "$files" ]; then pass "refuses-$name"
  else fail "refuses-$name" "status $rc, files '$files', message '$(head -1 "$OUT/bad/stderr.txt")'"; fi
}
bad unknown-option --size 8x8 --frobnicate 1
bad unknown-scheme --curve julia:1 --scheme "Bold 7" --size 8x8 --out x.bmp
bad zero-size --size 0x10
bad huge-size --size 32768x10
bad size-text --size axb
bad missing-size --pictures 2
bad curve-out-of-range --curve dragon:9 --scheme Mono --size 8x8 --out x.bmp
bad missing-settings --size 8x8 --settings /no/such/file.ini
bad unwritable-folder --size 8x8 --out /proc/mirovane
bad missing-out-folder --swatch Mono --out /no/such/dir/x.bmp
printf '[Settings]\nMaxIterations=10\nExcludeCurves=1\n' >"$OUT/limits.ini"
bad curve-excluded --curve mandelbrot:1 --scheme Mono --size 8x8 --out x.bmp --settings "$OUT/limits.ini"

# The Windows builds give the very same bytes.
for tree in ${MIROVANE_WINE_TREES:-"$MIROVANE_WIN32 $MIROVANE_WIN64"}; do
  bits=$(basename "$tree")
  TAG="[$bits] "
  exe="$tree/mirovane-render.exe"
  rm -rf "$OUT/$bits"; mkdir -p "$OUT/$bits"
  (cd "$OUT/$bits" && cp "$OUT/s.ini" s.ini &&
   timeout 300 wine "$exe" --size 320x240 --seed 11 --pictures 3 --out pics --settings NUL >pics.txt 2>/dev/null &&
   timeout 300 wine "$exe" --curve phoenix:2 --scheme Metallic --variant 3 --size 200x150 --seed 5 --out curve.bmp --settings NUL &&
   timeout 60 wine "$exe" --swatch "Green / Yellow" --out swatch.bmp)
  (cd "$OUT" && mkdir -p "native-$bits" && cd "native-$bits" &&
   "$NATIVE" --size 320x240 --seed 11 --pictures 3 --out pics --settings /dev/null >pics.txt &&
   "$NATIVE" --curve phoenix:2 --scheme Metallic --variant 3 --size 200x150 --seed 5 --out curve.bmp --settings /dev/null &&
   "$NATIVE" --swatch "Green / Yellow" --out swatch.bmp)
  sed -i 's/\r$//' "$OUT/$bits/pics.txt"
  for f in pics/picture-0001.bmp pics/picture-0002.bmp pics/picture-0003.bmp curve.bmp swatch.bmp pics.txt; do
    if cmp -s "$OUT/$bits/$f" "$OUT/native-$bits/$f"; then pass "identical-$(basename "$f")"
    else fail "identical-$(basename "$f")" "differs from the native build"; fi
  done
done
exit $failed
