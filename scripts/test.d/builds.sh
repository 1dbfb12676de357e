# Configures and builds the trees under $BUILD (sourced).
# BUILD_TARGETS, when set, names the only targets to build.
configure_build() {  # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >"$dir.configure.log" 2>&1 &&
    cmake --build "$dir" -j"$JOBS" ${BUILD_TARGETS:+--target $BUILD_TARGETS} >"$dir.build.log" 2>&1
}
# The 32-bit tree's tests are left out where Wine cannot run them
# (WINE_RUNS_32BIT=0, from wine_env); its programs are still checked.
tree_args() {
  case "$1" in
    native) ;;
    win32) echo "-DCMAKE_TOOLCHAIN_FILE=$ROOT/cmake/mingw-i686.cmake -DMIROVANE_TESTS=$([ "${WINE_RUNS_32BIT:-1}" = 0 ] && echo OFF || echo ON)" ;;
    win64) echo "-DCMAKE_TOOLCHAIN_FILE=$ROOT/cmake/mingw-x86_64.cmake" ;;
    asan) echo "-DMIROVANE_SANITIZE=address,undefined" ;;
    tsan) echo "-DMIROVANE_SANITIZE=thread" ;;
  esac
}
# The sanitizer trees serve only the unit tests and the leak soak.
tree_targets() {
  case "$1" in
    asan) echo "mirovane_tests mirovane-render" ;;
    tsan) echo "mirovane_tests" ;;
  esac
}
build_trees() {  # tree names...
  local name
  for name in "$@"; do
    log "building $name"
    if BUILD_TARGETS=$(tree_targets "$name") configure_build "$BUILD/$name" $(tree_args "$name"); then
      count "build-$name" 1 0
    else count "build-$name" 0 1; tail -n 30 "$BUILD/$name.build.log" "$BUILD/$name.configure.log" >&2; fi
  done
}
