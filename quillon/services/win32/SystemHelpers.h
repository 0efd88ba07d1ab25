#pragma once

#include <windows.h>

#include <string>

// True when a file or folder of this name exists. Paths over 260 characters
// get the "\\?\" prefix, %VARIABLES% are expanded, and on 64-bit Windows a path
// through System32 that is not found is tried again through SYSNATIVE (so a
// 32-bit process sees the native system folder).
bool FileExists(const std::wstring& path);

// True on 64-bit (AMD64) Windows, whatever the bitness of this process.
bool Is64BitWindows();

// ProductName and ProductVersion of the program file's version resource; ""
// when absent.
std::wstring GetProgramProductName();
std::wstring GetProgramVersion();

// The program file's full path, and its folder without the trailing backslash.
std::wstring GetProgramPath();
std::wstring GetProgramFolder();

// SHGetSpecialFolderPathW without creating the folder; "" on failure.
std::wstring GetSpecialFolder(int csidl);
