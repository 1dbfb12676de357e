#pragma once

#include "windows/framework/win_api.h"

#include <vector>

// Every monitor but the primary, in virtual-screen coordinates (left of or
// above the primary ones are negative), in the system's order.
std::vector<RECT> OtherMonitors();
