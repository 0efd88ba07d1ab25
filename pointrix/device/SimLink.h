#pragma once

// The line protocol between the simulated-device backend and the simulated
// mouse's loopback server. One request line, one answer line, each ending in
// "\n"; words separated by single blanks; binary data and paths (UTF-8) as
// lower-case hexadecimal.
//
//   ENUM                      -> OK [path ...]
//   OPEN path                 -> OK handle [usagePage usage featureLength inputLength] | ERR
//                                (the same handle again while the interface stays; the
//                                capabilities when its parser data can be read)
//   CAPS handle               -> OK usagePage usage featureLength inputLength | ERR
//   GETF handle length        -> OK bytes | ERR
//   SETF handle bytes         -> OK | ERR
//   STR handle index length   -> OK bytes | ERR
//   CONN handle               -> OK 1 | OK 0
//   CANCEL handle, CLOSE handle -> OK
//   INPUT path                -> OK [bytes]   (next vendor input report, if any)
//
// The server adds control requests for tests (see simmouse_server).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "pointrix/device/HidBackend.h"

constexpr size_t kSimLinkMaxLine = 65536;
constexpr size_t kSimLinkMaxTransfer = 4096;

std::string SimLinkHex(const uint8_t* data, size_t length);
// False for odd length, a non-hex digit or more than maxBytes bytes.
bool SimLinkUnhex(const std::string& text, std::vector<uint8_t>* bytes, size_t maxBytes);
// UTF-8 <-> wide text; invalid sequences become U+FFFD.
std::string SimLinkUtf8(const std::wstring& text);
std::wstring SimLinkWide(const std::string& utf8);
// Splits on blanks; empty words are dropped.
std::vector<std::string> SimLinkWords(const std::string& line);
// Decimal without sign, at most `max`.
bool SimLinkNumber(const std::string& word, uint64_t max, uint64_t* value);

// "host:port" of the simulated mouse's server (the value of the environment
// variable POINTRIX_SIMULATED_DEVICE); false when it is not of that form.
bool ParseSimLinkAddress(const std::string& text, std::string* host, uint16_t* port);

// A parsed answer line: "OK" or "ERR" and the words after it.
struct SimLinkAnswer {
  bool ok = false;
  std::vector<std::string> words;
};
bool ParseSimLinkAnswer(const std::string& line, SimLinkAnswer* answer);

// Carries one request line to the server and brings its answer line back.
class SimLinkChannel {
 public:
  virtual ~SimLinkChannel() = default;
  // False when the connection failed; the backend then treats every device as gone.
  virtual bool Exchange(const std::string& request, std::string* answer) = 0;
};

// The simulated-device backend: every HID operation is a request to the server.
class SimLinkBackend : public HidBackend {
 public:
  explicit SimLinkBackend(std::unique_ptr<SimLinkChannel> channel) : channel_(std::move(channel)) {}

  std::vector<std::wstring> EnumerateInterfaces() override;
  std::unique_ptr<HidDevice> Open(const std::wstring& path) override;
  bool ReadInputReport(const std::wstring& path, std::vector<uint8_t>* report) override;

  // One exchange under the backend's lock; false on a broken link or a
  // malformed answer.
  bool Call(const std::string& request, SimLinkAnswer* answer);

 private:
  std::mutex mutex_;
  std::unique_ptr<SimLinkChannel> channel_;
  bool broken_ = false;
};
