#pragma once

#include <array>
#include <cstdint>

// Rectangles and picture arithmetic shared by the skinned controls. Pure
// integer work, kept apart from drawing so it can be checked anywhere.

struct MrRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  // Half-open: the right and bottom edges are outside.
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  MrRect Offset(int dx, int dy) const { return MrRect{left + dx, top + dy, right + dx, bottom + dy}; }
  bool operator==(const MrRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

inline MrRect RectXYWH(int x, int y, int width, int height) { return MrRect{x, y, x + width, y + height}; }

struct MrPoint {
  int x = 0;
  int y = 0;
  bool operator==(const MrPoint& o) const { return x == o.x && y == o.y; }
};

struct NineMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
};

struct NinePart {
  MrRect dest;
  MrRect source;
};

// The nine stretched draws of a framed picture, in drawing order: the four
// corners, left and right edges, top and bottom edges, centre.
std::array<NinePart, 9> NineParts(const MrRect& dest, const NineMargins& margins, int imageWidth,
                                  int imageHeight);

// Opacity 0.0..1.0 as a constant-alpha byte, rounded up.
uint8_t OpacityToAlpha(double opacity);

// The four state bands of a button strip, top to bottom (normal, hover,
// pressed, disabled); false when the height is not a multiple of 4.
bool SplitStripRows(int width, int height, std::array<MrRect, 4>& bands);
// Four frames side by side (the list's background frames); false when the
// width is not a multiple of 4.
bool SplitStripColumns(int width, int height, std::array<MrRect, 4>& frames);

// Status strip frames: the count is at least 4, the frame width rounds up.
int StatusFrameCount(int requested);
int StatusFrameWidth(int imageWidth, int frameCount);

// ceiling(a / b) for b > 0 and a >= 0.
inline int CeilDiv(int a, int b) { return (a + b - 1) / b; }
