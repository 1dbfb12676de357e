#pragma once

// Identifiers shared by the resource script and the code.
#define IDR_MAINFRAME 128
#define IDC_INVISIBLE 130
#define IDS_APP_TITLE 1

#include "resources/config_resource.h"
