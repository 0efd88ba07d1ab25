#pragma once

#include <string>

// Conversions at byte boundaries. wchar_t is 16 bits on Windows and 32 bits
// elsewhere; these helpers give the same bytes on both.

// UTF-16 little-endian bytes -> text. An odd last byte is dropped. Where
// wchar_t is 32 bits, surrogate pairs become one character.
std::wstring WideFromUtf16Le(const std::string& bytes);

// Text -> UTF-16 little-endian bytes, without byte-order mark or terminator.
std::string Utf16LeFromWide(const std::wstring& text);

// Text -> UTF-8 bytes, without terminator. Unpaired surrogates become U+FFFD.
std::string Utf8FromWide(const std::wstring& text);

// UTF-8 bytes -> text. A broken sequence becomes U+FFFD and reading resumes
// at the byte that broke it.
std::wstring WideFromUtf8(const std::string& bytes);

// 8-bit text read as ISO 8859-1 (each byte one character), used where no
// system code page is at hand.
std::wstring WideFromLatin1(const std::string& bytes);
