#include "pointrix/model/TextFormat.h"

#include "pointrix/model/WideText.h"

namespace pointrix {

std::wstring FormatText(const std::wstring& format, std::initializer_list<TextArg> args) {
  std::wstring out;
  auto next = args.begin();
  size_t i = 0;
  while (i < format.size()) {
    wchar_t c = format[i];
    if (c != L'%' || i + 1 >= format.size()) {
      out.push_back(c);
      ++i;
      continue;
    }
    wchar_t k = format[i + 1];
    size_t width = 2;
    if (k == L'l' && i + 2 < format.size() && (format[i + 2] == L's' || format[i + 2] == L'd')) {
      k = format[i + 2];
      width = 3;
    }
    if (k == L'%') {
      out.push_back(L'%');
      i += 2;
      continue;
    }
    bool wantsNumber = (k == L'd' || k == L'i' || k == L'u');
    bool wantsText = (k == L's' || k == L'S');
    if ((wantsNumber || wantsText) && next != args.end() && next->IsNumber() == wantsNumber) {
      out += wantsNumber ? ToWide(next->Number()) : next->Text();
      ++next;
    } else {
      out.append(format, i, width);
    }
    i += width;
  }
  return out;
}

}  // namespace pointrix
