#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "pointrix/device/DeviceDiscovery.h"
#include "pointrix/device/SimLink.h"
#include "pointrix/device/win32/DeviceNotifications.h"
#include "pointrix/device/win32/HidBackendFactory.h"
#include "pointrix/device/win32/Win32HidBackend.h"
#include "pointrix/device/win32/WinsockSimLinkChannel.h"
#include "tools/simmouse/SimLinkServer.h"

namespace {

// A Winsock loopback server in the test process serving one client from a
// simulated-mouse hub, as simmouse_server does natively.
class LoopbackServer {
 public:
  explicit LoopbackServer(simmouse::SimMouseHub& hub) : hub_(hub) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listen(listener_, 1);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackServer() {
    closesocket(listener_);
    thread_.join();
    WSACleanup();
  }
  uint16_t Port() const { return port_; }

 private:
  void Serve() {
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    simmouse::SimLinkSession session(hub_);
    std::string pending;
    char chunk[4096];
    for (;;) {
      const int n = recv(client, chunk, sizeof chunk, 0);
      if (n <= 0) break;
      pending.append(chunk, static_cast<size_t>(n));
      size_t end;
      while ((end = pending.find('\n')) != std::string::npos) {
        const std::string answer = session.Handle(pending.substr(0, end)) + "\n";
        pending.erase(0, end + 1);
        send(client, answer.data(), static_cast<int>(answer.size()), 0);
      }
    }
    closesocket(client);
  }

  simmouse::SimMouseHub& hub_;
  SOCKET listener_;
  uint16_t port_ = 0;
  std::thread thread_;
};

TEST(DeviceWin32Backend, SystemInterfacesEnrolNoMouse) {
  Win32HidBackend backend;
  SystemSleeper sleeper;
  DeviceTransport transport(backend, sleeper);
  DeviceRegistry registry;
  CommandSet commands(transport, registry);
  DeviceDiscovery discovery(transport, registry, commands);
  const std::vector<std::wstring> paths = backend.EnumerateInterfaces();
  for (const std::wstring& path : paths) EXPECT_FALSE(path.empty());
  int reads = 0;
  discovery.Connect([&] { ++reads; });
  EXPECT_EQ(registry.Count(), 0u);
  EXPECT_EQ(registry.CurrentPath(), L"");
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(backend.Open(
                L"\\\\?\\hid#vid_0000&pid_0000&mi_00#no&such&device#{4d1e55b2-f16f-11cf-88cb-001111000030}"),
            nullptr);
  EXPECT_FALSE(discovery.IsCandidateInterface(L"\\\\?\\hid#nothing&mi_00#here"));
}

TEST(DeviceWin32Backend, SimulatedMouseOverWinsock) {
  simmouse::SimMouseHub hub;
  ASSERT_TRUE(simmouse::AddScenario(hub, "two"));
  LoopbackServer server(hub);
  SimLinkBackend backend(std::make_unique<WinsockSimLinkChannel>("127.0.0.1", server.Port()));
  DeviceTransport transport(backend, hub.VirtualSleeper());
  DeviceRegistry registry;
  CommandSet commands(transport, registry);
  DeviceDiscovery discovery(transport, registry, commands);
  discovery.Connect(nullptr);
  ASSERT_EQ(registry.Count(), 2u);
  EXPECT_EQ(registry.DeviceNumber(registry.PathAt(1)), 2);
  EXPECT_EQ(HardwareLayoutFor(registry.PlatformCode(registry.PathAt(1))).type, 4);
  EXPECT_EQ(commands.ProbeMemorySize(), 0x3FFFu);
  std::vector<uint8_t> settings(1024);
  commands.ReadMemory(0, settings.data(), 1024);
  const std::vector<uint8_t> factory = simmouse::FactoryMemory(1024);
  EXPECT_EQ(settings, factory);
  commands.WriteProfileName(0, L"Wine");
  EXPECT_EQ(hub.Memory(0)[30 + 6], 'e');
}

TEST(DeviceWin32Backend, UnreachableServerMeansNoDevices) {
  // A port nobody listens on: take one and close it again.
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  int length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  closesocket(s);
  SimLinkBackend backend(std::make_unique<WinsockSimLinkChannel>("127.0.0.1", ntohs(address.sin_port)));
  EXPECT_TRUE(backend.EnumerateInterfaces().empty());
  EXPECT_EQ(backend.Open(L"\\\\?\\hid#x&mi_00#y"), nullptr);
  WSACleanup();
}

TEST(DeviceWin32Backend, EnvironmentChoosesTheBackend) {
  struct Case {
    const wchar_t* value;
    bool simulated;
  };
  const Case cases[] = {{L"127.0.0.1:4000", true}, {L"localhost:1", true}, {L"127.0.0.1", false},
                        {L"127.0.0.1:0", false},   {L":4000", false},      {L"127.0.0.1:70000", false},
                        {L"a b:4000", false},      {nullptr, false}};
  for (const Case& c : cases) {
    SetEnvironmentVariableW(L"POINTRIX_SIMULATED_DEVICE", c.value);
    EXPECT_EQ(IsSimulatedDeviceSelected(), c.simulated) << (c.value ? "set" : "unset");
    std::unique_ptr<HidBackend> backend = CreateHidBackend();
    EXPECT_EQ(dynamic_cast<SimLinkBackend*>(backend.get()) != nullptr, c.simulated);
    EXPECT_EQ(dynamic_cast<Win32HidBackend*>(backend.get()) != nullptr, !c.simulated);
  }
  SetEnvironmentVariableW(L"POINTRIX_SIMULATED_DEVICE", nullptr);
}

TEST(DeviceWin32Backend, DeviceChangeBroadcastsGiveThePath) {
  const wchar_t name[] = L"\\\\?\\HID#VID_1E7D&PID_2E4A&MI_00#7&1#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  std::vector<uint8_t> storage(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + sizeof name, 0);
  auto* item = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage.data());
  item->dbcc_size = static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + sizeof name);
  item->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  std::memcpy(item->dbcc_name, name, sizeof name);
  const LPARAM lParam = reinterpret_cast<LPARAM>(item);
  std::wstring path;
  bool arrival = false;
  ASSERT_TRUE(ReadDeviceChange(DBT_DEVICEARRIVAL, lParam, &path, &arrival));
  EXPECT_EQ(path, name);
  EXPECT_TRUE(arrival);
  ASSERT_TRUE(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, lParam, &path, &arrival));
  EXPECT_FALSE(arrival);
  EXPECT_FALSE(ReadDeviceChange(DBT_DEVNODES_CHANGED, lParam, &path, &arrival));
  EXPECT_FALSE(ReadDeviceChange(DBT_DEVICEARRIVAL, 0, &path, &arrival));
  // A name without its terminator ends at the broadcast's size.
  item->dbcc_size =
      static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + 4 * sizeof(wchar_t));
  ASSERT_TRUE(ReadDeviceChange(DBT_DEVICEARRIVAL, lParam, &path, &arrival));
  EXPECT_EQ(path, L"\\\\?\\");
  item->dbcc_devicetype = DBT_DEVTYP_HANDLE;
  EXPECT_FALSE(ReadDeviceChange(DBT_DEVICEARRIVAL, lParam, &path, &arrival));
  EXPECT_EQ(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W), 32u);
}

