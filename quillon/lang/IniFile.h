#pragma once

#include <string>
#include <utility>
#include <vector>

// How an IniFile reaches the disk. The portable one uses the C library; the
// Windows layer supplies one with long-path handling, the ANSI code page and
// access rights (see lang/win32/IniFileWin32.h).
class IniFileSystem {
 public:
  virtual ~IniFileSystem() = default;
  virtual bool Exists(const std::wstring& path) const = 0;
  // The whole file; false when it cannot be read.
  virtual bool ReadAll(const std::wstring& path, std::string& bytes) const = 0;
  // Creates or truncates the file for exclusive writing and writes bytes.
  virtual bool WriteAll(const std::wstring& path, const std::string& bytes) const = 0;
  // 8-bit text in the system's ANSI code page.
  virtual std::wstring DecodeAnsi(const std::string& bytes) const = 0;
  // Called after a successful save; its outcome does not matter.
  virtual void AfterSave(const std::wstring& /*path*/) const {}
};

const IniFileSystem& PortableIniFileSystem();

// An INI document kept in memory: ordered sections of ordered key=value
// entries, names matched exactly (letter case counts). Files are written as
// UTF-16LE without byte-order mark, one LF per line; an even-length file is
// read as UTF-16LE and an odd-length one as ANSI text. Only text ended by a
// line feed counts as a line, and keys and values keep their blanks.
class IniFile {
 public:
  explicit IniFile(const IniFileSystem& files = PortableIniFileSystem()) : files_(&files) {}

  // false only for an empty path; a missing file gives an empty document.
  bool Load(const std::wstring& path);
  // Writes to path, or to the loaded path when path is empty.
  bool Save(const std::wstring& path = std::wstring());

  // Replaces the document with the text of these file bytes.
  void LoadBytes(const std::string& bytes);
  std::string SaveBytes() const;

  std::wstring GetText(const std::wstring& section, const std::wstring& key, const std::wstring& def) const;
  int GetInt(const std::wstring& section, const std::wstring& key, int def) const;
  long long GetInt64(const std::wstring& section, const std::wstring& key, long long def) const;
  bool SetText(const std::wstring& section, const std::wstring& key, const std::wstring& value);
  bool SetInt64(const std::wstring& section, const std::wstring& key, long long value);

  const std::wstring& path() const { return path_; }

  struct Section {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> entries;
  };
  const std::vector<Section>& sections() const { return sections_; }

 private:
  void Parse(const std::wstring& text);
  Section& SectionNamed(const std::wstring& name);
  const std::wstring* Find(const std::wstring& section, const std::wstring& key) const;

  const IniFileSystem* files_;
  std::wstring path_;
  std::vector<Section> sections_;
};
