#include "items/remote_query/sup_item.h"

#include "model/remote_switches.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kSUPFields[] = {
    Text<&TCustomSUPItem::System>("System"),     Text<&TCustomSUPItem::User>("User"),
    Text<&TCustomSUPItem::Password>("Password"), Flag<&TCustomSUPItem::NoHeader>("NoHeader"),
    Flag<&TCustomSUPItem::Verbose>("Verbose"),   Enum<&TCustomSUPItem::OutputFormat>("OutputFormat"),
};

}  // namespace

const TClass TCustomSUPItem::Class = AbstractClass<TCustomProjectItem>("TCustomSUPItem", kSUPFields);

std::string GetSUPParams(const TCustomSUPItem& item, bool systemOnly) {
  std::string text = RemoteSystemSwitches(item.System, item.User, item.Password);
  if (systemOnly) return text;
  text += HeaderAndFormatSwitches(item.NoHeader, item.OutputFormat);
  if (item.Verbose) text += " /V";
  return text;
}

}  // namespace palvetta
