#include "crash/settings/win/settings_registry.h"

#include <windows.h>

#include <new>
#include <string>

#include "base/number_text.h"
#include "base/win/kernel_handles.h"
#include "crash/process/win/shared_security.h"

namespace palvetta {
namespace {

// The shared record. The mapping holds its address, so it is pointer-sized.
struct TRegistryRecord {
  LONG RefCount = 0;
  TScopedKernelHandle Mapping;  // of the module that created the record
  TSettingsBlockList Blocks;
};

// This module's view of the registry.
struct TModuleRegistry {
  TScopedKernelHandle Mutex;
  TScopedMappedView View;
  TRegistryRecord* Record = nullptr;
};

// Never destroyed: settings objects kept in statics still close the registry while the
// process exits, after this file's statics would have gone.
TModuleRegistry& ThisModule() {
  static TModuleRegistry* registry = new TModuleRegistry;
  return *registry;
}

std::wstring ObjectName(const char* prefix) {
  // The process id as "$" and lower-case hexadecimal digits.
  const std::string name = prefix + CardToHexPadA(GetCurrentProcessId(), 1);
  return std::wstring(name.begin(), name.end());
}

class TMutexHold {
 public:
  explicit TMutexHold(HANDLE mutex) noexcept : FMutex(mutex) {
    FHeld = mutex && WaitForSingleObject(mutex, INFINITE) != WAIT_FAILED;
  }
  ~TMutexHold() {
    if (FHeld) ReleaseMutex(FMutex);
  }
  TMutexHold(const TMutexHold&) = delete;
  TMutexHold& operator=(const TMutexHold&) = delete;
  bool Held() const noexcept { return FHeld; }

 private:
  HANDLE FMutex;
  bool FHeld = false;
};

// Maps the slot that holds the record's address, opening the process's mapping or
// creating it; the creator keeps the mapping's handle for the record.
bool MapRecordSlot(TModuleRegistry& module, TScopedKernelHandle& createdMapping) noexcept {
  const std::wstring name = ObjectName("StackwardSettingsBuf2");
  TScopedKernelHandle mapping(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, name.c_str()));
  const bool created = !mapping;
  if (created) {
    TSharedSecurity security;
    InitSharedSecurityAttributes(security);
    mapping.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, &security.Attributes, PAGE_READWRITE, 0,
                                     sizeof(TRegistryRecord*), name.c_str()));
    if (!mapping) return false;
  }
  module.View.Reset(MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(TRegistryRecord*)));
  // A mapping opened by name is closed at once: the view keeps it.
  if (created) createdMapping = std::move(mapping);
  return module.View.IsValid();
}

TRegistryRecord*& RecordSlot(TModuleRegistry& module) noexcept {
  return *static_cast<TRegistryRecord**>(module.View.Get());
}

}  // namespace

TSettingsBlockList* OpenSettingsBuffer() noexcept {
  TModuleRegistry& module = ThisModule();
  if (!module.Mutex) {
    TSharedSecurity security;
    InitSharedSecurityAttributes(security);
    module.Mutex.Reset(CreateMutexW(&security.Attributes, FALSE, ObjectName("StackwardSettingsMtx").c_str()));
  }
  TMutexHold hold(module.Mutex.Get());
  if (!hold.Held()) return nullptr;
  TScopedKernelHandle createdMapping;
  if (!module.View && !MapRecordSlot(module, createdMapping)) return nullptr;
  // Read again each time: another module may have freed the record and made a new one.
  TRegistryRecord*& slot = RecordSlot(module);
  if (!slot) {
    slot = new (std::nothrow) TRegistryRecord;
    if (!slot) return nullptr;
    slot->Mapping = std::move(createdMapping);
  }
  module.Record = slot;
  ++module.Record->RefCount;
  return &module.Record->Blocks;
}

TSettingsBlockList* CurrentSettingsBuffer() noexcept {
  TModuleRegistry& module = ThisModule();
  TMutexHold hold(module.Mutex.Get());
  return hold.Held() && module.Record ? &module.Record->Blocks : nullptr;
}

void CloseSettingsBuffer() noexcept {
  TModuleRegistry& module = ThisModule();
  TMutexHold hold(module.Mutex.Get());
  if (!hold.Held() || !module.Record) return;
  if (module.Record->RefCount > 1) {
    --module.Record->RefCount;
    return;
  }
  TScopedKernelHandle mapping = std::move(module.Record->Mapping);
  RecordSlot(module) = nullptr;
  delete module.Record;
  module.Record = nullptr;
  module.View.Reset();
  // mapping closes here, after the view.
}

}  // namespace palvetta
