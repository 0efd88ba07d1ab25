#pragma once

#include <array>
#include <string>
#include <vector>

#include "pointrix/macros/MacroCode.h"
#include "pointrix/model/ConfigModel.h"

// The macros kept in the mouse's own memory above the settings area: where
// they lie, how space is found for them (best fit, with compaction when only
// the total free space suffices), and storing, deleting and loading them.
//
// Record of a macro at its header address: one byte 32 (the length of the
// name field), the name in 32 bytes of UTF-16LE, then the code ending in 0x00.
namespace pointrix {

inline constexpr int kMacroHeaderSize = 33;
inline constexpr int kMacroNameBytes = 32;
inline constexpr int kMacroStorePiece = 128;

struct MacroGap {
  int start;
  int size;
};

// The gaps between the stored macros, from 1024 to H - 2, in the order the
// allocator considers them.
std::vector<MacroGap> FindMacroGaps(const std::array<MacroSlot, kMacroSlots>& slots, uint32_t highestAddress);
// H - 1025 - the sizes of all stored macros.
int MacroFreeSpace(const std::array<MacroSlot, kMacroSlots>& slots, uint32_t highestAddress);

// The code as the mouse stores it: the items (lengths taken from their
// opcodes) and one 0x00.
std::vector<uint8_t> BuildStoredMacroCode(const std::vector<_MACRO_ITEM_>& items);
// The 32-byte name field: at most 16 UTF-16 units, zero-padded.
std::vector<uint8_t> MacroNameField(const std::wstring& name);

enum class StoreResult {
  kStored,
  kNoSpace,  // the caller shows msg_str19 "Lack of space !!"; nothing was written
  kFailed,   // no such slot
};

// The operations run on worker threads; each device exchange takes the
// transport lock on its own, and the model guards its tables.
class MacroMemory {
 public:
  explicit MacroMemory(ConfigModel& model) : model_(model) {}

  int FreeSpace() const;
  // Header address for a record of size bytes, 0 when it does not fit.
  int AllocateMacroSpace(int size, const ProgressFn& progress = nullptr);
  // Moves all stored macros together from 1024 on, in slot order; each
  // slot's own button follows its macro.
  void CompactMacroMemory(const ProgressFn& progress = nullptr);

  StoreResult StoreMacro(int slot, int runType, const std::wstring& name,
                         const std::vector<_MACRO_ITEM_>& items, const ProgressFn& progress = nullptr);
  // Frees the slot; every button that ran the macro returns to its default.
  void DeleteMacro(int slot);
  std::vector<_MACRO_ITEM_> LoadMacroFromDevice(int slot, const ProgressFn& progress = nullptr);

 private:
  struct ButtonRef {
    int profile;
    int button;
  };
  // Buttons of every profile that run the stored macro at codeAddress.
  std::vector<ButtonRef> ButtonsRunning(int codeAddress) const;
  void WriteButtonBytes(int profile, int button, const ButtonAssignment& a, bool withP3);

  ConfigModel& model_;
};

}  // namespace pointrix
