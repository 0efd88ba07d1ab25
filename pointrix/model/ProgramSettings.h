#pragma once

#include <array>
#include <functional>
#include <string>

#include "pointrix/model/PrivateProfile.h"

// The user's program options in set.ini (section "ARG"): language, remote
// PIN, the DPI display switch, the pointer-acceleration switch and the
// program linked to each profile.
namespace pointrix {

inline constexpr int kLinkedProfiles = 5;

struct ApplicationLink {
  std::wstring path;  // empty: the profile has no linked program
  std::wstring name;  // display name
};

struct ProgramSettings {
  int language = 1033;
  int pin = 0;
  bool osd = true;
  bool disableAcceleration = true;
  std::array<ApplicationLink, kLinkedProfiles> links;
};

// Display name of a program file when set.ini has none (its file
// description on Windows).
using FileDescriptionFn = std::function<std::wstring(const std::wstring& path)>;

// Reads "language", "pin", "osd", "disable_acc" and the application links.
ProgramSettings LoadProgramSettings(IPrivateProfile& profile, const std::wstring& setIniPath,
                                    const FileDescriptionFn& describe);

// Writes "osd", "disable_acc" and all ten application keys (empty texts for
// unlinked profiles).
bool SaveProgramSettings(IPrivateProfile& profile, const std::wstring& setIniPath,
                         const ProgramSettings& settings);

// The operating system's pointer-acceleration parameters.
struct MouseAcceleration {
  int threshold1 = 0;
  int threshold2 = 0;
  int acceleration = 0;
  int speed = 10;
};

struct AccelerationPlan {
  bool setSpeed = false;    // set the pointer speed to 10
  MouseAcceleration mouse;  // thresholds and acceleration to write
};

// What the "disable_acc" option does to the current parameters: turning
// acceleration on (4, 12, 2) only when the option is off and acceleration is
// currently off; otherwise it is turned off (0, 0, 0) with speed 10.
AccelerationPlan PlanPointerAcceleration(bool disableOption, const MouseAcceleration& current);

}  // namespace pointrix
