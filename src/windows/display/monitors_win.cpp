#include "windows/display/monitors_win.h"

namespace {

BOOL CALLBACK AddUnlessPrimary(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(hMonitor, &info) && !(info.dwFlags & MONITORINFOF_PRIMARY))
    reinterpret_cast<std::vector<RECT>*>(lParam)->push_back(info.rcMonitor);
  return TRUE;
}

}  // namespace

std::vector<RECT> OtherMonitors() {
  std::vector<RECT> rects;
  EnumDisplayMonitors(nullptr, nullptr, &AddUnlessPrimary, reinterpret_cast<LPARAM>(&rects));
  return rects;
}
