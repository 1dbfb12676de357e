#!/bin/bash
# The release artefacts from the outside: PNG pictures against BMP ones,
# version numbers, scripts/dist's files, the Windows installers (statically
# and round-tripped under Wine where they can run), and the Debian package
# (contents, lintian, installed and removed with apt-get when root).
. "$(dirname "$0")/lib/checks.sh"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT="$MIROVANE_OUT/packaging"
rm -rf "$OUT"; mkdir -p "$OUT"
note() { echo "NOTE $1"; }
expect() { if eval "$2"; then pass "$1"; else fail "$1" "$3"; fi; }
# poll SECONDS CONDITION: true once the shell text CONDITION holds, false
# after SECONDS (scaled).
poll() {
  local deadline=$(( $(now_ms) + $(scaled $(( $1 * 1000 ))) ))
  until eval "$2"; do [ "$(now_ms)" -ge "$deadline" ] && return 1; sleep 0.2; done
}
same_pixels() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$MIROVANE_NATIVE/CMakeCache.txt")

# ------------------------------------------------------------ PNG pictures
R="$MIROVANE_NATIVE/mirovane-render"
P="$OUT/png"; mkdir -p "$P"; : >"$P/empty.ini"
"$R" --curve julia:5 --scheme "Red / Purple" --size 161x121 --seed 1 --settings "$P/empty.ini" --out "$P/c.bmp" &&
"$R" --curve julia:5 --scheme "Red / Purple" --size 161x121 --seed 1 --settings "$P/empty.ini" --out "$P/c.PNG"
expect png-curve-by-name '[ "$(identify -format "%m %wx%h" "$P/c.PNG" 2>/dev/null)" = "PNG 161x121" ] && same_pixels "$P/c.PNG" "$P/c.bmp"' \
  "$(identify "$P/c.PNG" 2>&1 | head -1)"
"$R" --swatch "Aluminium Foils" --variant 2 --out "$P/s.bmp" && "$R" --swatch "Aluminium Foils" --variant 2 --format png --out "$P/s.png"
expect png-swatch 'same_pixels "$P/s.png" "$P/s.bmp"' "pixels differ"
"$R" --size 64x48 --seed 5 --pictures 3 --settings /dev/null --quiet --out "$P/bmp" >"$P/bmp.txt" &&
"$R" --size 64x48 --seed 5 --pictures 3 --settings /dev/null --quiet --format png --out "$P/png" >"$P/png.txt"
slide_ok() {
  [ "$(ls "$P/png")" = "$(printf 'picture-%04d.png\n' 1 2 3)" ] && cmp -s "$P/bmp.txt" "$P/png.txt" || return 1
  local n; for n in 0001 0002 0003; do same_pixels "$P/png/picture-$n.png" "$P/bmp/picture-$n.bmp" || return 1; done
}
expect png-slide-show slide_ok "$(ls "$P/png" 2>&1 | tr '\n' ' ')"
"$R" --swatch Mono --format png --out "$P/mono.img"
expect png-format-option-names-any-file '[ "$(identify -format %m "$P/mono.img" 2>/dev/null)" = PNG ]' "not a PNG"
refused() {  # name, args...
  local name=$1 rc; shift
  rm -rf "$P/bad"; mkdir -p "$P/bad"
  (cd "$P/bad" && "$R" "$@" >/dev/null 2>err.txt); rc=$?
  if [ $rc = 2 ] && [ "$(ls "$P/bad")" = err.txt ] && [ "$(wc -l <"$P/bad/err.txt")" -ge 1 ]; then pass "png-refuses-$name"
  else fail "png-refuses-$name" "status $rc, files: $(ls "$P/bad" | tr '\n' ' ')"; fi
}
refused format-against-name --swatch Mono --format bmp --out x.png
refused unknown-format --swatch Mono --format gif --out x.gif
refused too-large --size 32767x32767 --format png --out .
if [ -x "$MIROVANE_WIN64/mirovane-render.exe" ] && command -v wine >/dev/null; then
  wine "$MIROVANE_WIN64/mirovane-render.exe" --curve julia:5 --scheme "Red / Purple" --size 161x121 --seed 1 \
    --settings "$(win_path "$P/empty.ini")" --out "$(win_path "$P/w.png")" >/dev/null 2>&1
  expect png-same-bytes-on-windows 'cmp -s "$P/w.png" "$P/c.PNG"' "the 64-bit Windows build wrote other bytes"
