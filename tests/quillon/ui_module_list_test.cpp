#include <gtest/gtest.h>

#include "quillon/ui/ModuleListLayout.h"

TEST(ModuleListLayout, MarksFollowTheSeverityClasses) {
  struct Case {
    bool running, done;
    double value;
    int frame;
  } cases[] = {
      {false, true, 35.0, 12},                           // exactly 35 is low: green check
      {false, true, 35.5, 13},                           // medium: orange
      {false, true, 70.0, 14},                           // high: red
      {false, true, 0.0, 12},   {true, false, 90.0, 5},  // running: the spinner frame
      {false, false, 90.0, -1},                          // waiting: nothing
  };
  for (const auto& c : cases) EXPECT_EQ(ListMarkFrame(15, c.running, c.done, c.value, 5), c.frame) << c.value;
}

TEST(ModuleListLayout, HeaderAndFooterColours) {
  EXPECT_EQ(ListHeaderColor(25), 0x989898u);  // grey 152
  EXPECT_EQ(ListHeaderColor(20), kListDarkText);
  EXPECT_EQ(ListHeaderColor(21), 0x464646u);  // floor(20.5) + 50 = 70
  EXPECT_EQ(ListHeaderColor(30), 0xFFFFFFu);
  EXPECT_EQ(ListFooterColor(20), kListDarkText);
  EXPECT_EQ(ListFooterColor(21), kListLightText);
}

TEST(ModuleListLayout, BackgroundCrossFade) {
  EXPECT_EQ(ListBaseFrame(0), kFrameUnrated);
  EXPECT_EQ(ListBaseFrame(10), kFrameGood);
  EXPECT_EQ(ListBaseFrame(20), kFrameModerate);
  EXPECT_EQ(ListBaseFrame(30), kFramePoor);
  FrameBlend good = ListTargetFrame(10, 4);
  EXPECT_EQ(good.frame, kFrameGood);
  EXPECT_DOUBLE_EQ(good.opacity, 0.4);
  FrameBlend moderate = ListTargetFrame(20, 10);  // just moved up from good
  EXPECT_EQ(moderate.frame, kFrameModerate);
  EXPECT_DOUBLE_EQ(moderate.opacity, 0.0);
  FrameBlend poor = ListTargetFrame(30, 25);
  EXPECT_EQ(poor.frame, kFramePoor);
  EXPECT_DOUBLE_EQ(poor.opacity, 0.5);
  EXPECT_DOUBLE_EQ(ListTargetFrame(30, 12).opacity, 0.0);  // never negative
}

TEST(ModuleListLayout, BandsRowsAndBars) {
  // The dialog's 423-pixel list with background margins 48 (top) and 38 (bottom).
  ListBands bands = ListBandsFor(MrRect{0, 0, 520, 423}, 48, 38);
  EXPECT_EQ(bands.header.Height(), 83);
  EXPECT_EQ(bands.body, (MrRect{0, 83, 520, 385}));
  EXPECT_EQ(bands.footer.Height(), 38);
  EXPECT_EQ(ListRowHeight(bands.body.Height(), 3), 100);
  EXPECT_EQ(ListRowHeight(423 - 35, 3), 129);
  EXPECT_EQ(ListRowHeight(300, 0), 80);

  struct Case {
    double value;
    int fill;
  } fills[] = {{0, 0}, {0.1, 1}, {50, 85}, {33.3, 57}, {100, 170}, {150, 170}, {-3, 0}};
  for (const auto& c : fills) EXPECT_EQ(BarFillWidth(c.value, 170), c.fill) << c.value;
}

