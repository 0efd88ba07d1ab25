#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The private-profile (INI) functions pointrix reads set.ini, language.ini
// and keyboard.ini with. On Windows the system's own functions serve
// (pointrix/model/win32/Win32PrivateProfile.h); IniFileProfile gives the same
// results from the file text on other platforms.
namespace pointrix {

class IPrivateProfile {
 public:
  virtual ~IPrivateProfile() = default;

  // Value of key in section (names compared without regard to case), or
  // defaultValue (trailing blanks removed) when the file, section or key is
  // missing; at most size - 1 characters, as from a buffer of size.
  virtual std::wstring GetString(const std::wstring& section, const std::wstring& key,
                                 const std::wstring& defaultValue, size_t size, const std::wstring& path) = 0;

  // The value as an integer (decimal, or "0x" hexadecimal, optional sign,
  // reading stops at the first non-digit); defaultValue when absent or empty.
  virtual unsigned GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                          const std::wstring& path) = 0;

  // Sets key in section, creating the file, section and key as needed.
  virtual bool WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                           const std::wstring& path) = 0;
};

// Parsed INI text with the Windows reading rules: lines are trimmed, a line
// "[name]" opens a section, ";" starts a comment line, "key=value" is split at
// the first "=", and a value in matching single or double quotes loses them.
class IniDocument {
 public:
  // Accepts UTF-16LE/BE with byte-order mark, UTF-8 (with or without mark),
  // and falls back to Windows-1252 for bytes that are not UTF-8.
  static IniDocument Parse(const std::vector<uint8_t>& bytes);

  // Finds the first matching section, then its first matching key.
  bool Find(const std::wstring& section, const std::wstring& key, std::wstring& value) const;

  void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value);

  // The text in the encoding it was read in (UTF-8 for a new document).
  std::vector<uint8_t> Serialize() const;

  const std::vector<std::wstring>& Lines() const { return lines_; }

 private:
  enum class Encoding { kUtf8, kUtf8Bom, kUtf16Le, kUtf16Be, kCp1252 };
  struct Entry {
    size_t line;
    std::wstring key;
    std::wstring value;
  };
  struct Section {
    size_t headerLine;  // npos for the lines before the first header
    size_t endLine;     // one past the last line that belongs to it
    std::wstring name;
    std::vector<Entry> entries;
  };
  void Index();

  Encoding encoding_ = Encoding::kUtf8;
  std::vector<std::wstring> lines_;
  std::vector<Section> sections_;
};

// Integer reading of GetPrivateProfileInt: optional blanks and sign, then
// "0x"/"0o"/"0b" prefixed or decimal digits up to the first other character.
unsigned ParseProfileInt(const std::wstring& text);

class IniFileProfile : public IPrivateProfile {
 public:
  std::wstring GetString(const std::wstring& section, const std::wstring& key,
                         const std::wstring& defaultValue, size_t size, const std::wstring& path) override;
  unsigned GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                  const std::wstring& path) override;
  bool WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                   const std::wstring& path) override;

 private:
  // The file is read again on every call (the program reads each file in
  // one burst at start); its parse is reused while the bytes are unchanged.
  std::shared_ptr<const IniDocument> Load(const std::wstring& path);

  std::mutex mutex_;
  std::map<std::wstring, std::pair<std::vector<uint8_t>, std::shared_ptr<const IniDocument>>> cache_;
};

}  // namespace pointrix
