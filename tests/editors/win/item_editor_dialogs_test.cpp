#include "editors/win/item_editor_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>

#include "base/text.h"
#include "editor_dialogs_fixture.h"
#include "base/date_time_text.h"
#include "gui/win/controls/list_control.h"
#include "gui/win/controls/three_state_grid_control.h"
#include "items/compare_search/compare_search_items.h"
#include "items/console/console_items.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/file_and_folder/file_and_folder_items.h"
#include "items/file_system/file_system_items.h"
#include "items/for/for_items.h"
#include "items/item_families.h"
#include "items/misc/misc_items.h"
#include "items/network/network_items.h"
#include "items/remote_query/remote_query_items.h"
#include "model/project.h"
#include "support/png_file.h"
#include "support/project_files.h"
#include "support/sample_items.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

// The item as its project file would hold it: every published property.
std::string Snapshot(TProject& project) { return testing::SaveProject(project); }

void CollectValueControls(const TLayoutNode& node, std::vector<const TLayoutNode*>& controls) {
  if (HoldsValue(node.Kind)) controls.push_back(&node);
  for (const TLayoutNode& child : node.Children) CollectValueControls(child, controls);
}

// What the checks accept, where a made-up value would be refused.
const std::map<std::string, std::string> kValidTexts = {
    {"TParamItem.edtName", "Source"},
    {"TExitItem.edtExitCode", "7"},
    {"TFOREachLineInFile.edtFileName", "lines of mine.txt"},
    {"TCHCPItem.cmbCodePage", "1252 (Western European, Windows)"},
    // GPRESULT takes no user or password together with a report file.
    {"TGPResultItem.edtUser", ""},
    {"TGPResultItem.edtPassword", ""},
};

// Puts a value other than the default into every control: texts name their control,
// check boxes flip, radio buttons move to the one not checked, lists take their last
// entry, numbers 17, grids one row.
void SetNonDefault(TDialog& dialog, const TItemEditorSpec& spec, bool typedCombo) {
  std::vector<const TLayoutNode*> controls;
  CollectValueControls(spec.Spec.Layout, controls);
  for (const TLayoutNode* node : controls) {
    const std::string& name = node->Name;
    const auto valid = kValidTexts.find(std::string(spec.ItemClass->Name) + "." + name);
    switch (node->Kind) {
      case TLayoutKind::lkEdit:
        dialog.SetText(name, valid != kValidTexts.end() ? valid->second : "x " + name);
        break;
      case TLayoutKind::lkMemo:
        // A memo's text comes back as lines each ended by a line break.
        dialog.SetText(name, "x " + name + "\r\nsecond line\r\n");
        break;
      case TLayoutKind::lkNumber:
        dialog.SetText(name, "17");
        break;
      case TLayoutKind::lkCombo:
        if (typedCombo && std::count(spec.Spec.TypedCombos.begin(), spec.Spec.TypedCombos.end(), name)) {
          dialog.SetText(name, valid != kValidTexts.end() ? valid->second : "x " + name);
        } else {
          dialog.SetIndex(name, static_cast<int>(dialog.Entries(name).size()) - 1);
        }
        break;
      case TLayoutKind::lkDriveCombo:
        dialog.SetIndex(name, static_cast<int>(dialog.Entries(name).size()) - 1);
        break;
      case TLayoutKind::lkCheck:
        dialog.SetChecked(name, !dialog.Checked(name));
        break;
      case TLayoutKind::lkRadio:
        if (!dialog.Checked(name)) dialog.SetChecked(name, true);
        break;
      case TLayoutKind::lkGrid: {
        // A filter grid's operation cell holds one of the operations' names.
        const bool filter = node->Entries.size() > 1 && node->Entries[1] == "Operation";
        TStrings row = {"alpha", filter ? "Less than" : "beta", "1"};
        row.resize(node->Entries.size());
        dialog.SetRows(name, {row});
        break;
      }
      case TLayoutKind::lkThreeStateGrid:
        // Rows alternate between set and not set.
        for (int row = 0; row < dialog.ThreeStateGrid(name).RowCount(); ++row) {
          dialog.ThreeStateGrid(name).Click(row, row % 2 + 1);
        }
        break;
      case TLayoutKind::lkDate:
        dialog.SetDate(name, DateValue(2021, 7, 15));
        break;
      case TLayoutKind::lkTime:
        dialog.SetTime(name, (13 * 60 + 45) / 1440.0);
        break;
      case TLayoutKind::lkList:
        dialog.ListBox(name).SetEntries({"x " + name, ""});
        break;
      default:
        break;
    }
  }
  // Values that follow others (a list refilled for a kind chosen) are brought in line,
  // as the user's own changes would.
  if (!spec.Spec.ValueRules.empty()) {
    TEditorValues values;
    dialog.Read(values);
    for (const TValueRule& rule : spec.Spec.ValueRules) rule.Apply(values);
    dialog.Fill(values);
  }
}

