#include "tools/simmouse/SimMouse.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace simmouse {

namespace {

constexpr int kSignatureString = 199;
constexpr int kPlatformString = 198;

std::wstring Lower(const std::wstring& s) {
  std::wstring r = s;
  for (wchar_t& c : r) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return r;
}

// Waits precisely: sleeping alone overshoots a 1 ms transfer noticeably.
void WaitMicros(int micros) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(micros);
  if (micros > 300) std::this_thread::sleep_for(std::chrono::microseconds(micros - 300));
  while (std::chrono::steady_clock::now() < until) {
  }
}

// Byte 10 makes the XOR of bytes 1..11 zero.
void SealNumberedReport(std::vector<uint8_t>& r) {
  uint8_t sum = 0;
  for (size_t i = 1; i < r.size(); ++i) {
    if (i != 10) sum ^= r[i];
  }
  r[10] = sum;
}

}  // namespace

std::array<Assignment, kSlots> FactoryDefaults() {
  static const Assignment kButtons[16] = {
      {4, 0x01, 0, 0}, {4, 0x02, 0, 0}, {4, 0x04, 0, 0}, {4, 0x08, 0, 0}, {4, 0x10, 0, 0}, {12, 0, 0, 0},
      {13, 0, 0, 0},   {17, 0, 0, 0},   {1, 0, 0, 0},    {1, 0, 0, 0},    {1, 0, 0, 0},    {1, 0, 0, 0},
      {1, 0, 0, 0},    {1, 0, 0, 0},    {4, 0, 0x01, 0}, {4, 0, 0x81, 0},
  };
  std::array<Assignment, kSlots> table;
  for (int slot = 0; slot < kSlots; ++slot) table[slot] = kButtons[slot % 16];
  return table;
}

std::vector<uint8_t> FactoryMemory(size_t size) {
  std::vector<uint8_t> m(std::max(size, kSettingsSize), 0);
  m[0] = 0x12;
  m[2] = 1;
  m[15] = 0x10;
  const uint8_t dpi[10] = {0x10, 0x10, 0x20, 0x20, 0x30, 0x30, 0x40, 0x40, 0x50, 0x50};
  std::copy(dpi, dpi + 10, m.begin() + 4);
  static const int kColours[5][3] = {{3, 0, 0}, {0, 3, 0}, {0, 0, 3}, {3, 0, 3}, {0, 3, 3}};
  for (int p = 0; p < 5; ++p) {
    const size_t block = 16 + 96 * static_cast<size_t>(p);
    m[block] = 0x12;
    m[block + 1] = 0x12;
    const int* c = kColours[p];
    m[block + 3] = static_cast<uint8_t>(c[0] | c[1] << 2 | c[2] << 4);
    for (int i = 0; i < 3; ++i) m[block + 4 + i] = static_cast<uint8_t>(c[i] * 255 / 3);
  }
  m.resize(size);
  return m;
}

MouseConfig StandardMouse(int index) {
  MouseConfig config;
  wchar_t instance[16];
  swprintf(instance, 16, L"%04x", index);
  config.path = std::wstring(L"\\\\?\\hid#vid_1e7d&pid_2e4a&mi_00#7&2b1c9a4f&0&") + instance +
                L"#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  config.defaults = FactoryDefaults();
  return config;
}

struct SimMouseHub::Mouse {
  MouseConfig config;
  std::wstring lowerPath;
  bool plugged = true;
  uint64_t generation = 1;
  std::vector<uint8_t> memory;
  MouseState state;
  DeviceAnswer answer{};
  Fault fault = Fault::kNone;
  int faultAfter = 0;
  bool hung = false;
  int busyReads = 0;
  int answerLatency = 0;
  int pendingLatency = 0;
  TransferCounts counts;
  std::vector<DeviceReport> written;
  std::deque<std::vector<uint8_t>> inputs;

  uint8_t& At(uint32_t address) { return memory[address % memory.size()]; }
};

class SimMouseHub::TimeSleeper : public Sleeper {
 public:
  explicit TimeSleeper(SimMouseHub& hub) : hub_(hub) {}
  void SleepMs(int ms) override { hub_.AddSleep(ms); }

 private:
  SimMouseHub& hub_;
};

namespace {

class SimHandle : public HidDevice {
 public:
  SimHandle(SimMouseHub& hub, int id, uint64_t generation, HidCaps otherCaps)
      : hub_(hub), id_(id), generation_(generation), otherCaps_(otherCaps) {}

