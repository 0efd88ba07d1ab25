#pragma once

#include <windows.h>

#include <string>

#include "quillon/ui/TooltipLogic.h"
#include "quillon/ui/win32/MrWnd.h"

// The fading speech-bubble tooltip: a borderless top-most popup that draws a
// dark, partly transparent bubble with a pointer and white text over a copy
// of what lies beneath it.
class CMrToolTipp : public CMrWnd {
 public:
  CMrToolTipp() = default;
  ~CMrToolTipp() override;

  // Creates the hidden popup for `owner` (positions and the background come
  // from the owner's side of the screen).
  bool Create(HWND owner);

  // Top-left corner at (x, y - 15), text measured without a width limit.
  void ShowAt(const std::wstring& text, int x, int y, int duration);
  // Text measured inside `box` (screen coordinates); the bubble starts at its
  // top-left corner, 15 pixels higher, so the pointer points at box.top.
  void ShowInBox(const std::wstring& text, const RECT& box, int duration, int pointerOffset);
  // Beside the owner: right of it when there is room in its parent, else left.
  void ShowForOwner(const std::wstring& text, const RECT& placement, int duration);
  void FadeOut();
  void Hide();
  // Width `text` needs within `limit` pixels, rounded up.
  int MeasureWidth(const std::wstring& text, int limit) const;
  // Size of `text` measured within `limit` (0: unconstrained).
  SizeF Measure(const std::wstring& text, SizeF limit) const;

  bool IsShown() const { return fade_.Shown(); }
  int GetOpacity() const { return fade_.Opacity(); }
  bool PointerLeft() const { return pointerLeft_; }
  bool PointerTop() const { return pointerTop_; }
  RECT GetWindowRectangle() const;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Apply(const TooltipFade::Effects& effects);
  void ShowSized(const std::wstring& text, int x, int y, SizeF size, int duration);
  void CaptureUnder(int x, int y, int width, int height);
  void Paint();

  HWND owner_ = nullptr;
  std::wstring text_;
  int duration_ = 10000;
  TooltipFade fade_;
  bool pointerLeft_ = true;
  bool pointerTop_ = true;
  int pointerOffset_ = 15;
  SizeF size_;
  HBITMAP snapshot_ = nullptr;
};
