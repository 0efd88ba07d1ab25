#include "quillon/lang/IniFile.h"

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

#include "quillon/lang/TextEncoding.h"

namespace {

class StdIniFileSystem : public IniFileSystem {
 public:
  bool Exists(const std::wstring& path) const override {
    std::error_code error;
    return std::filesystem::exists(Native(path), error);
  }
  bool ReadAll(const std::wstring& path, std::string& bytes) const override {
    std::ifstream in(Native(path), std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
  }
  bool WriteAll(const std::wstring& path, const std::string& bytes) const override {
    std::ofstream out(Native(path), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
  }
  std::wstring DecodeAnsi(const std::string& bytes) const override { return WideFromLatin1(bytes); }

 private:
  static std::filesystem::path Native(const std::wstring& path) {
    return std::filesystem::u8path(Utf8FromWide(path));
  }
};

// "=" separates key and value in the file, so a name holding one could never be
// read back; such names are kept with "#-#" in its place.
std::wstring StoredName(const std::wstring& name) {
  std::wstring out;
  for (wchar_t c : name) {
    if (c == L'=')
      out += L"#-#";
    else
      out += c;
  }
  return out;
}

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

std::wstring Trimmed(const std::wstring& s) {
  size_t begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

long long DecimalValue(const std::wstring& text) { return std::wcstoll(text.c_str(), nullptr, 10); }

}  // namespace

const IniFileSystem& PortableIniFileSystem() {
  static const StdIniFileSystem files;
  return files;
}

bool IniFile::Load(const std::wstring& path) {
  if (path.empty()) return false;
  path_ = path;
  sections_.clear();
  if (!files_->Exists(path)) return true;
  std::string bytes;
  if (!files_->ReadAll(path, bytes)) return true;
  LoadBytes(bytes);
  return true;
}

void IniFile::LoadBytes(const std::string& bytes) {
  sections_.clear();
  // No byte-order mark is looked for: the parity of the length decides.
  Parse(bytes.size() % 2 == 0 ? WideFromUtf16Le(bytes) : files_->DecodeAnsi(bytes));
}

void IniFile::Parse(const std::wstring& text) {
  Section* current = nullptr;
  size_t start = 0;
  for (size_t end = text.find(L'\n'); end != std::wstring::npos;
       start = end + 1, end = text.find(L'\n', start)) {
    std::wstring line = text.substr(start, end - start);
    if (line.empty()) continue;
    size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) {
      std::wstring t = Trimmed(line);
      if (t.size() >= 2 && t.front() == L'[' && t.back() == L']') {
        current = &SectionNamed(t.substr(1, t.size() - 2));
      }
      continue;
    }
    if (!current) continue;
    std::wstring key = line.substr(0, equals);
    std::wstring value = line.substr(equals + 1);
    bool replaced = false;
    for (auto& entry : current->entries) {
      if (entry.first == key) {
        entry.second = value;
        replaced = true;
        break;
      }
    }
    if (!replaced) current->entries.emplace_back(key, value);
  }
}

IniFile::Section& IniFile::SectionNamed(const std::wstring& name) {
  for (Section& s : sections_)
    if (s.name == name) return s;
  sections_.push_back(Section{name, {}});
  return sections_.back();
}

const std::wstring* IniFile::Find(const std::wstring& section, const std::wstring& key) const {
  std::wstring sectionName = StoredName(section);
  std::wstring keyName = StoredName(key);
  for (const Section& s : sections_) {
    if (s.name != sectionName) continue;
    for (const auto& entry : s.entries)
      if (entry.first == keyName) return &entry.second;
    return nullptr;
  }
  return nullptr;
}

std::wstring IniFile::GetText(const std::wstring& section, const std::wstring& key,
                              const std::wstring& def) const {
  const std::wstring* value = Find(section, key);
  return value ? *value : def;
}

int IniFile::GetInt(const std::wstring& section, const std::wstring& key, int def) const {
  const std::wstring* value = Find(section, key);
  if (!value) return def;
  long long v = DecimalValue(*value);
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

long long IniFile::GetInt64(const std::wstring& section, const std::wstring& key, long long def) const {
  const std::wstring* value = Find(section, key);
  return value ? DecimalValue(*value) : def;
}

bool IniFile::SetText(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  Section& s = SectionNamed(StoredName(section));
  std::wstring keyName = StoredName(key);
  for (auto& entry : s.entries) {
    if (entry.first == keyName) {
      entry.second = value;
      return true;
    }
  }
  s.entries.emplace_back(keyName, value);
  return true;
}

bool IniFile::SetInt64(const std::wstring& section, const std::wstring& key, long long value) {
  return SetText(section, key, std::to_wstring(value));
}

std::string IniFile::SaveBytes() const {
  std::wstring text;
  for (const Section& s : sections_) {
    text += L"[" + s.name + L"]\n";
    for (const auto& entry : s.entries) text += entry.first + L"=" + entry.second + L"\n";
  }
  return Utf16LeFromWide(text);
}

bool IniFile::Save(const std::wstring& path) {
  const std::wstring target = path.empty() ? path_ : path;
  if (target.empty()) return false;
  if (!files_->WriteAll(target, SaveBytes())) return false;
  files_->AfterSave(target);
  return true;
}
