#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "pointrix/device/CommandSet.h"
#include "tools/simmouse/SimMouse.h"

namespace {

// One simulated mouse made current in a registry, with the transport on the
// hub's virtual clock.
struct CommandsFixture : ::testing::Test {
  simmouse::SimMouseHub hub;
  int id = -1;
  DeviceRegistry registry;
  DeviceTransport transport{hub, hub.VirtualSleeper()};
  CommandSet commands{transport, registry};

  void SetUp() override { Use(simmouse::StandardMouse(0)); }
  void Use(const simmouse::MouseConfig& config) {
    id = hub.AddMouse(config);
    registry.SetCurrentPath(LowerCasePath(config.path));
    hub.ClearLog(id);
  }
  std::vector<DeviceReport> Sent() const { return hub.Written(id); }
};

TEST_F(CommandsFixture, CommitReportHasTheDocumentedBytes) {
  std::vector<uint8_t> data(18, 0x5A);
  ASSERT_TRUE(commands.WriteMemoryBlock(0x123, data.data(), 18));
  const DeviceReport expected{0x00, 0x05, 0x02, 0x23, 0x01, 0x00, 0x12, 0x12, 0x25};
  EXPECT_EQ(Sent().back(), expected);
  EXPECT_EQ(hub.Memory(id)[0x123 + 17], 0x5A);
  EXPECT_EQ(hub.Memory(id)[0x123 + 18], 0x00);
}

TEST_F(CommandsFixture, StagingUsesSixByteOffsetsAndCommitsOnlyTheCount) {
  std::vector<uint8_t> data(32);
  std::iota(data.begin(), data.end(), 1);
  hub.WriteMemory(id, 2000, std::vector<uint8_t>(40, 0xEE));
  ASSERT_TRUE(commands.WriteMemoryBlock(2000, data.data(), 32));
  const std::vector<DeviceReport> sent = Sent();
  ASSERT_EQ(sent.size(), 7u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(sent[i][1], 0x09);
    EXPECT_EQ(sent[i][2], 6 * i);
    EXPECT_EQ(sent[i][3], 6 * i + 1);
  }
  // The last stage report carries bytes 30 and 31 and four zeros.
  const DeviceReport last{0x00, 0x09, 30, 31, 32, 0, 0, 0, 0};
  EXPECT_EQ(sent[5], last);
  const std::vector<uint8_t> memory = hub.Memory(id);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), memory.begin() + 2000));
  EXPECT_EQ(memory[2032], 0xEE);
  // 1 ms before the commit, its own 2 + 10 + 3 ms, 2 ms after.
  EXPECT_EQ(hub.Sleeps(), (std::vector<int>{1, 2, 10, 3, 2}));
}

TEST_F(CommandsFixture, WriteMemorySplitsIntoPiecesOfThirtyTwo) {
  struct Case {
    int count;
    std::vector<int> commitLengths;
  };
  const Case cases[] = {{33, {32, 1}}, {31, {31}}, {64, {32, 32}}, {70, {32, 32, 6}}};
  for (const Case& c : cases) {
    hub.ClearLog(id);
    std::vector<uint8_t> data(c.count, 0x42);
    ASSERT_TRUE(commands.WriteMemory(1100, data.data(), c.count));
    std::vector<int> commits;
    std::vector<uint32_t> addresses;
    for (const DeviceReport& r : Sent()) {
      if (r[1] == 0x05 && r[2] == 0x02) {
        commits.push_back(r[6]);
        addresses.push_back(r[3] | r[4] << 8 | r[5] << 16);
      }
    }
    EXPECT_EQ(commits, c.commitLengths) << c.count;
    for (size_t i = 0; i < addresses.size(); ++i) EXPECT_EQ(addresses[i], 1100 + 32 * i);
  }
  uint8_t one = 1;
  hub.ClearLog(id);
  EXPECT_FALSE(commands.WriteMemory(0, &one, 0));
  EXPECT_FALSE(commands.WriteMemoryBlock(0, &one, 33));
  EXPECT_FALSE(commands.WriteMemoryBlock(0, &one, 0));
  EXPECT_TRUE(Sent().empty());
}

TEST_F(CommandsFixture, ReadMemoryOfTheSettingsTakesOneHundredFortySevenRequests) {
  std::vector<uint8_t> image(1024);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
  hub.WriteMemory(id, 0, image);
  std::vector<uint8_t> read(1024 + 8, 0xCC);
  EXPECT_EQ(commands.ReadMemory(0, read.data(), 1024), 0);
  EXPECT_EQ(Sent().size(), 147u);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), read.begin()));
  EXPECT_EQ(read[1024], 0xCC);  // the last request copies only the two missing bytes
  const DeviceReport last = Sent().back();
  EXPECT_EQ(last[3] | last[4] << 8, 146 * 7);
}

