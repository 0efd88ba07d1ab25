#pragma once

#include <windows.h>

#include <string>

// The module texts come from for this run, decided on the first call: the
// embedded translation (DATA 2000 + primary language) written to a temporary
// file and loaded, else a translation library beside the program, else the
// program itself (English). Never fails.
HMODULE GetLanguageModule();

// String `id` of the module's string table; "" when the block or entry is
// missing or empty.
std::wstring LoadTextFrom(HMODULE module, unsigned id);

// The user's locale code (de_DE, ...) from GetUserDefaultLangID, read afresh.
std::wstring GetUserLanguageCode();

// Where the user's language identifier comes from: GetUserDefaultLangID unless
// a test sets another source (null restores it).
using UserLangIdSource = LANGID (*)();
void SetUserLangIdSource(UserLangIdSource source);

// Called by MrFrameworkInit/Exit.
void InstallLanguageTextLoader();
void ReleaseLanguageModule();
