#include "saver_input.h"

#include <string>

#include "app/saver_app.h"
#include "key_codes.h"

KeyAction DecideKey(unsigned nVirtualKey, bool bAltHeld, const CSaverApp& app) {
  if (bAltHeld || nVirtualKey == kVkMenu || nVirtualKey == kVkF10) return KeyAction::End;
  const std::string key(1, static_cast<char>(nVirtualKey & 0xFF));
  if (nVirtualKey == 0) return KeyAction::End;
  if (app.m_bPrintingActive && app.m_strPrintingKey == key) return KeyAction::Screenshot;
  if (app.m_bPausingActive && app.m_strPausingKey == key) return KeyAction::Pause;
  if (app.m_bNextActive && app.m_strNextKey == key) return KeyAction::Next;
  return KeyAction::End;
}

bool CPointerRule::Report(int x, int y) {
  if (m_nX == -1 && m_nY == -1) {
    m_nX = x;
    m_nY = y;
    return false;
  }
  return x != m_nX || y != m_nY;
}
