// keyboard.ini: the on-screen keyboard layout.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pointrix/buttons/KeyboardLayout.h"
#include "profile_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzProfile profile(pointrix::IniDocument::Parse(std::vector<uint8_t>(data, data + size)));
  pointrix::KeyboardLayout layout = pointrix::ReadKeyboardLayout(profile, L"keyboard.ini");
  if (layout.keys.size() > static_cast<size_t>(pointrix::kMaxLayoutKeys)) __builtin_trap();
  for (const pointrix::KeyboardLayoutKey& key : layout.keys) {
    if (key.name.size() > 199 && key.chwcode == 0) __builtin_trap();
  }
  return 0;
}
