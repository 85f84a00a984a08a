#include "crash/process/win/thread_names.h"

#include <cstddef>
#include <cstring>
#include <utility>

#include "base/number_text.h"
#include "base/win/kernel_handles.h"
#include "crash/process/thread_caption.h"
#include "crash/process/win/process_facts.h"
#include "crash/process/win/shared_security.h"

namespace palvetta {
namespace {

// The shared block, 64-bit fields. The freeze watcher holds the first mutex for its
// whole life so that one watcher runs per process.
struct TSharedThreadNames {
  HANDLE FreezeMutex;
  HANDLE ListMutex;
  struct TThreadEntry* Head;
  LONG64 UseCount;
  HANDLE Mapping;
};

// An entry in a process heap block. Modules of older builds write shorter entries (only
// id, name and next, or all but the handle): readers check the block's size first.
struct TThreadEntry {
  DWORD ThreadId;
  char* Name;
  TThreadEntry* Next;
  char* ClassName;
  const void* CreatorAddress;
  DWORD CreatorThreadId;
  HANDLE Thread;
};
constexpr size_t kShortEntrySize = offsetof(TThreadEntry, ClassName);

constexpr DWORD kCaptionWaitMs = 50;
constexpr DWORD kThreadAccess = SYNCHRONIZE | THREAD_QUERY_INFORMATION;

TScopedKernelHandle gMapping;
TSharedThreadNames* gShared = nullptr;

// Whether the entry's block reaches to the end of the field at the offset.
bool EntryHas(const TThreadEntry* entry, size_t fieldOffset) {
  return LocalSize(const_cast<TThreadEntry*>(entry)) >= fieldOffset + sizeof(void*);
}
constexpr size_t kClassNameField = offsetof(TThreadEntry, ClassName);
constexpr size_t kCreatorAddressField = offsetof(TThreadEntry, CreatorAddress);
constexpr size_t kCreatorThreadField = offsetof(TThreadEntry, CreatorThreadId);
constexpr size_t kHandleField = offsetof(TThreadEntry, Thread);

// A packed string: the ANSI text and its zero, followed by the UTF-16 text and its zero
// when the ANSI form lost characters.
char* PackString(std::u16string_view text) {
  if (text.empty()) return nullptr;
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int wideLength = static_cast<int>(text.size());
  BOOL lossy = FALSE;
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  int ansiLength = WideCharToMultiByte(CP_ACP, flags, wide, wideLength, nullptr, 0, nullptr, &lossy);
  if (ansiLength <= 0) {
    // A UTF-8 ANSI code page takes neither the flag nor the question; it loses nothing.
    flags = 0;
    lossy = FALSE;
    ansiLength = WideCharToMultiByte(CP_ACP, flags, wide, wideLength, nullptr, 0, nullptr, nullptr);
  }
  if (ansiLength <= 0) return nullptr;
  const size_t wideBytes = lossy ? (text.size() + 1) * sizeof(char16_t) : 0;
  auto* block = static_cast<char*>(LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, ansiLength + 1 + wideBytes));
  if (!block) return nullptr;
  WideCharToMultiByte(CP_ACP, flags, wide, wideLength, block, ansiLength, nullptr, nullptr);
  if (lossy) std::memcpy(block + ansiLength + 1, text.data(), text.size() * sizeof(char16_t));
  return block;
}

// The text of a packed string, read within its block's size.
std::u16string UnpackString(const char* block) {
  if (!block) return {};
  const size_t size = LocalSize(const_cast<char*>(block));
  const void* zero = std::memchr(block, 0, size);
  if (!zero) return {};
  const size_t ansiLength = static_cast<const char*>(zero) - block;
  // A wide part needs room for at least its zero and as many characters as the ANSI text.
  if (size >= (ansiLength + 1) * 3) {
    const size_t units = (size - ansiLength - 1) / sizeof(char16_t);
    std::u16string wide(units, u'\0');
    std::memcpy(wide.data(), block + ansiLength + 1, units * sizeof(char16_t));
    wide.resize(wide.find(u'\0') == std::u16string::npos ? units : wide.find(u'\0'));
    return wide;
  }
  if (ansiLength == 0) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, block, static_cast<int>(ansiLength), nullptr, 0);
  std::u16string text(length > 0 ? length : 0, u'\0');
  if (length > 0) {
    MultiByteToWideChar(CP_ACP, 0, block, static_cast<int>(ansiLength), reinterpret_cast<wchar_t*>(text.data()), length);
  }
  return text;
}

