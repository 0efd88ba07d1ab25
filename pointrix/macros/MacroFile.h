#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pointrix/macros/MacroCode.h"

// Macro files (".mf"): one macro in the archive format, version 6.2 written,
// versions 6.1 and 6.2 read.
namespace pointrix {

inline constexpr wchar_t kMacroFileMagic61[] = L"_@_MF6.1_";
inline constexpr wchar_t kMacroFileMagic62[] = L"_@_MF6.2_";
// The editor never builds a longer macro.
inline constexpr size_t kMaxMacroCodeBytes = 65536;

struct Macro {
  std::wstring name;
  int32_t runType = 8;  // 8 run once, 9 loop, 10 fire key
  std::wstring path;    // file it came from, if any
  std::vector<_MACRO_ITEM_> items;
};

struct MacroFileHeader {
  std::wstring name;
  int32_t runType = 8;
  uint32_t codeLength = 0;
  int64_t saveTime = 0;  // seconds since 1970-01-01 UTC
  int version = 62;      // 61 or 62
};

enum class MacroFileStatus {
  kOk,
  kFailed,         // wrong extension, unopenable or too short: no message
  kInvalidFormat,  // the caller shows msg_str20 "invalid format !!"
};

// Reads a whole macro file. The path must end in ".mf". A file whose magic
// is wrong, or whose lengths run past its end, is an invalid format.
MacroFileStatus ReadMacroFile(const std::wstring& path, Macro& macro);

// Reads everything but the code.
MacroFileStatus ReadMacroFileHeader(const std::wstring& path, MacroFileHeader& header);

// Writes version 6.2 with the current time; the name loses leading and
// trailing white space. False when the file cannot be written.
bool WriteMacroFile(const std::wstring& path, const std::wstring& name, int32_t runType,
                    const std::vector<_MACRO_ITEM_>& items);

// The bytes WriteMacroFile writes, for a given save time.
std::vector<uint8_t> EncodeMacroFile(const std::wstring& name, int32_t runType,
                                     const std::vector<_MACRO_ITEM_>& items, int64_t saveTime);

// Parses the bytes of a macro file (both versions).
MacroFileStatus DecodeMacroFile(const std::vector<uint8_t>& bytes, MacroFileHeader& header,
                                std::vector<uint8_t>* code);

// A folder moves to its parent + newName; a ".mf" file is rewritten as
// version 6.2 with the new name, its run type and code kept.
MacroFileStatus RenameMacroEntry(const std::wstring& path, const std::wstring& newName);

// Proposed export file name: the name with \ / " : < > | ? * replaced by "_",
// then "_" and the date ("yyyy-MM-dd").
std::wstring MacroExportFileName(const std::wstring& name, const std::wstring& date);

// Today's local date as "yyyy-MM-dd".
std::wstring TodayDateText();

}  // namespace pointrix
