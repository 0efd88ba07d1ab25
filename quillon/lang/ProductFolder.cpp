#include "quillon/lang/ProductFolder.h"

std::wstring ProductFolderName(const std::wstring& productName, const std::wstring& programPath) {
  if (!productName.empty() && productName.find(L"TODO:") == std::wstring::npos) {
    std::wstring name = productName;
    for (wchar_t& c : name)
      if (c == L' ') c = L'_';
    return name;
  }
  size_t slash = programPath.rfind(L'\\');
  size_t start = slash == std::wstring::npos ? 0 : slash + 1;
  size_t dot = programPath.rfind(L'.');
  size_t end = dot == std::wstring::npos || dot < start ? programPath.size() : dot;
  std::wstring name = programPath.substr(start, end - start);
  return name.empty() ? std::wstring(L"brivaneproduct") : name;
}
