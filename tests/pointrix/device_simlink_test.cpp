#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "pointrix/device/DeviceDiscovery.h"
#include "pointrix/device/SimLink.h"
#include "tools/simmouse/SimLinkServer.h"

namespace {

// Carries request lines straight to a server session, as the loopback socket
// would; can be cut to play a server that went away.
class InProcessChannel : public SimLinkChannel {
 public:
  explicit InProcessChannel(simmouse::SimMouseHub& hub, bool* cut) : session_(hub), cut_(cut) {}
  bool Exchange(const std::string& request, std::string* answer) override {
    if (*cut_) return false;
    *answer = session_.Handle(request);
    return true;
  }

 private:
  simmouse::SimLinkSession session_;
  bool* cut_;
};

struct SimLinkFixture : ::testing::Test {
  simmouse::SimMouseHub hub;
  bool cut = false;
  SimLinkBackend backend{std::make_unique<InProcessChannel>(hub, &cut)};
  DeviceRegistry registry;
  DeviceTransport transport{backend, hub.VirtualSleeper()};
  CommandSet commands{transport, registry};
  DeviceDiscovery discovery{transport, registry, commands};
};

TEST_F(SimLinkFixture, DiscoveryAndMemoryWorkOverTheLink) {
  ASSERT_TRUE(simmouse::AddScenario(hub, "mixed"));
  discovery.Connect(nullptr);
  // Of the mixed set only the two supported mice with a class byte of 5 are enrolled.
  ASSERT_EQ(registry.Count(), 2u);
  EXPECT_EQ(registry.CurrentPath(), LowerCasePath(hub.PathOf(0)));
  EXPECT_EQ(registry.Record(registry.PathAt(1)).platformCode, 3);  // the old-firmware mouse
  EXPECT_EQ(commands.ProbeMemorySize(), 0x3FFFu);
  std::vector<uint8_t> settings(1024);
  commands.ReadMemory(0, settings.data(), 1024);
  const std::vector<uint8_t> memory = hub.Memory(0);
  EXPECT_TRUE(std::equal(settings.begin(), settings.end(), memory.begin()));
  const uint8_t name[4] = {'a', 0, 'b', 0};
  commands.WriteMemory(96 + 30, name, 4);
  EXPECT_EQ(hub.Memory(0)[96 + 32], 'b');

  hub.PressProfileButton(0, 1);
  std::vector<uint8_t> report;
  ASSERT_TRUE(backend.ReadInputReport(registry.CurrentPath(), &report));
  EXPECT_EQ(report[5], 1);
  EXPECT_FALSE(backend.ReadInputReport(registry.CurrentPath(), &report));
}

TEST_F(SimLinkFixture, UnplugAndBrokenLinkEndExchangesAsFailures) {
  const int id = hub.AddMouse(simmouse::StandardMouse(0));
  std::unique_ptr<HidDevice> device = backend.Open(hub.PathOf(id));
  ASSERT_TRUE(device);
  hub.Unplug(id);
  DeviceReport report = MakeCommandReport(0x04, 0x00);
  DeviceAnswer answer{};
  EXPECT_FALSE(transport.ExchangeFeatureReport(*device, report, answer.data(), answer.size(), 9, 10));
  EXPECT_TRUE(device->IsDisconnected());
  EXPECT_EQ(hub.Sleeps().size(), 0u);  // no polling of a mouse that left

  // Plugged in again, the same path opens and answers (the server replaces
  // its handle of the interface that left).
  hub.Plug(id);
  std::unique_ptr<HidDevice> again = backend.Open(hub.PathOf(id));
  ASSERT_TRUE(again);
  HidCaps caps;
  ASSERT_TRUE(again->GetCaps(&caps));
  EXPECT_EQ(caps.featureReportLength, 9);
  DeviceReport status = MakeCommandReport(0x04, 0x00);
  EXPECT_TRUE(transport.ExchangeFeatureReport(*again, status, answer.data(), answer.size(), 9, 0));

  cut = true;
  EXPECT_TRUE(backend.EnumerateInterfaces().empty());
  EXPECT_EQ(backend.Open(hub.PathOf(id)), nullptr);
}

TEST_F(SimLinkFixture, ServerRefusesMalformedRequests) {
  hub.AddMouse(simmouse::StandardMouse(0));
  simmouse::SimLinkSession session(hub);
  const char* bad[] = {
      "",           "ENUM x",      "OPEN zz",      "OPEN 414",   "GETF 1 9",
      "SETF 1 00",  "GETF x 9",    "STR 1 199 0",  "PEEK 9 0 4", "PEEK 0 0 99999",
      "POKE 0 0 0", "FAULT 0 odd", "PROFILE 0 -1", "NOSUCH",     "CAPS 18446744073709551615"};
  for (const char* line : bad) EXPECT_EQ(session.Handle(line), "ERR") << line;
  EXPECT_EQ(session.Handle("PEEK 0 0 2"), "OK 1200");
  // One handle per interface, with its capabilities.
  const std::string utf8 = SimLinkUtf8(hub.PathOf(0));
  const std::string open = "OPEN " + SimLinkHex(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size());
  EXPECT_EQ(session.Handle(open), "OK 1 1 2 9 12");
  EXPECT_EQ(session.Handle(open), "OK 1 1 2 9 12");
  EXPECT_EQ(session.Handle("MICE"), "OK 1");
}

TEST(SimLinkCodec, AnswersAndTextRoundTrip) {
  SimLinkAnswer a;
  EXPECT_TRUE(ParseSimLinkAnswer("OK 1 2\r", &a));
  EXPECT_TRUE(a.ok);
  EXPECT_EQ(a.words, (std::vector<std::string>{"1", "2"}));
  EXPECT_TRUE(ParseSimLinkAnswer("ERR", &a));
  EXPECT_FALSE(a.ok);
  EXPECT_FALSE(ParseSimLinkAnswer("MAYBE", &a));
  EXPECT_FALSE(ParseSimLinkAnswer("", &a));

  std::vector<uint8_t> bytes;
  EXPECT_TRUE(SimLinkUnhex("00fFa5", &bytes, 3));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0x00, 0xFF, 0xA5}));
  EXPECT_FALSE(SimLinkUnhex("00ff", &bytes, 1));
  EXPECT_FALSE(SimLinkUnhex("0g", &bytes, 4));
  EXPECT_FALSE(SimLinkUnhex("abc", &bytes, 4));

  const std::wstring path = L"\\\\?\\hid#vid_1e7d&mi_00#\u00e9\u4e2d";
  EXPECT_EQ(SimLinkWide(SimLinkUtf8(path)), path);
  EXPECT_EQ(SimLinkWide("\xC3"), L"\uFFFD");
  EXPECT_EQ(SimLinkWide("\xED\xA0\x80"), L"\uFFFD");  // an encoded surrogate is refused

  uint64_t v = 0;
  EXPECT_TRUE(SimLinkNumber("255", 255, &v));
  EXPECT_FALSE(SimLinkNumber("256", 255, &v));
  EXPECT_FALSE(SimLinkNumber("-1", 255, &v));
  EXPECT_FALSE(SimLinkNumber("99999999999999999999", UINT64_MAX, &v));
}

TEST(DeviceConcurrency, ThreadsShareTheTransportSafely) {
  simmouse::SimMouseHub hub;
  const int id = hub.AddMouse(simmouse::StandardMouse(0));
  DeviceRegistry registry;
  registry.SetCurrentPath(LowerCasePath(hub.PathOf(id)));
  DeviceTransport transport(hub, hub.VirtualSleeper());
  CommandSet commands(transport, registry);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 20; ++i) {
        const uint32_t address = 2048 + static_cast<uint32_t>(t * 32 + i);
        commands.WriteMemoryByte(address, static_cast<uint8_t>(t + 1));
        EXPECT_EQ(commands.ReadMemoryByte(address), t + 1);
        (void)registry.Count();
        (void)registry.CurrentPath();
      }
    });
  }
  threads.emplace_back([&] {
    for (int i = 0; i < 20; ++i) {
      registry.Append(L"x" + std::to_wstring(i));
      registry.RemoveDevice(L"x" + std::to_wstring(i));
    }
  });
  for (std::thread& th : threads) th.join();
  const std::vector<uint8_t> memory = hub.Memory(id);
  for (int t = 0; t < 4; ++t) EXPECT_EQ(memory[2048 + t * 32 + 19], t + 1);
}

}  // namespace