fi

# ----------------------------------------------------------------- versions
expect version-in-cmake '[ -n "$VERSION" ]' "no CMAKE_PROJECT_VERSION"
expect render-version '[ "$("$R" --version | head -1)" = "mirovane-render (mirovane) $VERSION" ]' "$("$R" --version 2>&1 | head -1)"
expect mode-version '[ "$("$MIROVANE_NATIVE/mirovane" --version | head -1)" = "mirovane $VERSION" ]' \
  "$("$MIROVANE_NATIVE/mirovane" --version 2>&1 | head -1)"
if command -v wine >/dev/null; then
  expect render-exe-version '[ "$(wine "$MIROVANE_WIN64/mirovane-render.exe" --version 2>/dev/null | tr -d "\r" | head -1)" = "mirovane-render (mirovane) $VERSION" ]' \
    "wine printed something else"
fi
# VERSIONINFO as 7-Zip reads it from the resources.
version_info() { 7z e -tPE -so "$1" .rsrc/version.txt 2>/dev/null | tr -d '\r\0'; }
for tree in "$MIROVANE_WIN32" "$MIROVANE_WIN64"; do
  for exe in mirovane.scr mirovane-render.exe; do
    info=$(version_info "$tree/$exe")
    expect "versioninfo-$(basename "$tree")-$exe" \
      'grep -q "FileVersion.*\"$VERSION\"" <<<"$info" && grep -q "ProductName.*\"mirovane\"" <<<"$info" && grep -q "LegalCopyright.*Copyright" <<<"$info" && grep -q "FileDescription" <<<"$info"' \
      "$(head -c 300 <<<"$info")"
  done
done

