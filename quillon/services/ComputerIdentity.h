#pragma once

#include <functional>
#include <string>
#include <vector>

// One place where the computer identity may be kept (a registry value, a file).
class IdentityPlace {
 public:
  virtual ~IdentityPlace() = default;
  // The stored identity, or "" when there is none.
  virtual std::wstring Read() = 0;
  // Stores the identity; false when this place cannot take it.
  virtual bool Write(const std::wstring& id) = 0;
};

// The stored identity from the first place that has one, unchanged; otherwise a
// new one made from seed() and kept in the first place that takes it (it is
// returned also when none does).
std::wstring ObtainComputerId(const std::vector<IdentityPlace*>& places,
                              const std::function<std::wstring()>& seed);

// The identity of a seed: MD5 of its UTF-8 bytes, 32 lower-case hex digits.
std::wstring ComputerIdFromSeed(const std::wstring& seed);

// The seed text: the network address ("SOMEWHERE" when empty), the processor
// signature ("%08X%08X" of EDX then EAX), and "%I64d_%d" of the time in seconds
// since 1970 and the milliseconds since system start.
std::wstring ComputerIdSeed(const std::wstring& macAddress, unsigned cpuidEdx, unsigned cpuidEax,
                            long long secondsSince1970, unsigned tickCount);

// Six bytes as "00:1A:2B:3C:4D:5E".
std::wstring FormatMacAddress(const unsigned char bytes[6]);
