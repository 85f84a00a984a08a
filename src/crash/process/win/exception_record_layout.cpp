// TExceptionRecord is read straight from the system's exception records: its layout must
// be theirs.

#include <windows.h>

#include <cstddef>

#include "crash/process/crash_types.h"

namespace palvetta {

static_assert(sizeof(TExceptionRecord) == sizeof(EXCEPTION_RECORD));
static_assert(offsetof(TExceptionRecord, ExceptionFlags) == offsetof(EXCEPTION_RECORD, ExceptionFlags));
static_assert(offsetof(TExceptionRecord, ExceptionRecord) == offsetof(EXCEPTION_RECORD, ExceptionRecord));
static_assert(offsetof(TExceptionRecord, ExceptionAddress) == offsetof(EXCEPTION_RECORD, ExceptionAddress));
static_assert(offsetof(TExceptionRecord, NumberParameters) == offsetof(EXCEPTION_RECORD, NumberParameters));
static_assert(offsetof(TExceptionRecord, ExceptionInformation) == offsetof(EXCEPTION_RECORD, ExceptionInformation));
static_assert(TExceptionRecord::kMaxParameters == EXCEPTION_MAXIMUM_PARAMETERS);

}  // namespace palvetta
