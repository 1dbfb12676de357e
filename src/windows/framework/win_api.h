#pragma once

// windows.h for every Windows-only file. Its ANSI/wide macros would rename
// the settings store's GetProfileInt and friends in some files but not in
// others, so they are taken back here.
#include <windows.h>

#undef GetProfileInt
#undef GetProfileString
#undef WriteProfileString
