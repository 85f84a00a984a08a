#include "base/date_time_text.h"

namespace palvetta {

DateOrder UserDateOrder() { return DateOrder::MonthDayYear; }

}  // namespace palvetta
