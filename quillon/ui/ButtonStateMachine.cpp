#include "quillon/ui/ButtonStateMachine.h"

#include <algorithm>

ButtonEffects ButtonStateMachine::MouseMove(bool visible, bool buttonsOrKeys, bool tooltipOn) {
  ButtonEffects effects;
  if (state_ == kButtonDisabled || !visible || buttonsOrKeys) return effects;
  if (state_ != kButtonHover) {
    state_ = kButtonHover;
    effects.redraw = true;
    effects.startTooltipTimer = tooltipOn;
  }
  effects.trackLeave = true;
  return effects;
}

ButtonEffects ButtonStateMachine::LeftDown(bool visible) {
  ButtonEffects effects;
  if (state_ == kButtonDisabled || state_ == kButtonPressed || !visible) return effects;
  state_ = kButtonPressed;
  effects.redraw = true;
  return effects;
}

ButtonEffects ButtonStateMachine::LeftUp(bool visible, bool hasParent) {
  ButtonEffects effects;
  if (state_ == kButtonDisabled || !visible) return effects;
  // A press that left the button (mouse leave made it normal) clicks nothing.
  effects.click = state_ == kButtonPressed && hasParent;
  state_ = kButtonNormal;
  effects.redraw = true;
  return effects;
}

ButtonEffects ButtonStateMachine::MouseLeave(bool visible) {
  ButtonEffects effects;
  if (state_ == kButtonDisabled || state_ == kButtonNormal || !visible) return effects;
  state_ = kButtonNormal;
  effects.stopTooltipTimer = true;
  effects.hideTooltip = true;
  effects.redraw = true;
  return effects;
}

ButtonEffects ButtonStateMachine::Enable(bool enabled) {
  ButtonEffects effects;
  state_ = enabled ? kButtonNormal : kButtonDisabled;
  effects.stopTooltipTimer = !enabled;
  effects.hideTooltip = !enabled;
  effects.redraw = true;
  return effects;
}

int ButtonPreferredWidth(int textWidth, int insetLeft, int insetRight, int stretchLeft, int stretchRight,
                         bool hasIcon, int iconX, int iconWidth) {
  int right = std::max(insetRight, stretchRight);
  if (hasIcon) return stretchLeft + iconX + iconWidth + textWidth + right;
  return std::max(insetLeft, stretchLeft) + textWidth + right;
}
