// Reading the 1024-byte settings memory and writing it back, against the
// simulated mouse's timing model (1 ms per feature-report transfer). Printed as
// a ratio to the protocol floor: the transfers plus the sleeps the exchange
// rules require for those requests. Two runs:
// - modelled: transfers and sleeps advance the simulator's clock, and the time
//   the code itself takes is measured and added (steady on a loaded machine);
// - real time: transfers and sleeps are waited for, compared with the same
//   waits measured in this run without any protocol code in between.
#include <chrono>
#include <cstdio>
#include <mutex>
#include <numeric>
#include <thread>
#include <vector>

#include "pointrix/device/CommandSet.h"
#include "tools/simmouse/SimMouse.h"

namespace {

using Clock = std::chrono::steady_clock;

// Sleeps for real and remembers what was asked.
class CountingSleeper : public Sleeper {
 public:
  void SleepMs(int ms) override {
    inner_.SleepMs(ms);
    std::lock_guard<std::mutex> lock(mutex_);
    total_ += ms;
    ++count_;
  }
  int Total() const { return total_; }
  int Count() const { return count_; }

 private:
  SystemSleeper inner_;
  std::mutex mutex_;
  int total_ = 0;
  int count_ = 0;
};

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main() {
  constexpr int kTransferMicros = 1000;
  // What the rules require: read = 147 x (ready, write, answer), no sleeps;
  // write = 32 pieces x (6 stage reports of 2 transfers, 1 ms, commit of 3
  // transfers with 2 + 10 + 3 ms, 2 ms).
  const int requiredTransfers = 147 * 3 + 32 * (6 * 2 + 3);
  const int requiredSleepMs = 32 * (1 + 2 + 10 + 3 + 2);
  const double floorMs = requiredTransfers * kTransferMicros / 1000.0 + requiredSleepMs;

  {
    simmouse::SimMouseHub hub(simmouse::Timing{kTransferMicros, false});
    const int id = hub.AddMouse(simmouse::StandardMouse(0));
    DeviceRegistry registry;
    registry.SetCurrentPath(LowerCasePath(hub.PathOf(id)));
    DeviceTransport transport(hub, hub.VirtualSleeper());
    CommandSet commands(transport, registry);
    std::vector<uint8_t> image(1024);
    const auto start = Clock::now();
    commands.ReadMemory(0, image.data(), 1024);
    commands.WriteMemory(0, image.data(), 1024);
    const double codeMs = Ms(Clock::now() - start);
    const double modelMs = hub.ElapsedMicros() / 1000.0;
    std::printf(
        "modelled: transfers and sleeps %.1f ms + code %.2f ms = %.1f ms; floor %.1f ms; ratio %.3f "
        "(target <= 1.10)\n",
        modelMs, codeMs, modelMs + codeMs, floorMs, (modelMs + codeMs) / floorMs);
  }

  simmouse::SimMouseHub hub(simmouse::Timing{kTransferMicros, true});
  const int id = hub.AddMouse(simmouse::StandardMouse(0));
  DeviceRegistry registry;
  registry.SetCurrentPath(LowerCasePath(hub.PathOf(id)));
  CountingSleeper sleeper;
  DeviceTransport transport(hub, sleeper);
  CommandSet commands(transport, registry);

  std::vector<uint8_t> image(1024);
  const auto start = Clock::now();
  commands.ReadMemory(0, image.data(), 1024);
  const auto afterRead = Clock::now();
  commands.WriteMemory(0, image.data(), 1024);
  const auto end = Clock::now();

  const simmouse::TransferCounts counts = hub.Counts(id);
  const int transfers = counts.reads + counts.writes;

  // The same waits with nothing else in between, as the measured reference.
  SystemSleeper plain;
  const auto refStart = Clock::now();
  for (int i = 0; i < requiredTransfers; ++i) {
    const auto until = Clock::now() + std::chrono::microseconds(kTransferMicros);
    std::this_thread::sleep_for(std::chrono::microseconds(kTransferMicros - 300));
    while (Clock::now() < until) {
    }
  }
  for (int piece = 0; piece < 32; ++piece) {
    for (int ms : {1, 2, 10, 3, 2}) plain.SleepMs(ms);
  }
  const double referenceMs = Ms(Clock::now() - refStart);

  const double totalMs = Ms(end - start);
  std::printf("real time: read 1024 B %.1f ms, write 1024 B %.1f ms, total %.1f ms\n", Ms(afterRead - start),
              Ms(end - afterRead), totalMs);
  std::printf("transfers %d (required %d), sleeps %d ms in %d calls (required %d ms)\n", transfers,
              requiredTransfers, sleeper.Total(), sleeper.Count(), requiredSleepMs);
  std::printf("protocol floor %.1f ms, measured reference %.1f ms\n", floorMs, referenceMs);
  std::printf("real time: ratio to floor %.3f, ratio to measured reference %.3f (target <= 1.10)\n",
              totalMs / floorMs, totalMs / referenceMs);
  return 0;
}
