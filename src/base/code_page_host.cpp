#include "base/code_page.h"

namespace palvetta {

const ICodePage& SystemCodePage() { return Windows1252(); }

const ICodePage& BatchCodePage() { return CodePage437(); }

const ICodePage* CodePageById(unsigned id) {
  if (id == 1252) return &Windows1252();
  if (id == 437) return &CodePage437();
  if (id == 65001) return &Utf8CodePage();
  return nullptr;
}

}  // namespace palvetta
