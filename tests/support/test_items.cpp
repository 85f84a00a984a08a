#include "support/test_items.h"

#include "model/field_table.h"

namespace palvetta::testing {
namespace {

using namespace fields;

constexpr TField kTestCommandFields[] = {Text<&TTestCommandItem::Text>("Text")};
constexpr TField kAllKindsFields[] = {
    Integer<&TAllKindsItem::Number>("Number"),
    LargeInteger<&TAllKindsItem::Size>("Size"),
    Byte<&TAllKindsItem::Small>("Small"),
    Char<&TAllKindsItem::Drive>("Drive"),
    Text<&TAllKindsItem::Label>("Label"),
    Enum<&TAllKindsItem::Check>("Check"),
    Set<&TAllKindsItem::Attributes, TFileAttr>("Attributes"),
    Time<&TAllKindsItem::When>("When"),
    Date<&TAllKindsItem::Day>("Day"),
    DateTime<&TAllKindsItem::Moment>("Moment"),
    Strings<&TAllKindsItem::Lines>("Lines"),
    Grid<&TAllKindsItem::Params>("Params"),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TTestCommandItem, TCustomProjectItem, kTestCommandFields);
PALVETTA_DEFINE_CLASS(TAllKindsItem, TCustomProjectItem, kAllKindsFields);
PALVETTA_DEFINE_CLASS(TFailingItem, TCustomProjectItem);

std::string TTestCommandItem::GetBatchText() const {
  if (RequestedBlock) DoAddSystemItem(*RequestedBlock);
  return Text;
}

TAllKindsItem::TAllKindsItem() {
  TRunParam& entry = Params.Add();
  entry.Param = "Source";
  entry.Descr = "what to copy";
  entry.ParamCheck = TParamCheck::pcPathMustExist;
}

}  // namespace palvetta::testing
