#pragma once

#include "windows/framework/win_api.h"

#include <utility>

// Owners of GDI resources. Windows allows a process 10,000 GDI objects and a
// saver that leaks one per picture dies overnight, so every one is released
// on every path by its destructor.

// A window's (or, with no window, the screen's) device context.
class CClientDC {
 public:
  explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(GetDC(hWnd)) {}
  ~CClientDC() {
    if (m_hDC) ReleaseDC(m_hWnd, m_hDC);
  }
  CClientDC(const CClientDC&) = delete;
  CClientDC& operator=(const CClientDC&) = delete;
  HDC GetSafeHdc() const { return m_hDC; }

 private:
  HWND m_hWnd;
  HDC m_hDC;
};

// A memory device context compatible with another.
class CMemoryDC {
 public:
  explicit CMemoryDC(HDC hCompatible) : m_hDC(CreateCompatibleDC(hCompatible)) {}
  ~CMemoryDC() {
    if (m_hDC) DeleteDC(m_hDC);
  }
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;
  HDC GetSafeHdc() const { return m_hDC; }

 private:
  HDC m_hDC;
};

// Any GDI object that DeleteObject frees (bitmap, brush, palette).
template <class H>
class CGdiObject {
 public:
  CGdiObject() = default;
  explicit CGdiObject(H h) : m_h(h) {}
  ~CGdiObject() { Reset(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  CGdiObject(CGdiObject&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
  CGdiObject& operator=(CGdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      m_h = std::exchange(other.m_h, nullptr);
    }
    return *this;
  }
  void Reset(H h = nullptr) {
    if (m_h) DeleteObject(m_h);
    m_h = h;
  }
  H Get() const { return m_h; }
  explicit operator bool() const { return m_h != nullptr; }

 private:
  H m_h = nullptr;
};

class CBitmap : public CGdiObject<HBITMAP> {
 public:
  using CGdiObject::CGdiObject;
  bool CreateCompatibleBitmap(HDC hDC, int nWidth, int nHeight) {
    Reset(::CreateCompatibleBitmap(hDC, nWidth, nHeight));
    return Get() != nullptr;
  }
};

class CBrush : public CGdiObject<HBRUSH> {
 public:
  using CGdiObject::CGdiObject;
  bool CreateSolidBrush(COLORREF colour) {
    Reset(::CreateSolidBrush(colour));
    return Get() != nullptr;
  }
};

class CPalette : public CGdiObject<HPALETTE> {
 public:
  using CGdiObject::CGdiObject;
};

// Selects an object into a device context and puts the previous one back.
class CSelectObject {
 public:
  CSelectObject(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(SelectObject(hDC, hObject)) {}
  ~CSelectObject() {
    if (m_hOld) SelectObject(m_hDC, m_hOld);
  }
  CSelectObject(const CSelectObject&) = delete;
  CSelectObject& operator=(const CSelectObject&) = delete;

 private:
  HDC m_hDC;
  HGDIOBJ m_hOld;
};
