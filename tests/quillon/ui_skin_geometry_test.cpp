#include <gtest/gtest.h>

#include "quillon/ui/ImagePlacement.h"
#include "quillon/ui/SkinGeometry.h"

TEST(SkinGeometry, NinePartsFollowTheFrameTable) {
  // A 90 x 106 frame with margins 5, 48, 5, 38 drawn over 400 x 300.
  auto parts = NineParts(MrRect{0, 0, 400, 300}, NineMargins{5, 48, 5, 38}, 90, 106);
  EXPECT_EQ(parts[0].dest, RectXYWH(0, 0, 5, 48));      // top-left
  EXPECT_EQ(parts[1].source, RectXYWH(85, 0, 5, 48));   // top-right source
  EXPECT_EQ(parts[3].dest, RectXYWH(395, 262, 5, 38));  // bottom-right
  EXPECT_EQ(parts[4].dest, RectXYWH(0, 48, 5, 214));    // left edge stretched vertically
  EXPECT_EQ(parts[4].source, RectXYWH(0, 48, 5, 20));
  EXPECT_EQ(parts[7].dest, RectXYWH(5, 262, 390, 38));  // bottom edge stretched horizontally
  EXPECT_EQ(parts[8].dest, RectXYWH(5, 48, 390, 214));  // centre both ways
  EXPECT_EQ(parts[8].source, RectXYWH(5, 48, 80, 20));
  // Every destination tiles the area exactly once.
  int area = 0;
  for (const auto& p : parts) area += p.dest.Width() * p.dest.Height();
  EXPECT_EQ(area, 400 * 300);
}

TEST(SkinGeometry, ButtonStripSplitsIntoFourBandsOnlyWhenHeightDividesByFour) {
  std::array<MrRect, 4> bands;
  ASSERT_TRUE(SplitStripRows(200, 100, bands));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(bands[i], RectXYWH(0, 25 * i, 200, 25));
  EXPECT_FALSE(SplitStripRows(200, 102, bands));
  EXPECT_FALSE(SplitStripRows(200, 0, bands));

  std::array<MrRect, 4> frames;
  ASSERT_TRUE(SplitStripColumns(360, 106, frames));
  EXPECT_EQ(frames[3], RectXYWH(270, 0, 90, 106));
  EXPECT_FALSE(SplitStripColumns(362, 106, frames));
}

TEST(SkinGeometry, OpacityAndStatusFrames) {
  struct Case {
    double opacity;
    int alpha;
  } cases[] = {{0.0, 0}, {-0.5, 0}, {0.5, 128}, {0.1, 26}, {1.0, 255}, {1.7, 255}};
  for (const auto& c : cases) EXPECT_EQ(OpacityToAlpha(c.opacity), c.alpha) << c.opacity;

  EXPECT_EQ(StatusFrameWidth(600, 15), 40);
  EXPECT_EQ(StatusFrameWidth(601, 15), 41);  // rounds up
  EXPECT_EQ(StatusFrameCount(2), 4);
  EXPECT_EQ(StatusFrameWidth(80, 2), 20);
}

TEST(ImagePlacement, ModesPlaceThePicture) {
  MrRect rect{0, 0, 100, 50};
  EXPECT_EQ(ImageOrigin(kPlaceCentre, rect, 57, 40), (MrPoint{22, 5}));  // ceiling(43 / 2), ceiling(10 / 2)
  EXPECT_EQ(ImageOrigin(kPlaceCentre, rect, 150, 80), (MrPoint{0, 0}));  // larger picture: at the corner
  EXPECT_EQ(ImageOrigin(kPlaceRight, rect, 57, 40), (MrPoint{43, 0}));
  EXPECT_EQ(ImageOrigin(kPlaceTopLeft, rect, 57, 40), (MrPoint{0, 0}));
  EXPECT_EQ(ImageOrigin(7, MrRect{3, 4, 10, 10}, 57, 40), (MrPoint{3, 4}));
  EXPECT_TRUE(PlacementSizesControl(kPlaceTopLeft));
  EXPECT_TRUE(PlacementSizesControl(7));
  EXPECT_FALSE(PlacementSizesControl(kPlaceStretch));
}

TEST(ImagePlacement, SpinnerStepsAndAngles) {
  EXPECT_EQ(SpinnerSteps(0), 1);
  EXPECT_EQ(SpinnerSteps(-3), 1);
  EXPECT_EQ(SpinnerSteps(500), 360);
  EXPECT_EQ(SpinnerSteps(36), 36);
  EXPECT_EQ(SpinnerAngle(1, 0), 0);  // one step: no visible rotation
  EXPECT_EQ(SpinnerAngle(36, 3), 30);
  EXPECT_EQ(SpinnerAngle(7, 1), 52);  // ceiling(51.43)
  EXPECT_EQ(SpinnerCentre(57, 40), (MrPoint{29, 20}));
}
