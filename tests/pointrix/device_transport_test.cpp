#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "pointrix/device/Transport.h"
#include "tools/simmouse/SimMouse.h"

namespace {

// A device that plays back scripted feature reads and records every transfer,
// so the exact sequence of reads, writes and sleeps can be checked.
class ScriptedDevice : public HidDevice {
 public:
  struct Read {
    bool ok;
    std::vector<uint8_t> bytes;
  };
  std::deque<Read> reads;
  Read fallback{true, {0, 0x00}};
  std::vector<std::vector<uint8_t>> writes;
  std::string trace;  // r = read, w = write, c = cancel, s<n> = sleep (added by the sleeper)
  bool disconnected = false;

  bool GetCaps(HidCaps* caps) override {
    *caps = HidCaps{1, 2, 9, 12};
    return true;
  }
  bool GetFeature(uint8_t* buffer, size_t length) override {
    trace += "r";
    Read r = fallback;
    if (!reads.empty()) {
      r = reads.front();
      reads.pop_front();
    }
    if (!r.ok) return false;
    for (size_t i = 0; i < length; ++i) buffer[i] = i < r.bytes.size() ? r.bytes[i] : 0;
    return true;
  }
  bool SetFeature(const uint8_t* buffer, size_t length) override {
    trace += "w";
    writes.emplace_back(buffer, buffer + length);
    return true;
  }
  bool GetIndexedString(int, uint8_t*, size_t) override { return false; }
  void CancelIo() override { trace += "c"; }
  bool IsDisconnected() const override { return disconnected; }
};

class TraceSleeper : public Sleeper {
 public:
  explicit TraceSleeper(std::string& trace) : trace_(trace) {}
  void SleepMs(int ms) override {
    trace_ += "s" + std::to_string(ms);
    total += ms;
  }
  int total = 0;

 private:
  std::string& trace_;
};

class NoBackend : public HidBackend {
 public:
  std::vector<std::wstring> EnumerateInterfaces() override { return {}; }
  std::unique_ptr<HidDevice> Open(const std::wstring&) override { return nullptr; }
};

struct TransportFixture : ::testing::Test {
  ScriptedDevice device;
  TraceSleeper sleeper{device.trace};
  NoBackend backend;
  DeviceTransport transport{backend, sleeper};
  DeviceAnswer answer{};

