#pragma once

#include "windows/framework/win_api.h"

#include <string>

// Data exchange between a page's controls and its members. The first failing
// binder shows its message, puts the focus on its control and turns every
// later binder of the same exchange into a no-op.
class CDataExchange {
 public:
  CDataExchange(HWND hDlg, bool bSaveAndValidate) : m_hDlg(hDlg), m_bSaveAndValidate(bSaveAndValidate) {}

  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Focus on the last prepared control (its text selected when an edit box).
  void Fail();

  HWND m_hDlg;
  bool m_bSaveAndValidate;
  bool m_bFailed = false;
  int m_idLastControl = 0;
  bool m_bEditLastControl = false;
};

void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// A check box that ticks one bit of a mask.
void DDX_CheckBit(CDataExchange* pDX, int nIDC, int& mask, int nBit);
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned& value);
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// Checks the value just exchanged by the preceding DDX_Text.
void DDV_MinMaxUInt(CDataExchange* pDX, unsigned value, unsigned minVal, unsigned maxVal);
// Also limits the box to nChars characters when the page is filled.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars);
