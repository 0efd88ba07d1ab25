#pragma once

// The skinned button's states and what each mouse or enable event does. The
// window code carries out the effects (redraw, click notification, tooltip
// timer, leave tracking) in the order listed by the fields.

enum ButtonState : int {
  kButtonNormal = 0,
  kButtonHover = 1,
  kButtonPressed = 2,
  kButtonDisabled = 3,
};

struct ButtonEffects {
  bool click = false;  // WM_COMMAND to the parent, before the redraw
  bool redraw = false;
  bool startTooltipTimer = false;  // timer 1 with the tooltip delay
  bool stopTooltipTimer = false;
  bool hideTooltip = false;
  bool trackLeave = false;  // ask for WM_MOUSELEAVE
};

class ButtonStateMachine {
 public:
  ButtonState State() const { return state_; }

  // `buttonsOrKeys`: any mouse-button or key flag of the move message.
  ButtonEffects MouseMove(bool visible, bool buttonsOrKeys, bool tooltipOn);
  ButtonEffects LeftDown(bool visible);
  ButtonEffects LeftUp(bool visible, bool hasParent);
  ButtonEffects MouseLeave(bool visible);
  ButtonEffects Enable(bool enabled);
  // Puts the button into a state directly (previews of every state).
  void Force(ButtonState state) { state_ = state; }

 private:
  ButtonState state_ = kButtonNormal;
};

// Width a button needs for its text. Without an icon: the larger of the left
// inset and stretch margin, the text, the larger of the right ones. With an
// icon: left stretch margin + icon x + icon width + text + the right side.
int ButtonPreferredWidth(int textWidth, int insetLeft, int insetRight, int stretchLeft, int stretchRight,
                         bool hasIcon, int iconX, int iconWidth);