void FreeEntry(TThreadEntry* entry, bool closeHandle) {
  if (entry->Name) LocalFree(entry->Name);
  if (EntryHas(entry, kClassNameField) && entry->ClassName) LocalFree(entry->ClassName);
  if (closeHandle && EntryHas(entry, kHandleField) && entry->Thread) CloseHandle(entry->Thread);
  LocalFree(entry);
}

// Takes the thread's entry out of the list; nullptr when it has none.
TThreadEntry* Unlink(DWORD threadId) {
  for (TThreadEntry** link = &gShared->Head; *link; link = &(*link)->Next) {
    if ((*link)->ThreadId == threadId) {
      TThreadEntry* entry = *link;
      *link = entry->Next;
      return entry;
    }
  }
  return nullptr;
}

// Drops the first entry whose thread has ended.
void DropOneEndedThread() {
  for (TThreadEntry** link = &gShared->Head; *link; link = &(*link)->Next) {
    TThreadEntry* entry = *link;
    if (EntryHas(entry, kHandleField) && entry->Thread && WaitForSingleObject(entry->Thread, 0) == WAIT_OBJECT_0) {
      *link = entry->Next;
      FreeEntry(entry, true);
      return;
    }
  }
}

class TListMutex {
 public:
  explicit TListMutex(DWORD timeout) {
    if (gShared && gShared->ListMutex) {
      const DWORD result = WaitForSingleObject(gShared->ListMutex, timeout);
      FHeld = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    }
  }
  ~TListMutex() {
    if (FHeld) ReleaseMutex(gShared->ListMutex);
  }
  TListMutex(const TListMutex&) = delete;
  TListMutex& operator=(const TListMutex&) = delete;
  bool Held() const { return FHeld; }

 private:
  bool FHeld = false;
};

std::wstring MappingName() {
  const std::string name = "StackwardThreadNameBuf" + CardToHexPadA(GetCurrentProcessId());
  return std::wstring(name.begin(), name.end());
}

// The debugger's thread-naming exception; a vectored handler swallows it when no
// debugger took it first.
constexpr DWORD kSetThreadNameCode = 0x406D1388;
LONG CALLBACK SwallowThreadNaming(EXCEPTION_POINTERS* info) {
  return info->ExceptionRecord->ExceptionCode == kSetThreadNameCode ? EXCEPTION_CONTINUE_EXECUTION
                                                                     : EXCEPTION_CONTINUE_SEARCH;
}

void NameThreadInDebugger(DWORD threadId, std::u16string_view name) {
  char ansi[256] = {};
  WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(name.data()), static_cast<int>(name.size()), ansi,
                      sizeof ansi - 1, nullptr, nullptr);
  const ULONG_PTR arguments[4] = {0x1000, reinterpret_cast<ULONG_PTR>(ansi), threadId, 0};
  void* handler = AddVectoredExceptionHandler(0, SwallowThreadNaming);
  RaiseException(kSetThreadNameCode, 0, 4, arguments);
  if (handler) RemoveVectoredExceptionHandler(handler);
}

}  // namespace

bool AttachThreadNames() {
  if (gShared) return true;
  TSharedSecurity security;
  InitSharedSecurityAttributes(security);
  TScopedKernelHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, &security.Attributes, PAGE_READWRITE, 0,
                                                 sizeof(TSharedThreadNames), MappingName().c_str()));
  if (!mapping) return false;
  auto* shared = static_cast<TSharedThreadNames*>(MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (!shared) return false;
  if (!shared->ListMutex) {
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
    if (InterlockedCompareExchangePointer(&shared->ListMutex, mutex, nullptr) != nullptr) CloseHandle(mutex);
  }
  InterlockedCompareExchangePointer(&shared->Mapping, mapping.Get(), nullptr);
  InterlockedIncrement64(&shared->UseCount);
  gMapping = std::move(mapping);
  gShared = shared;
  return true;
}

