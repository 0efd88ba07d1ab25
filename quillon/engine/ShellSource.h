#pragma once

#include <cstdint>
#include <string>

// Folders, shortcuts, environment and the recycle bin: what the checks ask of
// the shell and the system beside files and registry.
class IShellSource {
 public:
  virtual ~IShellSource() = default;
  // The path of a special folder by its shell number (7 Startup, 24 common
  // Startup, 29/30 the alternate Startup folders, 32 internet cache, 33
  // cookies, 34 history); empty when unknown.
  virtual std::wstring SpecialFolder(int csidl) const = 0;
  // The system temporary folder without trailing "\".
  virtual std::wstring TempFolder() const = 0;
  virtual std::wstring ProgramFilesFolder() const = 0;
  // The folder of the running program, without trailing "\".
  virtual std::wstring ProgramFolder() const = 0;
  // The Windows system folder ("...\system32").
  virtual std::wstring SystemFolder() const = 0;
  virtual std::wstring ExpandEnvironment(const std::wstring& text) const = 0;
  // The target of a shortcut file; false when it cannot be resolved.
  virtual bool ResolveShortcut(const std::wstring& lnk, std::wstring& target) const = 0;
  // A 32-bit process on 64-bit Windows.
  virtual bool Is32BitProcessOn64BitWindows() const = 0;
  // Size of the recycle bin: of all drives when root is empty, else of that
  // drive ("C:\"). False when the query fails.
  virtual bool QueryRecycleBin(const std::wstring& root, uint64_t& bytes, uint64_t& items) const = 0;
  // Writes the embedded process database to this path.
  virtual bool WriteProcessDatabase(const std::wstring& path) const = 0;
};
