// Answer lines from the simulated mouse's server, as the simulated-device
// backend parses them: every HID operation over a channel that answers with
// the fuzzer's lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pointrix/device/SimLink.h"

namespace {

class ScriptChannel : public SimLinkChannel {
 public:
  explicit ScriptChannel(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  bool Exchange(const std::string&, std::string* answer) override {
    if (next_ >= lines_.size()) return false;
    *answer = lines_[next_++];
    return true;
  }

 private:
  std::vector<std::string> lines_;
  size_t next_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size() && lines.size() < 64) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::string host;
  uint16_t port = 0;
  (void)ParseSimLinkAddress(lines[0], &host, &port);
  (void)SimLinkUtf8(SimLinkWide(lines[0]));

  SimLinkBackend backend(std::make_unique<ScriptChannel>(lines));
  for (const std::wstring& path : backend.EnumerateInterfaces()) (void)SimLinkUtf8(path);
  std::unique_ptr<HidDevice> device = backend.Open(L"\\\\?\\hid#mi_00#x");
  if (device) {
    HidCaps caps;
    (void)device->GetCaps(&caps);
    uint8_t buffer[9];
    (void)device->GetFeature(buffer, sizeof buffer);
    (void)device->SetFeature(buffer, sizeof buffer);
    uint8_t strings[16];
    (void)device->GetIndexedString(199, strings, sizeof strings);
    (void)device->IsDisconnected();
  }
  std::vector<uint8_t> report;
  (void)backend.ReadInputReport(L"x", &report);
  return 0;
}
