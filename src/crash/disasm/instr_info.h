#pragma once
// What the decoder tells about one instruction, and the register state it tracks.

#include <cstdint>

namespace palvetta {

enum class TCpuMode : uint8_t { cm32, cm64 };

// Addresses are 64-bit in both modes; in 32-bit mode they stay below 4 GB.
struct TInstrInfo {
  bool IsValid = false;
  // The opcode byte; 0x0F00 + the second byte after 0F; 0x0F3800 / 0x0F3A00 + the third.
  uint32_t Opcode = 0;
  uint8_t ModRm = 0;
  bool Call = false;
  bool Jmp = false;
  bool RelTarget = false;
  uint64_t Target = 0;    // the branch target when known
  uint64_t PTarget = 0;   // where the relative target operand lies
  uint64_t PPTarget = 0;  // the memory cell that holds an absolute target
  int TargetSize = 0;     // width of the target operand in bytes
  bool Enlargeable = false;
  uint64_t This = 0;
  uint64_t Next = 0;
};

// The values of the general registers known to the tracker (eight in 32-bit mode,
// sixteen in 64-bit mode). A value moved in as an immediate also keeps where the
// immediate lies (Place; 0 for a value computed otherwise, such as lea reg,[rip+x]).
struct TRegisterState {
  static constexpr int kCount = 16;
  uint64_t Value[kCount] = {};
  uint64_t Place[kCount] = {};
  bool Known[kCount] = {};

  void Forget(int reg) noexcept { Known[reg] = false; Value[reg] = 0; Place[reg] = 0; }
  void ForgetAll() noexcept { *this = TRegisterState(); }
  void Set(int reg, uint64_t value, uint64_t place) noexcept {
    Known[reg] = true; Value[reg] = value; Place[reg] = place;
  }
  bool operator==(const TRegisterState&) const = default;
};

}  // namespace palvetta
