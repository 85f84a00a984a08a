#include "gui/win/input_box.h"

#include "base/text.h"

namespace palvetta {

std::string ShowInputBox(std::string_view caption, std::string_view prompt,
                         std::string_view initialText, std::string_view defaultValue, HWND owner,
                         const std::function<void(TDialog&)>& onShown,
                         const TFormEnvironment& environment) {
  TDialogOptions options;
  options.Title = std::string(caption);
  options.Environment = environment;
  TDialog dialog(Dialog({Label("lblPrompt", std::string(prompt)), Edit("edtText", 40)}),
                 std::move(options));
  dialog.SetText("edtText", initialText);
  dialog.OnShown = onShown;
  if (dialog.ShowModal(owner) != TModalResult::mrOK) return std::string(defaultValue);
  const std::string text = dialog.Text("edtText");
  if (IsBlank(text)) return std::string(defaultValue);
  return text;
}

}  // namespace palvetta
