#!/bin/bash
# The installer and the uninstaller while the saver runs: Windows keeps a
# running program's file, so each ends the saver first and leaves no old
# file, and asks for no restart. In a Wine prefix of its own, whose restart
# list nothing else fills.
# e2e: each Windows tree
. "$(dirname "$0")/lib/checks.sh"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${MIROVANE_TREE:-$MIROVANE_WIN64}
OUT="$MIROVANE_OUT/installer_running${TREE_NAME:+-$TREE_NAME}"
rm -rf "$OUT"; mkdir -p "$OUT"
diagnose() { :; }
expect() { if eval "$2"; then pass "$1"; else fail "$1" "$3"; fi; }
wait_for() {  # SECONDS CONDITION
  local deadline=$(( $(now_ms) + $(scaled $(( $1 * 1000 ))) ))
  until eval "$2"; do [ "$(now_ms)" -ge "$deadline" ] && return 1; sleep 0.2; done
}
command -v wine >/dev/null && command -v makensis >/dev/null || abort installer-tools "needs wine and makensis"

cmake --build "$TREE" --target installer -j2 >"$OUT/build.log" 2>&1 || abort installer-builds "$(tail -3 "$OUT/build.log")"
SETUP=$(ls "$TREE"/mirovane-*-setup.exe 2>/dev/null | head -1)
[ -s "$SETUP" ] || abort installer-builds "no setup.exe in $TREE"

. "$ROOT/scripts/wine_lib.sh"
# Each installer on the Windows it is for; W runs what it installed.
if [ "$TREE_NAME" = win32 ]; then wine_env "$OUT/prefix" "$OUT" win32 2>/dev/null; W=wine
else wine_env "$OUT/prefix" "$OUT" 2>/dev/null; W=$WINE64; fi
trap 'wineserver -k 2>/dev/null' EXIT
SYS="$WINEPREFIX/drive_c/windows/system32"
PROG="$WINEPREFIX/drive_c/Program Files/mirovane"
UNINST='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\mirovane'
PENDING='HKLM\System\CurrentControlSet\Control\Session Manager'
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# start_saver PROGRAM: runs it full screen; SAVER is its process. True once its window is up.
start_saver() {
  xdotool mousemove 400 300 2>/dev/null
  timeout $(scaled 600) $W "$1" /s >/dev/null 2>&1 &
  SAVER=$!
  timeout $(scaled 60) wine "$TREE/saver_driver.exe" find $(scaled 20000) 2>/dev/null | grep -q '^hwnd=[1-9]'
}
ended() { ! kill -0 "$SAVER" 2>/dev/null; }

timeout $(scaled 300) wine "$(win_path "$SETUP")" /S >/dev/null 2>&1
expect first-install '[ $? = 0 ] && cmp -s "$SYS/mirovane.scr" "$TREE/mirovane.scr"' "no $SYS/mirovane.scr"

# The installed file made different (the loader ignores bytes past the
# image), so that a replacement shows.
printf 'older' >>"$SYS/mirovane.scr"
if start_saver 'C:\windows\system32\mirovane.scr'; then
  timeout $(scaled 300) wine "$(win_path "$SETUP")" /S >/dev/null 2>&1
  rc=$?
  expect install-over-running-saver '[ $rc = 0 ] && cmp -s "$SYS/mirovane.scr" "$TREE/mirovane.scr" && [ ! -e "$SYS/mirovane.scr.new" ]' \
    "status $rc, $(cmp "$SYS/mirovane.scr" "$TREE/mirovane.scr" 2>&1)"
  expect install-ends-running-saver 'wait_for 30 ended' "the saver still runs"
else
  fail install-over-running-saver "the installed saver showed no window"
fi
kill "$SAVER" 2>/dev/null; wait "$SAVER" 2>/dev/null

if start_saver 'C:\windows\system32\mirovane.scr'; then
  # The uninstaller hands over to a copy of itself and returns at once.
  wine "$PROG/uninstall.exe" /S >/dev/null 2>&1
  expect uninstall-while-running 'wait_for 60 "[ ! -e \"\$SYS/mirovane.scr\" ] && [ ! -e \"\$PROG\" ] && ! $W reg query \"\$UNINST\" >/dev/null 2>&1"' \
    "left: $(ls "$SYS/mirovane.scr" "$PROG" 2>&1 | tr '\n' ' ')"
  expect uninstall-ends-running-saver 'wait_for 30 ended' "the saver still runs"
  expect uninstall-needs-no-restart '! $W reg query "$PENDING" /v PendingFileRenameOperations 2>/dev/null | tr -d "\0" | grep -qi mirovane' \
    "a restart was asked for"
else
  fail uninstall-while-running "the installed saver showed no window"
fi
kill "$SAVER" 2>/dev/null; wait "$SAVER" 2>/dev/null

exit $failed
