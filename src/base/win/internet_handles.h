#pragma once
// Owners of WinHTTP handles and certificate contexts.

#include <windows.h>
#include <wincrypt.h>
#include <winhttp.h>

#include "base/win/scoped_handle.h"

namespace palvetta {
namespace handle_traits {

inline void CloseInternet(HINTERNET handle) noexcept { WinHttpCloseHandle(handle); }
inline void FreeCertificate(PCCERT_CONTEXT certificate) noexcept {
  CertFreeCertificateContext(certificate);
}

}  // namespace handle_traits

// A WinHTTP session, connection or request.
using TScopedInternet = TScopedHandle<handle_traits::TNullEmptyTraits<HINTERNET, handle_traits::CloseInternet>>;
using TScopedCertificate =
    TScopedHandle<handle_traits::TNullEmptyTraits<PCCERT_CONTEXT, handle_traits::FreeCertificate>>;

}  // namespace palvetta
