# End-to-end suites under an Xvfb of their own (sourced). A suite that says
# "# e2e: each Windows tree" runs once per Windows tree this machine runs,
# with MIROVANE_TREE and MIROVANE_TREE_NAME set; its lines name the tree.
suite_per_tree() { grep -q '^# e2e: each Windows tree' "$1"; }

# Suites that need neither the display nor Wine, so that they may run beside
# the others (run_e2e leaves out those named in E2E_ELSEWHERE).
SIDE_SUITES="layering sse2_arithmetic bmp_identify"
# The layering check and the renderer's suites: scripts/test --quick.
QUICK_SUITES="layering render_cli render_engines render_targets bmp_identify"

# What every suite reads: the trees and the output folders.
e2e_env() {
  E2E_READY=1
  export MIROVANE_NATIVE="$BUILD/native" MIROVANE_WIN32="$BUILD/win32" MIROVANE_WIN64="$BUILD/win64"
  export MIROVANE_OUT="$BUILD/e2e-out" MIROVANE_DIAG="$BUILD/e2e-diag"
  rm -rf "$MIROVANE_DIAG"
  mkdir -p "$MIROVANE_OUT"
}
run_named_suites() {  # suite names...
  local name
  for name in "$@"; do run_suite "$ROOT/tests/e2e/$name.sh"; done
}

# One X server for the Windows unit tests (real windows) and every suite:
# a Wine started without a display would keep a desktop that has none for
# the programs after it.
e2e_display() {
  [ -n "${E2E_XVFB_PID:-}" ] && return
  start_xvfb
  E2E_XVFB_PID=$XVFB_PID
  trap 'kill "$E2E_XVFB_PID" 2>/dev/null' EXIT
}

# The first GUI program of a new prefix takes seconds to show a window;
# the suites' deadlines are for a warm one.
warm_wine() {
  local name r
  for name in $WINDOWS_TREES; do
    r=$(timeout 180 wine "$BUILD/$name/saver_driver.exe" warm 2>/dev/null | tr -d '\r')
    log "warm-up [$name]: ${r:-no answer}"
  done
}

# run_suite FILE [TREE]: runs one suite, tallies its PASS and FAIL lines.
run_suite() {
  local suite=$1 tree=${2:-} name logf rc p f label
  name=$(basename "$suite" .sh)
  label="e2e-$name${tree:+ [$tree]}"
  logf="$BUILD/e2e-$name${tree:+-$tree}${MIROVANE_ROUND:+-round$MIROVANE_ROUND}.log"
  if [ ! -x "$suite" ]; then
    count "$label" 0 1; log "$suite is not executable"; return
  fi
  (cd "$ROOT" && MIROVANE_TREE=${tree:+$BUILD/$tree} MIROVANE_TREE_NAME=$tree timeout 1800 "$suite") >"$logf" 2>&1
  rc=$?
  p=$(grep -c '^PASS ' "$logf"); f=$(grep -c '^FAIL ' "$logf")
  if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then f=1; tail -15 "$logf" >&2; fi
  if [ "$p" -eq 0 ] && [ "$f" -eq 0 ]; then f=1; log "$suite printed no PASS or FAIL line"; fi
  grep -E '^(FAIL |diagnosis: )' "$logf" >&2
  count "$label" "$p" "$f"
}

run_e2e() {  # rounds
  local rounds=$1 round suite tree
  e2e_display
  [ "${E2E_READY:-0}" = 1 ] || e2e_env
  warm_wine
  for round in $(seq "$rounds"); do
    [ "$rounds" -gt 1 ] && { export MIROVANE_ROUND=$round; log "round $round of $rounds"; }
    for suite in "$ROOT"/tests/e2e/*.sh; do
      [[ " ${E2E_ELSEWHERE:-} " == *" $(basename "$suite" .sh) "* ]] && continue
      if suite_per_tree "$suite"; then
        for tree in $WINDOWS_TREES; do run_suite "$suite" "$tree"; done
      else
        run_suite "$suite"
      fi
    done
  done
  kill "$E2E_XVFB_PID" 2>/dev/null
  E2E_XVFB_PID=
}

# The long soak of the real saver (--soak): too long for every run.
run_soak() {
  local logf="$BUILD/soak-saver.log" p f
  start_xvfb
  local xvfb_pid=$XVFB_PID
  MIROVANE_OUT="$BUILD/soak-out" MIROVANE_WIN64="$BUILD/win64" MIROVANE_TREE_NAME=win64 \
    timeout 3600 "$ROOT/tests/soak/saver_soak.sh" >"$logf" 2>&1
  kill "$xvfb_pid" 2>/dev/null
  p=$(grep -c '^PASS ' "$logf"); f=$(grep -c '^FAIL ' "$logf")
  [ "$p" -eq 0 ] && [ "$f" -eq 0 ] && f=1
  grep -E '^(FAIL |soak )' "$logf" >&2
  count soak "$p" "$f"
}
