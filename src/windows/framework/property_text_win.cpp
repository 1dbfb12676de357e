#include "windows/framework/property_text_win.h"

#include "windows/framework/ddx_text_win.h"
#include "windows/framework/utf8_win.h"

std::string GetWindowTextUtf8(HWND hWnd) {
  const int n = GetWindowTextLengthW(hWnd);
  if (n <= 0) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hWnd, text.data(), n + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return WideToUtf8(text);
}

int AppMessageBox(HWND hOwner, const std::string& text, UINT nType) {
  return MessageBoxW(hOwner, Utf8ToWide(text).c_str(), Utf8ToWide(kAppTitle).c_str(), nType);
}
