#include "quillon/ui/win32/ImageCtrl.h"

#include <cmath>

#include "quillon/ui/win32/ImageStore.h"

namespace {

constexpr UINT_PTR kSpinnerTimer = 1;

}  // namespace

CMrCtrl_Image::~CMrCtrl_Image() {
  StopSpinner();
  DestroyWindow();
}

bool CMrCtrl_Image::SetImage(int resourceId, const wchar_t* type, const RECT* crop) {
  return SetImage(LoadStoredImage(::GetModuleHandleW(nullptr), resourceId, type), crop);
}

bool CMrCtrl_Image::SetImage(const std::wstring& path, const RECT* crop) {
  return SetImage(LoadStoredImage(path.c_str()), crop);
}

bool CMrCtrl_Image::SetImage(CMrImage* image, const RECT* crop) {
  if (image && crop && crop->right > crop->left && crop->bottom > crop->top) {
    image = CropImage(image, crop->left, crop->top, crop->right - crop->left, crop->bottom - crop->top);
  }
  image_ = image;
  FitToImage();
  Redraw(true);
  return !IsInvalid(image_);
}

void CMrCtrl_Image::FitToImage() {
  if (!PlacementSizesControl(mode_) || IsInvalid(image_) || !Exists()) return;
  // The window's own size: during a resize the kept rectangle is not yet
  // up to date.
  RECT client;
  ::GetClientRect(hwnd_, &client);
  if (client.right == image_->GetWidth() && client.bottom == image_->GetHeight()) return;
  Move(nullptr, 0, 0, image_->GetWidth(), image_->GetHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMrCtrl_Image::SetPlacement(int mode) {
  mode_ = mode;
  FitToImage();
  Redraw(true);
}

void CMrCtrl_Image::SetStretchMargins(int left, int top, int right, int bottom) {
  margins_ = NineMargins{left, top, right, bottom};
  Redraw(false);
}

bool CMrCtrl_Image::StartSpinner(int resourceId, const wchar_t* type, int interval, const POINT* centre,
                                 int steps) {
  StopSpinner();
  overlay_ = LoadStoredImage(::GetModuleHandleW(nullptr), resourceId, type);
  spinning_ = true;
  overlayVisible_ = true;
  steps_ = SpinnerSteps(steps);
  counter_ = 0;
  centre_ = centre ? MrPoint{centre->x, centre->y} : SpinnerCentre(GetImageWidth(), GetImageHeight());
  Redraw(false);
  if (Exists()) ::SetTimer(hwnd_, kSpinnerTimer, static_cast<UINT>(interval > 0 ? interval : 1), nullptr);
  return !IsInvalid(overlay_);
}

void CMrCtrl_Image::StopSpinner() {
  if (Exists()) ::KillTimer(hwnd_, kSpinnerTimer);
  spinning_ = false;
}

void CMrCtrl_Image::DrawContent(HDC dc, int left, int top, int right, int bottom) {
  if (!IsVisible() || IsInvalid(image_)) return;
  const int w = image_->GetWidth();
  const int h = image_->GetHeight();
  if (mode_ == kPlaceStretch) {
    if (margins_.IsEmpty()) {
      image_->DrawStretched(dc, left, top, right - left, bottom - top, 0, 0, w, h, 1.0);
    } else {
      image_->DrawNinePart(dc, left, top, right, bottom, margins_.left, margins_.top, margins_.right,
                           margins_.bottom, 1.0);
    }
  } else {
    MrPoint at = ImageOrigin(mode_, MrRect{left, top, right, bottom}, w, h);
    image_->DrawAt(dc, at.x, at.y);
  }
  if (overlayVisible_ && !IsInvalid(overlay_)) {
    // The overlay turns about its own centre placed on the rotation centre.
    const double angle = SpinnerAngle(steps_, counter_);
    const double rad = angle * 3.14159265358979323846 / 180.0;
    const double hx = overlay_->GetWidth() / 2.0;
    const double hy = overlay_->GetHeight() / 2.0;
    const double cx = centre_.x - (hx * std::cos(rad) - hy * std::sin(rad));
    const double cy = centre_.y - (hx * std::sin(rad) + hy * std::cos(rad));
    overlay_->DrawRotated(dc, static_cast<int>(std::lround(cx)), static_cast<int>(std::lround(cy)), angle);
    counter_ = (counter_ + 1) % steps_;
  }
}

LRESULT CMrCtrl_Image::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: {
      LRESULT result = CMrCtrl::WindowProc(message, wParam, lParam);
      FitToImage();
      return result;
    }
    case WM_TIMER:
      if (wParam == kSpinnerTimer) {
        if (spinning_) {
          Redraw(false);
        } else {
          ::KillTimer(hwnd_, kSpinnerTimer);
        }
        return 0;
      }
      break;
    default:
      break;
  }
  return CMrCtrl::WindowProc(message, wParam, lParam);
}