  bool GetCaps(HidCaps* caps) override {
    if (id_ < 0) {
      *caps = otherCaps_;
      return true;
    }
    return hub_.HandleGetCaps(id_, generation_, caps);
  }
  bool GetFeature(uint8_t* buffer, size_t length) override {
    return id_ >= 0 && hub_.HandleGetFeature(id_, generation_, buffer, length);
  }
  bool SetFeature(const uint8_t* buffer, size_t length) override {
    return id_ >= 0 && hub_.HandleSetFeature(id_, generation_, buffer, length);
  }
  bool GetIndexedString(int index, uint8_t* buffer, size_t length) override {
    return id_ >= 0 && hub_.HandleGetString(id_, generation_, index, buffer, length);
  }
  void CancelIo() override {}
  bool IsDisconnected() const override { return id_ >= 0 && !hub_.HandleConnected(id_, generation_); }

 private:
  SimMouseHub& hub_;
  int id_;
  uint64_t generation_;
  HidCaps otherCaps_;
};

}  // namespace

SimMouseHub::SimMouseHub(Timing timing) : timing_(timing), sleeper_(std::make_unique<TimeSleeper>(*this)) {}

SimMouseHub::~SimMouseHub() = default;

SimMouseHub::Mouse* SimMouseHub::Get(int id) {
  return id >= 0 && id < static_cast<int>(mice_.size()) ? mice_[id].get() : nullptr;
}

const SimMouseHub::Mouse* SimMouseHub::Get(int id) const {
  return id >= 0 && id < static_cast<int>(mice_.size()) ? mice_[id].get() : nullptr;
}

int SimMouseHub::AddMouse(const MouseConfig& config) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto m = std::make_unique<Mouse>();
  m->config = config;
  m->lowerPath = Lower(config.path);
  size_t size = config.memorySize;
  if (size < kSettingsSize) size = kSettingsSize;
  m->memory = FactoryMemory(size);
  m->state.plugged = true;
  m->state.dpiLevel = std::min<int>(m->memory[2], 4);
  m->state.angleSnapping = (m->memory[15] & 1) != 0;
  m->state.liveX = m->memory[4 + 2 * m->state.dpiLevel];
  m->state.liveY = m->memory[5 + 2 * m->state.dpiLevel];
  mice_.push_back(std::move(m));
  return static_cast<int>(mice_.size()) - 1;
}

void SimMouseHub::AddOtherInterface(const std::wstring& path, const HidCaps& caps) {
  std::lock_guard<std::mutex> lock(mutex_);
  others_.push_back({path, caps});
}

void SimMouseHub::Plug(int id) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) {
    if (!m->plugged) {
      m->plugged = true;
      m->hung = false;
      if (m->fault == Fault::kUnplugMidTransfer) m->fault = Fault::kNone;
    }
  }
}

void SimMouseHub::Unplug(int id) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) {
    m->plugged = false;
    ++m->generation;
  }
}

int SimMouseHub::MouseCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(mice_.size());
}

std::wstring SimMouseHub::PathOf(int id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Mouse* m = Get(id);
  return m ? m->config.path : std::wstring();
}

int SimMouseHub::FindMouse(const std::wstring& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::wstring lower = Lower(path);
  for (size_t i = 0; i < mice_.size(); ++i) {
    if (mice_[i]->lowerPath == lower) return static_cast<int>(i);
  }
  return -1;
}

void SimMouseHub::SetFault(int id, Fault fault, int after) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) {
    m->fault = fault;
    m->faultAfter = after;
    m->hung = false;
  }
}

void SimMouseHub::SetBusyReads(int id, int reads) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) m->busyReads = reads;
}

void SimMouseHub::SetAnswerLatency(int id, int reads) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) m->answerLatency = reads;
}

std::vector<uint8_t> SimMouseHub::Memory(int id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Mouse* m = Get(id);
  return m ? m->memory : std::vector<uint8_t>();
}

void SimMouseHub::WriteMemory(int id, uint32_t address, const std::vector<uint8_t>& bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) {
    for (size_t i = 0; i < bytes.size(); ++i) m->At(address + static_cast<uint32_t>(i)) = bytes[i];
  }
}

MouseState SimMouseHub::State(int id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Mouse* m = Get(id);
  if (!m) return MouseState();
  MouseState s = m->state;
  s.plugged = m->plugged;
  return s;
}

TransferCounts SimMouseHub::Counts(int id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Mouse* m = Get(id);
  return m ? m->counts : TransferCounts();
}

