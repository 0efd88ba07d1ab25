#pragma once

#include <functional>
#include <string>
#include <vector>

#include "quillon/ui/SkinGeometry.h"

// The label's own line layout, used when the line spacing is not 1.0.

struct LaidLine {
  std::wstring text;
  MrRect box;
};

// How many leading characters of `text` fit into `width` pixels.
using FitCounter = std::function<int(const std::wstring& text, int width)>;

// Breaks `text` into lines inside `area`: a line is cut at its last blank when
// the next character is not one, and a word longer than the width is broken
// at the width. Each line box is `lineHeight` high; successive lines start
// ceiling(lineHeight * spacing) apart.
std::vector<LaidLine> LayoutLabelLines(const std::wstring& text, const MrRect& area, int lineHeight,
                                       double spacing, const FitCounter& fit);

// Blanks and line ends at both ends removed.
std::wstring TrimBlanks(const std::wstring& text);

// A label's preferred width: text width + 2, or 0 for an empty text.
inline int LabelPreferredWidth(int textWidth, bool empty) { return empty ? 0 : textWidth + 2; }
