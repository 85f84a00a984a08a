#pragma once
// Whether the loader is busy, so that work which needs it (starting threads, loading
// libraries) is not attempted while another thread, or a crash inside a library's entry
// point, holds it.

#include <windows.h>

namespace palvetta {

// Busy while the loader lock or the process environment block's fast lock is held,
// checked every 10 ms until the time is used up; always busy once the reporter's own
// module has begun to unload.
bool LoaderLockBusy(DWORD timeoutMs);

// Told by the module's unload.
void SetOwnModuleUnloading(bool unloading);

}  // namespace palvetta