// The values the dialog's controls hold now.
TEditorValues ReadAll(TDialog& dialog) {
  TEditorValues values;
  dialog.Read(values);
  return values;
}

class ItemEditorDialogsTest : public EditorDialogsFixture {
 protected:
  std::vector<TItemEditorSpec> Specs = AllEditorSpecs([](std::string_view) { return false; });
};

TEST_F(ItemEditorDialogsTest, EveryDialogKeepsDefaultsRoundTripsValuesAndCancelsCleanly) {
  for (const TItemEditorSpec& spec : Specs) {
    SCOPED_TRACE(spec.ItemClass->Name);
    TProject project;
    TCustomProjectItem& item = project.AddItem(*spec.ItemClass, -1);
    // Items whose checks refuse an empty field get a value that passes first.
    if (spec.ItemClass == &TParamItem::Class) static_cast<TParamItem&>(item).Name = "Source";
    if (spec.ItemClass == &TFOREachLineInFile::Class) {
      static_cast<TFOREachLineInFile&>(item).FileName = "list.txt";
    }
    if (spec.ItemClass == &TDeleteItem::Class) static_cast<TDeleteItem&>(item).Files = {"*.tmp"};
    if (spec.ItemClass == &TRecoverItem::Class) static_cast<TRecoverItem&>(item).Path = "bad.dat";
    if (spec.ItemClass == &TFindItem::Class) {
      static_cast<TFindItem&>(item).SearchFor = "x";
      static_cast<TFindItem&>(item).Path = "a.txt";
    }
    if (spec.ItemClass == &TCreateAListOfPCSItem::Class) {
      static_cast<TCreateAListOfPCSItem&>(item).FileName = "pcs.txt";
    }
    // Its second button is the default one, which the sweep would end on.
    if (spec.ItemClass == &TOpenFilesLocalItem::Class) static_cast<TOpenFilesLocalItem&>(item).OnOff = true;
    if (spec.ItemClass == &TWriteToFileItem::Class) {
      static_cast<TWriteToFileItem&>(item).VarName = "X";
      static_cast<TWriteToFileItem&>(item).Path = "a.txt";
    }
    if (spec.ItemClass == &TTypeItem::Class) static_cast<TTypeItem&>(item).Path = "a.txt";
    // A blank code page opens with the first entry chosen, which OK would take.
    if (spec.ItemClass == &TGraphTablItem::Class) static_cast<TGraphTablItem&>(item).CodePage = "437";
    const std::string before = Snapshot(project);

    // OK on what the item put in changes nothing.
    EXPECT_TRUE(Edit(item, [](TDialog& d) { d.PressOK(); }));
    EXPECT_EQ(Snapshot(project), before);

    // Cancel after changing every control changes nothing either.
    EXPECT_FALSE(Edit(item, [&](TDialog& d) {
      SetNonDefault(d, spec, true);
      d.Cancel();
    }));
    EXPECT_EQ(Snapshot(project), before);

    // Every control's new value reaches the item and comes back into the dialog.
    TEditorValues entered;
    EXPECT_TRUE(Edit(item, [&](TDialog& d) {
      SetNonDefault(d, spec, true);
      entered = ReadAll(d);
      d.PressOK();
    }));
    EXPECT_TRUE(Messages.Shown.empty()) << (Messages.Shown.empty() ? "" : Messages.Shown[0].Text);
    EXPECT_NE(Snapshot(project), before);
    TEditorValues shown;
    EXPECT_FALSE(Edit(item, [&](TDialog& d) {
      shown = ReadAll(d);
      d.Cancel();
    }));
    for (const std::string& field : entered.Fields()) {
      SCOPED_TRACE(field);
      ASSERT_TRUE(shown.Has(field));
      // The text a list's "+" adds is the dialog's own, not the item's.
      if (std::any_of(spec.Spec.ListEditing.begin(), spec.Spec.ListEditing.end(),
                      [&](const TListButtons& b) { return b.Field == field; })) {
        continue;
      }
      // Shown checked only while the box it excludes is clear, which the sweep set too.
      if (spec.ItemClass == &TDirItem::Class && field == "cbxNoThousands") continue;
      if (field.rfind("att", 0) == 0) {
        EXPECT_EQ(shown.Index(field), entered.Index(field));
      } else if (field.rfind("dtp", 0) == 0 || field.rfind("ted", 0) == 0) {
        EXPECT_EQ(shown.Date(field), entered.Date(field));
      } else if (field.rfind("lbx", 0) == 0) {
        EXPECT_EQ(shown.Entries(field), entered.Entries(field));
      } else if (field.rfind("vst", 0) == 0) {
        EXPECT_EQ(shown.Rows(field).at(0), entered.Rows(field).at(0));
      } else if (field.rfind("cbx", 0) == 0 || field.rfind("cxb", 0) == 0 ||
                 field.rfind("rb", 0) == 0) {
        EXPECT_EQ(shown.Checked(field), entered.Checked(field));
      } else if (field.rfind("cmb", 0) == 0 &&
                 !std::count(spec.Spec.TypedCombos.begin(), spec.Spec.TypedCombos.end(), field)) {
        EXPECT_EQ(shown.Index(field), entered.Index(field));
      } else if (entered.HoldsLargeNumber(field)) {
        EXPECT_EQ(shown.LargeNumber(field), entered.LargeNumber(field));
      } else if (field.rfind("sbn", 0) == 0 || field.rfind("sed", 0) == 0) {
        EXPECT_EQ(shown.Index(field), entered.Index(field));
      } else {
        EXPECT_EQ(shown.Text(field), entered.Text(field));
      }
    }
    Messages.Shown.clear();
  }
}

