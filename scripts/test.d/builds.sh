# Configures and builds the trees under $BUILD (sourced).
configure_build() {  # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >"$dir.configure.log" 2>&1 &&
    cmake --build "$dir" -j"$JOBS" >"$dir.build.log" 2>&1
}
tree_args() {
  case "$1" in
    native) ;;
    win32) echo "-DCMAKE_TOOLCHAIN_FILE=$ROOT/cmake/mingw-i686.cmake" ;;
    win64) echo "-DCMAKE_TOOLCHAIN_FILE=$ROOT/cmake/mingw-x86_64.cmake" ;;
    asan) echo "-DMIROVANE_SANITIZE=address,undefined" ;;
    tsan) echo "-DMIROVANE_SANITIZE=thread" ;;
  esac
}
build_trees() {  # tree names...
  local name
  for name in "$@"; do
    log "building $name"
    if configure_build "$BUILD/$name" $(tree_args "$name"); then count "build-$name" 1 0
    else count "build-$name" 0 1; tail -n 30 "$BUILD/$name.build.log" "$BUILD/$name.configure.log" >&2; fi
  done
}