TEST(ModuleListLayout, ExpandingShowsTheScrollBarAndCollapsingResetsIt) {
  const int body = 302;
  const int row = ListRowHeight(body, 3);
  EXPECT_EQ(ListContentHeight(row, {0, 0, 0}), 300);
  ScrollView plain = FitScroll(300, body, 0);
  EXPECT_FALSE(plain.visible);

  int expanded = ListContentHeight(row, {4, 0, 0});
  EXPECT_EQ(expanded, 300 + 80);
  ScrollView shown = FitScroll(expanded, body, 0);
  EXPECT_TRUE(shown.visible);
  EXPECT_EQ(shown.limit, 78);
  int pos = ApplyScroll(kScrollPageDown, 0, shown.limit, row, 0);
  EXPECT_EQ(pos, 2);  // page down moves the view by 2 pixels only
  pos = ApplyScroll(kScrollLineDown, pos, shown.limit, row, 0);
  EXPECT_EQ(pos, 78);
  EXPECT_EQ(ApplyScroll(kScrollLineDown, pos, shown.limit, row, 0), 78);
  EXPECT_EQ(ApplyScroll(kScrollPageDown, 77, 78, row, 0), 78);
  EXPECT_EQ(ApplyScroll(kScrollLineUp, 50, 78, row, 0), 0);
  EXPECT_EQ(ApplyScroll(kScrollPageUp, 1, 78, row, 0), 0);
  EXPECT_EQ(ApplyScroll(kScrollThumbTrack, 10, 78, row, 40), 40);
  EXPECT_EQ(ApplyScroll(kScrollOther, 10, 78, row, 40), 10);
  EXPECT_EQ(WheelScroll(-120), kScrollLineDown);
  EXPECT_EQ(WheelScroll(120), kScrollLineUp);

  ScrollView collapsed = FitScroll(300, body, pos);
  EXPECT_FALSE(collapsed.visible);
  EXPECT_EQ(collapsed.position, 0);
}

TEST(ModuleListLayout, OnlyTheToggleExpandsARow) {
  RowSizes sizes;
  sizes.frameWidth = sizes.frameHeight = 40;
  sizes.nameWidth = 80;
  sizes.nameHeight = 23;
  sizes.infoWidth = sizes.infoHeight = 11;
  sizes.barWidth = 170;
  sizes.barHeight = 19;
  sizes.toggleWidth = sizes.toggleHeight = 11;
  std::vector<RowLayout> rows;
  for (int i = 0; i < 3; ++i) rows.push_back(LayoutRow(520, i * 100, 100, sizes, false));
  const RowLayout& second = rows[1];
  // Name, info icon and bar on the first line; the bar right-aligned.
  EXPECT_EQ(second.bar.right, 520 - 10 - 5);
  EXPECT_GT(second.info.left, second.name.right);
  EXPECT_LT(second.info.right, second.bar.left);
  EXPECT_EQ(second.resultLine.right, second.bar.left);
  EXPECT_EQ(second.resultLine.Height(), 25);
  EXPECT_EQ(second.toggle.right, second.resultLine.left - 5);
  EXPECT_EQ(second.toggle.bottom, second.resultLine.bottom - 2);
  EXPECT_LE(second.resultLine.bottom, second.row.bottom);

  EXPECT_EQ(HitToggle(rows, second.toggle.left + 3, second.toggle.top + 3), 1);
  EXPECT_EQ(HitToggle(rows, second.name.left + 3, second.name.top + 3), -1);  // row, not toggle
  EXPECT_EQ(HitToggle(rows, second.bar.left + 3, second.bar.top + 3), -1);
  EXPECT_EQ(HitInfo(rows, second.info.left, second.info.top), 1);

  RowLayout open = LayoutRow(
      520, 0, 100,
      [&] {
        RowSizes s = sizes;
        s.issueKinds = 4;
        return s;
      }(),
      true);
  EXPECT_EQ(open.row.Height(), 180);
  EXPECT_EQ(open.firstIssueTop, open.resultLine.bottom);
  EXPECT_LE(open.firstIssueTop + 4 * kListIssueLineHeight, open.row.bottom + 20);
}

TEST(ModuleListLayout, InfoTipGrowsUpwardsUntilTheTextFits) {
  MrRect client{100, 100, 790, 622};
  MrRect icon{300, 500, 311, 513};
  // Fits at once: box from the icon's centre down to the client's bottom less 10.
  InfoTipBox fits = PlaceInfoTip(icon, client, 100, [](const MrRect&) { return true; });
  EXPECT_EQ(fits.box, (MrRect{312, 507, 790, 612}));
  EXPECT_EQ(fits.pointerOffset, 15);
  // Needs 250 pixels: two row heights up.
  InfoTipBox moved = PlaceInfoTip(icon, client, 100, [](const MrRect& b) { return b.Height() >= 250; });
  EXPECT_EQ(moved.box.top, 307);
  EXPECT_EQ(moved.pointerOffset, 215);
  // Never fits: stops before leaving the client area.
  InfoTipBox capped = PlaceInfoTip(icon, client, 100, [](const MrRect&) { return false; });
  EXPECT_GE(capped.box.top, client.top);
  EXPECT_LT(capped.box.top - 100, client.top);
}