# ------------------------------------------------------------ scripts/dist
D="$OUT/dist"
"$ROOT/scripts/dist" --out "$D" >"$OUT/dist.log" 2>&1
expect dist-runs '[ $? = 0 ]' "$(tail -5 "$OUT/dist.log")"
S32="$D/mirovane-$VERSION-win32-setup.exe"; S64="$D/mirovane-$VERSION-win64-setup.exe"
ZIP="$D/mirovane-$VERSION-windows.zip"; DEB=$(ls "$D"/mirovane_"$VERSION"-*_*.deb 2>/dev/null | head -1)
expect dist-files '[ -s "$S32" ] && [ -s "$S64" ] && [ -s "$ZIP" ] && [ -n "$DEB" ] && [ "$(ls "$D" | wc -l)" = 5 ]' "$(ls "$D" 2>&1 | tr '\n' ' ')"
expect dist-checksums '(cd "$D" && sha256sum --quiet -c SHA256SUMS) && [ "$(wc -l <"$D/SHA256SUMS")" = 4 ]' "SHA256SUMS does not match"
for f in "$D"/*; do note "size $(stat -c %s "$f") $(basename "$f")"; done
expect zip-contents '[ "$(unzip -Z1 "$ZIP" | grep -v /$ | LC_ALL=C sort | tr "\n" " ")" = "README.txt win32/mirovane.scr win64/mirovane.scr " ] &&
  unzip -p "$ZIP" win32/mirovane.scr | cmp -s - "$MIROVANE_WIN32/mirovane.scr" &&
  unzip -p "$ZIP" win64/mirovane.scr | cmp -s - "$MIROVANE_WIN64/mirovane.scr" &&
  [ "$(unzip -p "$ZIP" README.txt | head -1)" = "$(printf "%s\r" "$(head -1 "$ROOT/README.md")")" ]' "$(unzip -Z1 "$ZIP" 2>&1 | tr '\n' ' ')"
machine() { x86_64-w64-mingw32-objdump -f "$1" 2>/dev/null | sed -n 's/.*file format //p'; }
expect zip-machines '[ "$(unzip -p "$ZIP" win32/mirovane.scr >"$OUT/32.scr"; machine "$OUT/32.scr")" = pei-i386 ] &&
  [ "$(unzip -p "$ZIP" win64/mirovane.scr >"$OUT/64.scr"; machine "$OUT/64.scr")" = pei-x86-64 ]' "wrong machine types"

# ---------------------------------------------------- installers, statically
for arch in win32 win64; do
  setup="$D/mirovane-$VERSION-$arch-setup.exe"; tree=$MIROVANE_WIN32; want=pei-i386
  [ $arch = win64 ] && { tree=$MIROVANE_WIN64; want=pei-x86-64; }
  x="$OUT/$arch-unpacked"; rm -rf "$x"; 7z x -y -o"$x" "$setup" >/dev/null 2>&1
  expect "installer-$arch-contents" 'cmp -s "$x/\$SYSDIR/mirovane.scr" "$tree/mirovane.scr" && [ -s "$x/README.txt" -o -s "$x/\$INSTDIR/README.txt" ]' \
    "$(cd "$x" 2>/dev/null && find . -type f | head | tr '\n' ' ')"
  expect "installer-$arch-machine" '[ "$(machine "$setup")" = "$want" ]' "$(machine "$setup")"
  expect "installer-$arch-versioninfo" 'version_info "$setup" | grep -q "ProductVersion.*\"$VERSION\""' "no version"
done

# ------------------------------------------------------ installers under Wine
# W: wine, or wine64 for the 64-bit installer's system32 and registry view.
W=wine
reg_get() { $W reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n {$1 = ""; $2 = ""; sub(/^ +/, ""); print}'; }
reg_has_key() { $W reg query "$1" >/dev/null 2>&1; }
UNINST='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\mirovane'
DESKTOP='HKCU\Control Panel\Desktop'
SETTINGS='HKCU\Software\Tolvarn\mirovane\Settings'
round_trip() {  # arch, setup, tree
  local arch=$1 setup=$2 tree=$3 sys="$WINEPREFIX/drive_c/windows/system32" prog pid
  prog="$WINEPREFIX/drive_c/Program Files/mirovane"
  W=wine; [ "$arch" = win64 ] && W=$WINE64
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add "$SETTINGS" /v CompletionDelay /t REG_DWORD /d 0 /f >/dev/null 2>&1
  timeout $(scaled 300) wine "$(win_path "$setup")" /S >/dev/null 2>&1
  expect "$arch-silent-install" '[ $? = 0 ] && cmp -s "$sys/mirovane.scr" "$tree/mirovane.scr" && [ -f "$prog/uninstall.exe" ]' \
    "no $sys/mirovane.scr or uninstall.exe"
  expect "$arch-add-remove-entry" '[ "$(reg_get "$UNINST" DisplayVersion)" = "$VERSION" ] && reg_get "$UNINST" QuietUninstallString | grep -qi "uninstall.exe\" /S"' \
    "$($W reg query "$UNINST" 2>&1 | tr -d '\r' | head -5)"
  expect "$arch-made-current" '[ "$(reg_get "$DESKTOP" SCRNSAVE.EXE | tr A-Z a-z)" = "c:\\windows\\system32\\mirovane.scr" ]' \
    "SCRNSAVE.EXE is '$(reg_get "$DESKTOP" SCRNSAVE.EXE)'"

  # The installed saver runs full screen and ends on a key.
  xdotool mousemove 400 300 2>/dev/null
  timeout $(scaled 120) $W 'C:\windows\system32\mirovane.scr' /s >/dev/null 2>&1 &
  pid=$!
  if timeout $(scaled 60) wine "$tree/saver_driver.exe" find $(scaled 20000) 2>/dev/null | grep -q '^hwnd=[1-9]'; then
    xdotool key Escape 2>/dev/null
    if poll 10 '! kill -0 $pid 2>/dev/null'; then pass "$arch-installed-saver-runs"
    else fail "$arch-installed-saver-runs" "did not end on a key"; kill $pid 2>/dev/null; fi
  else fail "$arch-installed-saver-runs" "no full-screen window"; kill $pid 2>/dev/null; fi
  wait $pid 2>/dev/null

  # The uninstaller hands over to a copy of itself and returns at once.
  wine "$prog/uninstall.exe" /S >/dev/null 2>&1
  expect "$arch-silent-uninstall" 'poll 60 "[ ! -e \"$sys/mirovane.scr\" ] && [ ! -e \"$prog\" ] && ! reg_has_key \"$UNINST\""' \
    "left: $(ls "$sys/mirovane.scr" "$prog" 2>&1 | tr '\n' ' ')"
  expect "$arch-uninstall-clears-own-choice" '[ -z "$(reg_get "$DESKTOP" SCRNSAVE.EXE)" ]' "SCRNSAVE.EXE still set"
  expect "$arch-uninstall-keeps-settings" '[ "$(reg_get "$SETTINGS" CompletionDelay)" = 0x0 ]' "settings gone"

  # Not made current on request; another saver's choice survives; settings removed on request.
  $W reg add "$DESKTOP" /v SCRNSAVE.EXE /d 'C:\windows\system32\other.scr' /f >/dev/null 2>&1
  timeout $(scaled 300) wine "$(win_path "$setup")" /S /KEEPCURRENT >/dev/null 2>&1
  expect "$arch-keepcurrent" '[ -f "$sys/mirovane.scr" ] && [ "$(reg_get "$DESKTOP" SCRNSAVE.EXE)" = "C:\\windows\\system32\\other.scr" ]' \
    "SCRNSAVE.EXE is '$(reg_get "$DESKTOP" SCRNSAVE.EXE)'"
  wine "$prog/uninstall.exe" /S /REMOVESETTINGS >/dev/null 2>&1
  expect "$arch-uninstall-removes-settings-on-request" \
    'poll 60 "[ ! -e \"$sys/mirovane.scr\" ] && ! reg_has_key \"$SETTINGS\"" && [ "$(reg_get "$DESKTOP" SCRNSAVE.EXE)" = "C:\\windows\\system32\\other.scr" ]' \
    "settings or file still there"
}
if ! command -v wine >/dev/null; then
  note "installers not driven: Wine is missing"
else
  . "$ROOT/scripts/wine_lib.sh"
  wine_env "$OUT/prefix64" "$OUT" 2>/dev/null
  round_trip win64 "$S64" "$MIROVANE_WIN64"
  wineserver -k 2>/dev/null
  if [ "$WINE_RUNS_32BIT" = 1 ]; then
    # The 32-bit installer leaves 64-bit Windows to the 64-bit one ...
    timeout $(scaled 300) wine "$(win_path "$S32")" /S >/dev/null 2>&1
    expect win32-refused-on-64-bit '[ $? != 0 ] && [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/mirovane.scr" ] && [ ! -e "$WINEPREFIX/drive_c/windows/system32/mirovane.scr" ]' \
      "it installed"
    wineserver -k 2>/dev/null
    # ... and is round-tripped on 32-bit Windows.
    export WINEPREFIX="$OUT/prefix32" WINEARCH=win32
    timeout $(scaled 300) wineboot -i >/dev/null 2>&1; timeout $(scaled 120) wineserver -w
    round_trip win32 "$S32" "$MIROVANE_WIN32"
    wineserver -k 2>/dev/null
  else
    note "win32 installer not driven: this machine cannot run 32-bit programs (checked statically above)"
  fi
fi

# ---------------------------------------------------------- Debian package
expect deb-contents '[ "$(dpkg-deb -c "$DEB" | awk "{print \$6}" | grep -v /$ | LC_ALL=C sort | tr "\n" " ")" = "./usr/bin/mirovane-render ./usr/libexec/xscreensaver/mirovane ./usr/share/doc/mirovane/README.Debian ./usr/share/doc/mirovane/changelog.Debian.gz ./usr/share/doc/mirovane/copyright ./usr/share/man/man1/mirovane-render.1.gz ./usr/share/man/man6/mirovane.6x.gz ./usr/share/xscreensaver/config/mirovane.xml " ]' \
  "$(dpkg-deb -c "$DEB" 2>&1 | awk '{print $6}' | tr '\n' ' ')"
expect deb-fields '[ "$(dpkg-deb -f "$DEB" Version)" = "$VERSION-1" ] && dpkg-deb -f "$DEB" Depends | grep -q "libc6 (>=" && dpkg-deb -f "$DEB" Depends | grep -q libx11-6' \
  "$(dpkg-deb -f "$DEB" Version Depends 2>&1)"
x="$OUT/deb"; rm -rf "$x"; dpkg-deb -x "$DEB" "$x"
expect deb-man-pages 'zcat "$x/usr/share/man/man6/mirovane.6x.gz" | grep -q "^\.TH MIROVANE \"6x\" .*mirovane $VERSION" &&
  zcat "$x/usr/share/man/man1/mirovane-render.1.gz" | grep -q "^\.TH MIROVANE-RENDER \"1\" .*mirovane $VERSION" &&
  [ -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$x/usr/share/man/man6/mirovane.6x.gz" "$x/usr/share/man/man1/mirovane-render.1.gz" 2>&1 >/dev/null)" ]' \
  "$(zcat "$x"/usr/share/man/man*/*.gz 2>&1 | grep "^\.TH")"
