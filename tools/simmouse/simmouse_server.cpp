// simmouse_server: the simulated mouse on 127.0.0.1 for pointrix.exe's
// simulated-device backend (POINTRIX_SIMULATED_DEVICE=127.0.0.1:PORT).
//
//   simmouse_server [--port N] [--port-file FILE] [--scenario one|two|mixed]
//                   [--lifetime SECONDS] [--real-time]
//
// Port 0 (the default) takes a free port. The chosen port is printed as
// "LISTENING <port>" and written to the port file. The server ends by itself
// after its lifetime (default 3600 s) or on SIGTERM/SIGINT.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "pointrix/device/SimLink.h"
#include "tools/simmouse/SimLinkServer.h"

namespace {

std::atomic<bool> gStop{false};

void OnSignal(int) { gStop = true; }

bool SendAll(int fd, const std::string& text) {
  size_t sent = 0;
  while (sent < text.size()) {
    const ssize_t n = send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

void Serve(int fd, simmouse::SimMouseHub* hub) {
  simmouse::SimLinkSession session(*hub);
  std::string pending;
  char chunk[4096];
  while (!gStop) {
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, 200);
    if (ready < 0) break;
    if (ready == 0) continue;
    const ssize_t n = recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) break;
    pending.append(chunk, static_cast<size_t>(n));
    size_t end;
    bool ok = true;
    while (ok && (end = pending.find('\n')) != std::string::npos) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      ok = SendAll(fd, session.Handle(line) + "\n");
    }
    if (!ok || pending.size() > kSimLinkMaxLine) break;
  }
  close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  int port = 0;
  std::string portFile;
  std::string scenario = "one";
  int lifetime = 3600;
  simmouse::Timing timing;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--port" && hasValue) {
      port = std::atoi(argv[++i]);
    } else if (arg == "--port-file" && hasValue) {
      portFile = argv[++i];
    } else if (arg == "--scenario" && hasValue) {
      scenario = argv[++i];
    } else if (arg == "--lifetime" && hasValue) {
      lifetime = std::atoi(argv[++i]);
    } else if (arg == "--real-time") {
      timing.realTime = true;
    } else {
      std::fprintf(stderr,
                   "usage: simmouse_server [--port N] [--port-file FILE] [--scenario one|two|mixed] "
                   "[--lifetime SECONDS] [--real-time]\n");
      return 2;
    }
  }
  simmouse::SimMouseHub hub(timing);
  if (!simmouse::AddScenario(hub, scenario)) {
    std::fprintf(stderr, "simmouse_server: unknown scenario %s\n", scenario.c_str());
    return 2;
  }

  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  if (listener < 0) return 1;
  const int yes = 1;
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 16) != 0) {
    std::perror("simmouse_server");
    return 1;
  }
  socklen_t length = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  std::printf("LISTENING %d\n", port);
  std::fflush(stdout);
  if (!portFile.empty()) {
    const std::string temp = portFile + ".part";
    if (FILE* f = std::fopen(temp.c_str(), "w")) {
      std::fprintf(f, "%d\n", port);
      std::fclose(f);
      std::rename(temp.c_str(), portFile.c_str());
    }
  }

  signal(SIGTERM, OnSignal);
  signal(SIGINT, OnSignal);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(lifetime);
  std::vector<std::thread> clients;
  while (!gStop && std::chrono::steady_clock::now() < deadline) {
    pollfd p{listener, POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    const int fd = accept(listener, nullptr, nullptr);
    if (fd < 0) continue;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    clients.emplace_back(Serve, fd, &hub);
  }
  gStop = true;
  close(listener);
  for (std::thread& t : clients) t.join();
  return 0;
}
