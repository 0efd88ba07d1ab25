#include "quillon/services/ComputerIdentity.h"

#include <cstdio>

#include "quillon/lang/TextEncoding.h"
#include "quillon/services/Md5.h"

namespace {

std::wstring Widen(const char* s) {
  std::wstring out;
  for (; *s; ++s) out += static_cast<wchar_t>(static_cast<unsigned char>(*s));
  return out;
}

}  // namespace

std::wstring ComputerIdFromSeed(const std::wstring& seed) { return Md5Hex(Utf8FromWide(seed)); }

std::wstring ObtainComputerId(const std::vector<IdentityPlace*>& places,
                              const std::function<std::wstring()>& seed) {
  for (IdentityPlace* place : places) {
    std::wstring stored = place->Read();
    if (!stored.empty()) return stored;
  }
  std::wstring id = ComputerIdFromSeed(seed());
  for (IdentityPlace* place : places)
    if (place->Write(id)) break;
  return id;
}

std::wstring ComputerIdSeed(const std::wstring& macAddress, unsigned cpuidEdx, unsigned cpuidEax,
                            long long secondsSince1970, unsigned tickCount) {
  char cpu[32];
  std::snprintf(cpu, sizeof cpu, "%08X%08X", cpuidEdx, cpuidEax);
  char time[64];
  std::snprintf(time, sizeof time, "%lld_%d", secondsSince1970, static_cast<int>(tickCount));
  std::wstring processor = Widen(cpu);
  return (macAddress.empty() ? std::wstring(L"SOMEWHERE") : macAddress) +
         (processor.empty() ? std::wstring(L"SOMEBODY") : processor) + Widen(time);
}

std::wstring FormatMacAddress(const unsigned char bytes[6]) {
  char text[32];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", bytes[0], bytes[1], bytes[2], bytes[3],
                bytes[4], bytes[5]);
  return Widen(text);
}
