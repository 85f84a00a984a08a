#include "model/code_page.h"

namespace palvetta {

const CodePage& SystemCodePage() { return Windows1252(); }

}  // namespace palvetta
