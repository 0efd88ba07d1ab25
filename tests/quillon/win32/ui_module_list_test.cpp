#include <gtest/gtest.h>

#include "quillon/engine/ZevCheck.h"
#include "quillon/ui/win32/ImageStore.h"
#include "quillon/ui/win32/ModuleListCtrl.h"
#include "quillon/ui/win32/ToolTipp.h"
#include "ui_skin_support.h"

namespace {

// Finishes at once with `value` and `kinds` issue kinds.
class QuickModule : public CZevCheck {
 public:
  QuickModule(const wchar_t* name, double value, int kinds)
      : CZevCheck(name, L"What this check looks at, in a sentence or two.", L"QUICK"),
        value_(value),
        kinds_(kinds) {}
  void Check() override {
    if (!BeginCheck(L"Scanning...")) return;
    for (int i = 0; i < kinds_; ++i) {
      auto* child = new CZevCheckResult();
      child->SetTitle(L"kind " + std::to_wstring(i));
      Result()->AddChild(child);
    }
    Result()->SetTitle(L"found");
    Result()->SetValueAndCount(value_, kinds_ * 3, 0);
    FinishCheck();
  }

 private:
  double value_;
  int kinds_;
};

// Scans until the host stops it.
class EndlessModule : public CZevCheck {
 public:
  EndlessModule() : CZevCheck(L"Endless", L"", L"ENDLESS") {}
  void Check() override {
    if (!BeginCheck(L"Scanning...")) return;
    while (ReportStep(50)) ::Sleep(5);
  }
};

}  // namespace

class SkinModuleList : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ImageStoreStartup());
    parent_ = skin_test::MakeParent(&log_);
    ASSERT_TRUE(list_.Create(RECT{195, 19, 655, 442}, parent_, 1027));
    scrollBar_ = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_VERT, 656, 19, 15, 423, parent_,
                                   reinterpret_cast<HMENU>(1028), ::GetModuleHandleW(nullptr), nullptr);
    list_.SetScrollBar(scrollBar_);
    ASSERT_TRUE(list_.SetBackgroundImages(146, L"PNG", 5, 48, 5, 38));
    ASSERT_TRUE(list_.SetStatusImage(145, L"PNG", 15));
  }
  void TearDown() override {
    list_.RemoveAllModules();
    ::DestroyWindow(parent_);
    ImageStoreShutdown();
  }
  void RunScan(double speed, double stability, double privacy) {
    list_.AddModule(new QuickModule(L"Speed", speed, 4));
    list_.AddModule(new QuickModule(L"Stability", stability, 2));
    list_.AddModule(new QuickModule(L"Privacy", privacy, 0));
    ASSERT_TRUE(list_.StartScan(-1));
    ASSERT_TRUE(skin_test::PumpUntil([&] { return log_.scanDone > 0; }, 20000));
    ::UpdateWindow(list_.GetHwnd());
  }
  void Click(int x, int y) {
    ::SendMessageW(list_.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::UpdateWindow(list_.GetHwnd());
  }

  skin_test::ParentLog log_;
  HWND parent_ = nullptr;
  HWND scrollBar_ = nullptr;
  CMrCtrl_ListCtrl_ICheckModule list_;
};

TEST_F(SkinModuleList, ScanEndsWithOneNotificationAndTheLevel) {
  RunScan(80, 80, 0);
  EXPECT_EQ(log_.scanDone, 1);
  EXPECT_EQ(list_.GetStatusLevel(), 30u);
  EXPECT_EQ(list_.GetTotalCount(), 18);
  EXPECT_EQ(list_.GetRowHeight(), 100);  // 423 - 83 - 38 = 302 for three rows
  skin_test::PumpUntil([] { return false; }, 300);
  EXPECT_EQ(log_.scanDone, 1);  // the timer stopped
}