void DetachThreadNames() {
  if (!gShared) return;
  if (InterlockedDecrement64(&gShared->UseCount) == 0) {
    {
      TListMutex lock(INFINITE);
      while (TThreadEntry* entry = gShared->Head) {
        gShared->Head = entry->Next;
        FreeEntry(entry, true);
      }
    }
    CloseHandle(InterlockedExchangePointer(&gShared->ListMutex, nullptr));
  }
  UnmapViewOfFile(gShared);
  gShared = nullptr;
  gMapping.Reset();
}

void SetThreadEntry(DWORD threadId, HANDLE thread, std::u16string_view name, DWORD creatorThreadId,
                    const void* creatorAddress, std::u16string_view className) {
  TListMutex lock(INFINITE);
  if (!lock.Held()) return;
  TThreadEntry* old = Unlink(threadId);
  const bool change = !name.empty() || !className.empty() || creatorAddress || creatorThreadId;
  if (old && !change) {
    FreeEntry(old, true);
  } else {
    std::u16string keptName(name);
    std::u16string keptClass(className);
    HANDLE handle = nullptr;
    if (old) {
      if (keptName.empty()) keptName = UnpackString(old->Name);
      if (EntryHas(old, kClassNameField) && keptClass.empty()) keptClass = UnpackString(old->ClassName);
      if (EntryHas(old, kCreatorAddressField) && !creatorAddress) creatorAddress = old->CreatorAddress;
      if (EntryHas(old, kCreatorThreadField) && !creatorThreadId) creatorThreadId = old->CreatorThreadId;
      if (EntryHas(old, kHandleField)) handle = std::exchange(old->Thread, nullptr);
      FreeEntry(old, true);
    }
    if (!handle && thread) {
      DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &handle, kThreadAccess, FALSE, 0);
    }
    if (!handle) handle = OpenThreadById(threadId, kThreadAccess).Release();
    if (handle) {
      auto* entry = static_cast<TThreadEntry*>(LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, sizeof(TThreadEntry)));
      if (entry) {
        *entry = {threadId, PackString(keptName), gShared->Head, PackString(keptClass), creatorAddress,
                  creatorThreadId, handle};
        gShared->Head = entry;
      } else {
        CloseHandle(handle);
      }
    }
  }
  DropOneEndedThread();
}

void SetThreadName(DWORD threadId, std::u16string_view name) {
  SetThreadEntry(threadId, nullptr, name, 0, nullptr, u"");
  if (IsDebuggerPresent()) NameThreadInDebugger(threadId, name);
}

TThreadCaption ThreadCaption(DWORD threadId, bool raw) {
  TThreadCaption caption;
  std::u16string name;
  std::u16string className;
  {
    TListMutex lock(kCaptionWaitMs);
    if (!lock.Held()) {
      caption.Caption = u"thread " + CardToHexPadW(threadId);
      return caption;
    }
    for (const TThreadEntry* entry = gShared->Head; entry; entry = entry->Next) {
      if (LocalSize(const_cast<TThreadEntry*>(entry)) < kShortEntrySize) break;
      if (entry->ThreadId != threadId) continue;
      name = UnpackString(entry->Name);
      if (EntryHas(entry, kClassNameField)) className = UnpackString(entry->ClassName);
      if (EntryHas(entry, kCreatorThreadField)) {
        caption.CreatorAddress = entry->CreatorAddress;
        caption.CreatorThreadId = entry->CreatorThreadId;
      }
      break;
    }
  }
  caption.Caption = ThreadCaptionText(threadId, name, className, raw);
  return caption;
}

std::u16string RegisteredThreadName(DWORD threadId) {
  TListMutex lock(kCaptionWaitMs);
  if (!lock.Held()) return {};
  for (const TThreadEntry* entry = gShared->Head; entry; entry = entry->Next) {
    if (entry->ThreadId == threadId) return UnpackString(entry->Name);
  }
  return {};
}

}  // namespace palvetta
