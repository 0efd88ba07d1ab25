#include "quillon/lang/win32/FileAccess.h"

#include <windows.h>

#include <aclapi.h>

#include <vector>

namespace {

// Frees a SID made by AllocateAndInitializeSid.
struct Sid {
  PSID sid = nullptr;
  ~Sid() {
    if (sid) FreeSid(sid);
  }
};

bool SetPrivilege(HANDLE token, const wchar_t* name, bool enable) {
  TOKEN_PRIVILEGES privileges = {};
  if (!LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid)) return false;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  return AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
         GetLastError() == ERROR_SUCCESS;
}

// Makes the Administrators group the owner, with the two privileges that allow
// it switched on only for the time of the change.
void TakeOwnership(std::wstring& path, PSID administrators) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
  SetPrivilege(token, SE_TAKE_OWNERSHIP_NAME, true);
  SetPrivilege(token, SE_RESTORE_NAME, true);
  SetNamedSecurityInfoW(&path[0], SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, administrators, nullptr,
                        nullptr, nullptr);
  SetPrivilege(token, SE_TAKE_OWNERSHIP_NAME, false);
  SetPrivilege(token, SE_RESTORE_NAME, false);
  CloseHandle(token);
}

}  // namespace

bool GrantFileAccess(const std::wstring& original) {
  std::wstring path = original;
  DWORD inheritance = NO_INHERITANCE;
  if (!path.empty() && path.back() == L'\\') {
    path.pop_back();
    inheritance = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
  }
  if (path.empty()) return false;

  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  SID_IDENTIFIER_AUTHORITY local = SECURITY_LOCAL_SID_AUTHORITY;
  Sid administrators, localGroup;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                0, &administrators.sid) ||
      !AllocateAndInitializeSid(&local, 1, SECURITY_LOCAL_RID, 0, 0, 0, 0, 0, 0, 0, &localGroup.sid))
    return false;

  EXPLICIT_ACCESSW entries[2] = {};
  PSID sids[2] = {administrators.sid, localGroup.sid};
  for (int i = 0; i < 2; ++i) {
    entries[i].grfAccessPermissions = GENERIC_ALL;
    entries[i].grfAccessMode = SET_ACCESS;
    entries[i].grfInheritance = inheritance;
    entries[i].Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entries[i].Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    entries[i].Trustee.ptstrName = static_cast<LPWSTR>(sids[i]);
  }
  PACL acl = nullptr;
  if (SetEntriesInAclW(2, entries, nullptr, &acl) != ERROR_SUCCESS) return false;

  DWORD result = SetNamedSecurityInfoW(&path[0], SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                       acl, nullptr);
  if (result == ERROR_ACCESS_DENIED) {
    TakeOwnership(path, administrators.sid);
    result = SetNamedSecurityInfoW(&path[0], SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl,
                                   nullptr);
  }
  LocalFree(acl);
  return result == ERROR_SUCCESS;
}
