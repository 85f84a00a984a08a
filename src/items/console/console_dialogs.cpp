// The dialogs of the console items and their OK checks.

#include "items/console/console_dialogs.h"

#include <iterator>
#include <span>
#include <utility>

#include "items/console/code_pages.h"
#include "items/console/console_colours.h"
#include "items/console/console_items.h"

namespace palvetta {
namespace {

// PROMPT's special codes by readable name, in the order the list offers them.
constexpr std::pair<const char*, const char*> kPromptCodes[] = {
    {"& (Ampersand)", "$A"},
    {"| (pipe)", "$B"},
    {"( (Left parenthesis)", "$C"},
    {"Current date", "$D"},
    {"Escape code (ASCII code 27)", "$E"},
    {") (Right parenthesis)", "$F"},
    {"> (greater-than sign)", "$G"},
    {"Backspace (erases previous character)", "$H"},
    {"< (less-than sign)", "$L"},
    {"Current drive", "$N"},
    {"Current drive and path", "$P"},
    {"= (equal sign)", "$Q"},
    {"(space)", "$S"},
    {"Current time", "$T"},
    {"Windows version number", "$V"},
    {"Carriage return and linefeed", "$_"},
    {"$ (dollar sign)", "$$"},
    {"One + character for each level PUSHD pushed.", "$+"},
    {"Remote name associated with the current drive letter.", "$M"},
};

TStrings EntriesOf(std::span<const std::string_view> entries) {
  return TStrings(entries.begin(), entries.end());
}

// A drop-down list showing the given number of entries when dropped.
TLayoutNode CodePageList(std::span<const std::string_view> entries, int visible) {
  TLayoutNode combo = Combo("cmbCodePage", EntriesOf(entries), 36);
  combo.Lines = visible;
  return combo;
}

TEditorSpec EchoControl() {
  return {.Title = "Enable/disable output",
          .Layout = Dialog({GroupBox("rgWhatToDo", "What to do",
                                     {Radio("rbShowSettings", "Show current settings"),
                                      Radio("rbEchoON", "Enable command output"),
                                      Radio("rbEchoOFF", "Disable command output")})})};
}

TEditorSpec UserChoice() {
  return {.Title = "User Choice",
          .Layout = Dialog({
              LabelAbove("Intro text:", Memo("memIntroText", 4, 50)),
              Row({Label("lblMarkers", "Markers:"), Radio("rbDigits", "Digits"),
                   Radio("rbLetters", "Letters")}),
              LabelAbove("Items (one per line):", Memo("memItems", 6, 50)),
              LabelAbove("Store user input to variable:", Combo("cmbVarName", {}, 30)),
              LabelAbove("Prompt text:", Edit("edtPromptText", 50)),
          }),
          .TypedCombos = {"cmbVarName"}};
}

// A button that puts the code standing beside the list's chosen entry into the field, in
// place of the field's selection; with no entry chosen it does nothing. The list only
// serves the button: no setting of the item.
TDialogHook InsertButton(std::string button, std::string list, std::string field, TStrings codes) {
  return {.Attach =
              [button, list, field, codes = std::move(codes)](IEditorDialog& dialog) {
                dialog.OnClick(button, [&dialog, list, field, codes] {
                  const int index = dialog.Index(list);
                  if (index < 0 || static_cast<size_t>(index) >= codes.size()) return;
                  dialog.ReplaceSelection(field, codes[static_cast<size_t>(index)]);
                });
              },
          .ScratchControls = {list}};
}

TEditorSpec Prompt() {
  TStrings names;
  TStrings codes;
  for (const auto& [name, code] : kPromptCodes) {
    names.emplace_back(name);
    codes.emplace_back(code);
  }
  return {.Title = "Change command prompt",
          .Layout = Dialog({
              LabelAbove("Prompt:", Edit("edtPrompt", 50)),
              Row({Stretched(LabelBeside("Special code:", Combo("cmbSpecialCode", std::move(names), 30))),
                   Button("btnInsert", "Insert")}),
          }),
          .Hooks = {InsertButton("btnInsert", "cmbSpecialCode", "edtPrompt", std::move(codes))}};
}

TEditorSpec Type() {
  return {.Title = "Displays the contents of a text file or files",
          .Layout = Dialog({FieldWithBrowse("File name:", "edtPath", "btnBrowse")}),
          .Browse = {{.Button = "btnBrowse", .Field = "edtPath"}},
          .Checks = {[](TEditorValues& values) -> std::optional<TCheckFailure> {
            if (!IsBlank(values.Text("edtPath"))) return std::nullopt;
            return TCheckFailure{"Please select file name!", "edtPath"};
          }}};
}

// A blank field is accepted (plain CHCP); anything else must name a code page.
TEditorSpec CHCP() {
  return {.Title = "Change code page",
          .Layout = Dialog({LabelAbove("Code page (choose one or type its number):",
                                       CodePageList(kCHCPCodePages, 16))}),
          .TypedCombos = {"cmbCodePage"},
          .Checks = {[](TEditorValues& values) -> std::optional<TCheckFailure> {
            const std::string& text = values.Text("cmbCodePage");
            if (IsBlank(text) || !ParseCodePage(text).empty()) return std::nullopt;
            return TCheckFailure{"Please choose a code page in the list or type its number, for example 850.",
                                 "cmbCodePage"};
          }}};
}

TEditorSpec Graftabl() {
  return {.Title = "Enable Windows to display an extended character set in graphics mode",
          .Layout = Dialog({Column({
              Radio("rbSetCodePage", "Select code page"),
              Indented(CodePageList(kGraftablCodePages, 12)),
              Radio("rbStatus", "Display the current code page selected for use with GRAFTABL"),
          })}),
          .Enabling = {{"rbSetCodePage", {"cmbCodePage"}}},
          .Checks = {[](TEditorValues& values) -> std::optional<TCheckFailure> {
            if (!values.Checked("rbSetCodePage") || values.Index("cmbCodePage") >= 0) return std::nullopt;
            return TCheckFailure{"Please choose a code page.", "cmbCodePage"};
          }}};
}

}  // namespace

std::vector<TItemEditorSpec> ConsoleEditorSpecs() {
  return {
      {&TECHOItem::Class,
       {.Title = "Display a message", .Layout = Dialog({LabelAbove("Message:", Edit("edtMsg", 50))})}},
      {&TECHOControlItem::Class, EchoControl()},
      {&TColorItem::Class,
       {.Title = "Set text color",
        .Layout = Dialog({Form({
            LabelBeside("Text color:", Combo("cmbTextColor", ConsoleColours())),
            LabelBeside("Background color:", Combo("cmbBGColor", ConsoleColours())),
        })})}},
      {&TAskUserItem::Class,
       {.Title = "Ask user",
        .Layout = Dialog({LabelAbove("Store input to variable:", Edit("edtVarName", 30)),
                          LabelAbove("Intro text:", Edit("edtIntroText", 50))})}},
      {&TUserChoiceItem::Class, UserChoice()},
      {&TPromptItem::Class, Prompt()},
      {&TTypeItem::Class, Type()},
      {&TTitleItem::Class,
       {.Title = "Set the window title for the command prompt window.",
        .Layout = Dialog({LabelAbove("Title:", Edit("edtTitle", 50))})}},
      {&TCHCPItem::Class, CHCP()},
      {&TGraphTablItem::Class, Graftabl()},
  };
}

constinit const TItemFamily kConsoleFamily{kConsoleItemClasses, [](const TEnvironmentLookup&) { return ConsoleEditorSpecs(); }};

}  // namespace palvetta
