#include "quillon/services/win32/WmiQuery.h"

#include <oleauto.h>
#include <wbemidl.h>

namespace {

WmiValue ValueFromVariant(const VARIANT& v) {
  WmiValue value;
  switch (V_VT(&v)) {
    case VT_BSTR:
      value.kind = WmiValue::Kind::Text;
      if (V_BSTR(&v)) value.text.assign(V_BSTR(&v), SysStringLen(V_BSTR(&v)));
      break;
    case VT_I1:
      value.kind = WmiValue::Kind::Number;
      value.number = V_I1(&v);
      break;
    case VT_UI1:
      value.kind = WmiValue::Kind::Number;
      value.number = V_UI1(&v);
      break;
    case VT_I2:
      value.kind = WmiValue::Kind::Number;
      value.number = V_I2(&v);
      break;
    case VT_UI2:
      value.kind = WmiValue::Kind::Number;
      value.number = V_UI2(&v);
      break;
    case VT_I4:
    case VT_INT:
      value.kind = WmiValue::Kind::Number;
      value.number = V_I4(&v);
      break;
    case VT_UI4:
    case VT_UINT:
      value.kind = WmiValue::Kind::Number;
      value.number = V_UI4(&v);
      break;
    case VT_I8:
      value.kind = WmiValue::Kind::Number;
      value.number = V_I8(&v);
      break;
    case VT_UI8:
      value.kind = WmiValue::Kind::Number;
      value.number = static_cast<long long>(V_UI8(&v));
      break;
    case VT_BOOL:
      value.kind = WmiValue::Kind::Number;
      value.number = V_BOOL(&v) ? 1 : 0;
      break;
    default: {
      // Anything else that converts to text (dates, reals) is kept as text.
      VARIANT copy;
      VariantInit(&copy);
      if (V_VT(&v) != VT_EMPTY && V_VT(&v) != VT_NULL &&
          SUCCEEDED(VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_BSTR)) && V_BSTR(&copy)) {
        value.kind = WmiValue::Kind::Text;
        value.text.assign(V_BSTR(&copy), SysStringLen(V_BSTR(&copy)));
      }
      VariantClear(&copy);
      break;
    }
  }
  return value;
}

void ReadProperty(IWbemClassObject* object, const std::wstring& name, WmiRow& row) {
  VARIANT v;
  VariantInit(&v);
  if (SUCCEEDED(object->Get(name.c_str(), 0, &v, nullptr, nullptr))) row[name] = ValueFromVariant(v);
  VariantClear(&v);
}

}  // namespace

WmiQuery::WmiQuery() {}

WmiQuery::~WmiQuery() {
  Disconnect();
  if (com_initialised_) CoUninitialize();
}

void WmiQuery::Disconnect() {
  if (services_) services_->Release();
  services_ = nullptr;
  if (locator_) locator_->Release();
  locator_ = nullptr;
}

bool WmiQuery::Connect() {
  Disconnect();
  if (!com_initialised_) {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // RPC_E_CHANGED_MODE: the thread already has a multithreaded apartment,
    // which serves as well; only a successful call is balanced later.
    if (SUCCEEDED(hr))
      com_initialised_ = true;
    else if (hr != RPC_E_CHANGED_MODE)
      return false;
  }
  // Process security may already be set (by an earlier connection or by the
  // program); RPC_E_TOO_LATE then is not an error.
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                       nullptr, EOAC_NONE, nullptr);
  HRESULT hr = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void**>(&locator_));
  if (FAILED(hr) || !locator_) {
    locator_ = nullptr;
    return false;
  }
  BSTR ns = SysAllocString(L"ROOT\\CIMV2");
  hr = locator_->ConnectServer(ns, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services_);
  SysFreeString(ns);
  if (FAILED(hr) || !services_) {
    services_ = nullptr;
    Disconnect();
    return false;
  }
  hr = CoSetProxyBlanket(services_, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
  if (FAILED(hr)) {
    Disconnect();
    return false;
  }
  return true;
}

HRESULT WmiQuery::RunOnce(const std::wstring& wql, const std::vector<std::wstring>& properties,
                          std::vector<WmiRow>& rows) {
  if (!services_) return E_POINTER;
  BSTR language = SysAllocString(L"WQL");
  BSTR query = SysAllocString(wql.c_str());
  IEnumWbemClassObject* enumerator = nullptr;
  HRESULT hr = services_->ExecQuery(language, query, WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY,
                                    nullptr, &enumerator);
  SysFreeString(query);
  SysFreeString(language);
  if (FAILED(hr) || !enumerator) return FAILED(hr) ? hr : E_FAIL;
  std::vector<WmiRow> found;
  for (;;) {
    IWbemClassObject* object = nullptr;
    ULONG returned = 0;
    hr = enumerator->Next(WBEM_INFINITE, 1, &object, &returned);
    if (FAILED(hr) || returned == 0 || !object) break;
    WmiRow row;
    if (!properties.empty()) {
      for (const std::wstring& name : properties) ReadProperty(object, name, row);
    } else if (SUCCEEDED(object->BeginEnumeration(WBEM_FLAG_NONSYSTEM_ONLY))) {
      BSTR name = nullptr;
      VARIANT v;
      VariantInit(&v);
      while (object->Next(0, &name, &v, nullptr, nullptr) == WBEM_S_NO_ERROR) {
        if (name) row[std::wstring(name, SysStringLen(name))] = ValueFromVariant(v);
        SysFreeString(name);
        name = nullptr;
        VariantClear(&v);
      }
      object->EndEnumeration();
    }
    object->Release();
    found.push_back(std::move(row));
  }
  enumerator->Release();
  if (FAILED(hr)) return hr;
  rows.insert(rows.end(), found.begin(), found.end());
  return S_OK;
}

bool WmiQuery::Run(const std::wstring& wql, const std::vector<std::wstring>& properties,
                   std::vector<WmiRow>& rows) {
  if (SUCCEEDED(RunOnce(wql, properties, rows))) return true;
  if (!Connect()) return false;
  return SUCCEEDED(RunOnce(wql, properties, rows));
}
