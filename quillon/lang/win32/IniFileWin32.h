#pragma once

#include "quillon/lang/IniFile.h"

// IniFile storage through Windows: long paths, the ANSI code page, exclusive
// writing, and full access for administrators and local users after a save.
const IniFileSystem& Win32IniFileSystem();
