#include "pointrix/model/ProgramSettings.h"

#include "pointrix/model/LanguageStrings.h"
#include "pointrix/model/WideText.h"

namespace pointrix {

namespace {
const wchar_t kSection[] = L"ARG";
}

ProgramSettings LoadProgramSettings(IPrivateProfile& profile, const std::wstring& setIniPath,
                                    const FileDescriptionFn& describe) {
  ProgramSettings s;
  s.language = static_cast<int>(profile.GetInt(kSection, L"language", 1033, setIniPath));
  s.pin = static_cast<int>(profile.GetInt(kSection, L"pin", 0, setIniPath));
  s.osd = profile.GetInt(kSection, L"osd", 1, setIniPath) != 0;
  s.disableAcceleration = profile.GetInt(kSection, L"disable_acc", 1, setIniPath) == 1;
  for (int i = 0; i < kLinkedProfiles; ++i) {
    std::wstring path = profile.GetString(kSection, L"app" + ToWide(i), kNoString, 1000, setIniPath);
    if (path.empty() || path == kNoString) continue;
    ApplicationLink& link = s.links[static_cast<size_t>(i)];
    link.path = path;
    std::wstring name = profile.GetString(kSection, L"app_name" + ToWide(i), kNoString, 1000, setIniPath);
    if (name.empty() || name == kNoString) name = describe ? describe(path) : std::wstring();
    link.name = name;
  }
  return s;
}

bool SaveProgramSettings(IPrivateProfile& profile, const std::wstring& setIniPath,
                         const ProgramSettings& settings) {
  bool ok = profile.WriteString(kSection, L"osd", ToWide(settings.osd ? 1 : 0), setIniPath);
  ok &=
      profile.WriteString(kSection, L"disable_acc", ToWide(settings.disableAcceleration ? 1 : 0), setIniPath);
  for (int i = 0; i < kLinkedProfiles; ++i) {
    const ApplicationLink& link = settings.links[static_cast<size_t>(i)];
    ok &= profile.WriteString(kSection, L"app" + ToWide(i), link.path, setIniPath);
    ok &= profile.WriteString(kSection, L"app_name" + ToWide(i), link.path.empty() ? L"" : link.name,
                              setIniPath);
  }
  return ok;
}

AccelerationPlan PlanPointerAcceleration(bool disableOption, const MouseAcceleration& current) {
  AccelerationPlan plan;
  bool turnOn = !disableOption && current.threshold1 < 1;
  if (!turnOn && current.speed != 10) plan.setSpeed = true;
  plan.mouse.speed = plan.setSpeed ? 10 : current.speed;
  if (turnOn) {
    plan.mouse.threshold1 = 4;
    plan.mouse.threshold2 = 12;
    plan.mouse.acceleration = 2;
  }
  return plan;
}

}  // namespace pointrix
