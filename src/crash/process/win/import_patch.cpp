#include "crash/process/win/import_patch.h"

#include <cstring>

#include "base/path_text.h"
#include "pe/pe_imports.h"
#include "pe/win/loaded_image.h"

namespace palvetta {
namespace {

bool PatchSlot(uint8_t* slot, const void* newAddress) {
  DWORD previous = 0;
  if (!VirtualProtect(slot, sizeof(void*), PAGE_EXECUTE_READWRITE, &previous)) return false;
  std::memcpy(slot, &newAddress, sizeof newAddress);
  VirtualProtect(slot, sizeof(void*), previous, &previous);
  return true;
}

void SayImportTableInvalid() {
  const std::u16string caption = PathFileName(ModuleFileName());
  MessageBoxW(nullptr, L"The import table is invalid.\r\n\r\nThis way Stackward can't install the thread hooks.",
              reinterpret_cast<const wchar_t*>(caption.c_str()), MB_OK | MB_ICONERROR);
}

}  // namespace

int PatchModuleImports(HMODULE module, const void* oldAddress, const void* newAddress) {
  const auto image = LoadedImage(module);
  if (!image) return 0;
  auto* base = reinterpret_cast<uint8_t*>(module);
  int patched = 0;
  const bool valid = ForEachImportSlot(*image, [&](std::string_view, uint32_t slotRva) {
    const void* current = nullptr;
    std::memcpy(&current, base + slotRva, sizeof current);
    if (current == oldAddress && PatchSlot(base + slotRva, newAddress)) ++patched;
  });
  if (!valid && module == OwnModule() && IsDebuggerPresent()) SayImportTableInvalid();
  return patched;
}

int PatchAllImports(const TDAModule& modules, const void* oldAddress, const void* newAddress) {
  int patched = 0;
  for (const TModule& module : modules) patched += PatchModuleImports(module.handle, oldAddress, newAddress);
  FlushInstructionCache(GetCurrentProcess(), nullptr, 0);
  return patched;
}

}  // namespace palvetta
