#include <gtest/gtest.h>

#include "quillon/ui/win32/Button.h"
#include "quillon/ui/win32/ImageStore.h"
#include "quillon/ui/win32/Label.h"
#include "quillon/ui/win32/ToolTipp.h"
#include "ui_skin_support.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace

class SkinControls : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ImageStoreStartup());
    parent_ = skin_test::MakeParent(&log_);
    ASSERT_TRUE(button_.Create(RECT{20, 20, 280, 72}, parent_, 1007));
    button_.SetImageStrip(135);
    button_.SetText(L"SCAN NOW!");
  }
  void TearDown() override {
    ::DestroyWindow(parent_);
    ImageStoreShutdown();
  }
  void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = At(10, 10)) {
    ::SendMessageW(button_.GetHwnd(), message, wParam, lParam);
  }

  skin_test::ParentLog log_;
  HWND parent_ = nullptr;
  CMrCtrl_Button button_;
};

TEST_F(SkinControls, ReleaseOverThePressedButtonClicksOnce) {
  Send(WM_MOUSEMOVE);
  EXPECT_EQ(button_.GetState(), kButtonHover);
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(button_.GetState(), kButtonPressed);
  Send(WM_LBUTTONUP);
  EXPECT_EQ(log_.clicks, 1);
  EXPECT_EQ(LOWORD(log_.lastCommand), 1007);
  EXPECT_EQ(HIWORD(log_.lastCommand), BN_CLICKED);
  EXPECT_EQ(log_.lastSender, reinterpret_cast<LPARAM>(button_.GetHwnd()));
  EXPECT_EQ(button_.GetState(), kButtonNormal);
}

TEST_F(SkinControls, PressLeaveReleaseSendsNothing) {
  Send(WM_MOUSEMOVE);
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  Send(WM_MOUSELEAVE);
  EXPECT_EQ(button_.GetState(), kButtonNormal);
  Send(WM_LBUTTONUP);
  EXPECT_EQ(log_.clicks, 0);
}

TEST_F(SkinControls, DisabledButtonIgnoresPressesAndShowsNoTooltip) {
  button_.SetTooltip(true, 1, 1000, 0, 0, 0, 0);
  button_.SetTooltipText(L"help");
  ::EnableWindow(button_.GetHwnd(), FALSE);
  EXPECT_EQ(button_.GetState(), kButtonDisabled);
  Send(WM_MOUSEMOVE);
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  Send(WM_LBUTTONUP);
  EXPECT_EQ(log_.clicks, 0);
  EXPECT_EQ(button_.GetState(), kButtonDisabled);
  skin_test::PumpUntil([] { return false; }, 60);
  EXPECT_FALSE(button_.GetTooltip()->IsShown());
  ::EnableWindow(button_.GetHwnd(), TRUE);
  EXPECT_EQ(button_.GetState(), kButtonNormal);
}

TEST_F(SkinControls, HoverShowsTheTooltipAfterItsDelay) {
  button_.SetTooltip(true, 10, 5000, 0, 0, 0, 0);
  button_.SetTooltipText(L"quillon checks your PC.");
  ::SetCursorPos(60, 40);  // over the button, so no leave follows at once
  Send(WM_MOUSEMOVE);
  ASSERT_TRUE(skin_test::PumpUntil([&] { return button_.GetTooltip()->IsShown(); }, 2000));
  CMrToolTipp* tip = button_.GetTooltip();
  EXPECT_TRUE(::IsWindowVisible(tip->GetHwnd()));
  // Beside the button, on its right, at its top.
  RECT bubble = tip->GetWindowRectangle();
  RECT owner;
  ::GetWindowRect(button_.GetHwnd(), &owner);
  EXPECT_EQ(bubble.left, owner.right + 5);
  EXPECT_EQ(bubble.top, owner.top);
  EXPECT_TRUE(tip->PointerLeft());
  EXPECT_TRUE(skin_test::PumpUntil([&] { return tip->GetOpacity() == 225; }, 3000));
  Send(WM_MOUSELEAVE);
  EXPECT_FALSE(tip->IsShown());
  EXPECT_FALSE(::IsWindowVisible(tip->GetHwnd()));
}

