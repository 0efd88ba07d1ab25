#include "quillon/services/win32/Shortcut.h"

#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shlobj.h>

#include <vector>

namespace {

// Releases the interface it holds.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T** operator&() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// Balances a successful CoInitializeEx of this thread (S_FALSE included).
class ComScope {
 public:
  ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT hr_;
};

constexpr int kPathBuffer = 32780;

}  // namespace

HRESULT CreateShortcut(const std::wstring& target, const std::wstring& arguments,
                       const std::wstring& shortcutFile, int showCommand, const std::wstring& workingFolder,
                       const std::wstring& iconFile, int iconIndex) {
  if (target.size() <= 1 || shortcutFile.size() <= 1 || showCommand < 0 || iconIndex < 0) return E_INVALIDARG;
  ComScope com;
  ComPtr<IShellLinkW> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link));
  if (FAILED(hr)) return hr;
  if (FAILED(hr = link->SetPath(target.c_str()))) return hr;
  if (FAILED(hr = link->SetArguments(arguments.c_str()))) return hr;
  if (showCommand > 0 && FAILED(hr = link->SetShowCmd(showCommand))) return hr;
  if (workingFolder.size() > 1 && FAILED(hr = link->SetWorkingDirectory(workingFolder.c_str()))) return hr;
  if (iconFile.size() > 1 && FAILED(hr = link->SetIconLocation(iconFile.c_str(), iconIndex))) return hr;
  ComPtr<IPersistFile> file;
  hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (FAILED(hr)) return hr;
  return file->Save(shortcutFile.c_str(), TRUE);
}

HRESULT ResolveShortcut(const std::wstring& shortcutFile, std::wstring& target, std::wstring& arguments) {
  ComScope com;
  ComPtr<IShellLinkW> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link));
  if (FAILED(hr)) return hr;
  ComPtr<IPersistFile> file;
  if (FAILED(hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) return hr;
  if (FAILED(hr = file->Load(shortcutFile.c_str(), STGM_READ))) return hr;
  if (FAILED(hr = link->Resolve(nullptr, SLR_NO_UI | SLR_UPDATE))) return hr;
  std::vector<wchar_t> buffer(kPathBuffer);
  if (FAILED(hr = link->GetPath(buffer.data(), kPathBuffer, nullptr, SLGP_RAWPATH))) return hr;
  std::wstring path(buffer.data());
  buffer[0] = L'\0';
  if (FAILED(hr = link->GetArguments(buffer.data(), kPathBuffer))) return hr;
  target = path;
  arguments = buffer.data();
  return S_OK;
}
