#include "crash/process/win/shared_security.h"

#include <aclapi.h>

#include <memory>

namespace palvetta {
namespace {

// Everyone may read a shared mapping (FILE_MAP_READ); the same bit of the other kinds.
constexpr DWORD kEveryoneAccess = 0x4;
constexpr DWORD kFullAccess = 0x1FFFFF;

using TScopedSid = TScopedHandle<handle_traits::TNullEmptyTraits<PSID, FreeSid>>;

TScopedSid WellKnownSid(SID_IDENTIFIER_AUTHORITY authority, DWORD subAuthority) {
  PSID sid = nullptr;
  AllocateAndInitializeSid(&authority, 1, subAuthority, 0, 0, 0, 0, 0, 0, 0, &sid);
  return TScopedSid(sid);
}

// The process token's user, in a buffer that holds the SID.
std::unique_ptr<uint8_t[]> TokenUser() {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken)) return nullptr;
  const TScopedKernelHandle token(rawToken);
  DWORD size = 0;
  GetTokenInformation(token.Get(), ::TokenUser, nullptr, 0, &size);
  if (size == 0) return nullptr;
  auto buffer = std::make_unique<uint8_t[]>(size);
  if (!GetTokenInformation(token.Get(), ::TokenUser, buffer.get(), size, &size)) return nullptr;
  return buffer;
}

EXPLICIT_ACCESS_A AllowEntry(PSID sid, DWORD access) {
  EXPLICIT_ACCESS_A entry{};
  entry.grfAccessPermissions = access;
  entry.grfAccessMode = GRANT_ACCESS;
  entry.grfInheritance = NO_INHERITANCE;
  entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  entry.Trustee.TrusteeType = TRUSTEE_IS_UNKNOWN;
  entry.Trustee.ptstrName = static_cast<LPSTR>(sid);
  return entry;
}

TScopedLocal<ACL> BuildAcl() {
  const TScopedSid everyone = WellKnownSid(SECURITY_WORLD_SID_AUTHORITY, SECURITY_WORLD_RID);
  const TScopedSid system = WellKnownSid(SECURITY_NT_AUTHORITY, SECURITY_LOCAL_SYSTEM_RID);
  const auto user = TokenUser();
  if (!everyone || !system || !user) return {};
  EXPLICIT_ACCESS_A entries[] = {
      AllowEntry(everyone.Get(), kEveryoneAccess),
      AllowEntry(system.Get(), kFullAccess),
      AllowEntry(reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid, kFullAccess),
  };
  ACL* acl = nullptr;
  if (SetEntriesInAclA(3, entries, nullptr, &acl) != ERROR_SUCCESS) return {};
  return TScopedLocal<ACL>(acl);
}

}  // namespace

void InitSharedSecurityAttributes(TSharedSecurity& security) {
  security.Acl = BuildAcl();
  InitializeSecurityDescriptor(&security.Descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&security.Descriptor, TRUE, security.Acl.Get(), FALSE);
  security.Attributes.nLength = sizeof security.Attributes;
  security.Attributes.lpSecurityDescriptor = &security.Descriptor;
  security.Attributes.bInheritHandle = FALSE;
}

}  // namespace palvetta
