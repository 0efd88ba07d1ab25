#include "pointrix/macros/MacroMemory.h"

#include <algorithm>

#include "pointrix/model/DeviceMemory.h"
#include "pointrix/model/WideText.h"

namespace pointrix {

std::vector<MacroGap> FindMacroGaps(const std::array<MacroSlot, kMacroSlots>& slots,
                                    uint32_t highestAddress) {
  std::vector<int> candidates = {mem::kMacroArea};
  for (const MacroSlot& s : slots) {
    if (s.Used()) candidates.push_back(s.headerAddress + s.totalSize);
  }
  std::vector<MacroGap> gaps;
  const int top = static_cast<int>(highestAddress) - 2;
  for (int b : candidates) {
    bool occupied = false;
    int end = top;
    for (const MacroSlot& s : slots) {
      if (!s.Used()) continue;
      if (s.headerAddress == b) occupied = true;
      if (s.headerAddress > b) end = std::min(end, s.headerAddress - 1);
    }
    if (!occupied && end >= b) gaps.push_back({b, end - b + 1});
  }
  return gaps;
}

int MacroFreeSpace(const std::array<MacroSlot, kMacroSlots>& slots, uint32_t highestAddress) {
  int used = 0;
  for (const MacroSlot& s : slots) {
    if (s.Used()) used += s.totalSize;
  }
  return static_cast<int>(highestAddress) - 1025 - used;
}

std::vector<uint8_t> BuildStoredMacroCode(const std::vector<_MACRO_ITEM_>& items) {
  std::vector<uint8_t> code;
  for (const _MACRO_ITEM_& item : items) {
    const int length = InstructionLength(item.code[0]).length;
    code.insert(code.end(), item.code, item.code + length);
  }
  code.push_back(0x00);
  return code;
}

std::vector<uint8_t> MacroNameField(const std::wstring& name) {
  std::vector<uint8_t> field = WideToUtf16Le(name);
  if (field.size() > kMacroNameBytes) {
    field.resize(kMacroNameBytes);
    // Never keep half of a surrogate pair.
    const unsigned last = field[kMacroNameBytes - 2] | field[kMacroNameBytes - 1] << 8;
    if (last >= 0xD800 && last <= 0xDBFF) field.resize(kMacroNameBytes - 2);
  }
  field.resize(kMacroNameBytes, 0);
  return field;
}

int MacroMemory::FreeSpace() const { return MacroFreeSpace(model_.MacroSlots(), model_.HighestAddress()); }

int MacroMemory::AllocateMacroSpace(int size, const ProgressFn& progress) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    const auto slots = model_.MacroSlots();
    const uint32_t h = model_.HighestAddress();
    const int free = MacroFreeSpace(slots, h);
    const std::vector<MacroGap> gaps = FindMacroGaps(slots, h);
    if (free <= 0 || free < size || gaps.empty()) return 0;
    const MacroGap* best = nullptr;
    for (const MacroGap& g : gaps) {
      if (g.size >= size && (!best || g.size < best->size)) best = &g;
    }
    if (best) return best->start;
    // The total is there but scattered: move the macros together once.
    if (attempt == 0) CompactMacroMemory(progress);
  }
  return 0;
}

