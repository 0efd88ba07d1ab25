#pragma once

#include <windows.h>

#include <string>

// Writes a shell link (.lnk) file. Nothing is done (E_INVALIDARG) unless target
// and shortcutFile are longer than one character and showCommand and iconIndex
// are not negative. showCommand 0 leaves the default; workingFolder and iconFile
// of one character or less are left out.
HRESULT CreateShortcut(const std::wstring& target, const std::wstring& arguments,
                       const std::wstring& shortcutFile, int showCommand, const std::wstring& workingFolder,
                       const std::wstring& iconFile, int iconIndex);

// Reads a shell link file, resolving it without user interface: its raw target
// path and its arguments.
HRESULT ResolveShortcut(const std::wstring& shortcutFile, std::wstring& target, std::wstring& arguments);
