#pragma once

#include "windows/framework/win_api.h"

#include <cstddef>

// The window base: one window procedure for every class, dispatching through
// a static message table per class that chains to its base class's table.
class CWnd {
 public:
  // Every handler takes the raw parameters; "default processing" is Default().
  using Handler = LRESULT (CWnd::*)(WPARAM, LPARAM);
  struct MsgEntry {
    UINT nMessage;
    Handler pfn;
  };
  struct MsgMap {
    const MsgMap* pBase;
    const MsgEntry* pEntries;
    std::size_t nEntries;
  };

  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  virtual const MsgMap* GetMessageMap() const;
  // Called once the window is gone (after WM_NCDESTROY); deletes the object
  // when m_bAutoDelete is set.
  virtual void PostNcDestroy();

  // Registers the class on first use; the window is attached to this object
  // before its first message arrives.
  bool CreateWindowOfClass(const wchar_t* className, DWORD dwExStyle, DWORD dwStyle,
                           const RECT& rect, HWND hParent);
  BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;

  // The object of a window created by this framework, or null.
  static CWnd* FromHandle(HWND hWnd);
  // Registers a window class of this framework once per process.
  static bool RegisterClassOnce(const wchar_t* className, UINT style, HCURSOR hCursor);

  HWND m_hWnd = nullptr;
  int m_bAutoDelete = 0;

 protected:
  // Hands the message being dispatched to DefWindowProc.
  LRESULT Default();

 private:
  static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  Handler FindHandler(UINT msg) const;

  struct CurrentMsg {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };
  CurrentMsg m_current{};
};

// Builds a class's table entry from a member function of that class.
template <class T>
constexpr CWnd::MsgEntry MsgEntryOf(UINT nMessage, LRESULT (T::*pfn)(WPARAM, LPARAM)) {
  return {nMessage, static_cast<CWnd::Handler>(pfn)};
}
