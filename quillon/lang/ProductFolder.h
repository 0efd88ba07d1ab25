#pragma once

#include <string>

// The folder name the program keeps its data under: the product name with
// blanks as "_" (unless empty or an unfilled "TODO:" template text), else the
// program file's name without folder and extension, else "brivaneproduct".
std::wstring ProductFolderName(const std::wstring& productName, const std::wstring& programPath);