// The sample items, with a value in every field, come back unchanged through the real
// controls when the user confirms (less what a dialog does not show).
TEST_F(ItemEditorDialogsTest, ConfirmingASampleItemKeepsEveryValue) {
  for (const TItemEditorSpec& spec : Specs) {
    SCOPED_TRACE(spec.ItemClass->Name);
    const testing::TSampleItem* sample = testing::SampleOf(*spec.ItemClass);
    ASSERT_NE(sample, nullptr);
    TProject project;
    TCustomProjectItem& item = project.AddItem(*spec.ItemClass, -1);
    sample->Fill(item);
    sample->ResetByEditor(item);
    const std::string before = Snapshot(project);
    EXPECT_TRUE(Edit(item, [](TDialog& d) { d.PressOK(); }));
    EXPECT_TRUE(Messages.Shown.empty()) << (Messages.Shown.empty() ? "" : Messages.Shown[0].Text);
    EXPECT_EQ(Snapshot(project), before);
    Messages.Shown.clear();
  }
}

TEST_F(ItemEditorDialogsTest, AFailedCheckKeepsTheDialogOpenWithFocusAndCancelKeepsTheItem) {
  TProject project;
  auto& exit = project.Add<TExitItem>();
  const std::string before = Snapshot(project);
  bool focused = false;
  bool stillOpen = false;
  EXPECT_FALSE(Edit(exit, [&](TDialog& d) {
    d.SetChecked("cbxSetExitCode", true);
    d.SetText("edtExitCode", "256");
    d.PressOK();
    stillOpen = d.ModalResult() == TModalResult::mrNone;
    focused = GetFocus() == d.Control("edtExitCode");
    d.Cancel();
  }));
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(focused);
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_EQ(Messages.Shown[0].Text,
            "Type the exit code as a number from 0 to 255, or as a variable such as %ERRORLEVEL%.");
  EXPECT_EQ(Snapshot(project), before);

  // A code with leading zeros is saved in its plain form.
  EXPECT_TRUE(Edit(exit, [](TDialog& d) {
    d.SetChecked("cbxSetExitCode", true);
    d.SetText("edtExitCode", "007");
    d.PressOK();
  }));
  EXPECT_EQ(exit.GetBatchText(), "EXIT /B 7");
}

