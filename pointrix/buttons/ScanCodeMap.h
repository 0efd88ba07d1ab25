#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Translation between HID keyboard usages and PC scan codes (set 1; extended
// keys as 0xE000 plus the code after the E0 prefix), read from the program's
// text resource 163.
namespace pointrix {

class ScanCodeMap {
 public:
  // Parses UTF-16LE text (optionally starting with a byte-order mark) of
  // lines "usage scancode". Lines without a blank, or starting with one, are
  // skipped; a usage outside 0..255 lands in slot 0.
  static ScanCodeMap FromText(const std::vector<uint8_t>& utf16Text);

  int32_t UsageToScanCode(int usage) const;
  // Smallest usage 0..254 whose non-zero slot equals code; 0 if none.
  int ScanCodeToUsage(int32_t code) const;

  const std::array<int32_t, 256>& Slots() const { return slots_; }

 private:
  std::array<int32_t, 256> slots_{};
};

// The text the program ships as resource 163 (UTF-16LE with mark, CR LF).
std::vector<uint8_t> BuiltInScanCodeText();

// Source of resource 163 for the process-wide map. Set it before first use
// (the Windows layer loads the real resource); by default the built-in text.
using ScanCodeTextSource = std::vector<uint8_t> (*)();
void SetScanCodeTextSource(ScanCodeTextSource source);

// The process-wide map, filled on first use.
const ScanCodeMap& GlobalScanCodeMap();

int32_t UsageToScanCode(int usage);
int ScanCodeToUsage(int32_t code);

}  // namespace pointrix
