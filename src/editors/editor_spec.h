#pragma once
// What an item's editor dialog is, as data: its caption and controls (named after the
// editor fields the item reads and writes), the browse buttons and the fields they fill,
// the controls a check box enables, and the checks OK must pass, with what the item's
// family adds of its own (its hooks). One generic window shows any of them, so a new
// dialog is a description, not a new window class.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editors/editor_checks.h"
#include "editors/editor_dialog.h"
#include "gui/check_failure.h"
#include "gui/editor_values.h"
#include "gui/layout.h"
#include "model/class_info.h"

namespace palvetta {

// A file picked into a field, a folder picked into a field, files picked and appended to
// a memo, one per line, the folder-list picker for a ";"-separated list of folders, the
// name of a file to write picked into a field, or a computer of the network picked into a
// field.
enum class TBrowseKind { bkOpenFile, bkFolder, bkAddFiles, bkFolderList, bkSaveFile, bkComputer };

// A "..." button that fills a field from a picker; it never closes the dialog.
struct TBrowseButton {
  std::string Button = {};
  std::string Field = {};
  TBrowseKind Kind = TBrowseKind::bkOpenFile;
  std::string Title = {};       // folder and computer pickers: their title
  std::string Filter = {};      // file picker: "Description|*.ext"; empty for all files
  std::string DefaultExt = {};  // file picker
  bool Multiple = false;        // several files may be chosen at once; a field gets them
                                // joined by ";"
  std::string ChecksOnPick = {};  // a radio button a pick checks (the mode the field is for)
  // A folder button that picks a file instead while one of these radio buttons is checked
  // (a link to a file or to a folder).
  std::vector<std::string> FileWhenChecked = {};
};

// Controls usable only while a check box or radio button is checked or, where WhenIndex
// is set, while the drop-down list named by CheckBox has that entry selected (or, where
// WhenIndexes is set, one of those entries). OrChecked names further boxes or buttons
// any of which, checked, makes the condition hold too; Inverse turns the condition round
// (usable while not checked, or while another entry is selected); with AlsoChecked set,
// the check box of that name must be checked as well. A control that several rules name
// is usable only while all of them hold.
struct TEnableRule {
  std::string CheckBox = {};
  std::vector<std::string> Controls = {};
  int WhenIndex = -1;
  std::vector<int> WhenIndexes = {};
  std::vector<std::string> OrChecked = {};
  bool Inverse = false;
  std::string AlsoChecked = {};

  bool ByIndex() const { return WhenIndex >= 0 || !WhenIndexes.empty(); }
  bool EnabledAt(int index) const;
};

// Values that follow others: when one of the triggers is clicked or changed, the dialog
// is read into the values, Apply changes them, and the dialog shows them again (a list's
// entries too, as its choices).
struct TValueRule {
  std::vector<std::string> Triggers = {};
  std::function<void(TEditorValues&)> Apply = {};
};

// Clicking the check box, while any of the condition boxes is checked, clears the others:
// check boxes that exclude each other's switches.
struct TClearRule {
  std::string CheckBox = {};
  std::vector<std::string> WhileAnyChecked = {};
  std::vector<std::string> Clears = {};
};

// Buttons that edit a list box: one appends a field's text as it is (even empty), the
// other deletes the selected entries. With a separator the text is split at it and each
// piece appended, a final separator adding no empty entry.
struct TListButtons {
  std::string List = {};
  std::string Field = {};
  std::string AddButton = {};
  std::string RemoveButton = {};
  char Separator = 0;
};

// The entries "+" appends for the text.
TStrings EntriesToAdd(const TListButtons& buttons, const std::string& text);

// Runs when OK is pressed, on the dialog's values; may tidy them (the item then takes
// the tidied values). The first failure keeps the dialog open with its message.
using TEditorCheck = std::function<std::optional<TCheckFailure>(TEditorValues&)>;

struct TEditorSpec {
  std::string Title = {};
  TLayoutNode Layout = {};
  std::vector<std::string> TypedCombos = {};  // lists that also take free text
  std::vector<TBrowseButton> Browse = {};
  std::vector<TEnableRule> Enabling = {};
  std::vector<TClearRule> Clearing = {};
  std::vector<TListButtons> ListEditing = {};
  std::vector<TEditorCheck> Checks = {};
  std::vector<TValueRule> ValueRules = {};
  std::vector<TDialogHook> Hooks = {};  // what the item's family adds to the dialog
};

struct TItemEditorSpec {
  const TClass* ItemClass;
  TEditorSpec Spec;
};

// The controls whose click may change what the enabling rules enable: the rules' check
// boxes and radio buttons and, where there are rules, every radio button of the dialog,
// since a click on one clears the others of its group without a click of theirs. A
// drop-down list's rule runs on its change instead.
std::vector<std::string> RuleTriggers(const TEditorSpec& spec);

// Shared pieces of descriptions: a field with its "..." button beside it.
TLayoutNode FieldWithBrowse(std::string caption, std::string field, std::string button,
                            int chars = 40);

}  // namespace palvetta