  bool Exchange(DeviceReport& report, int delay, size_t length = 9) {
    return transport.ExchangeFeatureReport(device, report, answer.data(), answer.size(), length, delay);
  }
};

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

TEST_F(TransportFixture, ChecksumReplacesByteEightExceptForStageData) {
  DeviceReport command{7, 0x05, 0x02, 0x23, 0x01, 0x00, 0x12, 0x12, 0xEE};
  ASSERT_TRUE(Exchange(command, -1));
  EXPECT_EQ(device.writes.back(), Bytes({0, 0x05, 0x02, 0x23, 0x01, 0x00, 0x12, 0x12, 0x25}));
  EXPECT_EQ(command[0], 0);  // written back into the caller's report
  EXPECT_EQ(command[8], 0x25);

  DeviceReport stage{3, 0x09, 0x06, 1, 2, 3, 4, 5, 0xEE};
  ASSERT_TRUE(Exchange(stage, -1));
  EXPECT_EQ(device.writes.back(), Bytes({0, 0x09, 0x06, 1, 2, 3, 4, 5, 0xEE}));
}

TEST_F(TransportFixture, DelayModesPaceTheExchange) {
  struct Case {
    int delay;
    const char* trace;
  };
  const Case cases[] = {
      {-1, "rw"}, {0, "rwrc"}, {2, "rws1s2rs1c"}, {4, "rws1s4rs1c"}, {5, "rws2s5rs3c"}, {10, "rws2s10rs3c"},
  };
  for (const Case& c : cases) {
    device.trace.clear();
    DeviceReport report = MakeCommandReport(0x04, 0x00);
    EXPECT_TRUE(Exchange(report, c.delay)) << c.delay;
    EXPECT_EQ(device.trace, c.trace) << "delay " << c.delay;
  }
}

TEST_F(TransportFixture, BusyAnswersAreSkippedAndStatusBitsCleared) {
  device.reads = {{true, Bytes({0, 0x00})},
                  {true, Bytes({0, 0x85, 9, 9})},
                  {false, {}},
                  {true, Bytes({0, 0xC5, 9, 9})},
                  {true, Bytes({0, 0x45, 1, 2, 3, 4, 5, 6, 7})}};
  DeviceReport report = MakeCommandReport(0x05, 0x00);
  ASSERT_TRUE(Exchange(report, 0));
  EXPECT_EQ(device.trace, "rwrs1rs1rs1rc");
  EXPECT_EQ(answer[1], 0x05);
  EXPECT_EQ(answer[2], 1);
  EXPECT_EQ(answer[8], 7);
}

TEST_F(TransportFixture, GivesUpAfterThirtyOneReadinessPollsWithoutWriting) {
  device.fallback = {true, Bytes({0, 0x80})};
  DeviceReport report = MakeCommandReport(0x04, 0x00);
  EXPECT_FALSE(Exchange(report, 10));
  EXPECT_TRUE(device.writes.empty());
  EXPECT_EQ(std::count(device.trace.begin(), device.trace.end(), 'r'), 31);
  EXPECT_EQ(sleeper.total, 31);
  EXPECT_EQ(device.trace.back(), 'c');
}

TEST_F(TransportFixture, GivesUpAfterTwoHundredOneAnswerPolls) {
  device.reads = {{true, Bytes({0, 0x00})}};
  device.fallback = {true, Bytes({0, 0x80})};
  answer = {0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77};
  DeviceReport report = MakeCommandReport(0x05, 0x00);
  EXPECT_FALSE(Exchange(report, 0));
  EXPECT_EQ(std::count(device.trace.begin(), device.trace.end(), 'r'), 1 + 201);
  EXPECT_EQ(device.writes.size(), 1u);
  // The caller's buffer keeps its content apart from the report ID.
  EXPECT_EQ(answer[0], 0);
  EXPECT_EQ(answer[1], 0x77);
}

TEST_F(TransportFixture, WriteOnlySucceedsEvenWhenNothingAnswers) {
  device.reads = {{true, Bytes({0, 0x00})}};
  device.fallback = {false, {}};
  DeviceReport report = MakeCommandReport(0x04, 0x03, 2);
  EXPECT_TRUE(Exchange(report, -1));
  EXPECT_EQ(device.trace, "rw");
}

TEST_F(TransportFixture, LongFeatureReportsNeverOverrunTheAnswerBuffer) {
  std::vector<uint8_t> big(64, 0xAB);
  big[0] = 0;
  big[1] = 0x05;
  device.fallback = {true, big};
  struct Guarded {
    DeviceAnswer answer{};
    std::array<uint8_t, 16> guard{};
  } g;
  DeviceReport report = MakeCommandReport(0x05, 0x00);
  ASSERT_TRUE(transport.ExchangeFeatureReport(device, report, g.answer.data(), g.answer.size(), 64, 0));
  EXPECT_EQ(g.answer[8], 0xAB);
  for (uint8_t b : g.guard) EXPECT_EQ(b, 0);
  // The write is padded to the device's length, never read past the report.
  ASSERT_EQ(device.writes.back().size(), 64u);
  EXPECT_EQ(device.writes.back()[9], 0);
}

TEST_F(TransportFixture, DeviceGoneMidExchangeFailsAtOnce) {
  device.reads = {{true, Bytes({0, 0x00})}};
  device.fallback = {false, {}};
  device.disconnected = true;
  DeviceReport report = MakeCommandReport(0x05, 0x00);
  EXPECT_FALSE(Exchange(report, 0));
  EXPECT_EQ(device.trace, "rwrc");
}

TEST(TransportSimulated, BusyMouseCostsAboutThirtyOneMilliseconds) {
  simmouse::SimMouseHub hub;
  const int id = hub.AddMouse(simmouse::StandardMouse(0));
  DeviceTransport transport(hub, hub.VirtualSleeper());
  hub.SetFault(id, simmouse::Fault::kStaysBusy);
  DeviceReport report = MakeCommandReport(0x04, 0x00);
  DeviceAnswer answer{};
  EXPECT_TRUE(transport.SendDeviceCommand(report, answer, hub.PathOf(id), 10));  // the path opened
  EXPECT_EQ(hub.Counts(id).writes, 0);
  EXPECT_EQ(hub.ElapsedMicros(), 31u * 1000 + 31u * 1000);  // 31 transfers and 31 sleeps of 1 ms
}

TEST(TransportSimulated, SendDeviceCommandReportsWhetherThePathOpened) {
  simmouse::SimMouseHub hub;
  simmouse::MouseConfig noCaps = simmouse::StandardMouse(1);
  noCaps.capsReadable = false;
  simmouse::MouseConfig zeroLength = simmouse::StandardMouse(2);
  zeroLength.caps.featureReportLength = 0;
  const int good = hub.AddMouse(simmouse::StandardMouse(0));
  const int a = hub.AddMouse(noCaps);
  const int b = hub.AddMouse(zeroLength);
  DeviceTransport transport(hub, hub.VirtualSleeper());
  DeviceReport report = MakeCommandReport(0x00, 0x02, 0x00);
  DeviceAnswer answer{};
  EXPECT_TRUE(transport.SendDeviceCommand(report, answer, hub.PathOf(good), 10));
  EXPECT_EQ(answer[3], 'A');
  EXPECT_TRUE(transport.SendDeviceCommand(report, answer, hub.PathOf(a), 10));  // nothing sent
  EXPECT_EQ(hub.Counts(a).writes, 0);
  EXPECT_FALSE(transport.SendDeviceCommand(report, answer, hub.PathOf(b), 10));
  EXPECT_FALSE(transport.SendDeviceCommand(report, answer, L"\\\\?\\hid#nothing&mi_00#x", 10));
}

}  // namespace