TEST_F(SkinControls, TooltipNearTheRightEdgeGoesLeftAndFadesOutAfterItsTime) {
  CMrCtrl_Button edge;
  ASSERT_TRUE(edge.Create(RECT{680, 500, 691, 513}, parent_, 1016));
  CMrToolTipp* tip = edge.GetTooltip();
  tip->ShowForOwner(L"What is quillon? A small PC health check.", RECT{}, 120);
  RECT bubble = tip->GetWindowRectangle();
  RECT owner;
  ::GetWindowRect(edge.GetHwnd(), &owner);
  EXPECT_FALSE(tip->PointerLeft());
  EXPECT_EQ(bubble.right, owner.left - 5);
  EXPECT_EQ(tip->GetOpacity(), 0);
  // 120 ms is shorter than the fade-in: it fades out from where it got.
  ASSERT_TRUE(skin_test::PumpUntil([&] { return !tip->IsShown(); }, 3000));
  EXPECT_FALSE(::IsWindowVisible(tip->GetHwnd()));
}

TEST_F(SkinControls, SecondShowRestartsFromZero) {
  CMrToolTipp* tip = button_.GetTooltip();
  tip->ShowAt(L"first", 100, 100, 5000);
  skin_test::PumpUntil([&] { return tip->GetOpacity() >= 100; }, 2000);
  tip->ShowAt(L"second, longer text", 100, 100, 5000);
  EXPECT_EQ(tip->GetOpacity(), 0);
  EXPECT_TRUE(tip->IsShown());
  RECT bubble = tip->GetWindowRectangle();
  EXPECT_EQ(bubble.left, 100);
  EXPECT_EQ(bubble.top, 85);
  EXPECT_GT(tip->MeasureWidth(L"second, longer text", 0), tip->MeasureWidth(L"first", 0));
  tip->Hide();
}

TEST_F(SkinControls, PreferredWidthsFollowTheText) {
  int plain = button_.GetPreferredWidth();
  button_.SetText(L"SCAN NOW! SCAN NOW!");
  EXPECT_GT(button_.GetPreferredWidth(), plain);
  button_.SetImageStretch(true, 10, 10, 10, 10);
  const int noIcon = button_.GetPreferredWidth();  // 10 + text + 10
  button_.SetIcon(142, L"PNG", 20, 8);
  // 10 + icon x 20 + icon width 36 + text + 10.
  EXPECT_EQ(button_.GetPreferredWidth() - noIcon, 56);
  CMrCtrl_Label label;
  ASSERT_TRUE(label.Create(RECT{0, 0, 200, 40}, parent_, 1006));
  EXPECT_EQ(label.GetPreferredWidth(), 0);
  label.SetText(L"What is quillon?");
  EXPECT_GT(label.GetPreferredWidth(), 2);
  label.SetLineSpacing(-1);
  EXPECT_EQ(label.GetLineSpacing(), 1.0);
  label.SetLineSpacing(1.2);
  EXPECT_EQ(label.GetLineSpacing(), 1.2);
}

TEST_F(SkinControls, TemplateControlsAreBoundWithTheirPosition) {
  ASSERT_TRUE(CMrCtrl::RegisterClasses());
  HWND raw =
      ::CreateWindowExW(0, L"CMrCtrl_Label", L"made by a template", WS_CHILD | WS_VISIBLE, 15, 25, 100, 20,
                        parent_, reinterpret_cast<HMENU>(1009), ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(raw, nullptr);
  CMrCtrl_Label label;
  ASSERT_TRUE(label.SubclassDlgItem(1009, parent_));
  EXPECT_EQ(label.GetLeft(), 15);
  EXPECT_EQ(label.GetTop(), 25);
  EXPECT_EQ(label.GetWidth(), 100);
  EXPECT_EQ(label.GetText(), L"made by a template");
  label.SetText(L"changed");
  EXPECT_EQ(label.GetText(), L"changed");
}
