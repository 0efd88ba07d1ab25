#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace Gdiplus {
class Bitmap;
}

// A skin picture: a 32-bit ARGB GDI+ bitmap, a premultiplied copy of its
// pixels made at load time, and a DIB made from that copy on the first fast
// draw, so that drawing at any opacity is one AlphaBlend. Draws fall back to
// GDI+ when AlphaBlend refuses. Every operation on an invalid image does
// nothing and returns false.
class CMrImage {
 public:
  // Takes ownership of the bitmap (may be null: an invalid image).
  explicit CMrImage(Gdiplus::Bitmap* bitmap);
  ~CMrImage();
  CMrImage(const CMrImage&) = delete;
  CMrImage& operator=(const CMrImage&) = delete;

  bool IsInvalid() const;
  int GetWidth() const { return IsInvalid() ? 0 : width_; }
  int GetHeight() const { return IsInvalid() ? 0 : height_; }
  Gdiplus::Bitmap* GetBitmap() const { return bitmap_; }

  // Unscaled, full opacity.
  bool DrawAt(HDC dc, int x, int y);
  // opacity 0.0..1.0.
  bool DrawStretched(HDC dc, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh, double opacity);
  // Corners unscaled, edges stretched in one direction, centre in both.
  bool DrawNinePart(HDC dc, int left, int top, int right, int bottom, int marginLeft, int marginTop,
                    int marginRight, int marginBottom, double opacity);
  // Top-left corner at (x, y) after turning the drawing coordinates by
  // `degrees` about (x, y).
  bool DrawRotated(HDC dc, int x, int y, double degrees);

  // The pixel at (x, y) as 0xAARRGGBB, not premultiplied; 0 outside.
  uint32_t PixelAt(int x, int y) const;
  // Drops the cached DIB so the next draw rebuilds it (after AlphaBlend failed).
  void DropCache();
  bool HasCachedDib() const { return dib_ != nullptr; }

 private:
  bool DrawWithGdiplus(HDC dc, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh,
                       double opacity);
  bool EnsureDib();

  Gdiplus::Bitmap* bitmap_;
  int status_ = 0;  // last GDI+ status; non-zero makes the image invalid
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> premultiplied_;  // width_ * height_, top row first
  HBITMAP dib_ = nullptr;
};

// Null-safe forms used by the controls.
inline bool IsInvalid(const CMrImage* image) { return image == nullptr || image->IsInvalid(); }
inline int GetWidth(const CMrImage* image) { return image ? image->GetWidth() : 0; }
inline int GetHeight(const CMrImage* image) { return image ? image->GetHeight() : 0; }
