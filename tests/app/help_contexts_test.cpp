#include "app/help_contexts.h"

#include <gtest/gtest.h>

#include "items/control_of_flow/control_of_flow_items.h"
#include "items/for/for_items.h"
#include "items/misc/misc_items.h"
#include "model/system_items.h"

namespace palvetta {

// A class derived from a catalogued one has no help page of its own.
class TDerivedREMItem : public TREMItem {
 public:
  PALVETTA_CLASS
};
PALVETTA_DEFINE_CLASS(TDerivedREMItem, TREMItem);

// A catalogued class name spelled in other case still finds its page.
class TLowerCaseNamedItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
};
const TClass TLowerCaseNamedItem::Class =
    ConcreteClass<TLowerCaseNamedItem, TCustomProjectItem>("tifenditem");

namespace {

TEST(HelpContexts, CataloguedClassesGiveTheirIds) {
  const TREMItem rem;
  const TIfItem ifItem;
  const TFOREndItem forEnd;
  const TCheckParamsItem checkParams;
  const TLowerCaseNamedItem lowerCase;
  EXPECT_EQ(HelpContextOf(&rem), 1108);
  EXPECT_EQ(HelpContextOf(&ifItem), 1023);
  EXPECT_EQ(HelpContextOf(&forEnd), 1039);
  EXPECT_EQ(HelpContextOf(&checkParams), 1112);
  EXPECT_EQ(HelpContextOf(&lowerCase), 1025);
}

TEST(HelpContexts, OtherObjectsGiveZero) {
  const TSysDateOrder systemBlock;
  const TSys7Zip sevenZipBlock;
  const TDerivedREMItem derived;
  EXPECT_EQ(HelpContextOf(nullptr), 0);
  EXPECT_EQ(HelpContextOf(&systemBlock), 0);
  EXPECT_EQ(HelpContextOf(&sevenZipBlock), 0);
  EXPECT_EQ(HelpContextOf(&derived), 0);
}

}  // namespace
}  // namespace palvetta