void MacroMemory::CompactMacroMemory(const ProgressFn& progress) {
  CommandSet& commands = model_.Commands();
  const auto slots = model_.MacroSlots();
  std::vector<int> used;
  for (int i = 0; i < kMacroSlots; ++i) {
    if (slots[i].Used() && slots[i].totalSize > 0) used.push_back(i);
  }
  if (used.empty()) return;

  // Records that already lie where compaction puts them are neither read
  // nor written again.
  std::vector<int> targets(used.size());
  for (size_t k = 0, next = mem::kMacroArea; k < used.size(); ++k) {
    targets[k] = static_cast<int>(next);
    next += static_cast<size_t>(slots[used[k]].totalSize);
  }
  std::vector<std::vector<uint8_t>> records(used.size());
  std::vector<int> offsets(used.size());
  for (size_t k = 0; k < used.size(); ++k) {
    const MacroSlot& s = slots[used[k]];
    if (targets[k] != s.headerAddress) {
      records[k].assign(static_cast<size_t>(s.totalSize), 0);
      commands.ReadMemory(static_cast<uint32_t>(s.headerAddress), records[k].data(), s.totalSize);
    }
    const ButtonAssignment a =
        model_.Button(used[k] / kButtonsPerProfile, used[k] % kButtonsPerProfile).assignment;
    offsets[k] = a.MacroAddress() - s.headerAddress;
    if (progress) progress(0.5 * static_cast<double>(k + 1) / used.size());
  }

  const int currentProfile = model_.CurrentProfile();
  bool reload = false;
  for (size_t k = 0; k < used.size(); ++k) {
    const int i = used[k];
    MacroSlot s = slots[i];
    if (targets[k] == s.headerAddress) {
      if (progress) progress(0.5 + 0.5 * static_cast<double>(k + 1) / used.size());
      continue;
    }
    const int oldHeader = s.headerAddress, oldCode = s.codeAddress;
    s.headerAddress = targets[k];
    s.codeAddress = targets[k] + (oldCode - oldHeader);
    commands.WriteMemory(static_cast<uint32_t>(s.headerAddress), records[k].data(), s.totalSize);
    model_.SetMacroSlot(i, s);
    const uint8_t entry[4] = {
        static_cast<uint8_t>(s.headerAddress & 0xFF), static_cast<uint8_t>(s.headerAddress >> 8),
        static_cast<uint8_t>(s.totalSize & 0xFF), static_cast<uint8_t>(s.totalSize >> 8)};
    commands.WriteMemory(static_cast<uint32_t>(mem::MacroDirectory(i)), entry, 4);

    // The slot's own button follows its macro.
    const int profile = i / kButtonsPerProfile, button = i % kButtonsPerProfile;
    ButtonAssignment a = model_.Button(profile, button).assignment;
    if (a.RunsStoredMacro() && a.MacroAddress() == oldCode) {
      const int moved = s.headerAddress + offsets[k];
      a.p1 = static_cast<uint8_t>(moved & 0xFF);
      a.p2 = static_cast<uint8_t>(moved >> 8);
      a.p3 = 0;
      model_.StoreButton(profile, button, a);
      WriteButtonBytes(profile, button, a, true);
      reload |= profile == currentProfile;
    }
    if (progress) progress(0.5 + 0.5 * static_cast<double>(k + 1) / used.size());
  }
  // Otherwise the mouse keeps running the old addresses until its next reload.
  if (reload) commands.ReloadButtons();
}

std::vector<MacroMemory::ButtonRef> MacroMemory::ButtonsRunning(int codeAddress) const {
  std::vector<ButtonRef> refs;
  for (int p = 0; p < kProfiles; ++p) {
    for (int b = 0; b < kButtonsPerProfile; ++b) {
      const ButtonAssignment a = model_.Button(p, b).assignment;
      if (a.RunsStoredMacro() && a.MacroAddress() == codeAddress) refs.push_back({p, b});
    }
  }
  return refs;
}

void MacroMemory::WriteButtonBytes(int profile, int button, const ButtonAssignment& a, bool withP3) {
  CommandSet& commands = model_.Commands();
  if (!withP3) commands.WriteMemoryByte(static_cast<uint32_t>(mem::ButtonType(profile, button)), a.type);
  commands.WriteMemoryByte(static_cast<uint32_t>(mem::ButtonP1(profile, button)), a.p1);
  commands.WriteMemoryByte(static_cast<uint32_t>(mem::ButtonP2(profile, button)), a.p2);
  if (withP3) commands.WriteMemoryByte(static_cast<uint32_t>(mem::ButtonP3(profile, button)), a.p3);
}

