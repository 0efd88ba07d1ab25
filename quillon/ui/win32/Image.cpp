#include "quillon/ui/win32/Image.h"

#include <objidl.h>
// GDI+ needs min/max, which NOMINMAX hides.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cmath>
#include <cstring>

#include "quillon/ui/SkinGeometry.h"

namespace {

uint32_t Premultiply(uint32_t argb) {
  uint32_t a = argb >> 24;
  if (a == 255) return argb;
  if (a == 0) return 0;
  auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
  uint32_t r = scale((argb >> 16) & 0xFF);
  uint32_t g = scale((argb >> 8) & 0xFF);
  uint32_t b = scale(argb & 0xFF);
  return (a << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace

CMrImage::CMrImage(Gdiplus::Bitmap* bitmap) : bitmap_(bitmap) {
  if (!bitmap_) {
    status_ = Gdiplus::InvalidParameter;
    return;
  }
  status_ = bitmap_->GetLastStatus();
  if (status_ != Gdiplus::Ok) return;
  width_ = static_cast<int>(bitmap_->GetWidth());
  height_ = static_cast<int>(bitmap_->GetHeight());
  if (width_ <= 0 || height_ <= 0) {
    status_ = Gdiplus::InvalidParameter;
    return;
  }
  // The premultiplied copy is made once here so that every later draw is a
  // plain AlphaBlend.
  Gdiplus::Rect all(0, 0, width_, height_);
  Gdiplus::BitmapData data{};
  status_ = bitmap_->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data);
  if (status_ != Gdiplus::Ok) return;
  premultiplied_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
  for (int y = 0; y < height_; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) +
                                                        static_cast<ptrdiff_t>(y) * data.Stride);
    for (int x = 0; x < width_; ++x)
      premultiplied_[static_cast<size_t>(y) * width_ + x] = Premultiply(row[x]);
  }
  bitmap_->UnlockBits(&data);
}

CMrImage::~CMrImage() {
  DropCache();
  delete bitmap_;
}

bool CMrImage::IsInvalid() const { return bitmap_ == nullptr || status_ != 0; }

uint32_t CMrImage::PixelAt(int x, int y) const {
  if (IsInvalid() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  Gdiplus::Color color;
  if (bitmap_->GetPixel(x, y, &color) != Gdiplus::Ok) return 0;
  return color.GetValue();
}

void CMrImage::DropCache() {
  if (dib_) ::DeleteObject(dib_);
  dib_ = nullptr;
}

bool CMrImage::EnsureDib() {
  if (dib_) return true;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top row first, like the pixel copy
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dib_ = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib_ || !bits) {
    DropCache();
    return false;
  }
  std::memcpy(bits, premultiplied_.data(), premultiplied_.size() * sizeof(uint32_t));
  ::GdiFlush();
  return true;
}

bool CMrImage::DrawAt(HDC dc, int x, int y) {
  return DrawStretched(dc, x, y, width_, height_, 0, 0, width_, height_, 1.0);
}

bool CMrImage::DrawStretched(HDC dc, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh,
                             double opacity) {
  if (IsInvalid() || !dc) return false;
  // An empty part (a zero margin of a nine-part frame) has nothing to draw.
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return true;
  BYTE alpha = OpacityToAlpha(opacity);
  if (EnsureDib()) {
    HDC source = ::CreateCompatibleDC(dc);
    if (source) {
      HGDIOBJ old = ::SelectObject(source, dib_);
      BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
      BOOL ok = ::AlphaBlend(dc, dx, dy, dw, dh, source, sx, sy, sw, sh, blend);
      ::SelectObject(source, old);
      ::DeleteDC(source);
      if (ok) return true;
    }
    DropCache();
  }
  return DrawWithGdiplus(dc, dx, dy, dw, dh, sx, sy, sw, sh, opacity);
}

bool CMrImage::DrawWithGdiplus(HDC dc, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh,
                               double opacity) {
  Gdiplus::Graphics graphics(dc);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0},
                                  {0, 1, 0, 0, 0},
                                  {0, 0, 1, 0, 0},
                                  {0, 0, 0, static_cast<Gdiplus::REAL>(std::max(0.0, opacity)), 0},
                                  {0, 0, 0, 0, 1}}};
  Gdiplus::ImageAttributes attributes;
  attributes.SetColorMatrix(&matrix, Gdiplus::ColorMatrixFlagsDefault, Gdiplus::ColorAdjustTypeBitmap);
  // One pixel less on the source side keeps the interpolation from pulling
  // in the transparent area beyond the picture's edge.
  Gdiplus::Status status =
      graphics.DrawImage(bitmap_, Gdiplus::Rect(dx, dy, dw, dh), sx, sy, std::max(1, sw - 1),
                         std::max(1, sh - 1), Gdiplus::UnitPixel, &attributes);
  return status == Gdiplus::Ok;
}

bool CMrImage::DrawNinePart(HDC dc, int left, int top, int right, int bottom, int marginLeft, int marginTop,
                            int marginRight, int marginBottom, double opacity) {
  if (IsInvalid()) return false;
  NineMargins margins{marginLeft, marginTop, marginRight, marginBottom};
  for (const NinePart& part : NineParts(MrRect{left, top, right, bottom}, margins, width_, height_)) {
    if (!DrawStretched(dc, part.dest.left, part.dest.top, part.dest.Width(), part.dest.Height(),
                       part.source.left, part.source.top, part.source.Width(), part.source.Height(), opacity))
      return false;
  }
  return true;
}

bool CMrImage::DrawRotated(HDC dc, int x, int y, double degrees) {
  if (IsInvalid() || !dc) return false;
  Gdiplus::Graphics graphics(dc);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.TranslateTransform(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y));
  graphics.RotateTransform(static_cast<Gdiplus::REAL>(degrees));
  return graphics.DrawImage(bitmap_, 0, 0, width_, height_) == Gdiplus::Ok;
}
