#include "app/win/redirect_dialog.h"

#include <optional>

#include "gui/win/ui_seams.h"

namespace palvetta {
namespace {

// "File name:" above the field and its browse button.
TLayoutNode FileNameField() {
  TLayoutNode field = Column({
      Label("lblFileName", "File name:"),
      Row({Stretched(Edit("edtFileName", 40)),
           Aligned(Button("btnBrowse", "..."), TAlign::alCentre)}),
  });
  field.LabelPair = true;
  return field;
}

TLayoutNode RedirectDescription() {
  return Dialog({FileNameField(), Check("cbxOverwrite", "Overwrite existing file")});
}

TDialogOptions RedirectOptions(const TFormEnvironment& environment) {
  TDialogOptions options;
  options.Title = "Redirect to file";
  options.Environment = environment;
  return options;
}

}  // namespace

TfrmRedirectToFile::TfrmRedirectToFile(const TFormEnvironment& environment)
    : FDialog(RedirectDescription(), RedirectOptions(environment)) {
  FDialog.OnClick("btnBrowse", [this] { Browse(); });
}

void TfrmRedirectToFile::Browse() {
  TFileDialogArgs args;
  args.Owner = FDialog.Handle();
  args.InitialName = FDialog.Text("edtFileName");
  if (const std::optional<std::string> chosen = PickFileToOpen(args)) {
    FDialog.SetText("edtFileName", *chosen);
  }
}

bool TfrmRedirectToFile::Execute(std::string& fileName, bool& overwrite, HWND owner) {
  FDialog.SetText("edtFileName", fileName);
  FDialog.SetChecked("cbxOverwrite", overwrite);
  if (FDialog.ShowModal(owner) != TModalResult::mrOK) return false;
  fileName = FDialog.Text("edtFileName");
  overwrite = FDialog.Checked("cbxOverwrite");
  return true;
}

}  // namespace palvetta
