#pragma once

#include <array>

#include "quillon/ui/SkinGeometry.h"

// The tooltip bubble's fading, size and placement.

enum TooltipTimer : int {
  kTooltipFadeIn = 1,
  kTooltipDuration = 2,
  kTooltipFadeOut = 3,
};

constexpr int kTooltipTick = 50;  // ms between fade steps
constexpr int kTooltipMaxOpacity = 225;
constexpr int kTooltipFadeStep = 25;

// Which timers run and how opaque the bubble is. Each call says which
// timers to start or stop and whether to repaint or hide the window.
class TooltipFade {
 public:
  struct Effects {
    bool startFadeIn = false;
    bool stopFadeIn = false;
    bool startDuration = false;
    bool stopDuration = false;
    bool startFadeOut = false;
    bool stopFadeOut = false;
    bool hideWindow = false;
    bool repaint = false;
  };

  bool Shown() const { return shown_; }
  int Opacity() const { return opacity_; }
  // Text alpha: the bubble's plus 30, so it reaches 255 with the bubble.
  int TextAlpha() const { return opacity_ + 30 > 255 ? 255 : opacity_ + 30; }

  Effects Show();
  Effects Hide();
  Effects FadeOut();
  Effects Timer(int id);

 private:
  bool shown_ = false;
  int opacity_ = 0;
};

struct SizeF {
  double width = 0;
  double height = 0;
};

// Bubble size from the measured text plus the bubble's padding (25, 20): the
// text is drawn inside (15, 10, width - 25, height - 20) whether it was
// measured inside a box (its width and height less 25 and 20) or not, so
// both get the same padding and the text is never cut.
SizeF TooltipSizeUnconstrained(SizeF measured);
SizeF TooltipMeasureBox(const MrRect& box);  // the area the text is measured in
SizeF TooltipSizeInBox(SizeF measured);

struct TooltipPlacement {
  int x = 0;
  int y = 0;
  bool pointerLeft = true;
  bool pointerTop = true;
};

// Next to the owner O inside its parent P (screen rectangles); an empty P
// means the desktop D and a horizontal decision only. `offsets` supplies the
// left/top offsets (empty: zero).
TooltipPlacement PlaceForOwner(const MrRect& owner, const MrRect& parent, const MrRect& desktop,
                               const MrRect& offsets, SizeF size);

// The 11 corners of the bubble within a width x height window: corners cut by
// 5 pixels and a pointer on the chosen side, `pointerOffset` from the top or
// bottom corner.
std::array<MrPoint, 11> BubblePolygon(int width, int height, bool pointerLeft, bool pointerTop,
                                      int pointerOffset);

// Text box inside the bubble: (left + 15, top + 10, width - 25, height - 20);
// with the pointer on the right the box starts at 10 so that the padding
// stays even beside the pointer.
MrRect TooltipTextBox(int width, int height, bool pointerLeft);