TEST_F(ItemEditorDialogsTest, TheParameterNameIsCheckedAgainstTheProgramsEnvironment) {
  TProject project;
  auto& parameter = project.Add<TParamItem>();
  const struct {
    const char* name;
    const char* message;  // empty: accepted
  } cases[] = {
      {"_source.dir-1", ""},
      {"a/b", "Use only letters (A to Z), digits, spaces, _, - and . in the name."},
      {"kwj_x", "Names that start with KWJ_ are used by Palvetta itself. Please choose another name."},
      {"FakeVar",
       "FakeVar is the name of a Windows environment variable: every %FakeVar% in the batch file "
       "would become this parameter. Please choose another name."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Messages.Shown.clear();
    bool focused = false;
    const bool taken = Edit(parameter, [&](TDialog& d) {
      d.SetText("edtName", c.name);
      d.PressOK();
      if (d.ModalResult() == TModalResult::mrNone) {
        focused = GetFocus() == d.Control("edtName");
        d.Cancel();
      }
    });
    EXPECT_EQ(taken, std::string(c.message).empty());
    if (!taken) {
      ASSERT_EQ(Messages.Shown.size(), 1u);
      EXPECT_EQ(Messages.Shown[0].Text, c.message);
      EXPECT_TRUE(focused);
    }
  }
  EXPECT_EQ(parameter.Name, "_source.dir-1");
}

TEST_F(ItemEditorDialogsTest, EnablingFollowsTheCheckBoxesAndBrowseFillsTheField) {
  TProject project;
  auto& start = project.Add<TStartItem>();
  start.DPath = "D:\\Old dir";
  TFilePickerRecorder pickers;
  TScopedFilePickerSeam pickerSeam(pickers);
  pickers.Answers = {"C:\\Tools\\app.exe", "C:\\Work dir"};
  EXPECT_TRUE(Edit(start, [](TDialog& d) {
    EXPECT_FALSE(IsWindowEnabled(d.Control("sbnNode")));
    d.SetChecked("cbxNode", true);
    EXPECT_TRUE(IsWindowEnabled(d.Control("sbnNode")));
    SendMessageW(d.Control("btnBrowseExe"), BM_CLICK, 0, 0);
    SendMessageW(d.Control("btnBrowseDir"), BM_CLICK, 0, 0);
    EXPECT_TRUE(d.IsRunning()) << "browsing never closes the dialog";
    WritePngFile(ScreenshotFolder() / "editor-start.png", CaptureClient(d.Handle()));
    d.PressOK();
  }));
  ASSERT_EQ(pickers.Calls.size(), 2u);
  EXPECT_EQ(pickers.Calls[0].Kind, TPickerKind::pkOpen);
  EXPECT_EQ(pickers.Calls[0].Args.Filter, "Executables (*.exe)|*.exe");
  EXPECT_EQ(pickers.Calls[1].Kind, TPickerKind::pkFolder);
  EXPECT_EQ(pickers.Calls[1].Args.Title, "Select folder");
  EXPECT_EQ(pickers.Calls[1].Args.InitialName, "D:\\Old dir") << "the browser starts at the field's folder";
  EXPECT_EQ(start.ExePath, "C:\\Tools\\app.exe");
  EXPECT_EQ(start.DPath, "C:\\Work dir");
}

TEST_F(ItemEditorDialogsTest, F1OpensTheHelpContextOfTheEditAndNoneLingersAfterIt) {
  TShellRecorder shell;
  TScopedShellSeam shellSeam(shell);
  TFormEnvironment environment;
  environment.HelpFile = "C:\\Palvetta\\palvetta.chm";
  TItemEditorDialogs dialogs(Specs, environment);
  dialogs.OnShown = [](TDialog& d) {
    PostMessageW(d.Handle(), WM_KEYDOWN, VK_F1, 1);
    d.Post([&d] { d.Cancel(); });
  };
  TProject project;
  auto& comment = project.Add<TREMItem>();
  EXPECT_FALSE(dialogs.Execute(comment, Owner.Handle(), 1108));
  EXPECT_FALSE(dialogs.Execute(comment, Owner.Handle()));
  ASSERT_EQ(shell.Calls.size(), 2u);
  EXPECT_EQ(shell.Calls[0].Target, "C:\\Palvetta\\palvetta.chm");
  EXPECT_EQ(shell.Calls[0].ContextId, 1108u);
  EXPECT_EQ(shell.Calls[1].ContextId, 0u) << "the context of the edit before lingered";
}

TEST_F(ItemEditorDialogsTest, AScreenshotOfEveryDialog) {
  for (const TItemEditorSpec& spec : Specs) {
    TProject project;
    TCustomProjectItem& item = project.AddItem(*spec.ItemClass, -1);
    Edit(item, [&](TDialog& d) {
      WritePngFile(ScreenshotFolder() / ("editor-" + std::string(spec.ItemClass->Name) + ".png"),
                   CaptureClient(d.Handle()));
      d.Cancel();
    });
  }
}

}  // namespace
}  // namespace palvetta
