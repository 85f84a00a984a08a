#include "model/field_table.h"

namespace palvetta {

void DescribeFields(TPersistent& object, IPropertyVisitor& visitor) {
  ForEachField(object.ClassType(), [&](const TField& row) {
    if (row.Saved()) row.Describe(object, row.Name, visitor);
  });
}

void FieldsToEditor(const TPersistent& object, TEditorValues& values) {
  ForEachField(object.ClassType(), [&](const TField& row) {
    if (row.InEditor() && row.ToEditor) row.ToEditor(object, row.Control, values);
  });
}

void FieldsFromEditor(TPersistent& object, const TEditorValues& values) {
  ForEachField(object.ClassType(), [&](const TField& row) {
    if (row.InEditor() && row.FromEditor) row.FromEditor(object, row.Control, values);
  });
}

}  // namespace palvetta
