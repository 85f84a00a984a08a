#include "crash/settings/settings_defaults.h"

#include "base/code_page.h"
#include "base/utf.h"
#include "crash/settings/settings_table.h"

namespace palvetta {

bool DefaultProperty(int row, TSWProperty& prop) {
  if (row < 0 || row >= kSWSettingCount || !kSWSettingRows[row].HasDefault) return false;
  const TSWSettingRow& setting = kSWSettingRows[row];
  prop.Name = setting.Key;
  prop.Typ = setting.Typ;
  prop.VBool = setting.VBool;
  prop.VInt = setting.VInt;
  prop.VStr.clear();
  if (setting.VStr) prop.VStr = Utf8ToUtf16(SystemCodePage().ToUtf8(setting.VStr));
  return true;
}

}  // namespace palvetta
