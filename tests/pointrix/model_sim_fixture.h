#pragma once

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "pointrix/device/CommandSet.h"
#include "pointrix/model/ConfigModel.h"
#include "tools/simmouse/SimMouse.h"

// Records what the model tells the rest of the program.
class RecordingModelEvents : public pointrix::IConfigModelEvents {
 public:
  void OnProgress(double f) override {
    std::lock_guard<std::mutex> lock(mutex);
    progress.push_back(f);
  }
  void OnDpiDisplay(int, int, bool) override { ++dpiDisplay; }
  void OnLibraryReload() override { ++libraryReload; }
  void OnMacroLibraryChanged() override { ++macroLibraryChanged; }
  void OnRemoteSettingsChanged() override { ++remote; }

  std::mutex mutex;
  std::vector<double> progress;
  std::atomic<int> dpiDisplay{0}, libraryReload{0}, macroLibraryChanged{0}, remote{0};
};

// One simulated mouse made current, the transport on the hub's virtual clock,
// and a configuration model on top.
struct ModelSimFixture : ::testing::Test {
  simmouse::SimMouseHub hub;
  int id = -1;
  DeviceRegistry registry;
  DeviceTransport transport{hub, hub.VirtualSleeper()};
  CommandSet commands{transport, registry};
  RecordingModelEvents events;
  pointrix::ConfigModel model{commands, registry, &events};

  void SetUp() override { Use(simmouse::StandardMouse(0)); }
  void Use(const simmouse::MouseConfig& config) {
    id = hub.AddMouse(config);
    registry.SetCurrentPath(LowerCasePath(config.path));
    hub.ClearLog(id);
  }
  std::vector<DeviceReport> Sent() const { return hub.Written(id); }
  std::vector<uint8_t> Memory() const { return hub.Memory(id); }
  void Poke(uint32_t address, std::vector<uint8_t> bytes) { hub.WriteMemory(id, address, bytes); }
  // Write-memory-byte requests (address, value) in the order sent.
  std::vector<std::pair<int, int>> ByteWrites() const {
    std::vector<std::pair<int, int>> out;
    for (const DeviceReport& r : Sent()) {
      if (r[1] == 0x05 && r[2] == 0x01) out.push_back({r[3] | r[4] << 8, r[6]});
    }
    return out;
  }
  static bool IsReloadButtons(const DeviceReport& r) { return r[1] == 0x08 && r[2] == 0x01; }
};
