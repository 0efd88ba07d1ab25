// Storing a 2 KiB macro in a fragmented macro memory (the total free space
// suffices, no single gap does, so the memory is compacted first), against
// the simulated mouse's timing model: 1 ms per feature-report transfer plus
// the sleeps the exchange rules require, on the simulator's virtual clock.
//
// Printed as a ratio to the protocol floor, measured in the same run on an
// identical mouse: the least traffic the result needs - read each macro that
// has to move, write it at its new place with its directory entry, then
// write the new macro's record, directory entry and run type - sent with the
// command set's own memory requests and nothing else.
#include <cstdio>
#include <vector>

#include "pointrix/device/CommandSet.h"
#include "pointrix/macros/MacroMemory.h"
#include "pointrix/model/ConfigModel.h"
#include "tools/simmouse/SimMouse.h"

namespace {

constexpr int kMacros = 10;
constexpr int kRecord = 400;  // bytes per stored macro
constexpr int kGap = 250;     // free bytes after each
constexpr int kCodeBytes = 2048;

struct Rig {
  simmouse::SimMouseHub hub{simmouse::Timing{1000, false}};
  int id;
  DeviceRegistry registry;
  DeviceTransport transport{hub, hub.VirtualSleeper()};
  CommandSet commands{transport, registry};

  Rig() {
    auto config = simmouse::StandardMouse(0);
    config.memorySize = 8 * 1024;
    id = hub.AddMouse(config);
    registry.SetCurrentPath(LowerCasePath(config.path));
    for (int i = 0; i < kMacros; ++i) {
      const int header = 1024 + i * (kRecord + kGap);
      std::vector<uint8_t> record(kRecord, 0x20);
      record[0] = 32;
      for (int k = 1; k < 33; ++k) record[k] = 0;
      record[1] = static_cast<uint8_t>('a' + i);
      record.back() = 0;
      hub.WriteMemory(id, static_cast<uint32_t>(header), record);
      hub.WriteMemory(id, static_cast<uint32_t>(pointrix::mem::MacroDirectory(i)),
                      {static_cast<uint8_t>(header & 0xFF), static_cast<uint8_t>(header >> 8),
                       static_cast<uint8_t>(kRecord & 0xFF), static_cast<uint8_t>(kRecord >> 8)});
    }
  }
};

std::vector<pointrix::_MACRO_ITEM_> TwoKiloByteMacro() {
  std::vector<pointrix::_MACRO_ITEM_> items;
  for (int i = 0; i < kCodeBytes / 2; ++i) items.push_back(pointrix::MakeMacroItem({0x88, 0x05}));
  return items;
}

}  // namespace

int main() {
  // The program's way.
  Rig program;
  pointrix::ConfigModel model(program.commands, program.registry);
  model.ReadDeviceSettings();
  pointrix::MacroMemory macros(model);
  const std::vector<pointrix::_MACRO_ITEM_> items = TwoKiloByteMacro();
  const uint64_t before = program.hub.ElapsedMicros();
  const pointrix::StoreResult result = macros.StoreMacro(20, 8, L"two kilobytes", items);
  const uint64_t actual = program.hub.ElapsedMicros() - before;
  if (result != pointrix::StoreResult::kStored) {
    std::printf("macro_store: the macro was not stored\n");
    return 1;
  }

  // The floor: move what has to move, then write the new record.
  Rig floor;
  const uint64_t floorStart = floor.hub.ElapsedMicros();
  int next = 1024;
  for (int i = 0; i < kMacros; ++i) {
    const int old = 1024 + i * (kRecord + kGap);
    if (old != next) {
      std::vector<uint8_t> record(kRecord);
      floor.commands.ReadMemory(static_cast<uint32_t>(old), record.data(), kRecord);
      floor.commands.WriteMemory(static_cast<uint32_t>(next), record.data(), kRecord);
      const uint8_t entry[4] = {static_cast<uint8_t>(next & 0xFF), static_cast<uint8_t>(next >> 8),
                                static_cast<uint8_t>(kRecord & 0xFF), static_cast<uint8_t>(kRecord >> 8)};
      floor.commands.WriteMemory(static_cast<uint32_t>(pointrix::mem::MacroDirectory(i)), entry, 4);
    }
    next += kRecord;
  }
  const std::vector<uint8_t> code = pointrix::BuildStoredMacroCode(items);
  std::vector<uint8_t> record(pointrix::kMacroHeaderSize, 0);
  record[0] = 32;
  record.insert(record.end(), code.begin(), code.end());
  floor.commands.WriteMemory(static_cast<uint32_t>(next), record.data(), static_cast<int>(record.size()));
  const int size = static_cast<int>(record.size());
  const uint8_t entry[4] = {static_cast<uint8_t>(next & 0xFF), static_cast<uint8_t>(next >> 8),
                            static_cast<uint8_t>(size & 0xFF), static_cast<uint8_t>(size >> 8)};
  floor.commands.WriteMemory(static_cast<uint32_t>(pointrix::mem::MacroDirectory(20)), entry, 4);
  floor.commands.WriteMemoryByte(static_cast<uint32_t>(pointrix::mem::MacroRunType(20)), 8);
  const uint64_t reference = floor.hub.ElapsedMicros() - floorStart;

  std::printf(
      "macro_store: store %d code bytes with compaction: %.1f ms, protocol floor %.1f ms, ratio %.3f\n",
      kCodeBytes, actual / 1000.0, reference / 1000.0, static_cast<double>(actual) / reference);
  return 0;
}
