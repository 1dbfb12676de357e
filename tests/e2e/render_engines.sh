#!/bin/bash
# The renderer's engines and thread counts give the very same files: every
# catalogue entry, the reference (scalar, one thread) against the vector
# lanes on one and two threads, natively and in the Windows builds.
set -u
NATIVE="$MIROVANE_NATIVE/mirovane-render"
OUT="$MIROVANE_OUT/render-engines"
rm -rf "$OUT"; mkdir -p "$OUT"
failed=0
pass() { echo "PASS $1"; }
fail() { echo "FAIL $1: $2"; failed=1; }

# Rows per type, as in the catalogue.
ENTRIES=""
for spec in mandelbrot:25 julia:39 dragon:8 phoenix:4 newton:25; do
  for ((row = 1; row <= ${spec#*:}; row++)); do ENTRIES="$ENTRIES ${spec%:*}:$row"; done
done

render() {  # file, engine, threads, curve
  "$NATIVE" --curve "$4" --scheme "Aluminium Foils" --variant 2 --size 61x45 --seed 9 \
    --settings /dev/null --engine "$2" --threads "$3" --quiet --out "$1"
}

entries=0 differing=""
for entry in $ENTRIES; do
  name=${entry/:/-}
  render "$OUT/$name-scalar1.bmp" scalar 1 "$entry"
  render "$OUT/$name-vector1.bmp" vector 1 "$entry"
  render "$OUT/$name-vector2.bmp" vector 2 "$entry"
  render "$OUT/$name-scalar2.bmp" scalar 2 "$entry"
  entries=$((entries + 1))
  for v in vector1 vector2 scalar2; do
    cmp -s "$OUT/$name-scalar1.bmp" "$OUT/$name-$v.bmp" || differing="$differing $entry/$v"
  done
done
if [ "$entries" = 101 ] && [ -z "$differing" ] && [ -s "$OUT/mandelbrot-13-scalar1.bmp" ]; then
  pass "every-entry-identical-whatever-engine-and-threads"
else
  fail "every-entry-identical-whatever-engine-and-threads" "$entries entries; differing:${differing:0:300}"
fi

# More threads than rows, a width no lane count divides, and PNG files,
# whose rows are taken top-down: still the one-thread reference.
small() {  # file, engine, threads
  "$NATIVE" --curve mandelbrot:13 --scheme Metallic --variant 5 --size 37x3 --seed 9 \
    --settings /dev/null --engine "$2" --threads "$3" --quiet --out "$1"
}
small "$OUT/small-scalar1.bmp" scalar 1
small "$OUT/small-vector7.bmp" vector 7
small "$OUT/small-scalar1.png" scalar 1
small "$OUT/small-vector3.png" vector 3
if [ -s "$OUT/small-scalar1.bmp" ] && cmp -s "$OUT/small-scalar1.bmp" "$OUT/small-vector7.bmp" &&
   [ -s "$OUT/small-scalar1.png" ] && cmp -s "$OUT/small-scalar1.png" "$OUT/small-vector3.png"; then
  pass "more-threads-than-rows-and-png-identical"
else
  fail "more-threads-than-rows-and-png-identical" "files differ or are missing"
fi

# Slide shows, with and without extra memory: the frame cycle's batches.
for extra in 0 1; do
  for run in "scalar 1" "vector 1" "vector 2"; do
    set -- $run
    "$NATIVE" --size 97x61 --seed 31 --pictures 5 --extra-memory $extra --settings /dev/null \
      --engine "$1" --threads "$2" --quiet --out "$OUT/show$extra-$1$2" >"$OUT/show$extra-$1$2.txt"
  done
  if diff -r "$OUT/show$extra-scalar1" "$OUT/show$extra-vector1" >/dev/null &&
     diff -r "$OUT/show$extra-scalar1" "$OUT/show$extra-vector2" >/dev/null &&
     [ "$(ls "$OUT/show$extra-vector2" | wc -l)" = 5 ]; then
    pass "slide-show-identical-extra-memory-$extra"
  else
    fail "slide-show-identical-extra-memory-$extra" "pictures differ"
  fi
done

# Bad values are refused.
for args in "--threads 0" "--threads x" "--engine simd"; do
  "$NATIVE" --size 8x8 $args --out "$OUT/bad" >/dev/null 2>"$OUT/bad.txt"
  rc=$?
  if [ $rc = 2 ] && [ -s "$OUT/bad.txt" ]; then pass "refuses-${args// /-}"
  else fail "refuses-${args// /-}" "status $rc"; fi
done

# The Windows builds' vector lanes (whatever this processor offers) against
# the native reference, one entry per formula and a slide show.
for tree in ${MIROVANE_WINE_TREES:-"$MIROVANE_WIN32 $MIROVANE_WIN64"}; do
  bits=$(basename "$tree")
  exe="$tree/mirovane-render.exe"
  mkdir -p "$OUT/$bits"
  same=1
  for entry in mandelbrot:13 julia:22 dragon:8 phoenix:2 newton:5; do
    name=${entry/:/-}
    (cd "$OUT/$bits" && timeout 300 wine "$exe" --curve "$entry" --scheme "Aluminium Foils" --variant 2 \
      --size 61x45 --seed 9 --settings NUL --threads 2 --quiet --out "$name.bmp" 2>/dev/null)
    cmp -s "$OUT/$bits/$name.bmp" "$OUT/$name-scalar1.bmp" || same=0
  done
  (cd "$OUT/$bits" && timeout 300 wine "$exe" --size 97x61 --seed 31 --pictures 5 --extra-memory 0 \
    --settings NUL --threads 2 --quiet --out show >show.log 2>&1; echo "status $?" >>show.log)
  diff -r "$OUT/$bits/show" "$OUT/show0-scalar1" >/dev/null || same=0
  if [ $same = 1 ]; then pass "identical-$bits-vector-to-native-reference"
  else fail "identical-$bits-vector-to-native-reference" "differs from the native scalar render: $(tail -n 3 "$OUT/$bits/show.log" | tr '\n' ' ')"; fi
done
exit $failed