TEST_F(CommandsFixture, ReadsOfASilentMouseAreZeros) {
  hub.WriteMemory(id, 0, std::vector<uint8_t>(16, 0x99));
  hub.SetFault(id, simmouse::Fault::kStaysBusy);
  std::vector<uint8_t> read(16, 0xCC);
  commands.ReadMemory(0, read.data(), 16);
  EXPECT_EQ(read, std::vector<uint8_t>(16, 0));
  EXPECT_EQ(commands.ReadMemoryByte(3), 0);
}

TEST_F(CommandsFixture, ProbeMemorySizeFindsEachSize) {
  struct Case {
    size_t bytes;
    uint32_t highest;
  };
  const Case cases[] = {{8 * 1024, 0x1FFF}, {16 * 1024, 0x3FFF}, {32 * 1024, 0x7FFF}, {64 * 1024, 0xFFFF}};
  for (const Case& c : cases) {
    simmouse::MouseConfig config = simmouse::StandardMouse(static_cast<int>(c.bytes / 1024));
    config.memorySize = c.bytes;
    Use(config);
    EXPECT_EQ(commands.ProbeMemorySize(), c.highest) << c.bytes;
    EXPECT_EQ(hub.Memory(id)[c.bytes - 1], 0x12);
    // Once marked, a second probe writes nothing.
    hub.ClearLog(id);
    EXPECT_EQ(commands.ProbeMemorySize(), c.highest);
    for (const DeviceReport& r : Sent()) EXPECT_NE(r[2], 0x01);
  }
  // A mouse that does not answer reads as the smallest size.
  hub.SetFault(id, simmouse::Fault::kStaysBusy);
  EXPECT_EQ(commands.ProbeMemorySize(), 0x1FFFu);
}

TEST_F(CommandsFixture, QueriesDecodeTheirAnswers) {
  simmouse::MouseConfig config = simmouse::StandardMouse(7);
  config.profileCount = 9;
  config.dpiSliderCount = 6;
  config.productionTime = 0x5F3E2D1Cu;
  config.defaults[17] = {27, 1, 2, 3};
  config.defaults[18] = {26, 4, 5, 6};
  config.defaults[19] = {5, 0x01, 0x06, 0};
  Use(config);
  const CapacityAnswer capacity = commands.QueryCapacity();
  EXPECT_EQ(capacity.profileCount, 5);
  EXPECT_EQ(capacity.dpiSliderCount, 4);
  EXPECT_EQ(commands.QueryProductionTime(), 0x5F3E2D1Cu);
  EXPECT_EQ(commands.QueryDefaultAssignment(17).type, 1);
  EXPECT_EQ(commands.QueryDefaultAssignment(18).type, 26);
  const DefaultAssignment keyboard = commands.QueryDefaultAssignment(19);
  EXPECT_EQ(keyboard.type, 5);
  EXPECT_EQ(keyboard.p1, 0x01);
  EXPECT_EQ(keyboard.p2, 0x06);
  hub.PressProfileButton(id, 3);
  hub.PressDpiButton(id, 2);
  const StatusAnswer status = commands.QueryStatus();
  EXPECT_EQ(status.profile, 3);
  EXPECT_EQ(status.dpiLevel, 2);
}

TEST_F(CommandsFixture, CompositeOperationsWriteTheDocumentedAddresses) {
  commands.WriteButtonAssignment(2, 3, 5, 0x01, 0x06, 0);
  std::vector<uint8_t> memory = hub.Memory(id);
  EXPECT_EQ(memory[96 * 2 + 48 + 3], 5);
  EXPECT_EQ(memory[96 * 2 + 64 + 3], 0x01);
  EXPECT_EQ(memory[96 * 2 + 80 + 3], 0x06);
  EXPECT_EQ(memory[96 * 2 + 96 + 3], 0);
  EXPECT_EQ(hub.State(id).reloadButtonsCount, 1);

  commands.WriteProfileColour(3, 3, 0, 3);
  memory = hub.Memory(id);
  EXPECT_EQ(memory[96 * 3 + 19], 0x33);
  EXPECT_EQ(memory[96 * 3 + 20], 255);
  EXPECT_EQ(memory[96 * 3 + 21], 0);
  EXPECT_EQ(memory[96 * 3 + 22], 255);
  EXPECT_EQ(hub.State(id).reloadColourCount, 1);

  commands.WriteProfileName(1, L"Gaming Profile");
  memory = hub.Memory(id);
  const uint8_t expected[18] = {'G', 0, 'a', 0, 'm', 0, 'i', 0, 'n', 0, 'g', 0, ' ', 0, 'P', 0, 'r', 0};
  EXPECT_TRUE(std::equal(expected, expected + 18, memory.begin() + 96 + 30));

  hub.WriteMemory(id, 15, {0x0E});
  commands.WritePollingInterval(3);
  EXPECT_EQ(hub.Memory(id)[15], 0x3E);  // bits 1..3 kept
  commands.WriteAngleSnapping(true);
  EXPECT_EQ(hub.Memory(id)[15], 0x3F);
  EXPECT_TRUE(hub.State(id).angleSnapping);
  EXPECT_EQ(hub.State(id).reloadSettingsCount, 2);

  commands.SelectDpiLevel(3);
  EXPECT_EQ(hub.Memory(id)[2], 3);
  EXPECT_EQ(hub.State(id).dpiLevel, 3);
  commands.WriteDpiLevel(3, 0x44, 0x45, true);
  commands.WriteDpiLevel(7, 0x60, 0x61, false);  // levels past 4 land on level 4
  commands.ReloadDpiTable();
  memory = hub.Memory(id);
  EXPECT_EQ(memory[10], 0x44);
  EXPECT_EQ(memory[11], 0x45);
  EXPECT_EQ(memory[12], 0x60);
  EXPECT_EQ(memory[13], 0x61);
  EXPECT_EQ(hub.State(id).liveX, 0x44);
}

