#pragma once

#include <array>
#include <memory>

#include "quillon/ui/ButtonStateMachine.h"
#include "quillon/ui/win32/Ctrl.h"
#include "quillon/ui/win32/Image.h"

class CMrToolTipp;

// A skinned push button: a picture per state (normal, hover, pressed,
// disabled), an optional icon, centred text and a delayed tooltip. A press
// released over the button sends WM_COMMAND (BN_CLICKED) to the parent.
class CMrCtrl_Button : public CMrCtrl {
 public:
  CMrCtrl_Button();
  ~CMrCtrl_Button() override;

  // A strip of four equal bands stacked top to bottom; `crop` (when not
  // null and not empty) first cuts that part out of the picture.
  bool SetImageStrip(int resourceId, const wchar_t* type = L"PNG", const RECT* crop = nullptr);
  bool SetImageStrip(const std::wstring& path, const RECT* crop = nullptr);
  bool SetImageStrip(CMrImage* image, const RECT* crop = nullptr);
  // One picture for all four states.
  bool SetStateImage(int resourceId, const wchar_t* type = L"PNG", const RECT* crop = nullptr);
  bool SetStateImage(const std::wstring& path, const RECT* crop = nullptr);
  bool SetStateImage(CMrImage* image, const RECT* crop = nullptr);
  bool SetIcon(int resourceId, const wchar_t* type, int x, int y);
  bool SetIcon(CMrImage* image, int x, int y);
  void SetTextColors(COLORREF normal, COLORREF hover, COLORREF pressed, COLORREF disabled);
  void SetTextInsets(int left, int top, int right, int bottom);
  void SetImageStretch(bool on, int left, int top, int right, int bottom);
  void SetTooltip(bool on, int delay, int duration, int left, int top, int right, int bottom);
  void SetTooltipText(const std::wstring& text);
  void SetTooltipTextById(unsigned id);

  // Width the button needs for its current text and font.
  int GetPreferredWidth() const;
  // Height of its state pictures (0 without).
  int GetPreferredHeight() const;
  ButtonState GetState() const { return machine_.State(); }
  // Shows the button in a state without any input (previews of the skin).
  void PreviewState(ButtonState state) {
    machine_.Force(state);
    Redraw(false);
  }
  CMrToolTipp* GetTooltip() const { return tooltip_.get(); }

  void DrawContent(HDC dc, int left, int top, int right, int bottom) override;
  void Show(int command) override;
  bool Move(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) override;
  void OnMouseMoveCursor(UINT flags, POINT point) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnAttached() override;

 private:
  void Apply(const ButtonEffects& effects);
  void HideTooltip();
  CMrImage* Crop(CMrImage* image, const RECT* crop) const;

  ButtonStateMachine machine_;
  std::array<CMrImage*, 4> images_{};
  std::array<COLORREF, 3> stateColors_{};  // hover, pressed, disabled
  RECT insets_{};
  bool stretch_ = false;
  RECT stretchMargins_{};
  CMrImage* icon_ = nullptr;
  POINT iconAt_{};
  std::unique_ptr<CMrToolTipp> tooltip_;
  bool tooltipOn_ = false;
  std::wstring tooltipText_;
  int tooltipDelay_ = 500;
  int tooltipDuration_ = 10000;
  RECT tooltipRect_{};
};