TEST_F(SkinModuleList, OnlyTheToggleExpandsAndTheScrollBarFollows) {
  RunScan(50, 20, 10);
  const RowLayout* speed = list_.GetRowLayout(0);
  ASSERT_NE(speed, nullptr);
  ASSERT_FALSE(speed->toggle.IsEmpty());
  EXPECT_TRUE(list_.GetRowLayout(2)->toggle.IsEmpty());  // no issue kinds: no toggle
  EXPECT_FALSE(list_.IsScrollBarShown());

  Click(speed->name.left + 2, speed->name.top + 2);  // on the row, not on its toggle
  EXPECT_FALSE(list_.IsExpanded(0));

  Click(speed->toggle.left + 3, speed->toggle.top + 3);
  EXPECT_TRUE(list_.IsExpanded(0));
  EXPECT_TRUE(list_.IsScrollBarShown());  // 300 + 80 > 302
  EXPECT_TRUE(::IsWindowVisible(scrollBar_));
  EXPECT_EQ(list_.GetRowLayout(0)->row.Height(), 180);

  ::SendMessageW(list_.GetHwnd(), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(scrollBar_));
  ::UpdateWindow(list_.GetHwnd());
  EXPECT_EQ(list_.GetScrollOffset(), 2);
  ::SendMessageW(list_.GetHwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  ::UpdateWindow(list_.GetHwnd());
  EXPECT_EQ(list_.GetScrollOffset(), 78);  // one row down, held at the limit

  const RowLayout* open = list_.GetRowLayout(0);
  Click(open->toggle.left + 3, open->toggle.top + 3);
  EXPECT_FALSE(list_.IsExpanded(0));
  EXPECT_FALSE(list_.IsScrollBarShown());
  EXPECT_FALSE(::IsWindowVisible(scrollBar_));
  EXPECT_EQ(list_.GetScrollOffset(), 0);
}

TEST_F(SkinModuleList, InfoIconShowsTheDescriptionBesideIt) {
  RunScan(10, 10, 10);
  const RowLayout* row = list_.GetRowLayout(1);
  POINT at{row->info.left + 3, row->info.top + 3};
  POINT screen = at;
  ::ClientToScreen(list_.GetHwnd(), &screen);
  ::SetCursorPos(screen.x, screen.y);
  ::SendMessageW(list_.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  CMrToolTipp* tip = list_.GetTooltip();
  ASSERT_TRUE(tip->IsShown());
  RECT bubble = tip->GetWindowRectangle();
  RECT icon{row->info.left, row->info.top, row->info.right, row->info.bottom};
  ::MapWindowPoints(list_.GetHwnd(), nullptr, reinterpret_cast<POINT*>(&icon), 2);
  EXPECT_EQ(bubble.left, icon.right + 1);
  // The pointer (15 below the bubble's top) is at the icon's centre.
  EXPECT_EQ(bubble.top + 15, icon.top + (icon.bottom - icon.top + 1) / 2);
  POINT away{2, 2};
  ::ClientToScreen(list_.GetHwnd(), &away);
  ::SetCursorPos(away.x, away.y);
  ::SendMessageW(list_.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(skin_test::PumpUntil([&] { return !tip->IsShown(); }, 3000));
}

TEST_F(SkinModuleList, PaintsStatusColoursIntoAnyDc) {
  RunScan(80, 80, 0);
  skin_test::Canvas canvas(460, 423, 0);
  list_.PaintTo(canvas.Dc(), 460, 423);
  uint32_t header = canvas.Pixel(8, 30);  // the poor frame's header band
  EXPECT_GT(header >> 16, 0xB0u);
  EXPECT_LT((header >> 8) & 0xFF, 0x60u);
  uint32_t body = canvas.Pixel(8, 200);
  EXPECT_EQ(body, 0xFFFFFFu);
}

TEST_F(SkinModuleList, CancelStopsEverythingWithoutANotification) {
  list_.AddModule(new QuickModule(L"Speed", 90, 1));
  list_.AddModule(new EndlessModule());
  ASSERT_TRUE(list_.StartScan(-1));
  // The first module raised the level; the second is still scanning.
  ASSERT_TRUE(skin_test::PumpUntil([&] { return list_.GetStatusLevel() == 20; }, 5000));
  EXPECT_FALSE(list_.StartScan(-1));
  EXPECT_TRUE(list_.CancelScan());
  EXPECT_EQ(list_.GetStatusLevel(), 0u);
  skin_test::PumpUntil([] { return false; }, 400);
  EXPECT_EQ(log_.scanDone, 0);
}
