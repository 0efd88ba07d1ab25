#include "quillon/lang/Text.h"

#include <atomic>

namespace {
std::atomic<TextLoader> g_loader{nullptr};
}

void SetTextLoader(TextLoader loader) { g_loader.store(loader); }

std::wstring LoadText(unsigned id) {
  TextLoader loader = g_loader.load();
  return loader ? loader(id) : std::wstring();
}
