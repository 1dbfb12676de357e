#pragma once

// Identifiers of the configuration pages' templates and controls. Ids repeat
// across pages (1027 to 1031), as each page is its own dialog.

#define IDD_HOTKEYS 102
#define IDD_FRACTAL_TYPES 107
#define IDD_COLOUR_SCHEMES 108
#define IDD_BLANKING_METHODS 109
#define IDD_ITERATION_OPTIONS 110
#define IDD_ABOUT 111

// The check boxes of Fractal Types and Colour Schemes take their ids (1001
// to 1019, 1029 to 1031) from the formula and scheme rows.

// Blanking Methods
#define IDC_WEXLY_FADE 1020
#define IDC_FAST_FADE 1021
#define IDC_NO_FADE 1022
#define IDC_DRAWING_TIME 1035

// Iteration Options
#define IDC_EXTRA_MEMORY 1023
#define IDC_COMPLETION_DELAY 1024
#define IDC_MIN_ITERATIONS 1025
#define IDC_MAX_ITERATIONS 1026
#define IDC_EXCLUDE 1027
#define IDC_REDUCE 1028

// Hotkeys
#define IDC_PAUSING_ACTIVE 1027
#define IDC_PRINTING_ACTIVE 1028
#define IDC_NEXT_ACTIVE 1029
#define IDC_PAUSING_KEY 1030
#define IDC_PRINTING_KEY 1031
#define IDC_FILE_LOCATION 1032
#define IDC_BROWSE 1033
#define IDC_NEXT_KEY 1034

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