std::vector<DeviceReport> SimMouseHub::Written(int id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Mouse* m = Get(id);
  return m ? m->written : std::vector<DeviceReport>();
}

void SimMouseHub::ClearLog(int id) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) {
    m->written.clear();
    m->counts = TransferCounts();
  }
}

void SimMouseHub::QueueStatus(Mouse& m) {
  std::vector<uint8_t> r(12, 0);
  r[0] = 0x0C;
  r[1] = 0x0C;
  r[2] = static_cast<uint8_t>(m.state.dpiLevel);
  r[3] = m.At(4 + 2 * static_cast<uint32_t>(m.state.dpiLevel));
  r[4] = m.At(5 + 2 * static_cast<uint32_t>(m.state.dpiLevel));
  r[5] = static_cast<uint8_t>(m.state.profile);
  r[6] = static_cast<uint8_t>((m.state.angleSnapping ? 0x01 : 0) | (m.state.scrollDpiMode ? 0x80 : 0));
  r[7] = static_cast<uint8_t>(m.state.sensorValue);
  r[8] = static_cast<uint8_t>(m.state.sensorValue >> 8);
  r[11] = m.state.deviceNumber;
  SealNumberedReport(r);
  m.inputs.push_back(r);
}

void SimMouseHub::PressProfileButton(int id, int profile) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) {
    m->state.profile = std::clamp(profile, 0, 4);
    QueueStatus(*m);
  }
}

void SimMouseHub::PressDpiButton(int id, int level) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) {
    m->state.dpiLevel = std::clamp(level, 0, 4);
    m->state.liveX = m->At(4 + 2 * static_cast<uint32_t>(m->state.dpiLevel));
    m->state.liveY = m->At(5 + 2 * static_cast<uint32_t>(m->state.dpiLevel));
    QueueStatus(*m);
  }
}

void SimMouseHub::ToggleAngleSnapping(int id) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) {
    m->state.angleSnapping = !m->state.angleSnapping;
    QueueStatus(*m);
  }
}

void SimMouseHub::SetScrollDpiMode(int id, bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) {
    m->state.scrollDpiMode = on;
    QueueStatus(*m);
  }
}

void SimMouseHub::QueueWindowCommand(int id, int command) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) {
    std::vector<uint8_t> r(12, 0);
    r[0] = 0x0D;
    r[1] = 0x0D;
    r[2] = static_cast<uint8_t>(command);
    r[11] = m->state.deviceNumber;
    SealNumberedReport(r);
    m->inputs.push_back(r);
  }
}

void SimMouseHub::QueueMotion(int id, int16_t dx, int16_t dy, int8_t tilt, bool touch) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) {
    std::vector<uint8_t> r(12, 0);
    r[0] = 0x0B;
    r[1] = 0x0B;
    r[2] = touch ? 1 : 0;
    r[4] = static_cast<uint8_t>(dx);
    r[5] = static_cast<uint8_t>(static_cast<uint16_t>(dx) >> 8);
    r[6] = static_cast<uint8_t>(dy);
    r[7] = static_cast<uint8_t>(static_cast<uint16_t>(dy) >> 8);
    r[9] = static_cast<uint8_t>(tilt);
    m->inputs.push_back(r);
  }
}

void SimMouseHub::QueueInputReport(int id, const std::vector<uint8_t>& report) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Mouse* m = Get(id)) m->inputs.push_back(report);
}

uint64_t SimMouseHub::ElapsedMicros() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return clockMicros_;
}

Sleeper& SimMouseHub::VirtualSleeper() { return *sleeper_; }

std::vector<int> SimMouseHub::Sleeps() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return sleeps_;
}

void SimMouseHub::ClearSleeps() {
  std::lock_guard<std::mutex> lock(mutex_);
  sleeps_.clear();
}

void SimMouseHub::AddSleep(int ms) {
  std::lock_guard<std::mutex> lock(mutex_);
  sleeps_.push_back(ms);
  if (ms > 0) clockMicros_ += static_cast<uint64_t>(ms) * 1000;
}

std::vector<std::wstring> SimMouseHub::EnumerateInterfaces() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::wstring> paths;
  for (const Other& o : others_) paths.push_back(o.path);
  for (const auto& m : mice_) {
    if (m->plugged) paths.push_back(m->config.path);
  }
  return paths;
}