StoreResult MacroMemory::StoreMacro(int slot, int runType, const std::wstring& name,
                                    const std::vector<_MACRO_ITEM_>& items, const ProgressFn& progress) {
  if (slot < 0 || slot >= kMacroSlots) return StoreResult::kFailed;
  // The run type becomes the function type of the buttons that run the
  // macro: anything but 9 or 10 is run-once, as the mouse reads it.
  if (runType != 9 && runType != 10) runType = 8;
  const std::vector<uint8_t> code = BuildStoredMacroCode(items);
  const int size = kMacroHeaderSize + static_cast<int>(code.size());
  const MacroSlot old = model_.GetMacroSlot(slot);
  // Taken before anything moves, so a macro compacted onto the old address
  // cannot be mistaken for this one. An empty slot has no followers.
  const std::vector<ButtonRef> followers =
      old.Used() ? ButtonsRunning(old.codeAddress) : std::vector<ButtonRef>();

  model_.SetMacroSlot(slot, MacroSlot());  // its own space counts as free
  const int header = AllocateMacroSpace(size, progress);
  if (header == 0) {
    model_.SetMacroSlot(slot, old);
    return StoreResult::kNoSpace;
  }

  const std::vector<uint8_t> nameField = MacroNameField(name);
  MacroSlot s;
  s.name = Utf16LeToWideZ(nameField.data(), nameField.size());
  s.headerAddress = header;
  s.codeAddress = header + kMacroHeaderSize;
  s.totalSize = size;
  s.runType = runType;
  model_.SetMacroSlot(slot, s);

  CommandSet& commands = model_.Commands();
  const uint8_t entry[4] = {static_cast<uint8_t>(header & 0xFF), static_cast<uint8_t>(header >> 8),
                            static_cast<uint8_t>(size & 0xFF), static_cast<uint8_t>(size >> 8)};
  commands.WriteMemory(static_cast<uint32_t>(mem::MacroDirectory(slot)), entry, 4);
  const uint8_t type = static_cast<uint8_t>(runType);
  commands.WriteMemory(static_cast<uint32_t>(mem::MacroRunType(slot)), &type, 1);
  commands.WriteMemoryByte(static_cast<uint32_t>(header), kMacroNameBytes);
  commands.WriteMemory(static_cast<uint32_t>(header + 1), nameField.data(), kMacroNameBytes);
  for (size_t offset = 0; offset < code.size(); offset += kMacroStorePiece) {
    const int piece = static_cast<int>(std::min<size_t>(kMacroStorePiece, code.size() - offset));
    commands.WriteMemory(static_cast<uint32_t>(s.codeAddress + static_cast<int>(offset)),
                         code.data() + offset, piece);
    if (progress) progress(static_cast<double>(offset + static_cast<size_t>(piece)) / code.size());
  }

  const int currentProfile = model_.CurrentProfile();
  bool reload = false;
  for (const ButtonRef& r : followers) {
    ButtonAssignment a = model_.Button(r.profile, r.button).assignment;
    a.type = type;
    a.p1 = static_cast<uint8_t>(s.codeAddress & 0xFF);
    a.p2 = static_cast<uint8_t>(s.codeAddress >> 8);
    model_.StoreButton(r.profile, r.button, a);
    WriteButtonBytes(r.profile, r.button, a, false);
    reload |= r.profile == currentProfile;
  }
  if (reload) commands.ReloadButtons();
  model_.NotifyMacroLibraryChanged();
  return StoreResult::kStored;
}

void MacroMemory::DeleteMacro(int slot) {
  if (slot < 0 || slot >= kMacroSlots) return;
  const MacroSlot old = model_.GetMacroSlot(slot);
  model_.SetMacroSlot(slot, MacroSlot());
  CommandSet& commands = model_.Commands();
  const uint8_t zeros[4] = {0, 0, 0, 0};
  commands.WriteMemory(static_cast<uint32_t>(mem::MacroDirectory(slot)), zeros, 4);
  const int currentProfile = model_.CurrentProfile();
  bool reload = false;
  if (old.Used()) {
    for (const ButtonRef& r : ButtonsRunning(old.codeAddress)) {
      const ButtonAssignment reset{0, 0, 0, 0};
      model_.StoreButton(r.profile, r.button, reset);
      WriteButtonBytes(r.profile, r.button, reset, false);
      reload |= r.profile == currentProfile;
    }
  }
  if (reload) commands.ReloadButtons();
  model_.NotifyMacroLibraryChanged();
}

std::vector<_MACRO_ITEM_> MacroMemory::LoadMacroFromDevice(int slot, const ProgressFn& progress) {
  const MacroSlot s = model_.GetMacroSlot(slot);
  if (!s.Used() || s.totalSize <= 0) return {};
  std::vector<uint8_t> record(static_cast<size_t>(s.totalSize), 0);
  CommandSet& commands = model_.Commands();
  for (int offset = 0; offset < s.totalSize; offset += 32) {
    commands.ReadMemory(static_cast<uint32_t>(s.headerAddress + offset), record.data() + offset,
                        std::min(32, s.totalSize - offset));
    if (progress) progress(static_cast<double>(std::min(offset + 32, s.totalSize)) / s.totalSize);
  }
  const size_t start = 1 + static_cast<size_t>(record[0]);
  if (start >= record.size()) return {};
  return SplitMacroCode(record.data() + start, record.size() - start);
}

}  // namespace pointrix
