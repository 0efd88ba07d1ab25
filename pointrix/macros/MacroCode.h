#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The mouse's macro instruction byte code and the item list built on it.
namespace pointrix {

// One instruction in memory.
struct _MACRO_ITEM_ {
  int32_t length = 0;  // valid bytes in code (1..5)
  uint8_t code[8] = {};
  uint32_t stamp = 0;  // tick count when the editor inserted it; never saved
};

struct InstructionInfo {
  int length;  // 0 for a byte that is not an opcode
  int kind;    // 0 instruction, 2 run-mode marker, -1 not an opcode
};

// Length and kind follow from the opcode alone.
InstructionInfo InstructionLength(uint8_t opcode);

// Splits code into items up to the first 0x00 (end of macro). A byte that is
// not an opcode, or an instruction cut off by the end of the data, also ends
// the split.
std::vector<_MACRO_ITEM_> SplitMacroCode(const uint8_t* code, size_t size);

// The valid bytes of all items, in order, without an end instruction.
std::vector<uint8_t> SerializeMacroCode(const std::vector<_MACRO_ITEM_>& items);

// Makes an item of one instruction (bytes past its length are ignored).
_MACRO_ITEM_ MakeMacroItem(std::initializer_list<uint8_t> bytes);

// The one-line text of an instruction.
std::wstring FormatInstructionText(const _MACRO_ITEM_& item);

// "One time mode", "Loop mode" (9) or "Firekey mode" (10).
std::wstring RunTypeText(int runType);

}  // namespace pointrix
