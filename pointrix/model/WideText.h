#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Conversions at every byte boundary of pointrix (files, device memory).
// wchar_t is 16 bits on Windows and 32 bits elsewhere, so wide strings are
// never copied to bytes directly.
namespace pointrix {

// UTF-16LE bytes of text, without terminator (surrogate pairs where needed).
std::vector<uint8_t> WideToUtf16Le(const std::wstring& text);

// Decodes count bytes of UTF-16LE; an odd last byte is ignored, unpaired
// surrogates become U+FFFD.
std::wstring Utf16LeToWide(const uint8_t* bytes, size_t count);

// Like Utf16LeToWide, but stops at the first zero character.
std::wstring Utf16LeToWideZ(const uint8_t* bytes, size_t count);

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(const std::wstring& text);

// Windows-1252, the code page of 8-bit strings in old archive files.
std::wstring Cp1252ToWide(const uint8_t* bytes, size_t count);

// Number of UTF-16 code units text takes (differs from size() natively for
// characters outside the basic plane).
size_t Utf16Length(const std::wstring& text);

// ASCII-and-Latin lower-casing used for case-insensitive names.
wchar_t FoldCase(wchar_t c);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
bool EndsWithNoCase(std::wstring_view text, std::wstring_view suffix);

// Decimal text of a number (no locale).
std::wstring ToWide(long long value);

}  // namespace pointrix
