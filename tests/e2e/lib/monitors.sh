# Two monitors inside the suite's X server (sourced): a nested Xephyr with
# two Xinerama heads, 800x600 then 640x480, and no RandR, so that Wine and
# the Linux mode see the heads as monitors.

# start_xephyr: starts it on the first free display from :150 (XEPHYR_PID,
# XEPHYR_DISPLAY); returns 1 when its socket does not appear.
start_xephyr() {
  local n
  XEPHYR_DISPLAY=
  for n in $(seq 150 180); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { XEPHYR_DISPLAY=:$n; break; }
  done
  [ -n "$XEPHYR_DISPLAY" ] || return 1
  Xephyr "$XEPHYR_DISPLAY" -screen 800x600 -screen 640x480 +xinerama -extension RANDR -nolisten tcp \
    >/dev/null 2>&1 &
  XEPHYR_PID=$!
  poll 10 test -e "/tmp/.X11-unix/X${XEPHYR_DISPLAY#:}" && poll 10 xdpyinfo -display "$XEPHYR_DISPLAY" >/dev/null 2>&1
}
stop_xephyr() {
  [ -n "${XEPHYR_PID:-}" ] || return 0
  kill "$XEPHYR_PID" 2>/dev/null; wait "$XEPHYR_PID" 2>/dev/null
  XEPHYR_PID=
}

# crop_lit FILE W H X Y: lit pixels of a part of a capture.
crop_lit() {
  convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -colorspace gray -threshold 0 \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
