#pragma once

#include <string>

// Every text quillon shows is a string-table entry (ids 135..191). The Windows
// layer installs the loader that reads the run's language module; core code
// only calls LoadText, and native tests install a loader of their own.
using TextLoader = std::wstring (*)(unsigned id);

void SetTextLoader(TextLoader loader);

// The text with this id, or an empty text when there is none.
std::wstring LoadText(unsigned id);
