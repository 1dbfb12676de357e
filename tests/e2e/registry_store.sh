#!/bin/bash
# The registry store seen from outside: what the program writes, Wine's reg
# tool reads, and the other way round.
# e2e: each Windows tree
. "$(dirname "$0")/lib/saver.sh"
for tree in "$TREE"; do
  bits=$TREE_NAME
  exe="$tree/mirovane_tests.exe"
  wine reg delete "$KEY" /f >/dev/null 2>&1
  MIROVANE_REGISTRY_PHASE=write timeout 60 wine "$exe" --gtest_filter='RegistryThroughTheApp.*' >/dev/null 2>&1
  out=$(wine reg query "$KEY" 2>/dev/null | tr -d '\r')
  ok=0
  for want in 'CompletionDelay    REG_DWORD    0x7' 'CurveType    REG_DWORD    0x15' \
              'NextKey    REG_SZ    N' 'FileLocation    REG_SZ    C:\shots' 'SequenceNo    REG_DWORD    0x9'; do
    grep -qF "$want" <<<"$out" || { ok=1; missing="$want"; }
  done
  check "registry-written-by-program" $ok "reg query lacks '${missing:-}'"

  wine reg delete "$KEY" /f >/dev/null 2>&1
  wine reg add "$KEY" /v CompletionDelay /t REG_DWORD /d 12 /f >/dev/null 2>&1
  wine reg add "$KEY" /v ColourScheme /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$KEY" /v MaxIterations /t REG_DWORD /d 250 /f >/dev/null 2>&1
  wine reg add "$KEY" /v MinIterations /t REG_SZ /d 40 /f >/dev/null 2>&1
  wine reg add "$KEY" /v PausingKay /t REG_SZ /d P /f >/dev/null 2>&1
  MIROVANE_REGISTRY_PHASE=read timeout 60 wine "$exe" --gtest_filter='RegistryThroughTheApp.*' >"$OUT/reg-read.$$" 2>&1
  rc=$?
  check "registry-read-by-program" $rc "$(grep -m3 -E 'Failure|Expected|Which' "$OUT/reg-read.$$" | tr '\n' ' ')"
  rm -f "$OUT/reg-read.$$"
done
wine reg delete "$KEY" /f >/dev/null 2>&1
exit $failed
