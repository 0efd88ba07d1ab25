#pragma once

#include <windows.h>

#include <string>

// "major.minor (bits) service pack", e.g. "6.1 (64) Service Pack 1".
std::wstring GetOsVersionText();

// The highest installed .NET Framework version with "SP n" appended, or "0".
std::wstring GetDotNetVersionText();
// The same search under root\ndpKey in both registry views (for tests).
std::wstring GetDotNetVersionTextFrom(HKEY root, const std::wstring& ndpKey);

// Installed memory as a size text ("4.0 GB"); "" when WMI is unreachable.
std::wstring GetMemorySizeText();

// The system-information JSON of the first-run report.
std::wstring BuildSystemInfoJson();