std::unique_ptr<HidDevice> SimMouseHub::Open(const std::wstring& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::wstring lower = Lower(path);
  for (size_t i = 0; i < mice_.size(); ++i) {
    const Mouse& m = *mice_[i];
    if (m.lowerPath == lower) {
      if (!m.plugged) return nullptr;
      return std::make_unique<SimHandle>(*this, static_cast<int>(i), m.generation, HidCaps());
    }
  }
  for (const Other& o : others_) {
    if (Lower(o.path) == lower) return std::make_unique<SimHandle>(*this, -1, 0, o.caps);
  }
  return nullptr;
}

bool SimMouseHub::ReadInputReport(const std::wstring& path, std::vector<uint8_t>* report) {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::wstring lower = Lower(path);
  for (auto& m : mice_) {
    if (m->lowerPath == lower && m->plugged && !m->inputs.empty()) {
      *report = m->inputs.front();
      m->inputs.pop_front();
      return true;
    }
  }
  return false;
}

bool SimMouseHub::Usable(const Mouse& m, uint64_t generation) const {
  return m.plugged && m.generation == generation;
}

bool SimMouseHub::HandleConnected(int id, uint64_t generation) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Mouse* m = Get(id);
  return m && Usable(*m, generation);
}

void SimMouseHub::Transfer(Mouse& m) {
  clockMicros_ += static_cast<uint64_t>(timing_.transferMicros);
  if (timing_.realTime) WaitMicros(timing_.transferMicros);
  if (m.fault == Fault::kUnplugMidTransfer) {
    if (m.faultAfter <= 0) {
      m.plugged = false;
      ++m.generation;
    } else {
      --m.faultAfter;
    }
  }
}

bool SimMouseHub::HandleGetCaps(int id, uint64_t generation, HidCaps* caps) {
  std::lock_guard<std::mutex> lock(mutex_);
  Mouse* m = Get(id);
  if (!m || !Usable(*m, generation) || !m->config.capsReadable) return false;
  *caps = m->config.caps;
  return true;
}

bool SimMouseHub::HandleGetFeature(int id, uint64_t generation, uint8_t* buffer, size_t length) {
  std::lock_guard<std::mutex> lock(mutex_);
  Mouse* m = Get(id);
  if (!m || !Usable(*m, generation) || !buffer || length == 0) return false;
  ++m->counts.reads;
  Transfer(*m);
  if (!Usable(*m, generation)) return false;
  std::fill(buffer, buffer + length, 0);
  std::copy(m->answer.begin(), m->answer.begin() + std::min(length, m->answer.size()), buffer);
  buffer[0] = 0;
  bool busy = m->fault == Fault::kStaysBusy || m->hung;
  if (m->busyReads > 0) {
    --m->busyReads;
    busy = true;
  } else if (m->pendingLatency > 0) {
    --m->pendingLatency;
    busy = true;
  }
  if (busy && length > 1) buffer[1] |= kBusyBit;
  return true;
}

bool SimMouseHub::HandleSetFeature(int id, uint64_t generation, const uint8_t* buffer, size_t length) {
  std::lock_guard<std::mutex> lock(mutex_);
  Mouse* m = Get(id);
  if (!m || !Usable(*m, generation) || !buffer || length == 0) return false;
  ++m->counts.writes;
  Transfer(*m);
  if (!Usable(*m, generation)) return false;
  DeviceReport report{};
  std::copy(buffer, buffer + std::min(length, report.size()), report.begin());
  m->written.push_back(report);
  if (m->fault == Fault::kNeverAnswers) m->hung = true;
  if (m->fault == Fault::kDropsWrites || length < report.size()) return true;
  Execute(*m, report);
  m->pendingLatency = m->answerLatency;
  return true;
}

bool SimMouseHub::HandleGetString(int id, uint64_t generation, int index, uint8_t* buffer, size_t length) {
  std::lock_guard<std::mutex> lock(mutex_);
  Mouse* m = Get(id);
  if (!m || !Usable(*m, generation) || !m->config.stringsReadable || !buffer) return false;
  std::vector<uint8_t> text;
  const MouseConfig& c = m->config;
  if (index == kSignatureString) {
    text.assign(16, 0);
    text[0] = 0x10;
    text[1] = 0x03;
    for (size_t i = 0; i < 3 && i < c.signature.size(); ++i)
      text[2 + i] = static_cast<uint8_t>(c.signature[i]);
    text[5] = static_cast<uint8_t>(c.firmwareByte);
    text[7] = static_cast<uint8_t>(c.extraByte);
  } else if (index == kPlatformString && c.firmwareByte > 27) {
    text = {c.platformCode, c.classByte, 0, 0};
  } else {
    return false;
  }
  std::copy(text.begin(), text.begin() + std::min(length, text.size()), buffer);
  return true;
}

