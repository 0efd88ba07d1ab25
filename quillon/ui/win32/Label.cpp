#include "quillon/ui/win32/Label.h"

#include "quillon/ui/LabelLayout.h"
#include "quillon/ui/win32/GdiScoped.h"

void CMrCtrl_Label::SetLineSpacing(double factor) {
  if (!(factor > 0.0)) return;
  spacing_ = factor;
  Redraw(false);
}

int CMrCtrl_Label::GetPreferredWidth() const {
  std::wstring text = GetText();
  return LabelPreferredWidth(MeasureText(text), text.empty());
}

void CMrCtrl_Label::DrawContent(HDC dc, int left, int top, int right, int bottom) {
  if (!IsVisible()) return;
  RECT box{left + 1, top + 1, right - 1, bottom - 1};
  ::SetBkMode(dc, TRANSPARENT);
  SelectScope font(dc, GetFont());
  const std::wstring text = GetText();
  if (spacing_ == 1.0) {
    DrawShadowedText(dc, text, box, format_, textColor_);
    return;
  }
  SIZE whole{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &whole);
  auto fit = [dc](const std::wstring& rest, int width) {
    int count = 0;
    SIZE size{};
    if (!::GetTextExtentExPointW(dc, rest.c_str(), static_cast<int>(rest.size()), width, &count, nullptr,
                                 &size))
      return 0;
    return count;
  };
  MrRect area{box.left, box.top, box.right, box.bottom};
  for (const LaidLine& line : LayoutLabelLines(text, area, whole.cy, spacing_, fit)) {
    RECT lineBox{line.box.left, line.box.top, line.box.right, line.box.bottom};
    DrawShadowedText(dc, line.text, lineBox, format_, textColor_);
  }
}
