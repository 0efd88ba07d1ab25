#pragma once

#include <string>
#include <vector>

#include "pointrix/model/PrivateProfile.h"

// The on-screen keyboard of the button assignment dialog, read from
// keyboard.ini beside the program.
namespace pointrix {

struct LayoutRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct KeyboardLayoutKey {
  std::wstring name;  // caption, lower-cased
  int selected = 0;
  int x = 0, y = 0;
  int width = 0, height = 0;
  int code = 0;  // PC scan code
  int small_font = 0;
  int modify = 0;   // ModifierMask bit of a modifier key
  int hwcode = 0;   // HID keyboard usage
  int chwcode = 0;  // HID consumer usage of a consumer key
  int consumer_index = 0;
  LayoutRect hit_rect;  // dialog coordinates
};

struct KeyboardLayout {
  int originX = 0, originY = 0;
  std::vector<KeyboardLayoutKey> keys;
  int extentX = 0, extentY = 0;  // one past the largest right and bottom edge
};

inline constexpr int kMaxLayoutKeys = 140;

// Reads sections [SET] and [KEY 1] .. [KEY 140]; a missing file gives an
// empty layout at (0, 0).
KeyboardLayout ReadKeyboardLayout(IPrivateProfile& profile, const std::wstring& iniPath);

}  // namespace pointrix