// Run by the end-to-end script against simmouse_server (it sets
// POINTRIX_DEVICE_PROBE=1 and POINTRIX_SIMULATED_DEVICE); skipped otherwise.
TEST(SimulatedDeviceProbe, FindsAndReadsTheServersMouse) {
  if (!std::getenv("POINTRIX_DEVICE_PROBE") || !IsSimulatedDeviceSelected()) GTEST_SKIP();
  std::unique_ptr<HidBackend> backend = CreateHidBackend();
  SystemSleeper sleeper;
  DeviceTransport transport(*backend, sleeper);
  DeviceRegistry registry;
  CommandSet commands(transport, registry);
  DeviceDiscovery discovery(transport, registry, commands);
  discovery.Connect(nullptr);
  ASSERT_EQ(registry.Count(), 2u);  // the "mixed" scenario holds two enrollable mice
  const DeviceRecord record = registry.Record(registry.CurrentPath());
  EXPECT_EQ(record.deviceNumber, 1);
  EXPECT_EQ(record.platformCode, 9);
  EXPECT_EQ(record.maxDpiCode, 0xA0);
  EXPECT_EQ(commands.ProbeMemorySize(), 0x3FFFu);
  std::vector<uint8_t> settings(1024);
  commands.ReadMemory(0, settings.data(), 1024);
  EXPECT_EQ(settings, simmouse::FactoryMemory(1024));
  commands.WriteProfileName(0, L"Probe");
  commands.WriteButtonAssignment(0, 3, 5, 0x01, 0x06, 0);
  std::printf("probe: %u mice, current number %d, memory %u bytes\n", static_cast<unsigned>(registry.Count()),
              record.deviceNumber, static_cast<unsigned>(commands.ProbeMemorySize() + 1));
}

}  // namespace