lintian --fail-on error "$DEB" >"$OUT/lintian.txt" 2>&1
expect lintian-no-errors '[ $? = 0 ] && ! grep -q "^E:" "$OUT/lintian.txt"' "$(grep "^E:" "$OUT/lintian.txt" || tail -3 "$OUT/lintian.txt")"
note "lintian: $(grep -c '^E:' "$OUT/lintian.txt") errors, $(grep -c '^W:' "$OUT/lintian.txt") warnings"

# Installed and removed for real, where this may touch the system.
if [ "$(id -u)" != 0 ]; then note "deb not installed: needs root"
elif dpkg-query -W -f='${Status}' mirovane 2>/dev/null | grep -q "install ok"; then note "deb not installed: a mirovane package is already installed"
else
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=$(scaled 300) "$DEB" >"$OUT/apt.log" 2>&1
  expect deb-installs '[ $? = 0 ] && [ "$(/usr/libexec/xscreensaver/mirovane --version | head -1)" = "mirovane $VERSION" ] && [ "$(man -w mirovane-render)" = /usr/share/man/man1/mirovane-render.1.gz ] && [ -f /usr/share/xscreensaver/config/mirovane.xml ]' \
    "$(tail -3 "$OUT/apt.log")"
  dpkg -L mirovane 2>/dev/null | while read -r f; do [ -d "$f" ] || echo "$f"; done >"$OUT/installed.txt"
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -q -o DPkg::Lock::Timeout=$(scaled 300) mirovane >>"$OUT/apt.log" 2>&1
  expect deb-removes-every-file '[ -s "$OUT/installed.txt" ] && ! dpkg-query -W mirovane >/dev/null 2>&1 && [ -z "$(while read -r f; do [ -e "$f" ] && echo "$f"; done <"$OUT/installed.txt")" ]' \
    "$(while read -r f; do [ -e "$f" ] && echo "$f"; done <"$OUT/installed.txt" | tr '\n' ' ')"
fi
exit $failed
