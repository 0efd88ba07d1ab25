#include "tools/simmouse/SimLinkServer.h"

#include "pointrix/device/SimLink.h"

namespace simmouse {

namespace {

const char kOk[] = "OK";
const char kErr[] = "ERR";

}  // namespace

std::string SimLinkSession::Handle(const std::string& line) {
  if (line.size() > kSimLinkMaxLine) return kErr;
  const std::vector<std::string> w = SimLinkWords(line);
  if (w.empty()) return kErr;
  const std::string& verb = w[0];
  uint64_t a = 0, b = 0, c = 0;

  auto device = [&](const std::string& word) -> HidDevice* {
    uint64_t h = 0;
    if (!SimLinkNumber(word, UINT64_MAX / 2, &h)) return nullptr;
    auto it = handles_.find(h);
    return it == handles_.end() ? nullptr : it->second.get();
  };
  auto path = [](const std::string& word, std::wstring* out) {
    std::vector<uint8_t> bytes;
    if (!SimLinkUnhex(word, &bytes, kSimLinkMaxLine)) return false;
    *out = SimLinkWide(std::string(bytes.begin(), bytes.end()));
    return true;
  };
  auto mouse = [&](const std::string& word, uint64_t* id) {
    return SimLinkNumber(word, 1u << 20, id) && static_cast<int>(*id) < hub_.MouseCount();
  };

  if (verb == "ENUM" && w.size() == 1) {
    std::string answer = kOk;
    for (const std::wstring& p : hub_.EnumerateInterfaces()) {
      const std::string utf8 = SimLinkUtf8(p);
      answer += " " + SimLinkHex(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size());
    }
    return answer;
  }
  if (verb == "OPEN" && w.size() == 2) {
    std::wstring p;
    if (!path(w[1], &p)) return kErr;
    const std::wstring key = SimLinkWide(SimLinkUtf8(p));
    uint64_t h = 0;
    auto known = byPath_.find(key);
    if (known != byPath_.end() && handles_.count(known->second) &&
        !handles_[known->second]->IsDisconnected()) {
      h = known->second;
    } else {
      if (known != byPath_.end()) {
        handles_.erase(known->second);
        byPath_.erase(known);
      }
      std::unique_ptr<HidDevice> d = hub_.Open(p);
      if (!d || handles_.size() >= 1024) return kErr;
      h = nextHandle_++;
      handles_[h] = std::move(d);
      byPath_[key] = h;
    }
    std::string answer = std::string(kOk) + " " + std::to_string(h);
    HidCaps caps;
    if (handles_[h]->GetCaps(&caps)) {
      answer += " " + std::to_string(caps.usagePage) + " " + std::to_string(caps.usage) + " " +
                std::to_string(caps.featureReportLength) + " " + std::to_string(caps.inputReportLength);
    }
    return answer;
  }
  if (verb == "CAPS" && w.size() == 2) {
    HidDevice* d = device(w[1]);
    HidCaps caps;
    if (!d || !d->GetCaps(&caps)) return kErr;
    return std::string(kOk) + " " + std::to_string(caps.usagePage) + " " + std::to_string(caps.usage) + " " +
           std::to_string(caps.featureReportLength) + " " + std::to_string(caps.inputReportLength);
  }
  if (verb == "GETF" && w.size() == 3) {
    HidDevice* d = device(w[1]);
    if (!d || !SimLinkNumber(w[2], kSimLinkMaxTransfer, &a) || a == 0) return kErr;
    std::vector<uint8_t> buffer(a, 0);
    if (!d->GetFeature(buffer.data(), buffer.size())) return kErr;
    return std::string(kOk) + " " + SimLinkHex(buffer.data(), buffer.size());
  }
  if (verb == "SETF" && w.size() == 3) {
    HidDevice* d = device(w[1]);
    std::vector<uint8_t> bytes;
    if (!d || !SimLinkUnhex(w[2], &bytes, kSimLinkMaxTransfer) || bytes.empty()) return kErr;
    return d->SetFeature(bytes.data(), bytes.size()) ? kOk : kErr;
  }
  if (verb == "STR" && w.size() == 4) {
    HidDevice* d = device(w[1]);
    if (!d || !SimLinkNumber(w[2], 255, &a) || !SimLinkNumber(w[3], kSimLinkMaxTransfer, &b) || b == 0)
      return kErr;
    std::vector<uint8_t> buffer(b, 0);
    if (!d->GetIndexedString(static_cast<int>(a), buffer.data(), buffer.size())) return kErr;
    // Trailing zeros carry nothing; the client's buffer keeps its own.
    size_t used = buffer.size();
    while (used > 0 && buffer[used - 1] == 0) --used;
    return std::string(kOk) + " " + SimLinkHex(buffer.data(), used);
  }
  if (verb == "CONN" && w.size() == 2) {
    HidDevice* d = device(w[1]);
    return std::string(kOk) + (d && !d->IsDisconnected() ? " 1" : " 0");
  }
  if (verb == "CANCEL" && w.size() == 2) return device(w[1]) ? kOk : kErr;
  if (verb == "CLOSE" && w.size() == 2) {
    if (!SimLinkNumber(w[1], UINT64_MAX / 2, &a)) return kErr;
    handles_.erase(a);
    for (auto it = byPath_.begin(); it != byPath_.end(); ++it) {
      if (it->second == a) {
        byPath_.erase(it);
        break;
      }
    }
    return kOk;
  }
  if (verb == "INPUT" && w.size() == 2) {
    std::wstring p;
    std::vector<uint8_t> report;
    if (!path(w[1], &p)) return kErr;
    if (!hub_.ReadInputReport(p, &report)) return kOk;
    return std::string(kOk) + " " + SimLinkHex(report.data(), report.size());
  }

  // Control requests.
  if (verb == "MICE" && w.size() == 1) return std::string(kOk) + " " + std::to_string(hub_.MouseCount());
  if (verb == "PEEK" && w.size() == 4) {
    if (!mouse(w[1], &a) || !SimLinkNumber(w[2], 0xFFFFFF, &b) ||
        !SimLinkNumber(w[3], kSimLinkMaxTransfer, &c))
      return kErr;
    const std::vector<uint8_t> memory = hub_.Memory(static_cast<int>(a));
    std::vector<uint8_t> out(c);
    for (uint64_t i = 0; i < c; ++i) out[i] = memory[(b + i) % memory.size()];
    return std::string(kOk) + " " + SimLinkHex(out.data(), out.size());
  }
  if (verb == "POKE" && w.size() == 4) {
    std::vector<uint8_t> bytes;
    if (!mouse(w[1], &a) || !SimLinkNumber(w[2], 0xFFFFFF, &b) ||
        !SimLinkUnhex(w[3], &bytes, kSimLinkMaxTransfer))
      return kErr;
    hub_.WriteMemory(static_cast<int>(a), static_cast<uint32_t>(b), bytes);
    return kOk;
  }
  if (verb == "STATE" && w.size() == 2) {
    if (!mouse(w[1], &a)) return kErr;
    const MouseState s = hub_.State(static_cast<int>(a));
    std::string answer = kOk;
    for (int v : {s.plugged ? 1 : 0, static_cast<int>(s.deviceNumber), s.profile, s.dpiLevel,
                  s.angleSnapping ? 1 : 0, static_cast<int>(s.sensorValue), s.reloadSettingsCount,
                  s.reloadButtonsCount, s.reloadDpiCount, s.startCount, s.setNumberCount}) {
      answer += " " + std::to_string(v);
    }
    return answer;
  }
  if ((verb == "PLUG" || verb == "UNPLUG" || verb == "SNAP") && w.size() == 2) {
    if (!mouse(w[1], &a)) return kErr;
    const int id = static_cast<int>(a);
    if (verb == "PLUG") hub_.Plug(id);
    if (verb == "UNPLUG") hub_.Unplug(id);
    if (verb == "SNAP") hub_.ToggleAngleSnapping(id);
    return kOk;
  }
  if ((verb == "PROFILE" || verb == "DPI" || verb == "WINDOW" || verb == "LATENCY") && w.size() == 3) {
    if (!mouse(w[1], &a) || !SimLinkNumber(w[2], 1000, &b)) return kErr;
    const int id = static_cast<int>(a);
    const int value = static_cast<int>(b);
    if (verb == "PROFILE") hub_.PressProfileButton(id, value);
    if (verb == "DPI") hub_.PressDpiButton(id, value);
    if (verb == "WINDOW") hub_.QueueWindowCommand(id, value);
    if (verb == "LATENCY") hub_.SetAnswerLatency(id, value);
    return kOk;
  }
  if (verb == "FAULT" && (w.size() == 3 || w.size() == 4)) {
    if (!mouse(w[1], &a) || (w.size() == 4 && !SimLinkNumber(w[3], 1u << 30, &b))) return kErr;
    Fault fault;
    if (w[2] == "none") {
      fault = Fault::kNone;
    } else if (w[2] == "busy") {
      fault = Fault::kStaysBusy;
    } else if (w[2] == "silent") {
      fault = Fault::kNeverAnswers;
    } else if (w[2] == "drop") {
      fault = Fault::kDropsWrites;
    } else if (w[2] == "unplug") {
      fault = Fault::kUnplugMidTransfer;
    } else {
      return kErr;
    }
    hub_.SetFault(static_cast<int>(a), fault, static_cast<int>(b));
    return kOk;
  }
  return kErr;
}

bool AddScenario(SimMouseHub& hub, const std::string& name) {
  if (name == "one") {
    hub.AddMouse(StandardMouse(0));
    return true;
  }
  if (name == "two") {
    hub.AddMouse(StandardMouse(0));
    MouseConfig second = StandardMouse(1);
    second.memorySize = 8 * 1024;
    second.platformCode = 11;
    hub.AddMouse(second);
    return true;
  }
  if (name == "mixed") {
    hub.AddOtherInterface(
        L"\\\\?\\hid#vid_046d&pid_c31c&mi_00#7&11aa22bb&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
        HidCaps{1, 6, 0, 9});
    hub.AddMouse(StandardMouse(0));
    MouseConfig noMarker = StandardMouse(2);
    noMarker.path =
        L"\\\\?\\hid#vid_1e7d&pid_2e4a&mi_01#7&2b1c9a4f&0&0002#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    hub.AddMouse(noMarker);
    MouseConfig otherSignature = StandardMouse(3);
    otherSignature.signature = "QRZ";
    hub.AddMouse(otherSignature);
    MouseConfig otherClass = StandardMouse(4);
    otherClass.classByte = 4;
    hub.AddMouse(otherClass);
    MouseConfig old = StandardMouse(5);
    old.firmwareByte = 27;
    old.memorySize = 8 * 1024;
    hub.AddMouse(old);
    return true;
  }
  return false;
}

}  // namespace simmouse
