#include <gtest/gtest.h>

#include "windows/framework/win_api.h"

#include "windows/framework/property_ddx_win.h"

namespace {

// Real check boxes under Wine, in a window of their own.
class CheckBitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_hParent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(m_hParent, nullptr);
    for (int id : {kFirst, kSecond})
      ASSERT_NE(CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 50, 10,
                                m_hParent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                nullptr, nullptr),
                nullptr);
  }
  void TearDown() override { DestroyWindow(m_hParent); }

  void Exchange(bool bSave, int& mask) {
    CDataExchange dx(m_hParent, bSave);
    DDX_CheckBit(&dx, kFirst, mask, 0x04);
    DDX_CheckBit(&dx, kSecond, mask, 0x10);
  }
  LRESULT Check(int id) { return SendDlgItemMessageW(m_hParent, id, BM_GETCHECK, 0, 0); }

  static constexpr int kFirst = 1001, kSecond = 1029;
  HWND m_hParent = nullptr;
};

TEST_F(CheckBitTest, BoxesShowTheirBitsAndGiveThemBack) {
  int mask = 0x04 | 0x08;
  Exchange(false, mask);
  EXPECT_EQ(Check(kFirst), BST_CHECKED);
  EXPECT_EQ(Check(kSecond), BST_UNCHECKED);

  SendDlgItemMessageW(m_hParent, kFirst, BM_SETCHECK, BST_UNCHECKED, 0);
  SendDlgItemMessageW(m_hParent, kSecond, BM_SETCHECK, BST_CHECKED, 0);
  Exchange(true, mask);
  // The bits without a box are left alone.
  EXPECT_EQ(mask, 0x08 | 0x10);
}

TEST_F(CheckBitTest, AFailedExchangeChangesNoBit) {
  SendDlgItemMessageW(m_hParent, kFirst, BM_SETCHECK, BST_CHECKED, 0);
  int mask = 0;
  CDataExchange dx(m_hParent, true);
  dx.m_bFailed = true;
  DDX_CheckBit(&dx, kFirst, mask, 0x04);
  EXPECT_EQ(mask, 0);
}

}  // namespace
