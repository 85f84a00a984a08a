#include "model/properties.h"

#include "model/field_table.h"

namespace palvetta {

const TClass TPersistent::Class{"TPersistent", nullptr, nullptr, {}};

void TPersistent::DescribeProperties(IPropertyVisitor& visitor) { DescribeFields(*this, visitor); }

}  // namespace palvetta
