#include "items/control_of_flow/run_param_rows.h"

#include <charconv>

namespace palvetta {

TGridRows RunParamRows(const TRunParams& params, bool withCheck) {
  TGridRows rows;
  for (const TRunParam& entry : params) {
    TStrings row{entry.Param, entry.Descr};
    if (withCheck) row.push_back(IntToStr(static_cast<int>(entry.ParamCheck)));
    rows.push_back(std::move(row));
  }
  return rows;
}

void RunParamsFromRows(const TGridRows& rows, TRunParams& params, bool withCheck) {
  params.Clear();
  for (const TStrings& row : rows) {
    if (row.empty() || IsBlank(row[0])) continue;
    TRunParam& entry = params.Add();
    entry.Param = row[0];
    entry.Descr = row.size() > 1 ? row[1] : std::string();
    int check = 0;
    if (withCheck && row.size() > 2) {
      const std::string cell = Trim(row[2]);
      std::from_chars(cell.data(), cell.data() + cell.size(), check);
    }
    if (check >= 0 && static_cast<size_t>(check) < EnumTypeOf<TParamCheck>().Values.size()) {
      entry.ParamCheck = static_cast<TParamCheck>(check);
    }
  }
}

}  // namespace palvetta
