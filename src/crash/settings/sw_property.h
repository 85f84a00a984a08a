#pragma once
// One setting as the crash reporter keeps it, and the settings block of one module: the
// properties parsed from the module's settings resource plus those its setters added.

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace palvetta {

enum TPropertyType : uint8_t { ptString, ptInteger, ptBoolean, ptBinary };

// Every value field is kept whatever the type, so a getter of another kind reads the
// zero value of its own field instead of failing.
struct TSWProperty {
  std::string Name;
  TPropertyType Typ = ptString;
  bool VBool = false;
  int32_t VInt = 0;
  std::u16string VStr;
};

struct TSWSettingsModule {
  // Room for the shipped settings without growing; later growth is the vector's own.
  static constexpr size_t kInitialCapacity = 147;

  int RefCount = 0;
  uintptr_t Module = 0;
  std::vector<TSWProperty> Props;
  // Per row of the settings table (settings_table.h), the index of its property in Props
  // or -1: keys are resolved once, when the block is loaded, and a read indexes this.
  std::vector<int32_t> RowProps;
  // Guards Props: a setter that adds a property or replaces a string would otherwise free
  // what a reader on another thread is still copying.
  mutable std::mutex Lock;

  // The index of the first property of exactly that name (case counts); -1 when none.
  int FindPropIndex(std::string_view name) const noexcept;
  // Resolves every row of the settings table to its property, after Props were read.
  void IndexRows();
  // The index in Props of that row's property; -1 when the block has none.
  int RowProp(int row) const noexcept {
    return row >= 0 && static_cast<size_t>(row) < RowProps.size() ? RowProps[static_cast<size_t>(row)] : -1;
  }
  // Drops every property (the block is reloaded or freed).
  void FreeModuleProps() noexcept;
};

}  // namespace palvetta
