#pragma once

#include <string>

// Gives the Administrators and LOCAL groups full control of a file, or of a
// folder and everything in it when the path ends with a backslash. When that is
// refused, takes ownership for the Administrators group and tries once more.
bool GrantFileAccess(const std::wstring& path);
