#pragma once

#include <cstddef>
#include <string>

// The locale code (de_DE and the like) of a Windows language identifier, or
// "[" + the identifier in upper-case hexadecimal + "]" when it has none.
std::wstring LocaleCodeForLangId(unsigned langId);

// Number of identifiers that have a code.
size_t LocaleCodeCount();
