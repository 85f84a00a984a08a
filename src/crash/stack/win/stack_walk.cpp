#include "crash/stack/win/stack_walk.h"

#include <algorithm>

#include "crash/stack/recursion.h"

namespace palvetta {

bool TImageCodeRanges::IsCode(uint64_t address) const noexcept {
  MEMORY_BASIC_INFORMATION info;
  if (VirtualQuery(reinterpret_cast<const void*>(address), &info, sizeof info) != sizeof info) return false;
  constexpr DWORD executable = PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  return info.State == MEM_COMMIT && info.Type == MEM_IMAGE && (info.Protect & executable) != 0;
}

namespace {

// One step of the unwinder from context; false when it cannot explain the caller's frame.
bool UnwindOneFrame(CONTEXT& context, const TStackRange& range, const IMemoryReader& reader,
                    const ICodeRanges& code) noexcept {
  const uint64_t previousRsp = context.Rsp;
  DWORD64 imageBase = 0;
  PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
  if (function != nullptr) {
    void* handlerData = nullptr;
    DWORD64 establisher = 0;
    RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context, &handlerData, &establisher,
                     nullptr);
  } else {
    // A leaf function keeps its return address at the stack pointer; without unwind
    // data that is only believed when a call precedes it.
    uint64_t returnAddress = 0;
    TCallSite site;
    if (!reader.Read(context.Rsp, &returnAddress, sizeof returnAddress) ||
        !IsReturnAddress(reader, code, returnAddress, site))
      return false;
    context.Rip = returnAddress;
    context.Rsp += 8;
  }
  return context.Rip != 0 && context.Rsp > previousRsp && context.Rsp <= range.High;
}

}  // namespace

size_t WalkStack(const CONTEXT& start, const TStackRange& range, const IMemoryReader& reader,
                 const ICodeRanges& code, std::span<TStackCandidate> out, bool unwind) noexcept {
  if (out.empty() || range.Low >= range.High) return 0;
  CONTEXT context = start;
  size_t count = 0;
  out[count++] = {0, context.Rip, {context.Rip, false, 0}, true, true};
  // Innermost first while walking; put outermost first at the end.
  bool explained = unwind;
  while (unwind && count < out.size()) {
    const uint64_t rsp = context.Rsp;
    if (!UnwindOneFrame(context, range, reader, code)) {
      explained = context.Rip == 0 && context.Rsp > rsp;  // the outermost frame was reached
      if (!explained) context.Rsp = rsp;
      break;
    }
    TStackCandidate& frame = out[count++];
    frame = {context.Rsp - 8, context.Rip, {}, true, true};
    if (!FindCallEndingAt(reader, context.Rip, frame.Call)) frame.Call = {context.Rip, false, 0};
  }
  size_t anchors = count;
  if (!explained && count < out.size()) {
    const uint64_t from = std::max<uint64_t>(context.Rsp, range.Low);
    count += ScanStack(reader, code, from, range.High, out.subspan(count));
    std::reverse(out.begin() + static_cast<std::ptrdiff_t>(anchors), out.begin() + static_cast<std::ptrdiff_t>(count));
  }
  std::reverse(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(count));
  RemoveRecursionEchoes(out.first(count));
  return count;
}

}  // namespace palvetta
