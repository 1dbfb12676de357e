#pragma once

#include <gtest/gtest.h>

#include "app/settings_table.h"
#include "app/show_control.h"

// The settings an empty store loads.
inline CSettings DefaultSettings() {
  CSettings settings;
  for (const CSettingDef& s : kSettings)
    if (s.pInt) settings.*s.pInt = AdjustRead(s, s.nDefault);
  return settings;
}

// What a slide show is handed: the settings of an empty store and a running control.
class FrameCycleTest : public ::testing::Test {
 protected:
  CSettings m_settings = DefaultSettings();
  CShowControl m_control;
};
