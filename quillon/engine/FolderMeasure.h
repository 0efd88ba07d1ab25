#pragma once

#include <cstdint>
#include <string>

#include "quillon/engine/FileSource.h"

// Total bytes of the files under a folder (all sub-folders included) whose
// names contain `filter` ignoring case (every file when the filter is empty);
// adds their number to `counter`. A folder that does not exist or cannot be
// listed counts nothing.
uint64_t MeasureFolder(const IFileSource& files, const std::wstring& folder, const std::wstring& filter,
                       uint64_t& counter);
