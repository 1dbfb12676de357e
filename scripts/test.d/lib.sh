# Helpers shared by the parts of scripts/test (sourced): logging, the pass
# and fail tally, and reading GoogleTest's and the suites' results.
log() { printf '== %s\n' "$*" >&2; }
passed=0
failed=0
failures=()
notes=()
count() {  # name, passed, failed
  passed=$((passed + $2)); failed=$((failed + $3))
  [ "$3" -gt 0 ] && failures+=("$1: $3 failed")
  log "$1: $2 passed, $3 failed"
}
# note TEXT: a line for the summary, such as what this machine could not run.
note() { notes+=("$*"); log "$*"; }

gtest_counts() {  # log file -> "passed failed"
  local p f
  p=$(sed -n 's/.*\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$1" | tail -1)
  f=$(sed -n 's/.*\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$1" | tail -1)
  echo "${p:-0} ${f:-0}"
}
run_gtest() {  # name, log, command...
  local name=$1 logf=$2; shift 2
  "$@" >"$logf" 2>&1
  local rc=$? counts
  counts=($(gtest_counts "$logf"))
  if [ "$rc" -ne 0 ] && [ "${counts[1]}" -eq 0 ]; then counts[1]=1; tail -20 "$logf" >&2; fi
  # A filter that matches nothing (a renamed suite) must not pass silently.
  if [ "${counts[0]}" -eq 0 ] && [ "${counts[1]}" -eq 0 ]; then counts[1]=1; log "$name: no test ran"; fi
  [ "${counts[1]}" -gt 0 ] && grep -E '^\[  FAILED  \] [A-Za-z]' "$logf" >&2
  count "$name" "${counts[0]}" "${counts[1]}"
}

summary() {
  [ ${#failures[@]} -gt 0 ] && printf 'failed: %s\n' "${failures[@]}" >&2
  local n; for n in "${notes[@]}"; do echo "note: $n"; done
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# lane_start FUNCTION: runs FUNCTION beside the caller, in a subshell of its
# own; lane_join waits for every lane and adds their tallies to the caller's.
LANES=()
lane_start() {
  local state="$BUILD/lane-${#LANES[@]}.state"
  rm -f "$state"
  ( passed=0; failed=0; failures=(); notes=()
    "$1"
    declare -p passed failed failures notes >"$state" ) &
  LANES+=("$!:$state:$1")
}
lane_join() {
  local lane pid state lane_passed lane_failed lane_failures lane_notes
  for lane in "${LANES[@]}"; do
    pid=${lane%%:*}; state=${lane#*:}; state=${state%:*}
    wait "$pid"
    if [ ! -f "$state" ]; then count "lane ${lane##*:}" 0 1; continue; fi
    eval "$(sed 's/^declare -[a-zA-Z-]* \([a-z]*\)=/lane_\1=/' "$state")"
    passed=$((passed + lane_passed)); failed=$((failed + lane_failed))
    failures+=("${lane_failures[@]}"); notes+=("${lane_notes[@]}")
  done
  LANES=()
}
