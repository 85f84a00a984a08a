#include "base/date_time_text.h"

namespace palvetta {

TDateOrder UserDateOrder() { return TDateOrder::MonthDayYear; }

}  // namespace palvetta
