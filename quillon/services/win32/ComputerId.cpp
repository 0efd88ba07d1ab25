#include "quillon/services/win32/ComputerId.h"

#include <windows.h>

#include <iphlpapi.h>
#include <shlobj.h>

#include <ctime>
#include <vector>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

#include "quillon/lang/IniFile.h"
#include "quillon/lang/win32/IniFileWin32.h"
#include "quillon/services/ComputerIdentity.h"
#include "quillon/services/win32/Registry.h"
#include "quillon/services/win32/SystemHelpers.h"

namespace {

const wchar_t kIdKey[] = L"CLSID\\{11E7B631-8B1D-48e5-81B8-C2C15F39711A}";

class RegistryPlace : public IdentityPlace {
 public:
  explicit RegistryPlace(HKEY root) : root_(root) {}
  std::wstring Read() override {
    RegKey key;
    if (key.Open(root_, kIdKey, KEY_READ | KEY_WOW64_32KEY) != ERROR_SUCCESS) return std::wstring();
    return ReadRegistryText(key.get(), L"ID");
  }
  bool Write(const std::wstring& id) override {
    return WriteRegistryText(root_, kIdKey, L"ID", id, false) >= 0;
  }

 private:
  HKEY root_;
};

class FilePlace : public IdentityPlace {
 public:
  explicit FilePlace(std::wstring path) : path_(std::move(path)) {}
  std::wstring Read() override {
    IniFile ini(Win32IniFileSystem());
    if (!ini.Load(path_)) return std::wstring();
    return ini.GetText(L"CID", L"ID", L"");
  }
  bool Write(const std::wstring& id) override {
    IniFile ini(Win32IniFileSystem());
    if (!ini.Load(path_)) return false;
    ini.SetText(L"CID", L"ID", id);
    return ini.Save();
  }

 private:
  std::wstring path_;
};

std::wstring FirstGatewayEthernetAddress() {
  ULONG size = 0;
  if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) return std::wstring();
  std::vector<BYTE> buffer(size);
  IP_ADAPTER_INFO* list = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  if (GetAdaptersInfo(list, &size) != ERROR_SUCCESS) return std::wstring();
  for (IP_ADAPTER_INFO* adapter = list; adapter; adapter = adapter->Next) {
    if (adapter->Type != MIB_IF_TYPE_ETHERNET || adapter->GatewayList.IpAddress.String[0] == '\0') continue;
    unsigned char address[6] = {};
    for (unsigned i = 0; i < 6 && i < adapter->AddressLength; ++i) address[i] = adapter->Address[i];
    return FormatMacAddress(address);
  }
  return std::wstring();
}

}  // namespace

std::wstring ReadComputerIdSeed() {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
#if defined(__i386__) || defined(__x86_64__)
  __get_cpuid(1, &eax, &ebx, &ecx, &edx);
#endif
  return ComputerIdSeed(FirstGatewayEthernetAddress(), edx, eax, static_cast<long long>(time(nullptr)),
                        GetTickCount());
}

std::wstring GetComputerId() {
  std::wstring folder = GetSpecialFolder(CSIDL_COMMON_APPDATA) + L"\\brivane";
  if (!FileExists(folder)) CreateDirectoryW(folder.c_str(), nullptr);
  RegistryPlace classes(HKEY_CLASSES_ROOT);
  FilePlace file(folder + L"\\brivaneID.dat");
  RegistryPlace user(HKEY_CURRENT_USER);
  return ObtainComputerId({&classes, &file, &user}, &ReadComputerIdSeed);
}
