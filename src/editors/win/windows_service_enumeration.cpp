#include "editors/win/windows_service_enumeration.h"

#include <windows.h>
#include <winnetwk.h>

#include "base/win/kernel_handles.h"
#include "base/win/wide.h"

namespace palvetta {
namespace {

void CloseNetworkEnum(HANDLE handle) { WNetCloseEnum(handle); }
void CloseService(SC_HANDLE handle) { CloseServiceHandle(handle); }

using TScopedNetworkEnum =
    TScopedHandle<handle_traits::TNullEmptyTraits<HANDLE, CloseNetworkEnum>>;
using TScopedServiceHandle =
    TScopedHandle<handle_traits::TNullEmptyTraits<SC_HANDLE, CloseService>>;

std::string NarrowOrEmpty(const wchar_t* text) { return text ? Narrow(text) : std::string(); }

TNetResource FromNative(const NETRESOURCEW& native) {
  return {native.dwScope,
          native.dwType,
          native.dwDisplayType,
          native.dwUsage,
          NarrowOrEmpty(native.lpLocalName),
          NarrowOrEmpty(native.lpRemoteName),
          NarrowOrEmpty(native.lpComment),
          NarrowOrEmpty(native.lpProvider)};
}

// A buffer of whole NETRESOURCEW / ENUM_SERVICE_STATUSW records and the strings they
// point into.
std::vector<unsigned char> AlignedBuffer(size_t size) {
  return std::vector<unsigned char>(size < 16 ? 16 : size);
}

class TNetworkReader : public IEntryReader<TNetResource> {
 public:
  explicit TNetworkReader(HANDLE handle) : FHandle(handle) {}

  TReadStatus Read(size_t& bufferSize, std::vector<TNetResource>& entries) override {
    std::vector<unsigned char> buffer = AlignedBuffer(bufferSize);
    DWORD count = static_cast<DWORD>(-1);  // as many as fit
    DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD result = WNetEnumResourceW(FHandle.Get(), &count, buffer.data(), &size);
    if (result == ERROR_NO_MORE_ITEMS) return TReadStatus::rsDone;
    if (result == ERROR_MORE_DATA) {
      bufferSize = size;
      return TReadStatus::rsMore;
    }
    if (result != NO_ERROR) return TReadStatus::rsFailed;
    const auto* resources = reinterpret_cast<const NETRESOURCEW*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) entries.push_back(FromNative(resources[i]));
    return count == 0 ? TReadStatus::rsDone : TReadStatus::rsMore;
  }

 private:
  TScopedNetworkEnum FHandle;
};

class TServiceReader : public IEntryReader<TServiceEntry> {
 public:
  explicit TServiceReader(SC_HANDLE manager) : FManager(manager) {}

  TReadStatus Read(size_t& bufferSize, std::vector<TServiceEntry>& entries) override {
    std::vector<unsigned char> buffer = AlignedBuffer(bufferSize);
    DWORD needed = 0;
    DWORD count = 0;
    const BOOL done = EnumServicesStatusW(
        FManager.Get(), SERVICE_WIN32, SERVICE_STATE_ALL,
        reinterpret_cast<ENUM_SERVICE_STATUSW*>(buffer.data()), static_cast<DWORD>(buffer.size()),
        &needed, &count, &FResume);
    const DWORD error = done ? ERROR_SUCCESS : GetLastError();
    if (!done && error != ERROR_MORE_DATA) return TReadStatus::rsFailed;
    const auto* services = reinterpret_cast<const ENUM_SERVICE_STATUSW*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
      entries.push_back({NarrowOrEmpty(services[i].lpServiceName),
                         NarrowOrEmpty(services[i].lpDisplayName)});
    }
    if (done) return TReadStatus::rsDone;
    // The rest needs `needed` bytes; read it on from the resume handle.
    if (needed > bufferSize) bufferSize = needed;
    return TReadStatus::rsMore;
  }

 private:
  TScopedServiceHandle FManager;
  DWORD FResume = 0;
};

}  // namespace

std::unique_ptr<IEntryReader<TNetResource>> TWindowsServiceEnumeration::OpenNetwork(
    const TNetResource* container) {
  NETRESOURCEW native = {};
  std::wstring localName, remoteName, comment, provider;
  if (container) {
    localName = Widen(container->LocalName);
    remoteName = Widen(container->RemoteName);
    comment = Widen(container->Comment);
    provider = Widen(container->Provider);
    native.dwScope = container->Scope;
    native.dwType = container->Type;
    native.dwDisplayType = container->DisplayType;
    native.dwUsage = container->Usage;
    native.lpLocalName = localName.empty() ? nullptr : localName.data();
    native.lpRemoteName = remoteName.empty() ? nullptr : remoteName.data();
    native.lpComment = comment.empty() ? nullptr : comment.data();
    native.lpProvider = provider.empty() ? nullptr : provider.data();
  }
  HANDLE handle = nullptr;
  if (WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, container ? &native : nullptr,
                    &handle) != NO_ERROR) {
    return nullptr;
  }
  return std::make_unique<TNetworkReader>(handle);
}

std::unique_ptr<IEntryReader<TServiceEntry>> TWindowsServiceEnumeration::OpenServices(
    const std::string& machine) {
  const std::wstring wideMachine = Widen(machine);
  SC_HANDLE manager = OpenSCManagerW(wideMachine.empty() ? nullptr : wideMachine.c_str(),
                                     SERVICES_ACTIVE_DATABASEW, SC_MANAGER_ENUMERATE_SERVICE);
  if (!manager) return nullptr;
  return std::make_unique<TServiceReader>(manager);
}

std::optional<std::string> TWindowsServiceEnumeration::ServiceGroupOrder() {
  TScopedRegKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\ServiceGroupOrder",
                    0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD size = 0;
  if (RegQueryValueExW(key.Get(), L"List", nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
    return std::string();
  }
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  DWORD read = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key.Get(), L"List", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(value.data()), &read) != ERROR_SUCCESS) {
    return std::string();
  }
  value.resize(read / sizeof(wchar_t));
  return Narrow(value);
}

}  // namespace palvetta
