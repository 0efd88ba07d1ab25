#include "pointrix/device/win32/WinsockSimLinkChannel.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace {

constexpr DWORD kTimeoutMs = 5000;

}  // namespace

WinsockSimLinkChannel::WinsockSimLinkChannel(std::string host, uint16_t port)
    : host_(std::move(host)), port_(port), socket_(INVALID_SOCKET) {
  WSADATA data;
  started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockSimLinkChannel::~WinsockSimLinkChannel() {
  Disconnect();
  if (started_) WSACleanup();
}

bool WinsockSimLinkChannel::Connect() {
  if (socket_ != INVALID_SOCKET) return true;
  if (!started_) return false;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  if (getaddrinfo(host_.c_str(), std::to_string(port_).c_str(), &hints, &found) != 0 || !found) return false;
  SOCKET s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  if (s != INVALID_SOCKET) {
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&kTimeoutMs), sizeof kTimeoutMs);
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&kTimeoutMs), sizeof kTimeoutMs);
    const BOOL noDelay = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    if (connect(s, found->ai_addr, static_cast<int>(found->ai_addrlen)) != 0) {
      closesocket(s);
      s = INVALID_SOCKET;
    }
  }
  freeaddrinfo(found);
  socket_ = s;
  pending_.clear();
  return s != INVALID_SOCKET;
}

void WinsockSimLinkChannel::Disconnect() {
  if (socket_ != INVALID_SOCKET) closesocket(static_cast<SOCKET>(socket_));
  socket_ = INVALID_SOCKET;
  pending_.clear();
}

bool WinsockSimLinkChannel::Exchange(const std::string& request, std::string* answer) {
  if (!Connect()) return false;
  const SOCKET s = static_cast<SOCKET>(socket_);
  const std::string line = request + "\n";
  size_t sent = 0;
  while (sent < line.size()) {
    const int n = send(s, line.data() + sent, static_cast<int>(line.size() - sent), 0);
    if (n <= 0) {
      Disconnect();
      return false;
    }
    sent += static_cast<size_t>(n);
  }
  char chunk[4096];
  for (;;) {
    const size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      *answer = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return true;
    }
    if (pending_.size() > kSimLinkMaxLine) break;
    const int n = recv(s, chunk, sizeof chunk, 0);
    if (n <= 0) break;
    pending_.append(chunk, static_cast<size_t>(n));
  }
  Disconnect();
  return false;
}
