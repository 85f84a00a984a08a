// The dialogs of the ICACLS items.

#include "items/access_control/access_control_dialogs.h"

#include "items/access_control/icacls_items.h"

namespace palvetta {
namespace {

// The file or folder field with a file "..." and a folder "..." beside it.
TLayoutNode FileOrFolder(std::string caption = "File / Folder:") {
  TLayoutNode pair = Column({
      Label("lblFileName", std::move(caption)),
      Row({Stretched(Edit("edtFileName", 40)),
           Aligned(Button("btnFile", "..."), TAlign::alCentre),
           Aligned(Button("btnFolder", "Folder..."), TAlign::alCentre)}),
  });
  pair.LabelPair = true;
  return pair;
}

std::vector<TBrowseButton> FileOrFolderBrowse() {
  return {{.Button = "btnFile", .Field = "edtFileName"},
          {.Button = "btnFolder", .Field = "edtFileName", .Kind = TBrowseKind::bkFolder,
           .Title = "Select folder"}};
}

TLayoutNode SwitchBox(const char* letter) {
  static constexpr std::pair<const char*, const char*> kCaptions[] = {
      {"T", "Perform operation on all matching files/directories below the directories specified"},
      {"C", "Continue on all file errors, only show messages"},
      {"L", "Perform operation on a symbolic link itself versus its target"},
      {"Q", "Suppress success messages"},
  };
  for (const auto& [name, caption] : kCaptions) {
    if (std::string_view(name) == letter) return Check(std::string("cbx") + name, caption);
  }
  return {};
}

std::vector<TLayoutNode> SwitchBoxes() {
  return {SwitchBox("T"), SwitchBox("C"), SwitchBox("L"), SwitchBox("Q")};
}

TLayoutNode UserBox() { return LabelAbove("User name (or SID):", Combo("cmbSID", {}, 40)); }

// Reset and verify.
TEditorSpec FileAndSwitches(std::string caption) {
  std::vector<TLayoutNode> body = {FileOrFolder()};
  for (TLayoutNode& box : SwitchBoxes()) body.push_back(std::move(box));
  return {.Title = std::move(caption), .Layout = Dialog(std::move(body)),
          .Browse = FileOrFolderBrowse()};
}

TEditorSpec Save() {
  std::vector<TLayoutNode> body = {FileOrFolder(),
                                   FieldWithBrowse("Backup to:", "edtACLFileName", "btnACLFileName")};
  for (TLayoutNode& box : SwitchBoxes()) body.push_back(std::move(box));
  std::vector<TBrowseButton> browse = FileOrFolderBrowse();
  browse.push_back({.Button = "btnACLFileName", .Field = "edtACLFileName"});
  return {.Title = "Backup DACLs", .Layout = Dialog(std::move(body)), .Browse = std::move(browse)};
}

TEditorSpec Restore() {
  return {.Title = "Restore ACLs from file and apply to all files in a folder",
          .Layout = Dialog({
              FieldWithBrowse("Folder:", "edtFileName", "btnFolder"),
              FieldWithBrowse("Restore from:", "edtACLFileName", "btnACLFileName"),
              Check("cbxReplaceSID", "Replace SID"),
              Indented(Form({LabelBeside("Old SID:", Combo("cmbOldSID", {}, 30)),
                             LabelBeside("New SID:", Combo("cmbNewSID", {}, 30))})),
              SwitchBox("C"),
              SwitchBox("L"),
              SwitchBox("Q"),
          }),
          .TypedCombos = {"cmbOldSID", "cmbNewSID"},
          .Browse = {{.Button = "btnFolder", .Field = "edtFileName", .Kind = TBrowseKind::bkFolder,
                      .Title = "Select folder"},
                     {.Button = "btnACLFileName", .Field = "edtACLFileName"}},
          .Enabling = {{.CheckBox = "cbxReplaceSID",
                        .Controls = {"lblOldSID", "cmbOldSID", "lblNewSID", "cmbNewSID"}}}};
}

// One check box per right, in two columns, named prefix + the right's letters.
template <class E>
TLayoutNode RightsBoxes(const std::string& name, std::string caption, const std::string& prefix,
                        const TEnumTable<E>& table) {
  std::vector<TLayoutNode> columns[2];
  const size_t half = (TEnumTable<E>::kSize + 1) / 2;
  for (size_t i = 0; i < TEnumTable<E>::kSize; ++i) {
    const E right = static_cast<E>(i);
    columns[i < half ? 0 : 1].push_back(
        Check(prefix + std::string(table.Command(right)), std::string(table.Display(right))));
  }
  return GroupBox(name, std::move(caption),
                  {Row({Column(std::move(columns[0])), Column(std::move(columns[1]))})});
}

// Grant and deny share the dialog; only a grant can replace the user's rights.
TEditorSpec Grant(std::string caption, bool canReplace) {
  TLayoutNode replace = Check("cbxR", "Replace ACL");
  return {.Title = std::move(caption),
          .Layout = Dialog({
              FileOrFolder(),
              UserBox(),
              canReplace ? std::move(replace) : Hidden(std::move(replace)),
              RightsBoxes("grpSimpleRights", "Simple rights:", "cbxSimple", kSimpleAccessRights),
              RightsBoxes("grpSpecificRights", "Specific rights:", "cbxSpecific", kSpecificRights),
          }),
          .TypedCombos = {"cmbSID"},
          .Browse = FileOrFolderBrowse()};
}

TEditorSpec Remove() {
  std::vector<TLayoutNode> body = {
      FileOrFolder(), UserBox(),
      LabelAbove("Mode:", Combo("cmbICACLSRemoveMode", kICACLSRemoveModes.DisplayTexts()))};
  for (TLayoutNode& box : SwitchBoxes()) body.push_back(std::move(box));
  return {.Title = "Remove all occurrences of Sid in the ACL",
          .Layout = Dialog(std::move(body)),
          .TypedCombos = {"cmbSID"},
          .Browse = FileOrFolderBrowse()};
}

TEditorSpec SetIntegrityLevel() {
  return {.Title = "Explicitly add an integrity ACE to all matching files",
          .Layout = Dialog({
              FileOrFolder(),
              Form({LabelBeside("Integrity level:",
                                Combo("cmbIntegrityLevel", kICACLSIntegrityLevels.DisplayTexts())),
                    LabelBeside("Inheritance:", Combo("cmbIntegrityInheritance",
                                                      kICACLSIntegrityInheritances.DisplayTexts()))}),
          }),
          .Browse = FileOrFolderBrowse()};
}

}  // namespace

std::vector<TItemEditorSpec> AccessControlEditorSpecs() {
  return {
      {&TICACLSGrantItem::Class, Grant("Grant the specified user access rights", true)},
      {&TICACLSDenyItem::Class, Grant("Deny the specified user access rights", false)},
      {&TICACLSRemoveItem::Class, Remove()},
      {&TICACLSResetItem::Class, FileAndSwitches("Replace ACLs with default inherited ACLs")},
      {&TICACLSVerifyItem::Class,
       FileAndSwitches("Find all files whose ACL is not in canonical form or whose lengths are "
                       "inconsistent with ACE counts")},
      {&TICACLSSaveItem::Class, Save()},
      {&TICACLSRestoreItem::Class, Restore()},
      {&TICACLSSetIntegrityLevelItem::Class, SetIntegrityLevel()},
  };
}

constinit const TItemFamily kAccessControlFamily{kAccessControlItemClasses, [](const TEnvironmentLookup&) { return AccessControlEditorSpecs(); }};

}  // namespace palvetta
