#pragma once

namespace pointrix {

// Makes key naming use the program's resource 163 for the scan-code map and
// GetKeyNameTextW for names in the user's keyboard layout. Call before the
// first key text is formatted.
void InstallWin32KeyNaming();

}  // namespace pointrix