void SimMouseHub::Execute(Mouse& m, const DeviceReport& r) {
  MouseState& s = m.state;
  const uint8_t command = r[1];
  if (command == kStageDataCommand) {
    for (size_t i = 0; i < 6; ++i) {
      const size_t at = static_cast<size_t>(r[2]) + i;
      if (at < kStagingSize) s.staging[at] = r[3 + i];
    }
    m.answer = {0, command};
    return;
  }
  if (ReportChecksum(r) != r[8]) {
    ++s.badChecksumCount;
    return;
  }
  DeviceAnswer a{0, command};
  const MouseConfig& c = m.config;
  const uint32_t address24 = r[3] | r[4] << 8 | r[5] << 16;
  switch (command) {
    case 0x00:
      if (r[2] == 0x00) {
        a[6] = c.firmwareVersion;
        a[8] = c.stateByte;
      } else if (r[2] == 0x01) {
        s.deviceNumber = r[3];
        ++s.setNumberCount;
      } else if (r[2] == 0x02) {
        if (r[3] == 0x00) {
          a[2] = c.identityByte;
          for (size_t i = 0; i < 3 && i < c.signature.size(); ++i)
            a[3 + i] = static_cast<uint8_t>(c.signature[i]);
          a[6] = c.classByte;
          a[7] = c.maxDpiCode;
        } else if (r[3] == 0x01) {
          a[2] = c.profileCount;
          a[3] = c.dpiSliderCount;
        } else if (r[3] == 0x02) {
          for (int i = 0; i < 4; ++i) a[2 + i] = static_cast<uint8_t>(c.productionTime >> (8 * i));
        } else if (r[3] == 0x04) {
          const Assignment d = r[4] < kSlots ? c.defaults[r[4]] : Assignment{1, 0, 0, 0};
          std::copy(d.begin(), d.end(), a.begin() + 2);
        }
      } else if (r[2] == 0x07 && r[3] < 5) {
        s.liveColours[r[3]] = r[4];
      }
      break;
    case 0x01:
      if (r[2] == 0x01) ++s.startCount;
      break;
    case 0x04:
      switch (r[2]) {
        case 0x00:
          a[2] = static_cast<uint8_t>(s.dpiLevel);
          a[7] = static_cast<uint8_t>(s.profile);
          break;
        case 0x01:
          if (r[3] == s.dpiLevel) {
            s.liveX = r[4];
            s.liveY = r[5];
          }
          break;
        case 0x02:
          s.dpiLevel = std::min<int>(r[3], 4);
          s.liveX = m.At(4 + 2 * static_cast<uint32_t>(s.dpiLevel));
          s.liveY = m.At(5 + 2 * static_cast<uint32_t>(s.dpiLevel));
          break;
        case 0x03:
          s.profile = std::min<int>(r[3], 4);
          break;
        case 0x08:
          s.sensorValue = static_cast<uint16_t>(r[3] | r[4] << 8);
          break;
        case 0x09:
          ++s.reloadColourCount;
          break;
      }
      break;
    case 0x05:
      if (r[2] == 0x00) {
        for (uint32_t i = 0; i < 7; ++i) a[2 + i] = m.At(address24 + i);
      } else if (r[2] == 0x01) {
        m.At(static_cast<uint32_t>(r[3] | r[4] << 8)) = r[6];
      } else if (r[2] == 0x02) {
        const size_t count = std::min<size_t>(r[6], kStagingSize);
        for (size_t i = 0; i < count; ++i) m.At(address24 + static_cast<uint32_t>(i)) = s.staging[i];
      }
      break;
    case 0x08:
      if (r[2] == 0x00) {
        ++s.reloadSettingsCount;
        s.angleSnapping = (m.At(15) & 1) != 0;
      } else if (r[2] == 0x01) {
        ++s.reloadButtonsCount;
      } else if (r[2] == 0x02) {
        ++s.reloadDpiCount;
        s.liveX = m.At(4 + 2 * static_cast<uint32_t>(s.dpiLevel));
        s.liveY = m.At(5 + 2 * static_cast<uint32_t>(s.dpiLevel));
      }
      break;
    case 0x0C:
      if (r[2] == 0x01) s.remoteValue = static_cast<uint16_t>(r[3] | r[4] << 8);
      break;
    default:
      break;
  }
  m.answer = a;
}

}  // namespace simmouse
