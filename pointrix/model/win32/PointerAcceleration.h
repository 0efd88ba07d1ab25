#pragma once

namespace pointrix {

// Applies the "disable_acc" option to the system's mouse parameters
// (pointer speed and acceleration, saved to the user profile and broadcast).
void ApplyPointerAcceleration(bool disableOption);

}  // namespace pointrix
