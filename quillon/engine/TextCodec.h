#pragma once

#include <string>

// Byte boundaries and the small text rules the scan engine shares. Wide text is
// UTF-16 on Windows and UTF-32 elsewhere; these helpers work on both.

// UTF-8 bytes to wide text; malformed sequences become U+FFFD.
std::wstring DecodeUtf8Text(const std::string& bytes);
// Wide text to UTF-8 bytes; unpaired surrogates become U+FFFD.
std::string EncodeUtf8Text(const std::wstring& text);

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
