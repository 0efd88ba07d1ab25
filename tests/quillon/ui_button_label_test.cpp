#include <gtest/gtest.h>

#include "quillon/ui/ButtonStateMachine.h"
#include "quillon/ui/LabelLayout.h"

TEST(ButtonStateMachine, PressLeaveReleaseSendsNoClick) {
  ButtonStateMachine button;
  button.MouseMove(true, false, false);
  button.LeftDown(true);
  EXPECT_EQ(button.State(), kButtonPressed);
  button.MouseLeave(true);
  EXPECT_EQ(button.State(), kButtonNormal);
  ButtonEffects up = button.LeftUp(true, true);
  EXPECT_FALSE(up.click);
  EXPECT_EQ(button.State(), kButtonNormal);
}

TEST(ButtonStateMachine, ReleaseOverPressedButtonClicksOnceAndGoesNormal) {
  ButtonStateMachine button;
  button.MouseMove(true, false, false);
  button.LeftDown(true);
  EXPECT_FALSE(button.LeftDown(true).redraw);  // a second press changes nothing
  ButtonEffects up = button.LeftUp(true, true);
  EXPECT_TRUE(up.click);
  EXPECT_TRUE(up.redraw);
  EXPECT_EQ(button.State(), kButtonNormal);  // not hover until the mouse moves again
  EXPECT_FALSE(button.LeftUp(true, true).click);
  // No parent: nothing to notify.
  button.LeftDown(true);
  EXPECT_FALSE(button.LeftUp(true, false).click);
}

TEST(ButtonStateMachine, HoverStartsTheTooltipOnceAndMovesWithButtonsDoNothing) {
  ButtonStateMachine button;
  EXPECT_FALSE(button.MouseMove(true, true, true).redraw);  // dragging over it
  EXPECT_EQ(button.State(), kButtonNormal);
  ButtonEffects first = button.MouseMove(true, false, true);
  EXPECT_TRUE(first.startTooltipTimer);
  EXPECT_TRUE(first.trackLeave);
  ButtonEffects second = button.MouseMove(true, false, true);
  EXPECT_FALSE(second.startTooltipTimer);
  EXPECT_FALSE(second.redraw);
  EXPECT_TRUE(second.trackLeave);
  ButtonEffects leave = button.MouseLeave(true);
  EXPECT_TRUE(leave.hideTooltip && leave.stopTooltipTimer);
  EXPECT_FALSE(ButtonStateMachine().MouseMove(false, false, true).redraw);  // hidden
}

TEST(ButtonStateMachine, DisabledIgnoresInputUntilEnabled) {
  ButtonStateMachine button;
  button.MouseMove(true, false, true);
  ButtonEffects off = button.Enable(false);
  EXPECT_TRUE(off.hideTooltip && off.stopTooltipTimer);
  EXPECT_EQ(button.State(), kButtonDisabled);
  EXPECT_FALSE(button.LeftDown(true).redraw);
  EXPECT_FALSE(button.MouseMove(true, false, true).startTooltipTimer);
  EXPECT_FALSE(button.LeftUp(true, true).click);
  EXPECT_EQ(button.State(), kButtonDisabled);
  button.Enable(true);
  EXPECT_EQ(button.State(), kButtonNormal);
}

TEST(ButtonStateMachine, PreferredWidth) {
  // No icon: larger of inset and stretch margin on each side.
  EXPECT_EQ(ButtonPreferredWidth(100, 30, 0, 10, 10, false, 0, 0), 30 + 100 + 10);
  // Icon at x 20, 24 wide: stretch margin left + x + width + text + right.
  EXPECT_EQ(ButtonPreferredWidth(100, 30, 0, 10, 10, true, 20, 24), 10 + 20 + 24 + 100 + 10);
}

namespace {

// Every character is 5 pixels wide.
int FitFiveWide(const std::wstring& text, int width) {
  return static_cast<int>(std::min<size_t>(text.size(), static_cast<size_t>(width / 5)));
}

}  // namespace

TEST(LabelLayout, SpacingPlacesLinesAndBreaksLongWords) {
  MrRect area{1, 1, 51, 200};  // ten characters a line
  auto lines = LayoutLabelLines(L"  alpha beta gamma abcdefghijklmnop  ", area, 10, 1.2, FitFiveWide);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].text, L"alpha beta");
  EXPECT_EQ(lines[1].text, L"gamma");
  EXPECT_EQ(lines[2].text, L"abcdefghij");  // a word longer than the line is cut at the width
  EXPECT_EQ(lines[3].text, L"klmnop");
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].box.top, 1 + 12 * static_cast<int>(i));
    EXPECT_EQ(lines[i].box.Height(), 10);
  }
  // Spacing 1.25 with 10-pixel lines: ceiling(12.5) = 13 apart.
  auto wide = LayoutLabelLines(L"alpha beta gamma", area, 10, 1.25, FitFiveWide);
  ASSERT_EQ(wide.size(), 2u);
  EXPECT_EQ(wide[1].box.top - wide[0].box.top, 13);
}

TEST(LabelLayout, NothingFitsOrNothingToLay) {
  EXPECT_TRUE(LayoutLabelLines(L"   ", MrRect{0, 0, 50, 50}, 10, 1.5, FitFiveWide).empty());
  EXPECT_TRUE(LayoutLabelLines(L"word", MrRect{0, 0, 4, 50}, 10, 1.5, FitFiveWide).empty());
  EXPECT_EQ(LabelPreferredWidth(40, false), 42);
  EXPECT_EQ(LabelPreferredWidth(0, true), 0);
}
