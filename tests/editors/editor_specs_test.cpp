// The dialog descriptions against the items they edit: every class whose field table
// binds controls has exactly one dialog, every table row and every field the item fills
// has a control of the right kind, every control that holds a value is bound by a row
// and is a field the item reads, and browse buttons and enabling rules name controls
// that exist. A misspelt name would otherwise lose a setting without any error.

#include "editors/editor_spec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

#include "items/console/console_items.h"
#include "items/item_families.h"
#include "model/field_table.h"
#include "model/project.h"
#include "support/fake_editor_dialog.h"

namespace palvetta {
namespace {

// Named nodes of a description with their kinds; the rows of a three-state grid count as
// controls of their own, named after their fields.
void CollectControls(const TLayoutNode& node, std::map<std::string, TLayoutKind>& controls) {
  if (!node.Name.empty()) controls[node.Name] = node.Kind;
  for (const TThreeStateRow& row : node.StateRows) controls[row.Field] = node.Kind;
  for (const TLayoutNode& child : node.Children) CollectControls(child, controls);
}

// Whether the named control holds a value of the item: a three-state grid's value is in
// its rows, and the field whose text a list's "+" adds and the controls a hook keeps for
// itself are the dialog's own scratch.
bool HoldsItemValue(const TEditorSpec& spec, const std::string& name, TLayoutKind kind) {
  if (!HoldsValue(kind)) return false;
  for (const TListButtons& buttons : spec.ListEditing) {
    if (buttons.Field == name) return false;
  }
  for (const TDialogHook& hook : spec.Hooks) {
    if (std::count(hook.ScratchControls.begin(), hook.ScratchControls.end(), name)) return false;
  }
  bool gridName = false;
  std::function<void(const TLayoutNode&)> visit = [&](const TLayoutNode& node) {
    if (node.Kind == TLayoutKind::lkThreeStateGrid && node.Name == name) gridName = true;
    for (const TLayoutNode& child : node.Children) visit(child);
  };
  visit(spec.Layout);
  return !gridName;
}

// The kind of control a field name's prefix stands for.
std::optional<TLayoutKind> KindOfPrefix(const std::string& field) {
  const std::pair<const char*, TLayoutKind> prefixes[] = {
      {"edt", TLayoutKind::lkEdit},   {"mem", TLayoutKind::lkMemo},  {"cmb", TLayoutKind::lkCombo},
      {"cbx", TLayoutKind::lkCheck},  {"cxb", TLayoutKind::lkCheck}, {"rb", TLayoutKind::lkRadio},
      {"sbn", TLayoutKind::lkNumber}, {"sed", TLayoutKind::lkNumber}, {"vst", TLayoutKind::lkGrid},
      {"att", TLayoutKind::lkThreeStateGrid}, {"dtp", TLayoutKind::lkDate},
      {"lbx", TLayoutKind::lkList},           {"dcb", TLayoutKind::lkDriveCombo},
      {"ted", TLayoutKind::lkTime},
      {"lbx", TLayoutKind::lkList},
  };
  for (const auto& [prefix, kind] : prefixes) {
    if (field.rfind(prefix, 0) == 0) return kind;
  }
  return std::nullopt;
}

// The kind of control that shows a row of the kind; none for rows that are only saved.
std::optional<TLayoutKind> ControlKindOf(TFieldKind kind) {
  switch (kind) {
    case TFieldKind::fkText:
      return TLayoutKind::lkEdit;
    case TFieldKind::fkMemo:
    case TFieldKind::fkLines:
      return TLayoutKind::lkMemo;
    case TFieldKind::fkChoice:
    case TFieldKind::fkEnumeration:
    case TFieldKind::fkColour:
      return TLayoutKind::lkCombo;
    case TFieldKind::fkFlag:
      return TLayoutKind::lkCheck;
    case TFieldKind::fkRadio:
      return TLayoutKind::lkRadio;
    case TFieldKind::fkNumber:
    case TFieldKind::fkLargeNumber:
      return TLayoutKind::lkNumber;
    case TFieldKind::fkGrid:
      return TLayoutKind::lkGrid;
    case TFieldKind::fkThreeState:
      return TLayoutKind::lkThreeStateGrid;
    case TFieldKind::fkList:
      return TLayoutKind::lkList;
    case TFieldKind::fkDate:
    case TFieldKind::fkDateTime:
      return TLayoutKind::lkDate;
    case TFieldKind::fkDrive:
      return TLayoutKind::lkDriveCombo;
    case TFieldKind::fkTime:
      return TLayoutKind::lkTime;
    default:
      return std::nullopt;
  }
}

// The rows of the class's field table (its ancestors' included) that name a control.
std::map<std::string, const TField*> ControlRows(const TClass& cls) {
  std::map<std::string, const TField*> rows;
  ForEachField(cls, [&](const TField& row) {
    if (row.InEditor()) {
      EXPECT_TRUE(rows.emplace(row.Control, &row).second) << row.Control;
    }
  });
  return rows;
}

class EditorSpecsTest : public ::testing::Test {
 protected:
  EditorSpecsTest() { RegisterItemFamilies(Classes); }

