#pragma once

#include <functional>
#include <string>
#include <vector>

#include "quillon/services/WmiValue.h"

// The higher of two dotted version texts, compared number by number
// ("10.0" > "9.9"); on a tie of the common part the one with more numbers.
std::wstring HigherVersion(const std::wstring& a, const std::wstring& b);

// A size as "1.5 TB", "4.0 GB", "512.0 MB", "1.0 kB", "1023 Byte" or "0 Bytes".
std::wstring FormatByteSize(long long bytes, bool base1024);

// Every character as "%" + its code in upper-case hexadecimal ("%X"), except
// ASCII letters and digits when keepAlphanumerics.
std::wstring PercentEncode(const std::wstring& text, bool keepAlphanumerics);

// The system-information JSON of the first-run report, with the values put in
// as they are (no escaping).
std::wstring SystemInfoJson(const std::wstring& id, const std::wstring& lang, const std::wstring& os,
                            const std::wstring& net, const std::wstring& ram);

// Sum of a size property over WMI rows: numbers as they are, text converted
// from decimal (a text that converts to 0 counts only when it is "0", which
// adds nothing anyway; unusable rows add nothing).
long long SumWmiSizes(const std::vector<WmiRow>& rows, const std::wstring& property);

// Installed memory in bytes from the Win32_PhysicalMemory rows, falling back to
// Win32_OperatingSystem's TotalVisibleMemorySize (kilobytes; queried through
// `osRows` only when needed) when the physical figure is not above 0 or is above
// 32 GiB; at least 1.
long long MemoryTotalFromWmi(const std::vector<WmiRow>& physicalRows,
                             const std::function<std::vector<WmiRow>()>& osRows);