TEST_F(CommandsFixture, NothingIsSentWithoutACurrentDevice) {
  registry.SetCurrentPath(L"");
  uint8_t data[4] = {1, 2, 3, 4};
  commands.WriteMemory(0, data, 4);
  commands.ReloadSettings();
  EXPECT_EQ(commands.ReadMemoryByte(0), 0);
  EXPECT_EQ(commands.QueryCapacity().profileCount, 0);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(CommandsFixture, FaultsEndInZerosWithoutHanging) {
  hub.WriteMemory(id, 0, std::vector<uint8_t>(64, 0x99));

  // A mouse that takes three polls to answer is still read correctly.
  hub.SetAnswerLatency(id, 3);
  EXPECT_EQ(commands.ReadMemoryByte(5), 0x99);
  hub.SetAnswerLatency(id, 0);

  // Unplugged in the middle of a block read: the rest reads as zeros, and the
  // exchange that met the unplug ends without its 201 answer polls.
  hub.SetFault(id, simmouse::Fault::kUnplugMidTransfer, 10);
  hub.ClearSleeps();
  std::vector<uint8_t> read(64, 0xCC);
  commands.ReadMemory(0, read.data(), 64);
  EXPECT_FALSE(hub.State(id).plugged);
  EXPECT_EQ(read[0], 0x99);
  EXPECT_EQ(read[63], 0);
  EXPECT_LT(hub.Sleeps().size(), 5u);

  // A mouse that hangs after a write: that exchange gives up after its answer
  // polls, later ones after their readiness polls, and reads are zeros.
  hub.Plug(id);
  hub.SetFault(id, simmouse::Fault::kNeverAnswers);
  hub.ClearSleeps();
  EXPECT_EQ(commands.ReadMemoryByte(5), 0);
  EXPECT_EQ(hub.Sleeps().size(), 201u);
  hub.ClearSleeps();
  EXPECT_EQ(commands.ReadMemoryByte(5), 0);
  EXPECT_EQ(hub.Sleeps().size(), 31u);
}

TEST_F(CommandsFixture, DroppedWritesAreLostSilently) {
  hub.SetFault(id, simmouse::Fault::kDropsWrites);
  uint8_t data[4] = {1, 2, 3, 4};
  EXPECT_TRUE(commands.WriteMemory(600, data, 4));
  EXPECT_EQ(hub.Memory(id)[600], 0);
}

TEST_F(CommandsFixture, RequestsOfTheTableHaveTheirBytesAndTag) {
  commands.SelectProfile(4);
  commands.SetSensorValue(0x1234);
  commands.SetProfileColour(1, 0x0C);
  commands.SendRemoteCommand(0x0201);
  const std::vector<DeviceReport> sent = Sent();
  ASSERT_EQ(sent.size(), 4u);
  const DeviceReport expected[] = {
      MakeCommandReport(0x04, 0x03, 4), MakeCommandReport(0x04, 0x08, 0x34, 0x12),
      MakeCommandReport(0x00, 0x07, 1, 0x0C), MakeCommandReport(0x0C, 0x01, 0x01, 0x02, 0, 0x12)};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(sent[i], expected[i]) << i;
    EXPECT_EQ(sent[i][7], kReportTag);
  }
  const simmouse::MouseState s = hub.State(id);
  EXPECT_EQ(s.profile, 4);
  EXPECT_EQ(s.sensorValue, 0x1234);
  EXPECT_EQ(s.liveColours[1], 0x0C);
  EXPECT_EQ(s.remoteValue, 0x0201);
  EXPECT_EQ(s.badChecksumCount, 0);
}

}  // namespace
