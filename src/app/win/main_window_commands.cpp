// The main window's document commands: new, open, save, make and preview the batch
// file, and the edits of the project list (add, move, delete, disable, redirect,
// snippets, the item editors).

#include "app/win/main_window.h"

#include <commctrl.h>

#include "app/help_contexts.h"
#include "app/palette.h"
#include "app/win/batch_preview.h"
#include "app/win/redirect_dialog.h"
#include "app/win/settings_dialog.h"
#include "base/text.h"
#include "gui/win/input_box.h"
#include "gui/win/ui_seams.h"

namespace palvetta {
namespace {

constexpr const char* kProjectFilter = "Palvetta projects (*.kwj)|*.kwj";

}  // namespace

void TfrmMain::ShowError(const std::string& message) {
  ShowMessageBox(Handle(), message, "Palvetta", MB_OK | MB_ICONERROR);
}

bool TfrmMain::ConfirmSaving() {
  if (!FModified) return true;
  switch (ShowMessageBox(Handle(), "Save current project?", "Confirm",
                         MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return Save(false);
    case IDNO:
      return true;
    default:
      return false;
  }
}

void TfrmMain::NewProject() {
  FRecent.Add(FApp->FileName);
  RebuildRecentMenu();
  FApp->New();
  RebuildList();
  SetModified(false);
}

bool TfrmMain::OpenProject(const std::string& fileName) {
  const std::string previous = FApp->FileName;
  std::string name = fileName;
  if (name.empty()) {
    const auto chosen = PickFileToOpen({Handle(), "", kProjectFilter, "kwj", ""});
    if (!chosen) return false;
    name = *chosen;
  }
  try {
    FApp->LoadFromFile(name);
  } catch (const std::exception& error) {
    ShowError("Error opening project " + name + ": " + error.what());
    return false;
  }
  RebuildList();
  FRecent.Add(previous);
  RebuildRecentMenu();
  SetModified(false);
  return true;
}

void TfrmMain::OpenRecent(int index) {
  if (index < 0 || index >= FRecent.Count()) return;
  const std::string fileName = FRecent.Files()[static_cast<std::size_t>(index)];
  if (ConfirmSaving()) OpenProject(fileName);
}

bool TfrmMain::Save(bool saveAs) {
  const std::string previous = FApp->FileName;
  std::string name = saveAs ? "" : previous;
  if (name.empty()) {
    TFileDialogArgs args{Handle(), "", kProjectFilter, "kwj", previous};
    args.OverwritePrompt = true;
    const auto chosen = PickFileToSave(args);
    if (!chosen) return false;
    name = *chosen;
  }
  try {
    FApp->SaveToFile(name);
  } catch (const std::exception& error) {
    ShowError("Error saving file " + name + " : " + error.what());
    return false;
  }
  UpdateCaption();
  if (name != previous) {
    FRecent.Add(name);
    RebuildRecentMenu();
  }
  SetModified(false);
  return true;
}

void TfrmMain::MakeBatchFile() {
  TFileDialogArgs args{Handle(), "", "Batch files (*.bat)|*.bat", "bat", ""};
  args.OverwritePrompt = false;
  const auto chosen = PickFileToSave(args);
  if (!chosen) return;
  try {
    FApp->MakeBatchFile(*chosen);
  } catch (const std::exception& error) {
    ShowError("Error saving batch file " + *chosen + ": " + error.what());
    return;
  }
  // The file is written all the same; the user learns what became "?".
  if (const std::string lost = FApp->LostCharactersMessage(); !lost.empty()) {
    ShowMessageBox(Handle(), lost, "Palvetta", MB_OK | MB_ICONWARNING);
  }
}

void TfrmMain::PreviewBatchFile() {
  try {
    TCreatedFiles& files = FApp->MakeBatchFile();
    Preview().Init(files);
    Preview().ShowModal(Handle());
  } catch (const std::exception& error) {
    ShowError(std::string("Error generating the batch file: ") + error.what());
  }
}

TfrmBatchPreview& TfrmMain::Preview() {
  if (!FPreview) FPreview = std::make_unique<TfrmBatchPreview>(Environment());
  return *FPreview;
}

TfrmRedirectToFile& TfrmMain::RedirectDialog() {
  if (!FRedirect) FRedirect = std::make_unique<TfrmRedirectToFile>(Environment());
  return *FRedirect;
}

void TfrmMain::AddFromPalette(const TPaletteNode& node, int position) {
  const int count = FApp->Project().Count();
  const int at = position < 0 || position > count ? count : position;
  if (node.Kind == TPaletteNodeKind::pnSnippet) {
    FApp->InsertSnippetToProject(at, FApp->Snippets().Items(node.Snippet));
  } else if (node.Kind == TPaletteNodeKind::pnEntry) {
    const TRegistryItem& entry = FApp->Registry().Items(node.Category).Items(node.Entry);
    FApp->Project().AddItem(*entry.ItemClass, at);
  } else {
    return;
  }
  FList.Rebuild();
  FList.SelectOnly(at);
  SetModified(true);
}

bool TfrmMain::DropOnList(HTREEITEM item, POINT listClient) {
  const TPaletteNode* node = FPalette.NodeOf(item);
  if (!node || !node->CanAdd()) return false;
  bool upperHalf = false;
  const std::optional<int> row = FList.RowAt(listClient, upperHalf);
  AddFromPalette(*node, DropPosition(row, upperHalf, FApp->Project().Count()));
  return true;
}

void TfrmMain::EditRow(int row) {
  if (row < 0 || row >= FApp->Project().Count()) return;
  TCustomProjectItem& item = FApp->Project().Items(row);
  if (!FOptions.Editing || !FOptions.Editing->Edit(item, Handle(), HelpContextOf(&item))) return;
  SetModified(true);
  FList.RedrawRow(row);
}

void TfrmMain::MoveSelected(bool up) {
  const std::optional<int> row = FList.FirstSelected();
  if (!row) return;
  const int target = up ? *row - 1 : *row + 1;
  if (target < 0 || target >= FApp->Project().Count()) return;
  TCustomProjectItem& item = FApp->Project().Items(*row);
  if (up) {
    FApp->Project().MoveUp(item);
  } else {
    FApp->Project().MoveDown(item);
  }
  FList.Rebuild();
  FList.SelectOnly(target);
  SetFocus(FList.Handle());
  SetModified(true);
}

void TfrmMain::DeleteSelected() {
  const std::optional<int> row = FList.FirstSelected();
  if (!row) return;
  FApp->Project().DeleteItem(FApp->Project().Items(*row));
  FList.Rebuild();
  ListView_SetItemState(FList.Handle(), -1, 0, LVIS_SELECTED);
  SetModified(true);
}

void TfrmMain::DisableSelected() {
  const std::optional<int> row = FList.FirstSelected();
  if (!row) return;
  TCustomProjectItem& item = FApp->Project().Items(*row);
  item.Enabled = !item.Enabled;
  FList.RedrawRow(*row);
  SetModified(true);
}

void TfrmMain::RedirectSelected() {
  const std::optional<int> row = FList.FirstSelected();
  if (!row) return;
  TCustomProjectItem& item = FApp->Project().Items(*row);
  std::string fileName = item.RedirectTo;
  bool overwrite = item.Overwrite;
  if (!RedirectDialog().Execute(fileName, overwrite, Handle())) return;
  item.RedirectTo = fileName;
  item.Overwrite = overwrite;
  FList.Rebuild();
  SetModified(true);
}

void TfrmMain::CreateSnippet() {
  const std::string name =
      ShowInputBox("Create snippet", "New snippet name:", "", "", Handle(), OnInputBoxShown,
                   Environment());
  if (Trim(name).empty()) return;
  if (FApp->Snippets().SnippetByName(name)) {
    ShowMessageBox(Handle(), "Snippet " + name + " already exists!", "Palvetta",
                   MB_OK | MB_ICONWARNING);
    return;
  }
  TItemList items;
  for (int row : FList.SelectedRows()) items.push_back(&FApp->Project().Items(row));
  try {
    TSnippet& snippet = FApp->AddSnippet(name, items);
    TPaletteNode node(TPaletteNodeKind::pnSnippet, snippet.Name, SnippetImage);
    node.Snippet = FApp->Snippets().Count() - 1;
    FPalette.AddSnippetNode(std::move(node));
  } catch (const std::exception& error) {
    ShowError("The snippet " + name + " could not be saved: " + error.what());
  }
}

void TfrmMain::OpenSettings() {
  if (!FOptions.Appearance) return;
  TfrmSettings dialog(Environment());
  dialog.Execute(*FOptions.Appearance, *FOptions.Settings, Handle());
}

}  // namespace palvetta
