// Any bytes as "process.dat": the loader must neither crash nor hang, and
// lookups over whatever it read must work.
#include <cstddef>
#include <cstdint>
#include <string>

#include "quillon/engine/ProcessDatabase.h"
#include "quillon/engine/TextCodec.h"

namespace {

// One file, the fuzzer's bytes.
class OneFile : public IFileSource {
 public:
  explicit OneFile(std::string bytes) : bytes_(std::move(bytes)) {}
  bool Exists(const std::wstring& path) const override { return path == L"C:\\process.dat"; }
  bool ReadAll(const std::wstring& path, std::string& bytes) const override {
    if (!Exists(path)) return false;
    bytes = bytes_;
    return true;
  }
  bool FileLength(const std::wstring& path, uint64_t& length) const override {
    length = bytes_.size();
    return Exists(path);
  }
  bool ListFolder(const std::wstring&, const std::function<void(const FolderEntry&)>&) const override {
    return false;
  }
  bool Remove(const std::wstring&) const override { return false; }

 private:
  std::string bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OneFile file(std::string(reinterpret_cast<const char*>(data), size));
  ProcessDatabase db(L"C:\\process.dat", file, L"C:");
  if (!db.Load()) __builtin_trap();  // a present file always loads
  FileRecord f;
  ServiceRecord s;
  for (const auto& record : db.Files()) db.FindFile(record.filename, f);
  for (const auto& record : db.Services()) db.FindService(record.servicename, s);
  db.FindFile(L"svchost.exe", f);
  return 0;
}
