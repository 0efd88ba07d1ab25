#include "quillon/engine/FolderMeasure.h"

#include <vector>

#include "quillon/engine/TextCodec.h"

uint64_t MeasureFolder(const IFileSource& files, const std::wstring& folder, const std::wstring& filter,
                       uint64_t& counter) {
  if (!files.Exists(folder)) return 0;
  const std::wstring upperFilter = UpperText(filter);
  uint64_t bytes = 0;
  // An explicit stack: a deep tree must not exhaust the scan thread's stack.
  std::vector<std::wstring> pending{folder};
  while (!pending.empty()) {
    const std::wstring current = std::move(pending.back());
    pending.pop_back();
    files.ListFolder(current, [&](const FolderEntry& entry) {
      if (entry.name == L"." || entry.name == L"..") return;
      if (entry.isDirectory) {
        pending.push_back(current + L"\\" + entry.name);
      } else if (upperFilter.empty() || UpperText(entry.name).find(upperFilter) != std::wstring::npos) {
        ++counter;
        bytes += entry.size;
      }
    });
  }
  return bytes;
}
