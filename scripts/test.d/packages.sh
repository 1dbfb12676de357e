# Installs what the builds and suites need from Debian's packages (sourced).
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
TOOLS=(cmake g++ googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  xvfb xserver-xephyr xdotool imagemagick x11-utils libxml2-utils libx11-dev libxext-dev xscreensaver
  libstb-dev nsis lintian dpkg-dev help2man man-db p7zip-full zip unzip
  clang libclang-rt-14-dev)
WINE=(wine wine64 wine32:i386)

missing_of() { local p; for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"; done; }
apt_install() {  # extra apt options..., --, packages...
  local opts=() attempt
  while [ "$1" != -- ]; do opts+=("$1"); shift; done; shift
  # A mirror in mid-sync fails an index now and then; try a few times.
  for attempt in 1 2 3; do
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${opts[@]}" "$@" >>"$BUILD/apt.log" 2>&1 && return 0
    log "package installation failed (attempt $attempt)"; sleep 10
    $SUDO apt-get update -q >>"$BUILD/apt.log" 2>&1
  done
  return 1
}
install_packages() {
  local missing tools wine prefs
  missing=($(missing_of "${TOOLS[@]}" "${WINE[@]}"))
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -q >>"$BUILD/apt.log" 2>&1
  tools=($(missing_of "${TOOLS[@]}"))
  [ ${#tools[@]} -eq 0 ] || apt_install -- "${tools[@]}" || log "could not install: ${tools[*]}"
  wine=($(missing_of "${WINE[@]}"))
  if [ ${#wine[@]} -gt 0 ] && ! apt_install -- "${wine[@]}"; then
    # When the security archive's i386 index is missing (a mirror in
    # mid-sync), the i386 libraries exist only in the main archive's
    # versions; keep the amd64 halves at those versions so both match.
    prefs=$(mktemp -d)
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 50\n' >"$prefs/main-versions"
    apt_install -o Dir::Etc::PreferencesParts="$prefs" -- "${wine[@]}" || log "could not install: ${wine[*]}"
    rm -rf "$prefs"
  fi
}
