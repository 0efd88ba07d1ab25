#pragma once

#include <string>

// The small text rules the scan engine shares. Wide text is UTF-16 on Windows
// and UTF-32 elsewhere; these helpers work on both. Byte conversions are in
// quillon/lang/TextEncoding.h.

// Upper case of the ASCII letters and of the Latin-1 letters; enough for file,
// service and registry names, and the same on every platform.
std::wstring UpperText(const std::wstring& text);
bool ContainsText(const std::wstring& text, const std::wstring& part);
bool ContainsTextNoCase(const std::wstring& text, const std::wstring& part);
bool EqualTextNoCase(const std::wstring& a, const std::wstring& b);
// Removes spaces at both ends.
std::wstring TrimSpaces(const std::wstring& text);
// Everything after the last backslash (the whole text when there is none).
std::wstring FileNamePart(const std::wstring& path);
// Replaces every occurrence of `from` (never inside an earlier replacement).
std::wstring ReplaceAll(const std::wstring& text, const std::wstring& from, const std::wstring& to);
// The wide text of an ASCII string.
std::wstring WidenAscii(const char* text);
