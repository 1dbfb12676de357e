#pragma once

#include "config/page_data.h"
#include "windows/framework/property_page_win.h"

// The six pages of the configuration sheet. Their members come from the
// plain data bases, which the settings conversions fill and read.

class CPageFractalTypes : public CPropertyPage, public CFractalTypesData {
 public:
  CPageFractalTypes();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

class CPageColourSchemes : public CPropertyPage, public CColourSchemesData {
 public:
  CPageColourSchemes();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

class CPageBlankingMethods : public CPropertyPage, public CBlankingMethodsData {
 public:
  CPageBlankingMethods();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};

class CPageIterationOptions : public CPropertyPage, public CIterationOptionsData {
 public:
  CPageIterationOptions();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnPaint() override;
  bool OnCommand(int nID, int nCode) override;
};

class CPageHotkeys : public CPropertyPage, public CHotkeysData {
 public:
  CPageHotkeys();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnKillActive() override;
  bool OnCommand(int nID, int nCode) override;

 private:
  void OnBrowse();
};

class CPageAbout : public CPropertyPage {
 public:
  CPageAbout();
};
