#pragma once

#include <memory>
#include <vector>

#include "pointrix/device/CommandSet.h"
#include "pointrix/device/DeviceDiscovery.h"
#include "pointrix/device/DeviceRegistry.h"
#include "pointrix/device/HidBackend.h"
#include "pointrix/device/Transport.h"
#include "pointrix/device/VendorReport.h"

// The device link of the process, wired once: a HID backend, the transport
// pacing with the system's sleep, the registry, the command set and discovery.
class DeviceLink {
 public:
  explicit DeviceLink(std::unique_ptr<HidBackend> backend, Sleeper* sleeper = nullptr);
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  HidBackend& Backend() { return *backend_; }
  DeviceTransport& Transport() { return transport_; }
  DeviceRegistry& Registry() { return registry_; }
  CommandSet& Commands() { return commands_; }
  DeviceDiscovery& Discovery() { return discovery_; }

  // Vendor input reports of the current device waiting at a backend that does
  // not deliver them as raw input (the simulated mouse), decoded and in order;
  // reports that fail their checks are left out. At most `limit` per call.
  std::vector<VendorReport> PollInputReports(size_t limit = 64);

 private:
  std::unique_ptr<HidBackend> backend_;
  SystemSleeper systemSleeper_;
  DeviceTransport transport_;
  DeviceRegistry registry_;
  CommandSet commands_;
  DeviceDiscovery discovery_;
};
