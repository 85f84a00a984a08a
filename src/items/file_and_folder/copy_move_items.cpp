#include "items/file_and_folder/copy_move_items.h"

#include "items/file_and_folder/path_argument.h"
#include "items/text_helpers.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kSourceFileFields[] = {
    Text<&TSourceFile::Path>("Path"),
    Enum<&TSourceFile::SourceType>("SourceType"),
};
constexpr TField kCopyFields[] = {
    Grid<&TCopyItem::Sources>("Sources"),
    Text<&TCopyItem::Destination>("Destination", "edtDestination"),
    Enum<&TCopyItem::SourceType>("SourceType", "cmbSourceType"),
    Enum<&TCopyItem::DestType>("DestType", "cmbDestinationType"),
    Flag<&TCopyItem::AllowDestDecrypted>("AllowDestDecrypted", "cbxAllowDestDecrypted"),
    Flag<&TCopyItem::Verify>("Verify", "cbxVerify"),
    Flag<&TCopyItem::UseShortNames>("UseShortNames", "cbxUseShortNames"),
    Flag<&TCopyItem::PromptOverwrite>("PromptOverwrite", "cbxPromptOverwrite"),
    Flag<&TCopyItem::NetworkedRestartable>("NetworkedRestartable", "cbxNetworkedRestartable"),
    Flag<&TCopyItem::CopySymLinks>("CopySymLinks", "cbxCopySymLinks"),
    Control(TFieldKind::fkLines, "memSrcFiles"),
};
constexpr TField kMoveFields[] = {
    LineList<&TMoveFilesItem::Files>("Files", "memFiles"),
    Flag<&TMoveFilesItem::Quiet>("Quiet", "cbxQuiet"),
    Text<&TMoveFilesItem::Destination>("Destination", "edtDestination"),
};

constexpr TSwitch<TCopyItem> kCopySwitchesBeforeY[] = {
    {&TCopyItem::AllowDestDecrypted, "/D "},
    {&TCopyItem::Verify, "/V "},
    {&TCopyItem::UseShortNames, "/N "},
};
constexpr TSwitch<TCopyItem> kCopySwitchesAfterY[] = {
    {&TCopyItem::NetworkedRestartable, "/Z "},
    {&TCopyItem::CopySymLinks, "/L "},
};

// The type's switch followed by a blank, or nothing.
std::string TypeSwitch(TFileType type) {
  const std::string_view text = kFileTypes.Command(type);
  return text.empty() ? std::string() : std::string(text) + " ";
}

std::string OverwriteSwitch(bool noPrompt) { return noPrompt ? "/Y " : "/-Y "; }

}  // namespace

PALVETTA_DEFINE_CLASS(TSourceFile, TPersistent, kSourceFileFields);
PALVETTA_DEFINE_CLASS(TCopyItem, TCustomProjectItem, kCopyFields);
PALVETTA_DEFINE_CLASS(TMoveFilesItem, TCustomProjectItem, kMoveFields);

// COPY

std::string TCopyItem::GetHumanReadableText() const {
  std::string sources;
  for (const TSourceFile& source : Sources) sources += source.Path + " ";
  if (Sources.Empty()) sources = " <u>unknown</u> files ";
  return "Copy " + sources + "to " + OrPlaceholder(Destination, "<u>unknown</u> destination");
}

std::string TCopyItem::GetBatchText() const {
  const std::string prefix = "COPY " + TypeSwitch(SourceType) +
                             SwitchesOf(*this, kCopySwitchesBeforeY) +
                             OverwriteSwitch(PromptOverwrite) + SwitchesOf(*this, kCopySwitchesAfterY);
  const std::string target = PathArgument(Destination) + " " + TypeSwitch(DestType);
  TStrings lines;
  for (const TSourceFile& source : Sources) {
    if (IsBlank(source.Path)) continue;
    lines.push_back(TrimRight(prefix + PathArgument(source.Path) + " " +
                              TypeSwitch(source.SourceType) + target));
  }
  if (lines.empty()) lines.push_back(TrimRight(prefix + target));
  return JoinWith(lines, "\r\n");
}

void TCopyItem::SpecialToEditor(TEditorValues& values) const {
  TStrings paths;
  for (const TSourceFile& source : Sources) paths.push_back(source.Path);
  values.SetText("memSrcFiles", LinesText(paths));
}

// A source whose path comes back unchanged keeps its own type switch, which the dialog
// does not show; a new or edited one has none.
void TCopyItem::SpecialFromEditor(const TEditorValues& values) {
  std::vector<std::pair<std::string, TFileType>> before;
  for (const TSourceFile& source : Sources) before.emplace_back(Trim(source.Path), source.SourceType);
  Sources.Clear();
  for (const std::string& line : SplitLines(values.Text("memSrcFiles"))) {
    if (IsBlank(line)) continue;
    TSourceFile& source = Sources.Add();
    source.Path = Trim(line);
    for (auto it = before.begin(); it != before.end(); ++it) {
      if (it->first != source.Path) continue;
      source.SourceType = it->second;
      before.erase(it);
      break;
    }
  }
}

// MOVE

std::string TMoveFilesItem::GetHumanReadableText() const {
  const std::string what = Files.empty()       ? "<u>unknown files</u> to "
                           : Files.size() == 1 ? Files[0] + " to "
                                               : "<b>several files</b> to ";
  return "Move " + what + (IsBlank(Destination) ? "<u>unknown destination</u>" : Trim(Destination));
}

std::string TMoveFilesItem::GetBatchText() const {
  const std::string prefix = "MOVE " + OverwriteSwitch(Quiet);
  TStrings lines;
  for (const std::string& file : Files) {
    if (!IsBlank(file)) {
      lines.push_back(TrimRight(prefix + PathArgument(file) + " " + PathArgument(Destination)));
    }
  }
  if (lines.empty()) lines.push_back(TrimRight(prefix + PathArgument(Destination)));
  return JoinWith(lines, "\r\n");
}

}  // namespace palvetta
