#!/bin/bash
# The registry store seen from outside: what the program writes, Wine's reg
# tool reads, and the other way round.
set -u
KEY='HKCU\Software\Tolvarn\mirovane\Settings'
failed=0
check() { if [ "$2" = 0 ]; then echo "PASS $1"; else echo "FAIL $1: $3"; failed=1; fi; }

for tree in ${MIROVANE_WINE_TREES:-"$MIROVANE_WIN32 $MIROVANE_WIN64"}; do
  bits=$(basename "$tree")
  exe="$tree/mirovane_tests.exe"
  wine reg delete "$KEY" /f >/dev/null 2>&1
  MIROVANE_REGISTRY_PHASE=write timeout 60 wine "$exe" --gtest_filter='RegistryThroughTheApp.*' >/dev/null 2>&1
  out=$(wine reg query "$KEY" 2>/dev/null | tr -d '\r')
  ok=0
  for want in 'CompletionDelay    REG_DWORD    0x7' 'CurveType    REG_DWORD    0x15' \
              'NextKey    REG_SZ    N' 'FileLocation    REG_SZ    C:\shots' 'SequenceNo    REG_DWORD    0x9'; do
    grep -qF "$want" <<<"$out" || { ok=1; missing="$want"; }
  done
  check "registry-written-by-program-$bits" $ok "reg query lacks '${missing:-}'"

  wine reg delete "$KEY" /f >/dev/null 2>&1
  wine reg add "$KEY" /v CompletionDelay /t REG_DWORD /d 12 /f >/dev/null 2>&1
  wine reg add "$KEY" /v ColourScheme /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$KEY" /v MaxIterations /t REG_DWORD /d 250 /f >/dev/null 2>&1
  wine reg add "$KEY" /v MinIterations /t REG_SZ /d 40 /f >/dev/null 2>&1
  wine reg add "$KEY" /v PausingKay /t REG_SZ /d P /f >/dev/null 2>&1
  MIROVANE_REGISTRY_PHASE=read timeout 60 wine "$exe" --gtest_filter='RegistryThroughTheApp.*' >/tmp/reg-read.$$ 2>&1
  rc=$?
  check "registry-read-by-program-$bits" $rc "$(grep -m3 -E 'Failure|Expected|Which' /tmp/reg-read.$$ | tr '\n' ' ')"
  rm -f /tmp/reg-read.$$
done
wine reg delete "$KEY" /f >/dev/null 2>&1
exit $failed
