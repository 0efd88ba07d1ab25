#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "pointrix/device/SimLink.h"

// A TCP connection to the simulated mouse's server. Connects on first use and
// reconnects after a failure on the next request; every wait is bounded.
class WinsockSimLinkChannel : public SimLinkChannel {
 public:
  WinsockSimLinkChannel(std::string host, uint16_t port);
  ~WinsockSimLinkChannel() override;
  WinsockSimLinkChannel(const WinsockSimLinkChannel&) = delete;
  WinsockSimLinkChannel& operator=(const WinsockSimLinkChannel&) = delete;

  bool Exchange(const std::string& request, std::string* answer) override;

 private:
  bool Connect();
  void Disconnect();

  std::string host_;
  uint16_t port_;
  bool started_ = false;
  uintptr_t socket_;
  std::string pending_;
};
