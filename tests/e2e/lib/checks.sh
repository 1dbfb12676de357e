# Shared by every end-to-end suite (sourced): PASS / FAIL lines, deadlines
# scaled by one factor, and a diagnosis at a suite's first failure.
#
#   MIROVANE_TIME_SCALE   multiplies every deadline (default 1; 2 on a slow machine)
#   MIROVANE_TREE_NAME    the Windows tree a suite drives; prefixes its lines
#   MIROVANE_DIAG         where diagnoses go (default $MIROVANE_OUT/diag)
set -u
. "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/wine_lib.sh"
SUITE=${SUITE:-$(basename "$0" .sh)}
TREE_NAME=${MIROVANE_TREE_NAME:-}
TAG=${TREE_NAME:+[$TREE_NAME] }
DIAG_DIR=${MIROVANE_DIAG:-${MIROVANE_OUT:-/tmp}/diag}
failed=0
diagnosed=0

pass() { echo "PASS $TAG$1"; }
fail() {
  echo "FAIL $TAG$1: $2"
  [ "$diagnosed" = 0 ] && { diagnosed=1; diagnose; }
  failed=1
}
check() { if [ "$2" = 0 ]; then pass "$1"; else fail "$1" "$3"; fi; }
# abort NAME REASON: a failure after which the suite's further checks would
# only repeat it (no window to drive): one line, the diagnosis, and out.
abort() { fail "$1" "$2 (further checks of this suite skipped)"; exit 1; }

# scaled N: N (milliseconds or seconds) times the time scale, rounded.
scaled() { awk -v v="$1" -v s="${MIROVANE_TIME_SCALE:-1}" 'BEGIN { printf "%d\n", v * s + 0.5 }'; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
# poll SECONDS CMD...: runs CMD every 0.2 s until it succeeds or the scaled
# deadline passes; the status is CMD's last.
poll() {
  local end=$(( $(now_ms) + $(scaled $(( $1 * 1000 ))) )); shift
  until "$@"; do
    [ "$(now_ms)" -ge "$end" ] && return 1
    sleep 0.2
  done
}

# What was on the display and which windows existed at the first failure.
# A suite may define list_windows to add the windows as its platform sees them.
diagnose() {
  local base="$DIAG_DIR/$SUITE${TREE_NAME:+-$TREE_NAME}${MIROVANE_ROUND:+-round$MIROVANE_ROUND}"
  mkdir -p "$DIAG_DIR"
  [ -n "${DISPLAY:-}" ] && import -window root "$base.png" >/dev/null 2>&1
  {
    echo "# X top-level windows (id, title, geometry)"
    [ -n "${DISPLAY:-}" ] && xwininfo -root -children 2>&1 | sed -n '/children:/,$p'
    if declare -F list_windows >/dev/null; then
      echo "# top-level windows as Wine sees them"
      list_windows
    fi
    echo "# processes"
    ps -eo pid,ppid,etime,args | grep -E '\.exe|\.scr|wineserver|/mirovane( |$)' | grep -vE 'grep|cc1plus|g\+\+|make' | cut -c1-200
  } >"$base.txt" 2>&1
  echo "diagnosis: screen $base.png, windows $base.txt"
}
