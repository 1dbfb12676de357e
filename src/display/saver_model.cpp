#include "display/saver_model.h"

#include <cstdio>

#include "display/slide_show.h"

ESaverAction KeyAction(unsigned nVirtualKey, bool bAltHeld, const CSettings& settings) {
  if (bAltHeld || nVirtualKey == kVkMenu || nVirtualKey == kVkF10 || nVirtualKey == 0)
    return ESaverAction::End;
  // Stored keys are the one-character string of the key's code, so an empty
  // or longer stored string never matches.
  const std::string key(1, static_cast<char>(nVirtualKey & 0xFF));
  if (settings.m_bPrintingActive && settings.m_strPrintingKey == key) return ESaverAction::Screenshot;
  if (settings.m_bPausingActive && settings.m_strPausingKey == key) return ESaverAction::Pause;
  if (settings.m_bNextActive && settings.m_strNextKey == key) return ESaverAction::Next;
  return ESaverAction::End;
}

ESaverAction ActOnKey(unsigned nVirtualKey, bool bAltHeld, const CSettings& settings,
                      CShowControl& control, CSlideShow* pShow) {
  return ActOnKey(nVirtualKey, bAltHeld, settings, control,
                  pShow ? std::span<CSlideShow* const>(&pShow, 1) : std::span<CSlideShow* const>());
}

ESaverAction ActOnKey(unsigned nVirtualKey, bool bAltHeld, const CSettings& settings,
                      CShowControl& control, std::span<CSlideShow* const> shows) {
  const ESaverAction action = KeyAction(nVirtualKey, bAltHeld, settings);
  if (action == ESaverAction::Pause) {
    control.SetPaused(!control.m_bPaused.load());
  } else if (action == ESaverAction::Next) {
    for (CSlideShow* pShow : shows) {
      if (pShow) pShow->Next();
    }
  }
  return action;
}

int NextSequenceNo(int nLast) {
  // A hand-edited number outside 0 to 10000 counts as wrapped: neither
  // overflow at the top of the int range nor negative names.
  if (nLast >= 10000 || nLast < 0) return 0;
  return nLast + 1;
}

std::string ScreenshotName(const std::string& strFolder, int nSequenceNo, char separator) {
  char tail[40];
  std::snprintf(tail, sizeof tail, "%cWexly Fractals %05d.bmp", separator, nSequenceNo);
  return strFolder + tail;
}
