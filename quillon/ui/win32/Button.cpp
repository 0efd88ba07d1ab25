#include "quillon/ui/win32/Button.h"

#include "quillon/lang/Text.h"
#include "quillon/ui/SkinGeometry.h"
#include "quillon/ui/win32/GdiScoped.h"
#include "quillon/ui/win32/ImageStore.h"
#include "quillon/ui/win32/ToolTipp.h"

namespace {

constexpr UINT_PTR kTooltipTimer = 1;

bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

CMrCtrl_Button::CMrCtrl_Button() : CMrCtrl(L"CMrCtrl_Button"), tooltip_(std::make_unique<CMrToolTipp>()) {
  format_ = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
}

CMrCtrl_Button::~CMrCtrl_Button() {
  tooltip_.reset();
  DestroyWindow();
}

void CMrCtrl_Button::OnAttached() {
  CMrCtrl::OnAttached();
  tooltip_->Create(hwnd_);
  if (!::IsWindowEnabled(hwnd_)) machine_.Enable(false);
}

CMrImage* CMrCtrl_Button::Crop(CMrImage* image, const RECT* crop) const {
  if (!image || !crop || IsEmptyRect(*crop)) return image;
  return CropImage(image, crop->left, crop->top, crop->right - crop->left, crop->bottom - crop->top);
}

bool CMrCtrl_Button::SetImageStrip(int resourceId, const wchar_t* type, const RECT* crop) {
  return SetImageStrip(LoadStoredImage(::GetModuleHandleW(nullptr), resourceId, type), crop);
}

bool CMrCtrl_Button::SetImageStrip(const std::wstring& path, const RECT* crop) {
  return SetImageStrip(LoadStoredImage(path.c_str()), crop);
}

bool CMrCtrl_Button::SetImageStrip(CMrImage* image, const RECT* crop) {
  images_.fill(nullptr);
  image = Crop(image, crop);
  std::array<MrRect, 4> bands;
  if (IsInvalid(image) || !SplitStripRows(image->GetWidth(), image->GetHeight(), bands)) {
    Redraw(false);
    return false;
  }
  bool ok = true;
  for (int i = 0; i < 4; ++i) {
    images_[i] = CropImage(image, bands[i].left, bands[i].top, bands[i].Width(), bands[i].Height());
    ok = ok && !IsInvalid(images_[i]);
  }
  if (!ok) images_.fill(nullptr);
  Redraw(false);
  return ok;
}

bool CMrCtrl_Button::SetStateImage(int resourceId, const wchar_t* type, const RECT* crop) {
  return SetStateImage(LoadStoredImage(::GetModuleHandleW(nullptr), resourceId, type), crop);
}

bool CMrCtrl_Button::SetStateImage(const std::wstring& path, const RECT* crop) {
  return SetStateImage(LoadStoredImage(path.c_str()), crop);
}

bool CMrCtrl_Button::SetStateImage(CMrImage* image, const RECT* crop) {
  image = Crop(image, crop);
  bool ok = !IsInvalid(image);
  images_.fill(ok ? image : nullptr);
  Redraw(false);
  return ok;
}

bool CMrCtrl_Button::SetIcon(int resourceId, const wchar_t* type, int x, int y) {
  return SetIcon(LoadStoredImage(::GetModuleHandleW(nullptr), resourceId, type), x, y);
}

bool CMrCtrl_Button::SetIcon(CMrImage* image, int x, int y) {
  icon_ = image;
  iconAt_ = POINT{x, y};
  Redraw(false);
  return !IsInvalid(image);
}

void CMrCtrl_Button::SetTextColors(COLORREF normal, COLORREF hover, COLORREF pressed, COLORREF disabled) {
  textColor_ = normal;
  stateColors_ = {hover, pressed, disabled};
  Redraw(false);
}

void CMrCtrl_Button::SetTextInsets(int left, int top, int right, int bottom) {
  insets_ = RECT{left, top, right, bottom};
  Redraw(false);
}

void CMrCtrl_Button::SetImageStretch(bool on, int left, int top, int right, int bottom) {
  stretch_ = on;
  stretchMargins_ = RECT{left, top, right, bottom};
  Redraw(false);
}

void CMrCtrl_Button::SetTooltip(bool on, int delay, int duration, int left, int top, int right, int bottom) {
  tooltipOn_ = on;
  tooltipDelay_ = delay;
  tooltipDuration_ = duration;
  tooltipRect_ = RECT{left, top, right, bottom};
}

void CMrCtrl_Button::SetTooltipText(const std::wstring& text) { tooltipText_ = text; }

void CMrCtrl_Button::SetTooltipTextById(unsigned id) { SetTooltipText(LoadText(id)); }

int CMrCtrl_Button::GetPreferredWidth() const {
  bool hasIcon = !IsInvalid(icon_);
  return ButtonPreferredWidth(MeasureText(GetText()), insets_.left, insets_.right, stretchMargins_.left,
                              stretchMargins_.right, hasIcon, iconAt_.x, hasIcon ? icon_->GetWidth() : 0);
}

int CMrCtrl_Button::GetPreferredHeight() const { return ::GetHeight(images_[0]); }

void CMrCtrl_Button::DrawContent(HDC dc, int left, int top, int right, int bottom) {
  const ButtonState state = machine_.State();
  CMrImage* image = images_[static_cast<size_t>(state)];
  if (!IsInvalid(image)) {
    if (stretch_) {
      image->DrawNinePart(dc, left, top, right, bottom, stretchMargins_.left, stretchMargins_.top,
                          stretchMargins_.right, stretchMargins_.bottom, 1.0);
    } else {
      image->DrawAt(dc, left, top);
    }
  }
  RECT text{left, top, right, bottom};
  const bool insetsEmpty = insets_.left == 0 && insets_.top == 0 && insets_.right == 0 && insets_.bottom == 0;
  if (!insetsEmpty) {
    text = RECT{left + insets_.left, top + insets_.top, right - insets_.right, bottom - insets_.bottom};
  }
  if (!IsInvalid(icon_)) {
    icon_->DrawAt(dc, iconAt_.x, iconAt_.y);
    if (insetsEmpty) text.left += iconAt_.x + icon_->GetWidth();
  }
  ::SetBkMode(dc, TRANSPARENT);
  SelectScope font(dc, GetFont());
  COLORREF color = textColor_;
  if (state == kButtonDisabled)
    color = stateColors_[2];
  else if (state == kButtonHover)
    color = stateColors_[0];
  else if (state == kButtonPressed)
    color = stateColors_[1];
  DrawShadowedText(dc, GetText(), text, format_, color);
}

void CMrCtrl_Button::HideTooltip() {
  if (tooltip_) tooltip_->Hide();
}

void CMrCtrl_Button::Show(int command) {
  HideTooltip();
  CMrCtrl::Show(command);
}

bool CMrCtrl_Button::Move(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  HideTooltip();
  return CMrCtrl::Move(insertAfter, x, y, cx, cy, flags);
}

void CMrCtrl_Button::OnMouseMoveCursor(UINT, POINT) { ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW)); }