  TClassRegistry Classes;
  std::vector<TItemEditorSpec> Specs = AllEditorSpecs([](std::string_view) { return false; });
};

TEST_F(EditorSpecsTest, EveryItemWithSettingsHasExactlyOneDialog) {
  std::set<const TClass*> described;
  for (const TItemEditorSpec& spec : Specs) {
    EXPECT_TRUE(described.insert(spec.ItemClass).second) << spec.ItemClass->Name;
  }
  for (const TClass* cls : Classes.Classes()) {
    if (!cls->Create || !cls->InheritsFrom(TCustomProjectItem::Class)) continue;
    EXPECT_EQ(!ControlRows(*cls).empty(), described.count(cls) == 1) << cls->Name;
  }
}

// Every value control of a dialog is bound by a row of its class's field table, and every
// row that names a control names one of the dialog, of the kind the row's value needs;
// a list takes typed text exactly when its row is a choice. A class without a dialog
// has no such rows (see above).
TEST_F(EditorSpecsTest, FieldTablesBindEveryControlOfTheirDialogs) {
  for (const TItemEditorSpec& spec : Specs) {
    SCOPED_TRACE(spec.ItemClass->Name);
    std::map<std::string, TLayoutKind> controls;
    CollectControls(spec.Spec.Layout, controls);
    const std::map<std::string, const TField*> rows = ControlRows(*spec.ItemClass);
    for (const auto& [name, kind] : controls) {
      if (HoldsItemValue(spec.Spec, name, kind)) {
        EXPECT_TRUE(rows.count(name)) << "no row binds " << name;
      }
    }
    for (const auto& [name, row] : rows) {
      const auto control = controls.find(name);
      ASSERT_NE(control, controls.end()) << "no control " << name;
      EXPECT_EQ(ControlKindOf(row->Kind), control->second) << name;
      const bool typed = std::count(spec.Spec.TypedCombos.begin(), spec.Spec.TypedCombos.end(), name);
      EXPECT_EQ(row->Kind == TFieldKind::fkChoice, typed) << name;
    }
  }
}

TEST_F(EditorSpecsTest, ControlsAndItemFieldsMatchByName) {
  TProject project;
  for (const TItemEditorSpec& spec : Specs) {
    SCOPED_TRACE(spec.ItemClass->Name);
    std::map<std::string, TLayoutKind> controls;
    CollectControls(spec.Spec.Layout, controls);
    EXPECT_TRUE(controls.count("btnOK") && controls.count("btnCancel"));

    TEditorValues values;
    project.AddItem(*spec.ItemClass, -1).ToEditor(values);
    std::set<std::string> fields;
    for (const std::string& field : values.Fields()) {
      const std::optional<TLayoutKind> kind = KindOfPrefix(field);
      if (!kind) continue;  // information for the checks, such as the parameter's number
      fields.insert(field);
      ASSERT_TRUE(controls.count(field)) << "no control for " << field;
      EXPECT_EQ(controls[field], *kind) << field;
    }
    for (const auto& [name, kind] : controls) {
      if (HoldsItemValue(spec.Spec, name, kind)) {
        EXPECT_TRUE(fields.count(name)) << "the item does not fill " << name;
      }
    }
    for (const TBrowseButton& browse : spec.Spec.Browse) {
      EXPECT_EQ(controls[browse.Button], TLayoutKind::lkButton) << browse.Button;
      EXPECT_TRUE(HoldsItemValue(spec.Spec, browse.Field, controls[browse.Field])
                      ? fields.count(browse.Field) != 0
                      : controls.count(browse.Field) != 0)
          << browse.Field;
    }
    for (const TEnableRule& rule : spec.Spec.Enabling) {
      if (rule.ByIndex()) {
        EXPECT_EQ(controls[rule.CheckBox], TLayoutKind::lkCombo) << rule.CheckBox;
      } else {
        EXPECT_TRUE(controls[rule.CheckBox] == TLayoutKind::lkCheck ||
                    controls[rule.CheckBox] == TLayoutKind::lkRadio)
            << rule.CheckBox;
      }
      for (const std::string& control : rule.Controls) EXPECT_TRUE(controls.count(control)) << control;
    }
    for (const TValueRule& rule : spec.Spec.ValueRules) {
      for (const std::string& trigger : rule.Triggers) EXPECT_TRUE(controls.count(trigger)) << trigger;
    }
    for (const TClearRule& rule : spec.Spec.Clearing) {
      for (const auto& boxes : {TStrings{rule.CheckBox}, rule.WhileAnyChecked, rule.Clears}) {
        for (const std::string& box : boxes) EXPECT_EQ(controls[box], TLayoutKind::lkCheck) << box;
      }
    }
    for (const TListButtons& buttons : spec.Spec.ListEditing) {
      EXPECT_EQ(controls[buttons.List], TLayoutKind::lkList) << buttons.List;
      EXPECT_EQ(controls[buttons.Field], TLayoutKind::lkEdit) << buttons.Field;
      EXPECT_EQ(controls[buttons.AddButton], TLayoutKind::lkButton) << buttons.AddButton;
      EXPECT_EQ(controls[buttons.RemoveButton], TLayoutKind::lkButton) << buttons.RemoveButton;
    }
    for (const std::string& combo : spec.Spec.TypedCombos) {
      EXPECT_EQ(controls[combo], TLayoutKind::lkCombo) << combo;
    }
  }
}

// A family's hooks name controls of their dialog, of the kinds their use needs: the fake
// dialog, like the one on screen, refuses any other. Every event a hook handles runs
// once, with the lists and pickers empty.
TEST_F(EditorSpecsTest, HooksUseControlsOfTheirDialogs) {
  for (const TItemEditorSpec& spec : Specs) {
    SCOPED_TRACE(spec.ItemClass->Name);
    if (spec.Spec.Hooks.empty()) continue;
    std::map<std::string, TLayoutKind> controls;
    CollectControls(spec.Spec.Layout, controls);
    for (const TDialogHook& hook : spec.Spec.Hooks) {
      for (const std::string& name : hook.ScratchControls) {
        EXPECT_TRUE(controls.count(name) && HoldsValue(controls[name])) << name;
      }
    }
    try {
      testing::TFakeEditorDialog dialog(spec.Spec);
      EXPECT_FALSE(dialog.HandledControls().empty());
      dialog.Show();
      for (const std::string& name : dialog.HandledControls()) {
        dialog.Click(name);
        dialog.Change(name);
        dialog.DropDown(name);
        dialog.Focus(name);
      }
    } catch (const std::logic_error& fault) {
      ADD_FAILURE() << fault.what();
    }
  }
}

TEST_F(EditorSpecsTest, TheChecksAreAttachedToTheirDialogs) {
  const std::map<std::string_view, std::string> expected = {
      {"TParamItem", "Please enter a name for the parameter."},
      {"TExitItem", "Type the exit code as a number from 0 to 255, or as a variable such as %ERRORLEVEL%."},
      {"TFOREachLineInFile", "Please enter the name of the file to read."},
      {"TDeleteItem", "Please enter the file(s) to delete!"},
      {"TFindItem", "Please enter a string to search for!"},
      {"TWriteToFileItem", "Please enter variable name!"},
      {"TRobocopyItem", "Please tick at least one box under \"What to copy for files\"!"},
      {"TGPResultItem",
       "User and Password are used only with a remote system. Type the remote system, or clear "
       "User and Password."},
      {"TFTPUploadItem", "The user name and password cannot contain a double quote (\")."},
      {"TCreateAListOfPCSItem", "Please enter file name to save the list to"},
      {"TIPConfigItem", "Please enter \"Adapter\"!"},
      {"TRecoverItem", "Please select file name"},
      {"TTypeItem", "Please select file name!"},
      {"TCHCPItem", "Please choose a code page in the list or type its number, for example 850."},
      {"TGraphTablItem", "Please choose a code page."},
      {"TSCHTASKSCreateItem",
       "\"Run on event\" needs an event channel and an event query, for example System and "
       "*[System[EventID=104]]."},
  };
  TProject project;
  for (const TItemEditorSpec& spec : Specs) {
    SCOPED_TRACE(spec.ItemClass->Name);
    const auto found = expected.find(spec.ItemClass->Name);
    if (found == expected.end()) {
      EXPECT_TRUE(spec.Spec.Checks.empty());
      continue;
    }
    // Values that fail: an empty name, a code that is no number, an empty file name, no
    // copy flag, a code page that names none, no code page chosen.
    TEditorValues values;
    project.AddItem(*spec.ItemClass, -1).ToEditor(values);
    if (values.Has("cbxSetExitCode")) {
      values.SetChecked("cbxSetExitCode", true);
      values.SetText("edtExitCode", "many");
    }
    // A user without a remote system, a quote in the FTP user name, the class ID mode
    // without an adapter.
    if (values.Has("edtScopeUser")) values.SetText("edtUser", "admin");
    if (values.Has("edtUsername")) values.SetText("edtUsername", "a\"b");
    if (values.Has("rbModeSetClassID")) values.SetChecked("rbModeSetClassID", true);
    for (const char* flag : {"cbxD", "cbxA", "cbxT"}) {
      if (values.Has(flag)) values.SetChecked(flag, false);
    }
    if (values.Has("edtEventQuery")) values.SetIndex("cmbSC", 9);  // on event, no channel
    if (spec.ItemClass == &TCHCPItem::Class) values.SetText("cmbCodePage", "cp850");
    if (spec.ItemClass == &TGraphTablItem::Class) values.SetIndex("cmbCodePage", -1);
    ASSERT_FALSE(spec.Spec.Checks.empty());
    const std::optional<TCheckFailure> failure = spec.Spec.Checks[0](values);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Message, found->second);
  }
}

}  // namespace
}  // namespace palvetta
