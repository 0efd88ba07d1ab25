#pragma once

#include <string>

// The program's data folders (created when missing, computed once per run):
// common application data or the user's application data + "\brivane\" + the
// product folder name. Without trailing backslash.
std::wstring GetCommonDataFolder();
std::wstring GetUserDataFolder();

// Options in section APPOPT of options.ini: reads look in the per-user file
// first (a value equal to the default counts as absent there), writes go to
// the common file first and to the per-user file when that fails.
std::wstring ReadOption(const std::wstring& key, const std::wstring& def);
int ReadOptionInt(const std::wstring& key, int def);
bool WriteOption(const std::wstring& key, const std::wstring& value);
