#include "windows/config/config_pages_win.h"

#include "app/settings_table.h"
#include "colour/scheme_list.h"
#include "fractal/formulas.h"
#include "resources/config_resource.h"

namespace {
// The edit boxes accept the table's range.
void DDV_Setting(CDataExchange* pDX, unsigned value, const CSettingDef& setting) {
  DDV_MinMaxUInt(pDX, value, static_cast<unsigned>(setting.nLow), static_cast<unsigned>(setting.nHigh));
}
}  // namespace

// The binders of the other pages run in the templates' historical order, not
// the screen order.

CPageFractalTypes::CPageFractalTypes() : CPropertyPage(IDD_FRACTAL_TYPES) {}

void CPageFractalTypes::DoDataExchange(CDataExchange* pDX) {
  for (const CFormula& f : kFormulas) DDX_CheckBit(pDX, f.nControlId, m_nCurveTypes, f.nTypeBit);
}

CPageColourSchemes::CPageColourSchemes() : CPropertyPage(IDD_COLOUR_SCHEMES) {}

void CPageColourSchemes::DoDataExchange(CDataExchange* pDX) {
  for (int i = 0; i < kSchemeCount; ++i)
    DDX_CheckBit(pDX, kSchemeList[i].nControlId, m_nColourSchemes, 1 << i);
}

CPageBlankingMethods::CPageBlankingMethods() : CPropertyPage(IDD_BLANKING_METHODS) {}

void CPageBlankingMethods::DoDataExchange(CDataExchange* pDX) {
  DDX_Check(pDX, IDC_WEXLY_FADE, m_bWexlyFade);
  DDX_Check(pDX, IDC_NO_FADE, m_bNoFade);
  DDX_Check(pDX, IDC_FAST_FADE, m_bFastFade);
  DDX_Text(pDX, IDC_DRAWING_TIME, m_nDrawingTime);
  DDV_Setting(pDX, m_nDrawingTime, SettingOf(&CSettings::m_nDrawingTime));
}

CPageIterationOptions::CPageIterationOptions() : CPropertyPage(IDD_ITERATION_OPTIONS) {}

void CPageIterationOptions::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_COMPLETION_DELAY, m_nCompletionDelay);
  DDV_Setting(pDX, m_nCompletionDelay, SettingOf(&CSettings::m_nCompletionDelay));
  DDX_Check(pDX, IDC_EXTRA_MEMORY, m_bExtraMemory);
  DDX_Text(pDX, IDC_MAX_ITERATIONS, m_nMaxIterations);
  DDV_Setting(pDX, m_nMaxIterations, SettingOf(&CSettings::m_nMaxIterations));
  DDX_Text(pDX, IDC_MIN_ITERATIONS, m_nMinIterations);
  DDV_Setting(pDX, m_nMinIterations, SettingOf(&CSettings::m_nMinIterations));
}

// The radio pair is not bound: it always shows the member, which only a
// click changes, so a page never clicked hands the loaded value back.
bool CPageIterationOptions::OnPaint() {
  PAINTSTRUCT ps;
  BeginPaint(m_hWnd, &ps);
  EndPaint(m_hWnd, &ps);
  CheckRadioButton(IDC_EXCLUDE, IDC_REDUCE, m_nExcludeCurves ? IDC_EXCLUDE : IDC_REDUCE);
  return true;
}

bool CPageIterationOptions::OnCommand(int nID, int nCode) {
  if (nCode != BN_CLICKED) return false;
  if (nID == IDC_EXCLUDE) {
    m_nExcludeCurves = 1;
    return true;
  }
  if (nID == IDC_REDUCE) {
    m_nExcludeCurves = 0;
    return true;
  }
  return false;
}

CPageAbout::CPageAbout() : CPropertyPage(IDD_ABOUT) {}
