#include "quillon/engine/ProcessDatabase.h"
#include "quillon/lang/TextEncoding.h"

#include <chrono>
#include <climits>

#include "quillon/engine/TextCodec.h"

namespace {

const wchar_t kRecordStart[] = L"<process_info type=\"";
const wchar_t kRecordEnd[] = L"</process_info>";

std::wstring Field(const std::wstring& record, const std::wstring& name) {
  const std::wstring open = L"<" + name + L">";
  const std::wstring close = L"</" + name + L">";
  const size_t b = record.find(open);
  const size_t d = record.find(close);
  if (b == std::wstring::npos || d == std::wstring::npos) return std::wstring();
  const size_t from = b + open.size();
  if (d < from) return std::wstring();
  return record.substr(from, d - from);
}

// Decimal value up to the first non-digit, as the C runtime's conversion reads
// it; saturates instead of overflowing.
int32_t Number(const std::wstring& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t' || text[i] == L'\r' || text[i] == L'\n'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = value * 10 + (text[i] - L'0');
    if (value > static_cast<int64_t>(INT32_MAX) + 1) value = static_cast<int64_t>(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(value);
}

bool Flag(const std::wstring& text) { return text.find(L'1') != std::wstring::npos; }

FileRecord ReadFileRecord(const std::wstring& r) {
  FileRecord f;
  f.id = Number(Field(r, L"id"));
  f.software = Number(Field(r, L"software"));
  f.manufacturer = Field(r, L"manufacturer");
  f.description = DecodeDescriptionEntities(Field(r, L"description"));
  f.filename = Field(r, L"filename");
  f.is_important = Flag(Field(r, L"is_important"));
  f.is_blacklisted = Flag(Field(r, L"is_blacklisted"));
  f.is_updater = Flag(Field(r, L"is_updater"));
  return f;
}

ServiceRecord ReadServiceRecord(const std::wstring& r) {
  ServiceRecord s;
  s.id = Number(Field(r, L"id"));
  s.servicename = Field(r, L"servicename");
  s.displayname = Field(r, L"displayname");
  s.manufacturer = Field(r, L"manufacturer");
  s.description = DecodeDescriptionEntities(Field(r, L"description"));
  s.is_microsoft = Flag(Field(r, L"is_microsoft"));
  s.is_unimportant = Flag(Field(r, L"is_unimportant"));
  s.handling = Number(Field(r, L"handling"));
  return s;
}

void AppendCharacter(std::wstring& out, uint32_t code) {
  if (sizeof(wchar_t) == 2 && code > 0xFFFF) {
    code -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
  } else {
    out.push_back(static_cast<wchar_t>(code));
  }
}

}  // namespace

std::wstring DecodeDescriptionEntities(const std::wstring& text) {
  std::wstring s = ReplaceAll(text, L"&quot;", L"\"");
  s = ReplaceAll(s, L"&amp;", L"&");
  s = ReplaceAll(s, L"&lt;", L"<");
  s = ReplaceAll(s, L"&gt;", L">");
  std::wstring out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] == L'&' && i + 1 < s.size() && s[i + 1] == L'#') {
      size_t j = i + 2;
      uint32_t code = 0;
      bool valid = true;
      while (j < s.size() && s[j] >= L'0' && s[j] <= L'9') {
        code = code * 10 + static_cast<uint32_t>(s[j] - L'0');
        if (code > 0x10FFFF) valid = false, code = 0x110000;
        ++j;
      }
      // A code that names no character stays as written.
      if (j > i + 2 && j < s.size() && s[j] == L';' && valid && code != 0 &&
          !(code >= 0xD800 && code <= 0xDFFF)) {
        AppendCharacter(out, code);
        i = j + 1;
        continue;
      }
    }
    out.push_back(s[i++]);
  }
  return out;
}

void ParseProcessDocument(const std::wstring& text, std::vector<FileRecord>& files,
                          std::vector<ServiceRecord>& services) {
  size_t pos = text.find(kRecordStart);
  while (pos != std::wstring::npos) {
    const size_t end = text.find(kRecordEnd, pos);
    const std::wstring record = text.substr(pos, end == std::wstring::npos ? std::wstring::npos : end - pos);
    const size_t next = text.find(kRecordStart, pos + 1);
    const size_t q1 = record.find(L'"');
    const size_t q2 = q1 == std::wstring::npos ? std::wstring::npos : record.find(L'"', q1 + 1);
    if (q2 == std::wstring::npos) break;
    const std::wstring type = record.substr(q1 + 1, q2 - q1 - 1);
    if (type == L"file") {
      files.push_back(ReadFileRecord(record));
    } else if (type == L"service") {
      services.push_back(ReadServiceRecord(record));
    }
    pos = next;
  }
}

ProcessDatabase::ProcessDatabase(const std::wstring& path, const IFileSource& files,
                                 const std::wstring& programFolder)
    : source_(files) {
  if (path.empty()) {
    path_ = programFolder + L"\\process.dat";
  } else if (files.Exists(path)) {
    path_ = path;
  } else {
    path_ = programFolder + L"\\" + path;
  }
  filePresent_ = files.Exists(path_);
  loader_ = std::thread([this] { Load(); });
}

ProcessDatabase::~ProcessDatabase() {
  if (loader_.joinable()) loader_.join();
}

bool ProcessDatabase::Load() {
  if (loaded_.load()) return true;
  if (!filePresent_) return false;
  bool expected = false;
  if (!loading_.compare_exchange_strong(expected, true)) {
    while (loading_.load()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return loaded_.load();
  }
  // Another caller may have finished between the first test and the claim.
  if (loaded_.load()) {
    loading_.store(false);
    return true;
  }
  files_.clear();
  services_.clear();
  std::string bytes;
  if (!source_.ReadAll(path_, bytes)) {
    loading_.store(false);
    return false;
  }
  ParseProcessDocument(WideFromUtf8(bytes), files_, services_);
  loaded_.store(true);
  loading_.store(false);
  return true;
}

bool ProcessDatabase::FindFile(const std::wstring& name, FileRecord& out) const {
  if (!loaded_.load()) return false;
  const std::wstring key = UpperText(name);
  for (const FileRecord& f : files_) {
    if (UpperText(f.filename) == key) {
      out = f;
      return true;
    }
  }
  return false;
}

bool ProcessDatabase::FindService(const std::wstring& name, ServiceRecord& out) const {
  if (!loaded_.load()) return false;
  const std::wstring key = UpperText(name);
  for (const ServiceRecord& s : services_) {
    if (UpperText(s.servicename) == key) {
      out = s;
      return true;
    }
  }
  return false;
}

size_t ProcessDatabase::FileCount() const { return loaded_.load() ? files_.size() : 0; }

size_t ProcessDatabase::ServiceCount() const { return loaded_.load() ? services_.size() : 0; }
