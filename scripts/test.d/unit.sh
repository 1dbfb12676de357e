# Unit suites: natively, under the sanitizers, a leak soak, and under Wine
# in each Windows tree this machine runs (sourced).
run_native_units() {
  [ -x "$BUILD/native/mirovane_tests" ] || return 0
  local t
  (cd "$BUILD/native" && ctest -j"$JOBS" --output-on-failure --timeout 300) >"$BUILD/native.ctest.log" 2>&1
  t=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$BUILD/native.ctest.log")
  if [ -n "$t" ]; then set -- $t; count native-unit $(($2 - $1)) "$1"
  else count native-unit 0 1; tail -20 "$BUILD/native.ctest.log" >&2; fi
  [ "${1:-0}" != 0 ] && grep -E "\*\*\*Failed|Timeout" "$BUILD/native.ctest.log" >&2
}
run_sanitizer_units() {
  if [ -x "$BUILD/asan/mirovane_tests" ]; then
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
      run_gtest asan-ubsan-unit "$BUILD/asan.unit.log" "$BUILD/asan/mirovane_tests"
  fi
  if [ -x "$BUILD/tsan/mirovane_tests" ]; then
    TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
      run_gtest tsan-threads "$BUILD/tsan.unit.log" "$BUILD/tsan/mirovane_tests" --gtest_filter='FrameCycleTest.Thread*:PicturePainterTest.*'
  fi
  if [ -x "$BUILD/asan/mirovane-render" ]; then
    rm -rf "$BUILD/soak"
    if ASAN_OPTIONS=detect_leaks=1 "$BUILD/asan/mirovane-render" --size 32x24 --seed 1 --pictures 2000 \
         --settings /dev/null --out "$BUILD/soak" --quiet >"$BUILD/soak.log" 2>&1 &&
       [ "$(ls "$BUILD/soak" | wc -l)" -eq 2000 ]; then count leak-soak-2000 1 0
    else count leak-soak-2000 0 1; tail -20 "$BUILD/soak.log" >&2; fi
    rm -rf "$BUILD/soak"
  fi
}
run_wine_units() {
  local name exe
  for name in $WINDOWS_TREES; do
    exe="$BUILD/$name/mirovane_tests.exe"
    [ -f "$exe" ] && run_gtest "[$name] unit-wine" "$BUILD/$name.unit.log" timeout 600 wine "$exe"
  done
}

# Each libFuzzer target for a short, bounded time (scripts/fuzz for longer).
run_fuzz() {
  local logf="$BUILD/fuzz.log" p f
  "$ROOT/scripts/fuzz" "$BUILD/fuzz" 20 >"$logf" 2>&1
  p=$(grep -c '^PASS ' "$logf"); f=$(grep -c '^FAIL ' "$logf")
  [ "$p" -eq 0 ] && [ "$f" -eq 0 ] && { f=1; tail -15 "$logf" >&2; }
  grep '^FAIL ' "$logf" >&2
  count fuzz "$p" "$f"
}
