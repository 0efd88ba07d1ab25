#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "pointrix/device/HidBackend.h"
#include "tools/simmouse/SimMouse.h"

namespace simmouse {

// One client connection of the loopback server: answers request lines of the
// simulated-device protocol (pointrix/device/SimLink.h) from a hub, and the
// control requests that tests use:
//
//   MICE                        -> OK count
//   PEEK mouse address length   -> OK bytes     (device memory, aliased)
//   POKE mouse address bytes    -> OK
//   STATE mouse                 -> OK plugged number profile dpiLevel angleSnapping sensor
//                                     reloadSettings reloadButtons reloadDpi starts setNumbers
//   PLUG mouse, UNPLUG mouse    -> OK
//   PROFILE mouse p, DPI mouse level, SNAP mouse, WINDOW mouse command -> OK
//                                  (as the mouse's own buttons: a status or window report follows)
//   FAULT mouse none|busy|silent|drop|unplug [after] -> OK
//   LATENCY mouse reads         -> OK
//
// Malformed or unknown requests get "ERR".
class SimLinkSession {
 public:
  explicit SimLinkSession(SimMouseHub& hub) : hub_(hub) {}
  std::string Handle(const std::string& line);

 private:
  SimMouseHub& hub_;
  std::map<uint64_t, std::unique_ptr<HidDevice>> handles_;
  std::map<std::wstring, uint64_t> byPath_;  // one handle per interface, kept while it stays
  uint64_t nextHandle_ = 1;
};

// The mice of a named scenario: "one" (a single supported mouse, 16 KiB),
// "two" (two supported mice), "mixed" (two supported mice, one without the
// interface-0 marker, one with another signature, one whose class byte is not
// 5, and a keyboard interface). False for an unknown name.
bool AddScenario(SimMouseHub& hub, const std::string& name);

}  // namespace simmouse
