#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pointrix/device/DeviceDiscovery.h"
#include "tools/simmouse/SimMouse.h"

namespace {

struct DiscoveryFixture : ::testing::Test {
  simmouse::SimMouseHub hub;
  DeviceRegistry registry;
  DeviceTransport transport{hub, hub.VirtualSleeper()};
  CommandSet commands{transport, registry};
  DeviceDiscovery discovery{transport, registry, commands};

  std::wstring Lower(int id) { return LowerCasePath(hub.PathOf(id)); }
  int SetNumberCommands(int id) {
    int n = 0;
    for (const DeviceReport& r : hub.Written(id)) n += r[1] == 0x00 && r[2] == 0x01;
    return n;
  }
};

TEST_F(DiscoveryFixture, EnrolsSupportedMiceInOrderWithNumbers) {
  hub.AddOtherInterface(L"\\\\?\\hid#vid_046d&pid_c31c&mi_00#keyboard", HidCaps{1, 6, 9, 9});
  const int first = hub.AddMouse(simmouse::StandardMouse(0));
  const int second = hub.AddMouse(simmouse::StandardMouse(1));
  discovery.EnumerateDevices();
  ASSERT_EQ(registry.Count(), 2u);
  EXPECT_EQ(registry.PathAt(0), Lower(first));
  EXPECT_EQ(registry.PathAt(1), Lower(second));
  EXPECT_EQ(registry.PathAt(2), L"");
  EXPECT_EQ(registry.DeviceNumber(Lower(first)), 1);
  EXPECT_EQ(registry.DeviceNumber(Lower(second)), 2);
  EXPECT_EQ(hub.State(first).deviceNumber, 1);
  EXPECT_EQ(hub.State(second).deviceNumber, 2);
  EXPECT_EQ(hub.State(first).startCount, 1);

  const DeviceRecord r = registry.Record(Lower(first));
  EXPECT_EQ(r.platformCode, 9);
  EXPECT_EQ(r.firmwareByte, 30);
  EXPECT_EQ(r.extraByte, 1);
  EXPECT_EQ(r.classByte, 5);
  EXPECT_EQ(r.identityByte, 0x21);
  EXPECT_EQ(r.maxDpiCode, 0xA0);
  EXPECT_EQ(r.firmwareVersion, 0x15);
  EXPECT_EQ(r.stateByte, 0x01);
}

TEST_F(DiscoveryFixture, RejectsInterfacesThatAreNotTheConfigurationInterface) {
  struct Case {
    const char* what;
    simmouse::MouseConfig config;
    bool supported;
  };
  auto with = [](auto change) {
    simmouse::MouseConfig c = simmouse::StandardMouse(5);
    change(c);
    return c;
  };
  const Case cases[] = {
      {"marker at index 2", with([](auto& c) { c.path = L"\\\\mi_00#hid#vid_1e7d"; }), false},
      {"marker at index 3", with([](auto& c) { c.path = L"\\\\?mi_00#hid#vid_1e7d"; }), true},
      {"interface 1", with([](auto& c) { c.path = L"\\\\?\\hid#vid_1e7d&pid_2e4a&mi_01#7&1"; }), false},
      {"upper-case marker", with([](auto& c) { c.path = L"\\\\?\\HID#VID_1E7D&PID_2E4A&MI_00#7&1"; }), true},
      {"feature length", with([](auto& c) { c.caps.featureReportLength = 8; }), false},
      {"usage", with([](auto& c) { c.caps.usage = 6; }), false},
      {"usage page", with([](auto& c) { c.caps.usagePage = 0xFF00; }), false},
      {"no parser data", with([](auto& c) { c.capsReadable = false; }), false},
      {"signature", with([](auto& c) { c.signature = "ARH"; }), false},
      {"no strings", with([](auto& c) { c.stringsReadable = false; }), false},
  };
  for (const Case& c : cases) {
    simmouse::SimMouseHub local;
    DeviceRegistry reg;
    DeviceTransport t(local, local.VirtualSleeper());
    CommandSet cs(t, reg);
    DeviceDiscovery d(t, reg, cs);
    local.AddMouse(c.config);
    EXPECT_EQ(d.RegisterDevice(c.config.path), c.supported) << c.what;
    EXPECT_EQ(reg.Count(), c.supported ? 1u : 0u) << c.what;
    EXPECT_EQ(reg.PathAt(0), c.supported ? LowerCasePath(c.config.path) : L"") << c.what;
  }
}

TEST_F(DiscoveryFixture, ClassByteOtherThanFiveIsSupportedButNotEnrolled) {
  simmouse::MouseConfig config = simmouse::StandardMouse(0);
  config.classByte = 4;
  const int id = hub.AddMouse(config);
  EXPECT_TRUE(discovery.RegisterDevice(config.path));
  EXPECT_EQ(registry.Count(), 0u);
  EXPECT_FALSE(registry.HasRecord(Lower(id)));
  EXPECT_EQ(hub.State(id).setNumberCount, 0);
}

TEST_F(DiscoveryFixture, FirmwareByteSelectsWhereThePlatformCodeComesFrom) {
  simmouse::MouseConfig newer = simmouse::StandardMouse(0);
  newer.firmwareByte = 28;
  newer.platformCode = 11;
  newer.extraByte = 7;
  simmouse::MouseConfig older = simmouse::StandardMouse(1);
  older.firmwareByte = 27;
  older.platformCode = 11;
  older.extraByte = 7;
  const int a = hub.AddMouse(newer);
  const int b = hub.AddMouse(older);
  discovery.EnumerateDevices();
  const DeviceRecord ra = registry.Record(Lower(a));
  const DeviceRecord rb = registry.Record(Lower(b));
  EXPECT_EQ(ra.platformCode, 11);
  EXPECT_EQ(ra.extraByte, 7);
  EXPECT_EQ(HardwareLayoutFor(ra.platformCode).type, 4);
  EXPECT_EQ(rb.platformCode, 3);
  EXPECT_EQ(rb.extraByte, 0);
  EXPECT_EQ(HardwareLayoutFor(rb.platformCode).type, 0);
  // Old firmware takes its class byte from the identity query: sent twice.
  int identityQueries = 0;
  for (const DeviceReport& r : hub.Written(b)) identityQueries += r[1] == 0 && r[2] == 2 && r[3] == 0;
  EXPECT_EQ(identityQueries, 2);
}

TEST_F(DiscoveryFixture, ReplugKeepsTheNumberWithoutRenumbering) {
  const int first = hub.AddMouse(simmouse::StandardMouse(0));
  const int second = hub.AddMouse(simmouse::StandardMouse(1));
  discovery.EnumerateDevices();
  registry.SetCurrentPath(Lower(second));

  hub.Unplug(first);
  const DeviceChangeResult removed = discovery.OnDeviceRemoval(hub.PathOf(first));
  EXPECT_TRUE(removed.repaint);
  EXPECT_FALSE(removed.currentRemoved);
  EXPECT_EQ(registry.Count(), 1u);
  EXPECT_EQ(registry.CurrentPath(), Lower(second));  // another device's removal leaves the current one

  hub.ClearLog(first);
  hub.Plug(first);
  const DeviceChangeResult arrived = discovery.OnDeviceArrival(hub.PathOf(first));
  EXPECT_TRUE(arrived.repaint);
  EXPECT_FALSE(arrived.restartConnectTimer);
  EXPECT_EQ(registry.Count(), 2u);
  EXPECT_EQ(registry.DeviceNumber(Lower(first)), 1);
  EXPECT_EQ(SetNumberCommands(first), 0);
  EXPECT_EQ(registry.PathAt(1), Lower(first));  // listed again at the end
}

TEST_F(DiscoveryFixture, NumbersWrapFrom255ToThreeAndAFullTableDoesNotHang) {
  // Listed devices that hold every number but 3.
  for (int n = 1; n <= 255; ++n) {
    if (n == 3) continue;
    const std::wstring path = L"\\\\?\\hid#fake&mi_00#" + std::to_wstring(n);
    DeviceRecord r;
    r.deviceNumber = n;
    registry.StoreRecord(path, r);
    registry.Append(path);
  }
  const int id = hub.AddMouse(simmouse::StandardMouse(0));
  ASSERT_TRUE(discovery.RegisterDevice(hub.PathOf(id)));
  EXPECT_EQ(registry.DeviceNumber(Lower(id)), 3);
  EXPECT_EQ(hub.State(id).deviceNumber, 3);

  // Now 1..255 are all taken: the next mouse is supported but finds no number.
  const int another = hub.AddMouse(simmouse::StandardMouse(1));
  EXPECT_TRUE(discovery.RegisterDevice(hub.PathOf(another)));
  EXPECT_FALSE(registry.IsListed(Lower(another)));
  EXPECT_EQ(SetNumberCommands(another), 0);
}

TEST_F(DiscoveryFixture, NumberingSkipsNumbersInUse) {
  DeviceRecord taken;
  taken.deviceNumber = 1;
  registry.StoreRecord(L"x-mi_00-a", taken);
  registry.Append(L"x-mi_00-a");
  taken.deviceNumber = 2;
  registry.StoreRecord(L"x-mi_00-b", taken);
  registry.Append(L"x-mi_00-b");
  const int id = hub.AddMouse(simmouse::StandardMouse(0));
  discovery.RegisterDevice(hub.PathOf(id));
  EXPECT_EQ(registry.DeviceNumber(Lower(id)), 3);
}

TEST_F(DiscoveryFixture, ConnectChoosesTheFirstDeviceAndRemovalClearsIt) {
  simmouse::MouseConfig typed = simmouse::StandardMouse(0);
  typed.platformCode = 1;
  const int first = hub.AddMouse(typed);
  const int second = hub.AddMouse(simmouse::StandardMouse(1));
  int reads = 0;
  bool busyDuringRead = false;
  auto read = [&] {
    ++reads;
    busyDuringRead = registry.IsBusy();
  };
  discovery.Connect(read);
  EXPECT_EQ(reads, 1);
  EXPECT_TRUE(busyDuringRead);
  EXPECT_FALSE(registry.IsBusy());
  EXPECT_EQ(registry.CurrentPath(), Lower(first));
  EXPECT_EQ(registry.HardwareType(), 3);
  EXPECT_EQ(registry.CurrentDeviceNumber(), 1);

  // The switcher lists the others; choosing one makes it current on the next run.
  ASSERT_EQ(discovery.SwitcherEntries(), std::vector<std::wstring>{Lower(second)});
  EXPECT_FALSE(discovery.ChooseSwitcherEntry(1));
  ASSERT_TRUE(discovery.ChooseSwitcherEntry(0));
  int fadeChecks = 0;
  discovery.Connect(read, [&] { return ++fadeChecks >= 3; });
  EXPECT_EQ(fadeChecks, 3);
  EXPECT_EQ(registry.CurrentPath(), Lower(second));
  EXPECT_EQ(registry.RequestedPath(), L"");
  EXPECT_EQ(registry.HardwareType(), 1);

  hub.Unplug(second);
  const DeviceChangeResult removed = discovery.OnDeviceRemoval(hub.PathOf(second));
  EXPECT_TRUE(removed.currentRemoved);
  EXPECT_TRUE(removed.restartConnectTimer);
  EXPECT_EQ(registry.CurrentPath(), L"");
  EXPECT_EQ(registry.Count(), 1u);

  discovery.Connect(read);
  EXPECT_EQ(registry.CurrentPath(), Lower(first));
}

TEST_F(DiscoveryFixture, ConnectWithoutDevicesOnlyResetsTheModel) {
  int reads = 0;
  discovery.Connect([&] { ++reads; });
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(registry.CurrentPath(), L"");
  // A mouse arriving later is enrolled and asks for a connect run.
  const int id = hub.AddMouse(simmouse::StandardMouse(0));
  const DeviceChangeResult arrived = discovery.OnDeviceArrival(hub.PathOf(id));
  EXPECT_TRUE(arrived.restartConnectTimer);
  EXPECT_EQ(registry.Count(), 1u);
  // Arrival of something that is not the mouse's interface changes nothing.
  hub.AddOtherInterface(L"\\\\?\\hid#vid_046d&pid_c31c&mi_00#kbd", HidCaps{1, 6, 9, 9});
  EXPECT_FALSE(discovery.OnDeviceArrival(L"\\\\?\\hid#vid_046d&pid_c31c&mi_00#kbd").repaint);
}

TEST_F(DiscoveryFixture, PollingFindsPlugAndUnplugWithoutBroadcasts) {
  const int first = hub.AddMouse(simmouse::StandardMouse(0));
  const int second = hub.AddMouse(simmouse::StandardMouse(1));
  discovery.Connect(nullptr);
  EXPECT_FALSE(discovery.PollDeviceChanges().repaint);

  hub.Unplug(first);
  const DeviceChangeResult removed = discovery.PollDeviceChanges();
  EXPECT_TRUE(removed.currentRemoved);
  EXPECT_TRUE(removed.restartConnectTimer);
  EXPECT_EQ(registry.Paths(), std::vector<std::wstring>{Lower(second)});

  hub.Plug(first);
  const int third = hub.AddMouse(simmouse::StandardMouse(2));
  const DeviceChangeResult arrived = discovery.PollDeviceChanges();
  EXPECT_TRUE(arrived.repaint);
  EXPECT_TRUE(arrived.restartConnectTimer);  // no current device yet
  EXPECT_EQ(registry.Count(), 3u);
  EXPECT_EQ(registry.DeviceNumber(Lower(first)), 1);
  EXPECT_EQ(registry.DeviceNumber(Lower(third)), 3);
  EXPECT_FALSE(discovery.PollDeviceChanges().repaint);
}

TEST(HardwareLayoutTable, PlatformCodesSelectTypesAndSlots) {
  struct Case {
    int platform, type, buttons, remote;
    const wchar_t* name;
  };
  const Case cases[] = {{9, 1, 12, 15, L"KX-4410-QB"}, {1, 3, 9, 12, L""},  {11, 4, 11, 14, L"KX-4411-QB"},
                        {0, 2, 10, 13, L""},           {3, 0, 10, 13, L""}, {77, 0, 10, 13, L""}};
  for (const Case& c : cases) {
    const HardwareLayout layout = HardwareLayoutFor(c.platform);
    EXPECT_EQ(layout.type, c.type);
    EXPECT_EQ(layout.pictureButtons, c.buttons);
    EXPECT_EQ(layout.remoteButtons, c.remote);
    EXPECT_EQ(std::wstring(layout.modelName), c.name);
  }
  EXPECT_EQ(SlotTable(1)[5], 14);
  EXPECT_EQ(SlotTable(4)[11], 10);
  EXPECT_EQ(SlotTable(9)[9], 7);  // out of range falls back to type 0
}

}  // namespace
