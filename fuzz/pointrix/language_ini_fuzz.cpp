// language.ini: every string family, then the formats that take arguments.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pointrix/model/LanguageStrings.h"
#include "pointrix/model/TextFormat.h"
#include "profile_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pointrix::IniDocument doc = pointrix::IniDocument::Parse(std::vector<uint8_t>(data, data + size));
  doc.Serialize();
  FuzzProfile profile(doc);
  pointrix::LanguageStrings strings;
  strings.Load(profile, 1031, L"language.ini");
  pointrix::FormatText(strings.Get(L"msg_str", 9), {7166});
  pointrix::FormatText(strings.Get(L"msg_str", 25), {L"macro"});
  pointrix::FormatText(strings.Get(L"macro_str", 11), {-1, 5});
  pointrix::FormatText(strings.Get(L"macro_str", 3), {L"A"});
  strings.Get(L"drag_tip_str", 0);
  return 0;
}
