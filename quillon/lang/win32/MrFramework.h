#pragma once

// Process-wide framework state: the language module, the temporary folder and
// temporary-file list, the data-folder locks, and (through the image store)
// GDI+. Counted: the first MrFrameworkInit sets up, the last MrFrameworkExit
// frees the language library and deletes every temporary file.
bool MrFrameworkInit();
void MrFrameworkExit();
