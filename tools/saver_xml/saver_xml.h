#pragma once

#include <string>

// The XScreenSaver dialog's description of the display mode (mirovane.xml):
// its check boxes from the formula, scheme and blanking rows, its numbers'
// options, ranges and defaults from the settings table.
std::string SaverXml();
