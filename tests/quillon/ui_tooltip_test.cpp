#include <gtest/gtest.h>

#include <cmath>

#include "quillon/ui/TooltipLogic.h"

TEST(TooltipFade, FadesInToFullInNineTicks) {
  TooltipFade fade;
  auto shown = fade.Show();
  EXPECT_TRUE(shown.startFadeIn && shown.startDuration && shown.stopFadeOut);
  int ticks = 0;
  bool stopped = false;
  while (!stopped && ticks < 20) {
    stopped = fade.Timer(kTooltipFadeIn).stopFadeIn;
    ++ticks;
  }
  EXPECT_EQ(ticks, 9);
  EXPECT_EQ(fade.Opacity(), 225);
  EXPECT_EQ(fade.TextAlpha(), 255);
}

TEST(TooltipFade, ShortDurationFadesOutFromWhereItIs) {
  TooltipFade fade;
  fade.Show();
  fade.Timer(kTooltipFadeIn);
  fade.Timer(kTooltipFadeIn);
  fade.Timer(kTooltipFadeIn);  // 75
  auto over = fade.Timer(kTooltipDuration);
  EXPECT_TRUE(over.stopFadeIn && over.startFadeOut && over.stopDuration);
  EXPECT_EQ(fade.Timer(kTooltipFadeOut).hideWindow, false);
  EXPECT_EQ(fade.Opacity(), 50);
  fade.Timer(kTooltipFadeOut);
  auto last = fade.Timer(kTooltipFadeOut);
  EXPECT_TRUE(last.hideWindow && last.stopFadeOut);
  EXPECT_FALSE(fade.Shown());
  EXPECT_EQ(fade.Opacity(), 0);
  // A timer that fires after hiding only stops itself.
  auto stray = fade.Timer(kTooltipFadeIn);
  EXPECT_TRUE(stray.stopFadeIn);
  EXPECT_FALSE(stray.repaint);
}

TEST(TooltipFade, SecondShowRestartsFromZero) {
  TooltipFade fade;
  fade.Show();
  for (int i = 0; i < 5; ++i) fade.Timer(kTooltipFadeIn);
  auto again = fade.Show();
  EXPECT_EQ(fade.Opacity(), 0);
  EXPECT_TRUE(fade.Shown());
  EXPECT_TRUE(again.startFadeIn && again.startDuration);
  EXPECT_FALSE(again.hideWindow);
}

TEST(TooltipPlacement, SizesAndSides) {
  // The text box inside the bubble is (15, 10, width - 25, height - 20): the
  // bubble around unconstrained text must leave exactly that room.
  SizeF free = TooltipSizeUnconstrained(SizeF{100.2, 14});
  MrRect inside =
      TooltipTextBox(static_cast<int>(std::ceil(free.width)), static_cast<int>(free.height), true);
  EXPECT_GE(inside.Width(), 100.2);
  EXPECT_EQ(inside.Height(), 14);
  SizeF box = TooltipMeasureBox(MrRect{0, 0, 225, 120});
  EXPECT_DOUBLE_EQ(box.width, 200);
  EXPECT_DOUBLE_EQ(box.height, 100);

  MrRect dialog{100, 100, 790, 622};
  MrRect none{};
  SizeF size{150.4, 40};
  // Room on the right: pointer left, bubble starts 5 pixels right of the owner.
  auto right = PlaceForOwner(MrRect{200, 500, 230, 520}, dialog, none, none, size);
  EXPECT_TRUE(right.pointerLeft);
  EXPECT_EQ(right.x, 235);
  EXPECT_TRUE(right.pointerTop);
  EXPECT_EQ(right.y, 500);
  // A button near the dialog's right edge: bubble on its left, pointer right.
  auto left = PlaceForOwner(MrRect{700, 500, 711, 513}, dialog, none, none, size);
  EXPECT_FALSE(left.pointerLeft);
  EXPECT_EQ(left.x, 700 - 151 - 5);
  // Too little room below: pointer at the bottom, bubble ends at the owner's bottom.
  auto up = PlaceForOwner(MrRect{200, 600, 230, 612}, dialog, none, none, size);
  EXPECT_FALSE(up.pointerTop);
  EXPECT_EQ(up.y, 612 - 40);
  // Offsets from the placement rectangle.
  auto shifted = PlaceForOwner(MrRect{200, 500, 230, 520}, dialog, none, MrRect{4, 6, 300, 100}, size);
  EXPECT_EQ(shifted.x, 230 - 4 + 5);
  EXPECT_EQ(shifted.y, 494);
  // No parent: the desktop decides, horizontally only.
  auto desk = PlaceForOwner(MrRect{1200, 900, 1230, 1000}, none, MrRect{0, 0, 1280, 1024}, none, size);
  EXPECT_FALSE(desk.pointerLeft);
  EXPECT_TRUE(desk.pointerTop);
}

TEST(TooltipPlacement, BubblePointsWhereAsked) {
  auto leftTop = BubblePolygon(200, 60, true, true, 15);
  EXPECT_EQ(leftTop[8], (MrPoint{0, 15}));  // pointer tip on the left edge
  auto rightBottom = BubblePolygon(200, 60, false, false, 15);
  EXPECT_EQ(rightBottom[4], (MrPoint{199, 59 - 15}));
  for (const auto& p : rightBottom) {
    EXPECT_GE(p.x, 0);
    EXPECT_LT(p.x, 200);
    EXPECT_GE(p.y, 0);
    EXPECT_LT(p.y, 60);
  }
}
