#include "quillon/ui/SkinGeometry.h"

#include <cmath>

std::array<NinePart, 9> NineParts(const MrRect& d, const NineMargins& m, int w, int h) {
  const int l = m.left, t = m.top, r = m.right, b = m.bottom;
  const int midH = d.bottom - d.top - b - t;
  const int midW = d.right - d.left - l - r;
  const int srcMidH = h - b - t;
  const int srcMidW = w - r - l;
  return {{
      {RectXYWH(d.left, d.top, l, t), RectXYWH(0, 0, l, t)},
      {RectXYWH(d.right - r, d.top, r, t), RectXYWH(w - r, 0, r, t)},
      {RectXYWH(d.left, d.bottom - b, l, b), RectXYWH(0, h - b, l, b)},
      {RectXYWH(d.right - r, d.bottom - b, r, b), RectXYWH(w - r, h - b, r, b)},
      {RectXYWH(d.left, d.top + t, l, midH), RectXYWH(0, t, l, srcMidH)},
      {RectXYWH(d.right - r, d.top + t, r, midH), RectXYWH(w - r, t, r, srcMidH)},
      {RectXYWH(d.left + l, d.top, midW, t), RectXYWH(l, 0, srcMidW, t)},
      {RectXYWH(d.left + l, d.bottom - b, midW, b), RectXYWH(l, h - b, srcMidW, b)},
      {RectXYWH(d.left + l, d.top + t, midW, midH), RectXYWH(l, t, srcMidW, srcMidH)},
  }};
}

uint8_t OpacityToAlpha(double opacity) {
  if (!(opacity > 0.0)) return 0;  // also NaN
  double alpha = std::ceil(opacity * 255.0);
  return alpha >= 255.0 ? 255 : static_cast<uint8_t>(alpha);
}

bool SplitStripRows(int width, int height, std::array<MrRect, 4>& bands) {
  if (width <= 0 || height <= 0 || height % 4 != 0) return false;
  int h = height / 4;
  for (int i = 0; i < 4; ++i) bands[i] = RectXYWH(0, i * h, width, h);
  return true;
}

bool SplitStripColumns(int width, int height, std::array<MrRect, 4>& frames) {
  if (width <= 0 || height <= 0 || width % 4 != 0) return false;
  int w = width / 4;
  for (int i = 0; i < 4; ++i) frames[i] = RectXYWH(i * w, 0, w, height);
  return true;
}

int StatusFrameCount(int requested) { return requested < 4 ? 4 : requested; }

int StatusFrameWidth(int imageWidth, int frameCount) {
  if (imageWidth <= 0) return 0;
  return CeilDiv(imageWidth, StatusFrameCount(frameCount));
}
