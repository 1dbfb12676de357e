#pragma once

#include "windows/framework/win_api.h"

#include <string>

// The window's text as UTF-8.
std::string GetWindowTextUtf8(HWND hWnd);

// The framework's message box: the application title as caption.
int AppMessageBox(HWND hOwner, const std::string& text, UINT nType);