void CMrCtrl_Button::Apply(const ButtonEffects& effects) {
  if (effects.stopTooltipTimer && Exists()) ::KillTimer(hwnd_, kTooltipTimer);
  if (effects.hideTooltip) HideTooltip();
  if (effects.click) {
    HWND parent = ::GetParent(hwnd_);
    int id = ::GetDlgCtrlID(hwnd_);
    ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd_));
  }
  // The click may have destroyed or hidden the button.
  if (!Exists()) return;
  if (effects.redraw) Redraw(false);
  if (effects.startTooltipTimer) ::SetTimer(hwnd_, kTooltipTimer, static_cast<UINT>(tooltipDelay_), nullptr);
  if (effects.trackLeave) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 1};
    ::TrackMouseEvent(&track);
  }
}

LRESULT CMrCtrl_Button::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE: {
      OnMouseMoveCursor(static_cast<UINT>(wParam), POINT{});
      const WPARAM flags =
          MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL | MK_XBUTTON1 | MK_XBUTTON2;
      Apply(machine_.MouseMove(IsVisible(), (wParam & flags) != 0, tooltipOn_));
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Apply(machine_.LeftDown(IsVisible()));
      return 0;
    case WM_LBUTTONUP:
      Apply(machine_.LeftUp(IsVisible(), ::GetParent(hwnd_) != nullptr));
      return 0;
    case WM_MOUSELEAVE:
      Apply(machine_.MouseLeave(IsVisible()));
      return 0;
    case WM_ENABLE:
      Apply(machine_.Enable(wParam != 0));
      return 0;
    case WM_TIMER:
      if (wParam == kTooltipTimer) {
        ::KillTimer(hwnd_, kTooltipTimer);
        if (IsVisible() && machine_.State() != kButtonDisabled) {
          tooltip_->ShowForOwner(tooltipText_, tooltipRect_, tooltipDuration_);
        }
        return 0;
      }
      break;
    default:
      break;
  }
  return CMrCtrl::WindowProc(message, wParam, lParam);
}
