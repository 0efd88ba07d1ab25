#include "quillon/ui/LabelLayout.h"

#include <cmath>

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

}  // namespace

std::wstring TrimBlanks(const std::wstring& text) {
  size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::vector<LaidLine> LayoutLabelLines(const std::wstring& text, const MrRect& area, int lineHeight,
                                       double spacing, const FitCounter& fit) {
  std::vector<LaidLine> lines;
  std::wstring rest = TrimBlanks(text);
  MrRect box{area.left, area.top, area.right, area.top + lineHeight};
  const int advance = static_cast<int>(std::ceil(lineHeight * spacing));
  while (!rest.empty()) {
    int count = fit(rest, area.Width());
    if (count <= 0) break;
    size_t cut = std::min(static_cast<size_t>(count), rest.size());
    std::wstring line = rest.substr(0, cut);
    if (cut < rest.size() && !IsBlank(rest[cut])) {
      size_t blank = line.find_last_of(L" \t");
      if (blank != std::wstring::npos && blank > 0) {
        cut = blank;
        line.resize(blank);
      }
    }
    lines.push_back(LaidLine{line, box});
    rest = TrimBlanks(rest.substr(cut));
    // Lines must advance even for a zero spacing, or the loop never ends.
    box.top += advance > 0 ? advance : 1;
    box.bottom = box.top + lineHeight;
  }
  return lines;
}
