#pragma once

#include <cstdint>

namespace pointrix {

// The function of one button, four bytes as in device memory. Type 0 is the
// mouse's built-in default for the button.
struct ButtonAssignment {
  uint8_t type = 0;
  uint8_t p1 = 0;
  uint8_t p2 = 0;
  uint8_t p3 = 0;

  bool operator==(const ButtonAssignment& o) const {
    return type == o.type && p1 == o.p1 && p2 == o.p2 && p3 == o.p3;
  }
  bool operator!=(const ButtonAssignment& o) const { return !(*this == o); }

  // Types 8, 9, 10 with p3 = 0 run a macro stored in device memory at the
  // code address p1 + 256 * p2.
  bool RunsStoredMacro() const { return type >= 8 && type <= 10 && p3 == 0; }
  int MacroAddress() const { return p1 + 256 * p2; }
};

}  // namespace pointrix
