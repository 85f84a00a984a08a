#pragma once
// Security attributes for the reporter's named kernel objects: everyone may synchronize
// with them, the system account and the process's own user have full access.

#include <windows.h>

#include "base/win/kernel_handles.h"

namespace palvetta {

struct TSharedSecurity {
  SECURITY_ATTRIBUTES Attributes{};
  SECURITY_DESCRIPTOR Descriptor{};
  TScopedLocal<ACL> Acl;  // LocalAlloc'd by SetEntriesInAcl; stays with the descriptor
};

// Fills the attributes (not inheritable). When the access list cannot be built, the
// descriptor has a null DACL: no restriction.
void InitSharedSecurityAttributes(TSharedSecurity& security);

}  // namespace palvetta
