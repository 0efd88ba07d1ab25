#pragma once

#include <string>
#include <vector>

// A new temporary file name: the temporary folder + "\MrFramework_<n>.<ext>",
// n counting every name handed out so far; names of files that already exist
// are skipped (and recorded too). Every name is deleted at MrFrameworkExit.
std::wstring MakeTempFileName(const std::wstring& extension);

// The names handed out so far, in order.
std::vector<std::wstring> TempFileNames();

// Called by MrFrameworkExit: deletes every listed file and empties the list.
void DeleteTempFiles();
