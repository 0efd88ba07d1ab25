// Macro files (".mf", versions 6.1 and 6.2) and the instruction texts of
// their code.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pointrix/macros/MacroCode.h"
#include "pointrix/macros/MacroFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  pointrix::MacroFileHeader header;
  std::vector<uint8_t> code;
  if (pointrix::DecodeMacroFile(bytes, header, &code) == pointrix::MacroFileStatus::kOk) {
    if (code.size() != header.codeLength || code.size() > size) __builtin_trap();
    std::vector<pointrix::_MACRO_ITEM_> items = pointrix::SplitMacroCode(code.data(), code.size());
    for (const pointrix::_MACRO_ITEM_& item : items) pointrix::FormatInstructionText(item);
    std::vector<uint8_t> again =
        pointrix::EncodeMacroFile(header.name, header.runType, items, header.saveTime);
    pointrix::MacroFileHeader reread;
    if (pointrix::DecodeMacroFile(again, reread, nullptr) != pointrix::MacroFileStatus::kOk) __builtin_trap();
  }
  // The code of the mouse's memory goes through the same split.
  for (const pointrix::_MACRO_ITEM_& item : pointrix::SplitMacroCode(data, size)) {
    pointrix::FormatInstructionText(item);
  }
  return 0;
}
