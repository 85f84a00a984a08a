#include "support/test_items.h"

namespace palvetta::testing {

PALVETTA_DEFINE_CLASS(TTestCommandItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TAllKindsItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TFailingItem, TCustomProjectItem);

void TTestCommandItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Text", Text);
}

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

void TAllKindsItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.Integer("Number", Number);
  visitor.Byte("Small", Small);
  visitor.Char("Drive", Drive);
  visitor.String("Label", Label);
  visitor.Enum("Check", Check);
  visitor.Set("Attributes", Attributes, EnumTypeOf<TFileAttr>());
  visitor.DateTime("When", When, DateTimeKind::Time);
  visitor.DateTime("Day", Day, DateTimeKind::Date);
  visitor.DateTime("Moment", Moment, DateTimeKind::DateTime);
  visitor.StringList("Lines", Lines);
  visitor.Collection("Params", Params);
}

}  // namespace palvetta::testing
