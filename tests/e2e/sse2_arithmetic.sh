#!/bin/bash
# The 32-bit build computes in SSE2 doubles, never on the x87 stack (whose
# 80-bit intermediates make some colours one lower). The unit tests prove it
# by running under Wine where the machine can run 32-bit programs; this
# looks at the instructions themselves, so it holds everywhere.
MIROVANE_TREE_NAME=win32 . "$(dirname "$0")/lib/checks.sh"
lib="$MIROVANE_WIN32/libmirovane_engine.a"
[ -f "$lib" ] || abort sse2-engine-built "no $lib"

code=$(i686-w64-mingw32-objdump -d --no-show-raw-insn "$lib" | awk -F'\t' 'NF >= 2 {split($2, w, " "); print w[1]}')
# x87 arithmetic and integer conversion; fld/fstp alone only carry a double
# return value across the 32-bit calling convention, unchanged.
x87=$(grep -cE '^(f(add|sub|subr|mul|div|divr|sqrt|prem|prem1|scale|rndint|chs|abs)p?[sl]?|fi(add|sub|mul|div|st|stp|sttp|ld)[lsq]?)$' <<<"$code")
check sse2-no-x87-arithmetic "$([ "$x87" -eq 0 ]; echo $?)" "$x87 x87 arithmetic instructions in the engine"
sse=$(grep -cE '^(addsd|subsd|mulsd|divsd|cvttsd2si)$' <<<"$code")
check sse2-double-arithmetic "$([ "$sse" -gt 50 ]; echo $?)" "only $sse SSE2 double instructions"
echo "engine: $sse SSE2 double instructions, $x87 x87 arithmetic"
exit $failed
