#!/bin/bash
# Reads the BMP files our writer makes back with ImageMagick and checks their
# format, size and every pixel. The unit-test program writes them (its
# BmpSamples test) into the folder named by MIROVANE_BMP_SAMPLES.
#
#   tests/e2e/bmp_identify.sh [TEST_PROGRAM]     default build/native/mirovane_tests
#   RUNNER=wine tests/e2e/bmp_identify.sh build/win64/mirovane_tests.exe
. "$(dirname "$0")/lib/checks.sh"

tests=${1:-build/native/mirovane_tests}
runner=${RUNNER:-}
for tool in identify convert python3; do
  command -v "$tool" >/dev/null || { echo "bmp_identify: $tool is missing" >&2; exit 1; }
done

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
samples=$dir
[ -n "$runner" ] && samples=$(win_path "$dir")
MIROVANE_BMP_SAMPLES=$samples $runner "$tests" --gtest_filter='BmpSamples.*' >"$dir/log" 2>&1 ||
  { cat "$dir/log" >&2; abort bmp-samples-written "the test program failed"; }

# The pixels each file must hold, top row first, as 8-bit RGB.
python3 - "$dir" <<'PY'
import sys
d = sys.argv[1]
std = [(0,0,0),(128,0,0),(0,128,0),(128,128,0),(0,0,128),(128,0,128),(0,128,128),(192,192,192),
       (128,128,128),(255,0,0),(0,255,0),(255,255,0),(0,0,255),(255,0,255),(0,255,255),(255,255,255)]
def save(name, pixels):
    with open(f"{d}/{name}.expected", "wb") as f:
        f.write(bytes(v for p in pixels for v in p))
save("rgb24-640x480", [(x & 255, y & 255, (x + y) & 255) for y in range(480) for x in range(640)])
save("rgb24-3x2", [(255,0,0),(0,255,0),(0,0,255),(255,255,255),(0,0,0),(10,20,30)])
save("pal8-640x480", [std[(x + y) % 16] for y in range(480) for x in range(640)])
save("rgb16-1024x768", [(255,0,0) if y < 384 else (0,0,255) for y in range(768) for x in range(1024)])
PY

check_bmp() {  # name width height
  file=$dir/$1.bmp
  got=$(identify -format '%m %w %h' "$file" 2>&1) || got="unreadable: $got"
  if [ "$got" != "BMP3 $2 $3" ]; then  # BMP3: the 40-byte header
    fail "$1" "identify says '$got', expected 'BMP3 $2 $3'"; return
  fi
  convert "$file" -depth 8 rgb:"$dir/$1.rgb"
  if ! cmp -s "$dir/$1.rgb" "$dir/$1.expected"; then fail "$1" "pixels differ"; return; fi
  pass "$1: $got, every pixel as written"
}
check_bmp rgb24-640x480 640 480
check_bmp rgb24-3x2 3 2
check_bmp pal8-640x480 640 480
check_bmp rgb16-1024x768 1024 768
exit $failed
