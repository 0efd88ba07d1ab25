#include "quillon/ui/TooltipLogic.h"

#include <cmath>

TooltipFade::Effects TooltipFade::Show() {
  Effects effects = Hide();
  effects.hideWindow = false;
  shown_ = true;
  opacity_ = 0;
  effects.startFadeIn = true;
  effects.startDuration = true;
  effects.stopFadeOut = true;
  effects.repaint = true;
  return effects;
}

TooltipFade::Effects TooltipFade::Hide() {
  Effects effects;
  effects.stopFadeIn = effects.stopDuration = effects.stopFadeOut = true;
  effects.hideWindow = true;
  shown_ = false;
  opacity_ = 0;
  return effects;
}

TooltipFade::Effects TooltipFade::FadeOut() {
  Effects effects;
  effects.stopFadeIn = true;
  effects.startFadeOut = true;
  return effects;
}

TooltipFade::Effects TooltipFade::Timer(int id) {
  Effects effects;
  if (!shown_) {
    effects.stopFadeIn = id == kTooltipFadeIn;
    effects.stopDuration = id == kTooltipDuration;
    effects.stopFadeOut = id == kTooltipFadeOut;
    return effects;
  }
  switch (id) {
    case kTooltipFadeIn:
      opacity_ += kTooltipFadeStep;
      if (opacity_ > kTooltipMaxOpacity - 1) {
        opacity_ = kTooltipMaxOpacity;
        effects.stopFadeIn = true;
      }
      effects.repaint = true;
      break;
    case kTooltipDuration:
      effects = FadeOut();
      effects.stopDuration = true;  // one-shot
      break;
    case kTooltipFadeOut:
      effects.stopFadeIn = true;
      opacity_ -= kTooltipFadeStep;
      if (opacity_ <= 0) {
        opacity_ = 0;
        effects.stopFadeOut = true;
        effects.hideWindow = true;
        shown_ = false;
      }
      effects.repaint = true;
      break;
    default:
      break;
  }
  return effects;
}

SizeF TooltipSizeUnconstrained(SizeF measured) { return SizeF{measured.width + 25, measured.height + 20}; }

SizeF TooltipMeasureBox(const MrRect& box) { return SizeF{box.Width() - 25.0, box.Height() - 20.0}; }

SizeF TooltipSizeInBox(SizeF measured) { return SizeF{measured.width + 25, measured.height + 20}; }

TooltipPlacement PlaceForOwner(const MrRect& o, const MrRect& p, const MrRect& d, const MrRect& r,
                               SizeF size) {
  TooltipPlacement placement;
  const bool useDesktop = p.IsEmpty();
  const MrRect& bounds = useDesktop ? d : p;
  const int width = static_cast<int>(std::ceil(size.width));
  const int height = static_cast<int>(std::ceil(size.height));
  if (width < bounds.right - o.right) {
    placement.pointerLeft = true;
    placement.x = o.right - r.left + 5;
  } else {
    placement.pointerLeft = false;
    placement.x = o.left + r.left - width - 5;
  }
  if (useDesktop || height < p.bottom - o.bottom) {
    placement.pointerTop = true;
    placement.y = o.top - r.top;
  } else {
    placement.pointerTop = false;
    placement.y = o.bottom + r.top - height;
  }
  return placement;
}

std::array<MrPoint, 11> BubblePolygon(int w, int h, bool pointerLeft, bool pointerTop, int offset) {
  // The pointer is a triangle 10 pixels deep and 10 pixels tall sticking out
  // of the bubble body, which is inset by the pointer's depth on that side.
  const int cut = 5;
  const int depth = 10;
  const int half = 5;
  const int bodyLeft = pointerLeft ? depth : 0;
  const int bodyRight = pointerLeft ? w - 1 : w - 1 - depth;
  const int bottom = h - 1;
  int tip = pointerTop ? offset : bottom - offset;
  if (tip < cut + half) tip = cut + half;
  if (tip > bottom - cut - half) tip = bottom - cut - half;
  std::array<MrPoint, 11> p;
  if (pointerLeft) {
    p = {{{bodyLeft + cut, 0},
          {bodyRight - cut, 0},
          {bodyRight, cut},
          {bodyRight, bottom - cut},
          {bodyRight - cut, bottom},
          {bodyLeft + cut, bottom},
          {bodyLeft, bottom - cut},
          {bodyLeft, tip + half},
          {0, tip},
          {bodyLeft, tip - half},
          {bodyLeft, cut}}};
  } else {
    p = {{{bodyLeft + cut, 0},
          {bodyRight - cut, 0},
          {bodyRight, cut},
          {bodyRight, tip - half},
          {w - 1, tip},
          {bodyRight, tip + half},
          {bodyRight, bottom - cut},
          {bodyRight - cut, bottom},
          {bodyLeft + cut, bottom},
          {bodyLeft, bottom - cut},
          {bodyLeft, cut}}};
  }
  return p;
}

MrRect TooltipTextBox(int width, int height, bool pointerLeft) {
  return RectXYWH(pointerLeft ? 15 : 10, 10, width - 25, height - 20);
}
