#include "crash/disasm/opcode_tables.h"

#include <algorithm>
#include <iterator>

namespace palvetta::disasm {
namespace {

constexpr std::string_view kMnemonics[] = {
    "",
#define MNEMONIC(name, text) text,
#include "crash/disasm/mnemonics.inc"
#undef MNEMONIC
};
static_assert(std::size(kMnemonics) == mnCount);

#define GROUP_LIST(...) {__VA_ARGS__}
constexpr TGroupEntry kGroups[] = {
#define GROUP(opcode, mnemonic, memory, reg) {opcode, mnemonic, GROUP_LIST memory, GROUP_LIST reg},
#include "crash/disasm/opcode_groups.inc"
#undef GROUP
};

constexpr TThreeByteEntry k0F38[] = {
#define MAP_0F38(opcode, prefixes, desc, mnemonic) {opcode, prefixes, desc, mnemonic},
#define MAP_0F3A(opcode, prefixes, desc, mnemonic)
#include "crash/disasm/opcodes_3byte.inc"
#undef MAP_0F38
#undef MAP_0F3A
};
constexpr TThreeByteEntry k0F3A[] = {
#define MAP_0F38(opcode, prefixes, desc, mnemonic)
#define MAP_0F3A(opcode, prefixes, desc, mnemonic) {opcode, prefixes, desc, mnemonic},
#include "crash/disasm/opcodes_3byte.inc"
#undef MAP_0F38
#undef MAP_0F3A
};

struct TSpecialEntry {
  uint8_t Map;
  uint8_t Opcode;
  TSpecialKind Kind;
};
constexpr TSpecialEntry kSpecials[] = {
#define SPECIAL(map, opcode, kind) {map, opcode, kind},
#include "crash/disasm/opcodes_special.inc"
#undef SPECIAL
};

struct TName64Entry {
  uint8_t Map;
  uint8_t Opcode;
  bool NeedsRexW;
  uint16_t Mnemonic;
};
constexpr TName64Entry kNames64[] = {
#define NAME_64(map, opcode, rexW, mnemonic) {map, opcode, rexW, mnemonic},
#include "crash/disasm/opcodes_64bit_names.inc"
#undef NAME_64
};

struct TAliasEntry {
  uint8_t Map;
  uint8_t Opcode;
  uint8_t RepeatPrefix;
  int16_t ModRm;
  uint16_t Mnemonic;
};
constexpr TAliasEntry kAliases[] = {
#define ALIAS(map, opcode, repeat, modrm, mnemonic) {map, opcode, repeat, modrm, mnemonic},
#include "crash/disasm/opcode_aliases.inc"
#undef ALIAS
};

struct TLockableEntry {
  uint8_t Map;
  uint8_t Opcode;
  uint8_t RegMask;
};
constexpr TLockableEntry kLockable[] = {
#define LOCKABLE(map, opcode, mask) {map, opcode, mask},
#include "crash/disasm/lockable_opcodes.inc"
#undef LOCKABLE
};

struct TThreeDNowEntry {
  uint8_t Suffix;
  std::string_view Mnemonic;
};
constexpr TThreeDNowEntry kThreeDNow[] = {
#define THREEDNOW(suffix, mnemonic) {suffix, mnemonic},
#include "crash/disasm/threednow_suffixes.inc"
#undef THREEDNOW
};

template <typename Table>
constexpr bool SortedByOpcode(const Table& table) {
  return std::is_sorted(std::begin(table), std::end(table),
                        [](const auto& a, const auto& b) { return a.Opcode < b.Opcode; });
}
static_assert(SortedByOpcode(k0F38) && SortedByOpcode(k0F3A));

}  // namespace

const TOpcodeEntry kOneByteOpcodes[256] = {
#define OPCODE(desc, mnemonic, attr) {desc, mnemonic, attr},
#include "crash/disasm/opcodes_1byte.inc"
};
const TOpcodeEntry kTwoByteOpcodes[256] = {
#include "crash/disasm/opcodes_0f.inc"
#undef OPCODE
};

std::string_view MnemonicText(uint16_t number) noexcept {
  return number < mnCount ? kMnemonics[number] : std::string_view();
}

const TGroupEntry* FindGroup(uint8_t opcode) noexcept {
  for (const TGroupEntry& group : kGroups) {
    if (group.Opcode == opcode) return &group;
  }
  return nullptr;
}

const TThreeByteEntry* FindThreeByte(bool map3A, uint8_t opcode) noexcept {
  const TThreeByteEntry* begin = map3A ? std::begin(k0F3A) : std::begin(k0F38);
  const TThreeByteEntry* end = map3A ? std::end(k0F3A) : std::end(k0F38);
  const TThreeByteEntry* found = std::lower_bound(
      begin, end, opcode, [](const TThreeByteEntry& entry, uint8_t value) { return entry.Opcode < value; });
  return found != end && found->Opcode == opcode ? found : nullptr;
}

TSpecialKind SpecialKind(int map, uint8_t opcode) noexcept {
  for (const TSpecialEntry& entry : kSpecials) {
    if (entry.Map == map && entry.Opcode == opcode) return entry.Kind;
  }
  return skNone;
}

uint16_t Mnemonic64(int map, uint8_t opcode, bool rexW) noexcept {
  for (const TName64Entry& entry : kNames64) {
    if (entry.Map == map && entry.Opcode == opcode && (rexW || !entry.NeedsRexW)) return entry.Mnemonic;
  }
  return mnNone;
}

uint16_t AliasMnemonic(int map, uint8_t opcode, int modrm, uint8_t repeatPrefix) noexcept {
  for (const TAliasEntry& entry : kAliases) {
    if (entry.Map == map && entry.Opcode == opcode && entry.RepeatPrefix == repeatPrefix && entry.ModRm == modrm) {
      return entry.Mnemonic;
    }
  }
  return mnNone;
}

bool IsLockable(int map, uint8_t opcode, int reg) noexcept {
  for (const TLockableEntry& entry : kLockable) {
    if (entry.Map == map && entry.Opcode == opcode) return (entry.RegMask >> (reg & 7)) & 1;
  }
  return false;
}

std::string_view ThreeDNowMnemonic(uint8_t suffix) noexcept {
  for (const TThreeDNowEntry& entry : kThreeDNow) {
    if (entry.Suffix == suffix) return entry.Mnemonic;
  }
  return {};
}

}  // namespace palvetta::disasm
