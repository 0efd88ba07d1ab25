#pragma once

#include <string>

// The English texts the skin previews show, installed as the text loader
// (the real program reads its language module instead).
std::wstring PreviewText(unsigned id);
