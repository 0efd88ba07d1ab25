#include "pointrix/macros/MacroFile.h"

#include <ctime>
#include <filesystem>
#include <system_error>

#include "pointrix/macros/ArchiveString.h"
#include "pointrix/model/FileIo.h"
#include "pointrix/model/WideText.h"

namespace pointrix {

namespace {

bool IsSpace(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

std::wstring TrimSpace(const std::wstring& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

MacroFileStatus ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes) {
  return ReadFileBytes(path, bytes) ? MacroFileStatus::kOk : MacroFileStatus::kFailed;
}

// Reads and decodes a whole ".mf" file: its header and code.
MacroFileStatus LoadMacroFile(const std::wstring& path, MacroFileHeader& header, std::vector<uint8_t>& code) {
  if (!EndsWithNoCase(path, L".mf")) return MacroFileStatus::kFailed;
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(path, bytes) != MacroFileStatus::kOk) return MacroFileStatus::kFailed;
  return DecodeMacroFile(bytes, header, &code);
}

}  // namespace

MacroFileStatus DecodeMacroFile(const std::vector<uint8_t>& bytes, MacroFileHeader& header,
                                std::vector<uint8_t>* code) {
  ArchiveReader in(bytes);
  std::wstring magic;
  if (!in.ReadString(magic)) return MacroFileStatus::kInvalidFormat;
  MacroFileHeader h;
  if (magic == kMacroFileMagic62) {
    h.version = 62;
    std::wstring reserved;
    if (!in.ReadString(reserved)) return MacroFileStatus::kInvalidFormat;
  } else if (magic == kMacroFileMagic61) {
    h.version = 61;
  } else {
    return MacroFileStatus::kInvalidFormat;
  }
  if (!in.ReadI64(h.saveTime) || !in.ReadString(h.name) || !in.ReadI32(h.runType) ||
      !in.ReadU32(h.codeLength)) {
    return MacroFileStatus::kInvalidFormat;
  }
  if (code) {
    if (!in.ReadBytes(h.codeLength, *code)) return MacroFileStatus::kInvalidFormat;
  } else if (h.codeLength > in.Remaining()) {
    return MacroFileStatus::kInvalidFormat;
  }
  header = h;
  return MacroFileStatus::kOk;
}

MacroFileStatus ReadMacroFile(const std::wstring& path, Macro& macro) {
  MacroFileHeader header;
  std::vector<uint8_t> code;
  MacroFileStatus status = LoadMacroFile(path, header, code);
  if (status != MacroFileStatus::kOk) return status;
  macro.path = path;
  macro.name = header.name;
  macro.runType = header.runType;
  macro.items = SplitMacroCode(code.data(), code.size());
  return MacroFileStatus::kOk;
}

MacroFileStatus ReadMacroFileHeader(const std::wstring& path, MacroFileHeader& header) {
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(path, bytes) != MacroFileStatus::kOk || bytes.size() < 10)
    return MacroFileStatus::kFailed;
  return DecodeMacroFile(bytes, header, nullptr);
}

std::vector<uint8_t> EncodeMacroFile(const std::wstring& name, int32_t runType,
                                     const std::vector<_MACRO_ITEM_>& items, int64_t saveTime) {
  std::vector<uint8_t> code;
  for (const _MACRO_ITEM_& item : items) {
    std::vector<uint8_t> one = SerializeMacroCode({item});
    if (code.size() + one.size() > kMaxMacroCodeBytes) break;
    code.insert(code.end(), one.begin(), one.end());
  }
  ArchiveWriter out;
  out.WriteString(kMacroFileMagic62);
  out.WriteString(L"");
  out.WriteI64(saveTime);
  out.WriteString(TrimSpace(name));
  out.WriteI32(runType);
  out.WriteU32(static_cast<uint32_t>(code.size()));
  out.WriteBytes(code.data(), code.size());
  return out.Bytes();
}

bool WriteMacroFile(const std::wstring& path, const std::wstring& name, int32_t runType,
                    const std::vector<_MACRO_ITEM_>& items) {
  return WriteFileBytes(path,
                        EncodeMacroFile(name, runType, items, static_cast<int64_t>(std::time(nullptr))));
}

MacroFileStatus RenameMacroEntry(const std::wstring& path, const std::wstring& newName) {
  if (IsDirectory(path)) {
    std::wstring folder = path;
    while (folder.size() > 1 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    std::filesystem::path from = ToFsPath(folder);
    std::error_code ec;
    std::filesystem::rename(from, from.parent_path() / ToFsPath(newName), ec);
    return ec ? MacroFileStatus::kFailed : MacroFileStatus::kOk;
  }
  MacroFileHeader header;
  std::vector<uint8_t> code;
  MacroFileStatus status = LoadMacroFile(path, header, code);
  if (status != MacroFileStatus::kOk) return status;
  // The code is carried over byte for byte, whatever it holds.
  ArchiveWriter out;
  out.WriteString(kMacroFileMagic62);
  out.WriteString(L"");
  out.WriteI64(static_cast<int64_t>(std::time(nullptr)));
  out.WriteString(TrimSpace(newName));
  out.WriteI32(header.runType);
  out.WriteU32(static_cast<uint32_t>(code.size()));
  out.WriteBytes(code.data(), code.size());
  return WriteFileBytes(path, out.Bytes()) ? MacroFileStatus::kOk : MacroFileStatus::kFailed;
}

std::wstring MacroExportFileName(const std::wstring& name, const std::wstring& date) {
  std::wstring safe = name;
  for (wchar_t& c : safe) {
    if (std::wstring(L"\\/\":<>|?*").find(c) != std::wstring::npos) c = L'_';
  }
  return safe + L"_" + date;
}

std::wstring TodayDateText() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char buffer[16];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &local);
  return std::wstring(buffer, buffer + std::char_traits<char>::length(buffer));
}

}  // namespace pointrix
