#include "model/properties.h"

namespace palvetta {

const TClass TPersistent::Class{"TPersistent", nullptr, nullptr};

void TPersistent::DescribeProperties(PropertyVisitor&) {}

}  // namespace palvetta
