#pragma once

#include <mutex>

// The locks of the framework state. They are plain objects of static storage,
// usable before MrFrameworkInit and after MrFrameworkExit, so a late caller
// cannot meet a destroyed lock.
std::mutex& CommonDataFolderLock();
std::mutex& UserDataFolderLock();
std::mutex& TempFolderLock();
std::mutex& TempFileListLock();
