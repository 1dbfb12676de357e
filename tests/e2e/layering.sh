#!/bin/bash
# The folders' order (README, Layout): a file includes only from its own
# folder or from a lower layer, and the engine reaches for no application
# object and no platform. Reads the sources only; needs no build.
. "$(dirname "$0")/lib/checks.sh"
diagnose() { :; }
cd "$(dirname "$0")/../.."

# Lowest first; folders of one layer do not include each other.
layer_of() {
  case $1 in
    app | resources) echo 0 ;;
    colour) echo 1 ;;
    bitmap | fractal) echo 2 ;;
    display) echo 3 ;;
    config) echo 4 ;;
    windows/framework) echo 5 ;;
    windows/display) echo 6 ;;
    windows/bitmap | windows/config) echo 7 ;;
    windows/app) echo 8 ;;
    x11/display) echo 5 ;;
    x11/bitmap | x11/config) echo 6 ;;
    x11/app) echo 7 ;;
    tools/*) echo 9 ;;
    *) echo "" ;;
  esac
}

# The folder of a source file, or of an include named from src/.
folder_of_file() {
  local f=${1#src/}
  case $f in
    windows/*) f=${f#windows/}; echo "windows/${f%%/*}" ;;
    x11/*) f=${f#x11/}; echo "x11/${f%%/*}" ;;
    tools/*) f=${f#tools/}; echo "tools/${f%%/*}" ;;
    *) echo "${f%%/*}" ;;
  esac
}

upward=()
unknown=()
while IFS= read -r file; do
  from=$(folder_of_file "$file")
  from_layer=$(layer_of "$from")
  [ -n "$from_layer" ] || { unknown+=("$file"); continue; }
  while IFS= read -r inc; do
    # A name without a folder is the file's neighbour.
    [[ $inc == */* ]] || continue
    to=$(folder_of_file "$inc")
    [ "$to" = "$from" ] && continue
    to_layer=$(layer_of "$to")
    [ -n "$to_layer" ] || continue  # outside the sources: generated or a test helper
    [ "$to_layer" -lt "$from_layer" ] || upward+=("$file includes $inc")
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find src tools -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.inc' \) -print | sort)

check layering-known-folders "${#unknown[@]}" "no layer for: ${unknown[*]:-}"
check layering-no-upward-include "${#upward[@]}" "$(printf '%s; ' "${upward[@]:-}")"

# The engine: no application object, no platform header.
engine_globals=$(grep -lE '\b(theApp|AfxGetApp)\b' src/fractal/* src/colour/* src/display/* 2>/dev/null)
check engine-names-no-application-object "$([ -z "$engine_globals" ]; echo $?)" "$engine_globals"
engine_app=$(grep -lE '#include "app/saver_app\.h"' src/fractal/* src/colour/* src/display/* 2>/dev/null)
check engine-includes-no-application-object "$([ -z "$engine_app" ]; echo $?)" "$engine_app"
engine_platform=$(grep -lE '#include <(windows\.h|X11/)' src/fractal/* src/colour/* src/display/* 2>/dev/null)
check engine-includes-no-platform "$([ -z "$engine_platform" ]; echo $?)" "$engine_platform"
# No portable folder names a platform: Win32 and X11 stay in their back ends.
portable_platform=$(grep -lE '#[[:space:]]*include[[:space:]]*<(windows|win[a-z]+|shellapi|shlobj|shobjidl|commctrl|commdlg|objbase|X11/[^>]*)\.h>' \
  $(find src/app src/display src/fractal src/colour src/config src/bitmap src/resources -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.inc' \)) 2>/dev/null)
check portable-includes-no-platform "$([ -z "$portable_platform" ]; echo $?)" "$(echo $portable_platform)"
exit $failed
